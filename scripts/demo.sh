#!/usr/bin/env bash
# Runs Tallimo on the demo disc under Wine. Installs and builds what it needs first.
# With a display (DISPLAY set), the menu opens in a window there and this waits until it is
# closed. Without one, it runs in a virtual screen, saves a screenshot and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
bash scripts/setup.sh
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win32 -j"$(nproc)" --target Tallimo tallimo-cat
catalogue="$top/examples/demo-disc/TALLIMO.INI"

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX="$top/build/win32/wine/prefix" WINEDEBUG=-all WINEARCH=win32
  mkdir -p "$(dirname "$WINEPREFIX")"
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 || true
  cd examples/demo-disc
  exec wine "$top/build/win32/Tallimo.exe" "$(winepath -w "$catalogue")"
fi

eval "$(scripts/wine-session.sh build/win32)"
shot="$top/build/win32/demo-screenshot.png"
cd examples/demo-disc
wine "$top/build/win32/Tallimo.exe" "$(winepath -w "$catalogue")" &
pid=$!
# Wait for the main window to be painted, then photograph the virtual screen.
for _ in $(seq 100); do
  xdotool search --name "^Tallimo" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
import -display "$DISPLAY" -window root "$shot"
wine "$top/build/win32/tallimo-cat.exe" dump "$(winepath -w "$catalogue")" | head -20 || true
kill "$pid" 2>/dev/null || true
wineserver -k 2>/dev/null || true
echo "Screenshot of the menu on the demo disc: $shot"
