#!/usr/bin/env bash
# ctest's emulator for Windows executables: runs "$@" under Wine in the session of the
# build folder (found from the current folder upwards, or TALLIMO_WINE_ROOT).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=${TALLIMO_WINE_ROOT:-}
if [ -z "$root" ]; then
  d=$PWD
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  [ -f "$d/CMakeCache.txt" ] || { echo "wine-run: no build folder above $PWD" >&2; exit 2; }
  root=$d
fi
eval "$("$here/wine-session.sh" "$root")"
# Wine starts its services from the first process of a server; they would inherit our output
# and keep the caller (ctest) waiting on it. So the program writes to a file we show after.
out=$(mktemp)
set +e
"$WINE" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
