#!/usr/bin/env bash
# A queue that survives restarts, on the real Tallimo.exe in a Wine prefix of its own (a restart
# ends every program of its prefix, the test programs of the build's prefix included):
#   1. three stand-in installers, the first ending 3010 with Restart=1: Restart now in the
#      countdown window, and the copy that Windows starts after the restart installs the other
#      two, in the same log;
#   2. a restart from outside (wineboot) while the second program runs: the copy marks it
#      interrupted and installs the third.
# Neither leaves a RunOnce value behind.
# Usage: restart_e2e.sh <build folder> <Tallimo.exe> <test_installer.exe>
set -euo pipefail
here=$(cd "$(dirname "$0")/../../scripts" && pwd)
build=$(cd "$1" && pwd) exe=$2 installer=$3
eval "$("$here/wine-session.sh" "$build")"
export WINEPREFIX="$build/restart-e2e/prefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1 || true
fi
trap 'wineserver -k 2>/dev/null || true' EXIT
# What an earlier run left (a failed one leaves its value, which the next restart would run).
"$WINE" reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce' /f >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX/drive_c/ProgramData/Tallimo/Resume"
disc="$WINEPREFIX/drive_c/disc"
rm -rf "$disc"
mkdir -p "$disc"
cp "$exe" "$disc/Tallimo.exe"
cp "$installer" "$disc/setup.exe"

fail() {
  echo "FAILED: $*"
  [ -f "$log" ] && sed 's/^/  log: /' "$log"
  exit 1
}
# Waits up to $2 seconds for the log to hold the line text $1.
wait_for() {
  for _ in $(seq $(($2 * 5))); do
    grep -qF -- "$1" "$log" 2>/dev/null && return 0
    sleep 0.2
  done
  fail "no \"$1\" in the log within $2 s"
}
# The log holds each line given once the run has ended, and no RunOnce value is left.
expect_ended_with() {
  for line in "$@"; do
    grep -qF -- "$line" "$log" || fail "no \"$line\""
  done
  wineserver -w 2>/dev/null || true
  "$WINE" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\RunOnce' 2>/dev/null |
    tr -d '\r' | grep -q 'Tallimo' && fail "a RunOnce value is left"
  echo "ok"
}
# The catalogue: three programs of the stand-in installer; $1 and $2 the first two's arguments.
catalogue() {
  printf '[Program1]\r\nName=Runtime\r\nRestart=1\r\nInstall1=C:\\disc\\setup.exe %s\r\n' "$1"
  printf '[Program2]\r\nName=Editor\r\nDetect=C:\\disc\\editor.txt\r\nInstall1=C:\\disc\\setup.exe %s\r\n' "$2"
  printf '[Program3]\r\nName=Viewer\r\nInstall1=C:\\disc\\setup.exe exit 0\r\n'
}

echo "== 1. Restart now after a program that ended 3010 =="
catalogue "exit 3010" "exit 0" >"$disc/DISC.INI"
log="$disc/first.log"
"$WINE" "$disc/Tallimo.exe" 'C:\disc\DISC.INI' /install '*' /restart /log 'C:\disc\first.log' \
  >/dev/null 2>&1 &
wait_for "Runtime needs the computer to restart before the next program" 60
# The countdown window: Restart now is its default button.
window=""
for _ in $(seq 50); do
  window=$(xdotool search --name '^Tallimo - Restart$' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || fail "no window \"Tallimo - Restart\""
xdotool key --window "$window" Return 2>/dev/null || true
wait_for "Restarting the computer" 45
wait_for "Resumed after a restart (1 of at most 5)" 120
wait_for $'Exit code 0\r' 120
[ "$(grep -c 'Program 1 of 3: Runtime' "$log")" = 1 ] || fail "the first program ran again"
expect_ended_with "Runtime: installed, restart needed" "Editor: installed" "Viewer: installed" \
  "Unattended install ended: 3 installed, 0 failed, 0 not started"

echo "== 2. A restart from outside while the second program runs =="
catalogue "exit 0" "wait 60000 C:\\disc\\editor.txt" >"$disc/DISC.INI"
log="$disc/second.log"
"$WINE" "$disc/Tallimo.exe" 'C:\disc\DISC.INI' /install '*' /restart /quiet \
  /log 'C:\disc\second.log' >/dev/null 2>&1 &
wait_for "Program 2 of 3: Editor" 60
sleep 1
# A restart from outside: the session ended and its programs killed, then the start-up commands
# run (a plain -r runs them with the programs still going).
"$WINE" wineboot --end-session --kill >/dev/null 2>&1 || true
"$WINE" wineboot -r >/dev/null 2>&1 || true
wait_for "Resumed after a restart (1 of at most 5)" 120
wait_for $'Exit code 1\r' 120
[ "$(grep -c 'Program 2 of 3: Editor' "$log")" = 1 ] || fail "the interrupted program ran again"
expect_ended_with "Runtime: installed" "Editor: failed (interrupted by a restart)" \
  "Viewer: installed" "Unattended install ended: 2 installed, 1 failed, 0 not started"
