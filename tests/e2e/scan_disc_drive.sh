#!/usr/bin/env bash
# Drive S: of the build's Wine prefix: an empty folder for the scan's end-to-end run, so that
# install lines from the disc's root (\NSIS\setup.exe) resolve on it.
# Usage: scan_disc_drive.sh <build folder> <disc folder>
set -euo pipefail
here=$(cd "$(dirname "$0")/../../scripts" && pwd)
build=$1 disc=$2
rm -rf "$disc"
mkdir -p "$disc"
eval "$("$here/wine-session.sh" "$build")"
link="$WINEPREFIX/dosdevices/s:"
if [ "$(readlink "$link" 2>/dev/null || true)" != "$disc" ]; then
  ln -sfn "$disc" "$link"
  # The mount manager learns its drives when the prefix's server starts.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  eval "$("$here/wine-session.sh" "$build")"
fi
