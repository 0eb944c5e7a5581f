#!/usr/bin/env bash
# scripts/check-imports.sh on small programs built here: a program that imports a DLL Windows
# may take from the program's folder fails, comctl32 passes only with its manifest.
#   tests/shipped/check_imports_test.sh
set -euo pipefail
check="$(dirname "$0")/../../scripts/check-imports.sh"
cc=i686-w64-mingw32-gcc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/manifest.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0"><dependency>
<dependentAssembly><assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls"
version="6.0.0.0" processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
</dependentAssembly></dependency></assembly>
XML
echo '1 24 "manifest.xml"' >"$work/manifest.rc"
(cd "$work" && i686-w64-mingw32-windres manifest.rc -O coff -o manifest.o)

# name | the program's body | libraries and objects | expected: pass, or a part of the message
cases=(
  "kernel|GetTickCount();|-lkernel32|pass"
  "shell|ShellExecuteW(0, 0, 0, 0, 0, 0);|-lshell32|pass"
  "mpr|WNetGetConnectionW(0, 0, 0);|-lmpr|imports MPR.dll, which Windows may load from the program's folder"
  "version|GetFileVersionInfoSizeW(0, 0);|-lversion|imports VERSION.dll"
  "comctl|InitCommonControls();|-lcomctl32|without a manifest that names Microsoft.Windows.Common-Controls"
  "comctl_manifest|InitCommonControls();|-lcomctl32 manifest.o|pass"
)
fail=0
for c in "${cases[@]}"; do
  IFS='|' read -r name body libs expected <<<"$c"
  printf '#include <windows.h>\n#include <commctrl.h>\n#include <winnetwk.h>\nint main(void) { %s return 0; }\n' \
    "$body" >"$work/$name.c"
  (cd "$work" && $cc -O1 -o "$name.exe" "$name.c" $libs)
  if out=$(bash "$check" "$work/$name.exe" 2>&1); then result=pass; else result=$out; fi
  if [ "$expected" = pass ] && [ "$result" != pass ]; then
    echo "$name: refused: $out"
    fail=1
  elif [ "$expected" != pass ] && ! grep -qiF "$expected" <<<"$result"; then
    echo "$name: expected \"$expected\", got: $out"
    fail=1
  fi
done
[ $fail = 0 ] && echo "import check: ${#cases[@]} programs judged as expected"
exit $fail
