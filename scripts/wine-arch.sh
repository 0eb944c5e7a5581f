#!/usr/bin/env bash
# Prints which Windows build this host tests with: "win32" where Wine runs 32-bit programs here,
# "win64" where it cannot (some kernels refuse 32-bit code: Wine's 32-bit loader then fails with
# "Exec format error"). TALLIMO_WINE_ARCH=win32|win64 overrides the probe.
set -euo pipefail
case "${TALLIMO_WINE_ARCH:-}" in
  win32 | win64) echo "$TALLIMO_WINE_ARCH"; exit 0 ;;
  "") ;;
  *) echo "wine-arch: TALLIMO_WINE_ARCH must be win32 or win64" >&2; exit 2 ;;
esac
if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
