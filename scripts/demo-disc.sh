#!/usr/bin/env bash
# Lays out the demo disc in a build folder and puts it in that folder's Wine prefix as drive D:,
# a CD-ROM drive, so that Tallimo runs from it as from a real disc: D:\TALLIMO.EXE reads
# D:\TALLIMO.INI, and the catalogue's paths from the disc's root resolve.
#   scripts/demo-disc.sh BUILD [TALLIMO.EXE]     (default: BUILD/Tallimo.exe)
# The disc is BUILD/demo-disc: examples/demo-disc and the files of `disc_files` below.
# scripts/demo.sh and the demo disc's end-to-end test both use it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
[ $# -ge 1 ] || { echo "usage: demo-disc.sh BUILD [TALLIMO.EXE]" >&2; exit 2; }
build=$(cd "$1" && pwd)
exe=${2:-$build/Tallimo.exe}
disc="$build/demo-disc"

# What the disc holds besides examples/demo-disc: "source|name on the disc" (a missing source
# fails the layout). The help file sits beside the program.
disc_files=(
  "$exe|TALLIMO.EXE"
  "$(dirname "$exe")/Tallimo.chm|Tallimo.chm"
)

# The layout, made anew each time so that nothing stale stays on the disc.
rm -rf "$disc"
cp -R "$top/examples/demo-disc" "$disc"
rm -f "$disc/.gitattributes"
for entry in "${disc_files[@]}"; do
  source=${entry%%|*}
  name=${entry#*|}
  [ -f "$source" ] || { echo "demo-disc: $source is missing (build it first)" >&2; exit 1; }
  cp "$source" "$disc/$name"
done

# Drive D: of the prefix: a link in dosdevices, and its type in the registry. Wine's mount
# manager learns its drives and their types when the prefix's server starts, so a new link or a
# new type restarts the server (once: both stay in the prefix).
eval "$("$here/wine-session.sh" "$build")"
link="$WINEPREFIX/dosdevices/d:"
key='HKEY_LOCAL_MACHINE\Software\Wine\Drives'
restart=0
if [ "$(readlink "$link" 2>/dev/null || true)" != "$disc" ]; then
  ln -sfn "$disc" "$link"
  restart=1
fi
if ! "$WINE" reg query "$key" /v d: 2>/dev/null | grep -qi 'cdrom'; then
  "$WINE" reg add "$key" /v d: /t REG_SZ /d cdrom /f >/dev/null 2>&1
  restart=1
fi
if [ "$restart" = 1 ]; then
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  eval "$("$here/wine-session.sh" "$build")"
fi
echo "$disc"
