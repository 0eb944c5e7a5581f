#!/usr/bin/env bash
# Checks that the shipped programs load on Windows XP SP3 as single files: they import only
# DLLs that Windows always takes from its own folder, whatever lies beside the program (a disc
# or a stick anyone may have written to), no function that XP lacks, and ask for a subsystem
# version of at most 5.1; that Tallimo.exe takes no 8-bit text function; and that it stays
# within its size limit (the README states it: growth is a decision).
#   scripts/check-imports.sh build/win32/Tallimo.exe build/win32/tallimo-cat.exe
set -euo pipefail
tallimo_limit=655360  # bytes (640 KB)
objdump=i686-w64-mingw32-objdump
command -v "$objdump" >/dev/null || { echo "check-imports: $objdump is missing" >&2; exit 2; }
[ $# -gt 0 ] || { echo "usage: check-imports.sh PROGRAM.exe..." >&2; exit 2; }

# DLLs that Windows loads from its own folder for any program (known DLLs). Any other is loaded
# at run time by its full system path (platform/system_library_win32.h).
system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMDLG32|OLE32|OLEAUT32|msvcrt)\.dll$'
# comctl32 comes from the side-by-side store, through the program's manifest, and only so.
manifest_dlls='^COMCTL32\.dll$'
manifest_assembly='Microsoft.Windows.Common-Controls'
# Functions that came with Vista or later (a name ending in * stands for its A/W/Ex forms).
vista_only='^(GetTickCount64|InitializeSRWLock|AcquireSRWLock.*|ReleaseSRWLock.*|TryAcquireSRWLock.*|InitializeConditionVariable|SleepConditionVariable.*|WakeConditionVariable|WakeAllConditionVariable|InitOnce.*|Fls(Alloc|Free|GetValue|SetValue)|CompareStringEx|CompareStringOrdinal|LCMapStringEx|GetLocaleInfoEx|GetUserDefaultLocaleName|LocaleNameToLCID|LCIDToLocaleName|GetFileInformationByHandleEx|SetFileInformationByHandle|CreateSymbolicLink.*|GetFinalPathNameByHandle.*|GetThreadId|GetProcessId|RegGetValue.*|RegDeleteTree.*|SetProcessDPIAware|SetProcessDpiAwareness.*|SetProcessDpiAwarenessContext|GetDpiForWindow|GetDpiForSystem|InitializeCriticalSectionEx|CreateEventEx.*|CreateMutexEx.*|CreateSemaphoreEx.*|GetSystemTimePreciseAsFileTime|QueryFullProcessImageName.*|GetErrorMode|SetThreadErrorMode|GetThreadErrorMode|CancelIoEx|GetQueuedCompletionStatusEx|CreateThreadpool.*|WaitForThreadpool.*|CloseThreadpool.*|SubmitThreadpoolWork|InitializeProcThreadAttributeList|UpdateProcThreadAttribute|DeleteProcThreadAttributeList|GetCurrentProcessorNumber|FlushProcessWriteBuffers|CopyFile2|CreateFile2|K32.*|TaskDialog.*|SHGetKnownFolderPath|ChangeWindowMessageFilter.*|AddDllDirectory|SetDefaultDllDirectories)$'

# Tallimo.exe hands text to Windows through the W functions only (UTF-16; inside it is UTF-8).
# The 8-bit ones it may import are those the C runtime's start-up calls.
ansi_allowed='^(GetModuleHandleA|GetStartupInfoA|LoadLibraryA)$'

fail=0
for exe in "$@"; do
  [ -f "$exe" ] || { echo "check-imports: $exe: no such file" >&2; fail=1; continue; }
  dump=$("$objdump" -p "$exe")
  name=$(basename "$exe")
  major=$(awk '/^MajorSubsystemVersion/{print $2}' <<<"$dump")
  minor=$(awk '/^MinorSubsystemVersion/{print $2}' <<<"$dump")
  if [ -z "$major" ] || [ $((major * 100 + minor)) -gt 501 ]; then
    echo "$name: subsystem version $major.$minor is above 5.1 (Windows XP)"
    fail=1
  fi
  # "DLL Name: X" lines, then "vma hint name" rows for its functions.
  imports=$(awk '/DLL Name:/{dll=$3; print dll; next}
                 dll && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/{print dll ":" $3}' <<<"$dump")
  dlls=$(grep -v ':' <<<"$imports" || true)
  functions=$(grep ':' <<<"$imports" || true)
  [ -n "$functions" ] || { echo "$name: no imports found (not a PE program?)"; fail=1; continue; }
  while read -r dll; do
    [ -z "$dll" ] && continue
    grep -qiE "$system_dlls" <<<"$dll" && continue
    if grep -qiE "$manifest_dlls" <<<"$dll"; then
      grep -qaF "$manifest_assembly" "$exe" && continue
      echo "$name: imports $dll without a manifest that names $manifest_assembly"
    else
      echo "$name: imports $dll, which Windows may load from the program's folder (load it from the system folder at run time)"
    fi
    fail=1
  done <<<"$dlls"
  while IFS=: read -r dll fn; do
    grep -qE "$vista_only" <<<"$fn" && { echo "$name: imports $fn from $dll, which Windows XP lacks"; fail=1; }
  done <<<"$functions"
  if [ "${name,,}" = tallimo.exe ]; then
    while IFS=: read -r dll fn; do
      [[ "$fn" =~ [a-z0-9]A$ ]] && ! grep -qE "$ansi_allowed" <<<"$fn" &&
        { echo "$name: imports $fn from $dll, an 8-bit text function (use its W form)"; fail=1; }
    done <<<"$functions"
  fi
  size=$(stat -c %s "$exe")
  if [ "${name,,}" = tallimo.exe ] && [ "$size" -gt "$tallimo_limit" ]; then
    echo "$name: $size bytes, over the limit of $tallimo_limit bytes (raise it in the README and here only by decision)"
    fail=1
  fi
  echo "$name: $(wc -l <<<"$functions") functions from $(wc -l <<<"$dlls") system DLLs, subsystem $major.$minor, $size bytes"
done
exit $fail
