#!/usr/bin/env bash
# Runs Tallimo on the demo disc under Wine, as from a real disc: the disc is laid out in the
# build folder and mapped as the CD-ROM drive D: (scripts/demo-disc.sh), and D:\TALLIMO.EXE is
# started from D:\ without an argument, so that it reads D:\TALLIMO.INI by its own name.
# Installs and builds what it needs first.
# With a display (DISPLAY set), the menu opens in a window there and this waits until it is
# closed. Without one, it runs in a virtual screen, saves a screenshot and prints its path.
# Hosts where Wine cannot run 32-bit programs use the 64-bit build (scripts/wine-arch.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
bash scripts/setup.sh
arch=$(bash scripts/wine-arch.sh)
if [ "$arch" = win64 ]; then
  build=build/win64 toolchain=cmake/mingw-x86_64.cmake
else
  build=build/win32 toolchain=cmake/mingw-i686.cmake
fi
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target programs
fail() { echo "demo: $*" >&2; exit 1; }
disc=$(bash scripts/demo-disc.sh "$build")
exe='D:\TALLIMO.EXE'

if [ -n "${DISPLAY:-}" ]; then
  user_display=$DISPLAY
  eval "$(scripts/wine-session.sh "$build")"
  export DISPLAY=$user_display
  cd "$disc"  # D:\ for the program
  "$WINE" "$exe" || fail "Wine could not run $exe (exit $?)"
  exit 0
fi

eval "$(scripts/wine-session.sh "$build")"
"$WINE" --version >/dev/null 2>&1 || fail "Wine cannot start programs on this host ($WINE --version failed)"
shot="$top/$build/demo-screenshot.png"
log=$(mktemp)
cd "$disc"  # D:\ for the program
# Errors of the loader (a DLL that cannot be loaded) are kept for the failure message.
WINEDEBUG=-all,err+module "$WINE" "$exe" >"$log" 2>&1 &
pid=$!
# Wait for the main window to be shown, then let it paint and photograph the virtual screen.
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name "^Tallimo - " 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if [ -z "$window" ]; then
  kill "$pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  cat "$log" >&2
  fail "the menu's window did not appear"
fi
sleep 1
import -display "$DISPLAY" -window root "$shot"
"$WINE" "$top/$build/tallimo-cat.exe" dump 'D:\TALLIMO.INI' | head -20 || true
kill "$pid" 2>/dev/null || true
wineserver -k 2>/dev/null || true
rm -f "$log"
echo "Screenshot of the menu on the demo disc: $shot"
