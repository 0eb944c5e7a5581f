#!/usr/bin/env bash
# Makes sure a Wine session is up for the build folder given as $1 (default: the current
# folder): a virtual X screen, a Wine prefix inside the build folder, a persistent wineserver.
# Prints the shell assignments to use it:  eval "$(scripts/wine-session.sh build/win32)"
# ($WINE is the loader to run the build's programs with).
set -euo pipefail
root=$(cd "${1:-.}" && pwd)
state="$root/wine"
mkdir -p "$state"
exec 9>"$state/lock"
flock 9

# The build folder says whether its programs are 32- or 64-bit; a 64-bit build runs under wine64
# with a 64-bit prefix (for hosts where 32-bit programs cannot run at all).
arch=$(sed -n 's/^TALLIMO_WINE_ARCH:INTERNAL=//p' "$root/CMakeCache.txt" 2>/dev/null || true)
export WINEARCH=${arch:-win32}
if [ "$WINEARCH" = win64 ]; then
  export WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64
else
  export WINE=wine
  unset WINELOADER
fi
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# The X screen: reuse the one recorded for this folder while it lives, else start one.
display=""
if [ -f "$state/display" ] && [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
  display=$(cat "$state/display")
else
  for n in $(seq 91 160); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 9>&- &
      echo $! >"$state/xvfb.pid"
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      display=":$n"
      echo "$display" >"$state/display"
      break
    fi
  done
fi
[ -n "$display" ] || { echo "wine-session: no free X display" >&2; exit 1; }
export DISPLAY="$display"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$WINE" wineboot -i >/dev/null 2>&1 9>&- || true
  wineserver -w 2>/dev/null 9>&- || true
fi
# A persistent wineserver spares every test process the server's start-up.
wineserver -p >/dev/null 2>&1 9>&- || true

# Japanese glyphs: Windows links its sans serif faces to fonts of other scripts. Here Wine draws
# the Windows sans serif faces with the host's (Liberation Sans, DejaVu Sans: Latin, Greek,
# Cyrillic); they are linked to the host's Japanese font (scripts/setup.sh installs both), once
# per prefix. A link on a face the host lacks would make the linked font its only one.
if [ ! -f "$state/fontlink" ]; then
  for face in "Liberation Sans" "DejaVu Sans"; do
    "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d "DroidSansFallbackFull.ttf,Droid Sans Fallback" /f \
      >/dev/null 2>&1 9>&- || true
  done
  touch "$state/fontlink"
fi

printf 'export WINEPREFIX=%q WINEDEBUG=-all WINEARCH=%q WINE=%q WINEDLLOVERRIDES=%q DISPLAY=%q\n' \
  "$WINEPREFIX" "$WINEARCH" "$WINE" "$WINEDLLOVERRIDES" "$DISPLAY"
if [ "$WINEARCH" = win64 ]; then
  # So that "wine program.exe" also runs the 64-bit loader in the caller's shell.
  printf 'export WINELOADER=%q\nwine() { %q "$@"; }\n' "$WINELOADER" "$WINE"
fi
