#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12, when it is missing (run as root).
set -euo pipefail
need=()
have() { command -v "$1" >/dev/null 2>&1; }
pkg_missing() { ! dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have cmake || need+=(cmake)
have g++ || need+=(g++)
have clang++ || need+=(clang)
pkg_missing libclang-rt-14-dev && need+=(libclang-rt-14-dev)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
pkg_missing libgtest-dev && need+=(libgtest-dev)
pkg_missing libbenchmark-dev && need+=(libbenchmark-dev)
# Installer databases read natively (libmsi, through pkg-config), and the tests' real
# installers: makensis builds a setup, wixl a package.
have pkg-config || need+=(pkg-config)
pkg_missing libmsi-dev && need+=(libmsi-dev)
pkg_missing libglib2.0-dev && need+=(libglib2.0-dev)
have makensis || need+=(nsis)
have wixl || need+=(wixl)
have i686-w64-mingw32-g++-posix && have i686-w64-mingw32-g++-win32 || need+=(g++-mingw-w64-i686 mingw-w64-i686-dev)
have Xvfb || need+=(xvfb)
have xauth || need+=(xauth)
have import || need+=(imagemagick)
have xdotool || need+=(xdotool)
have flock || need+=(util-linux)
have chattr || need+=(e2fsprogs)
# The fonts Wine draws the Windows sans serif faces with (Latin, Greek, Cyrillic), and one with
# Japanese glyphs that scripts/wine-session.sh links to them.
pkg_missing fonts-liberation && need+=(fonts-liberation)
pkg_missing fonts-droid-fallback && need+=(fonts-droid-fallback)
wine32=0
pkg_missing wine && need+=(wine)
pkg_missing wine32:i386 && wine32=1

if [ ${#need[@]} -gt 0 ] || [ $wine32 = 1 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages (${need[*]} ${wine32:+wine32:i386}); run as root to install them" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  if [ $wine32 = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -q
  [ $wine32 = 1 ] && need+=(wine32:i386)
  apt-get install -y -q "${need[@]}"
fi

# The help compiler and lister (Tallimo.chm), without the rest of the Pascal tool chain.
if ! have chmcmd || ! have chmls; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing package fp-utils (chmcmd, chmls); run as root to install it" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q --no-install-recommends fp-utils ||
    { apt-get update -q && apt-get install -y -q --no-install-recommends fp-utils; }
fi

# Where Wine cannot run 32-bit programs, the Windows tests use a 64-bit build under wine64.
if [ "$(bash "$(dirname "$0")/wine-arch.sh")" = win64 ]; then
  need=()
  have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64 mingw-w64-x86-64-dev)
  [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
  if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" != 0 ]; then
      echo "setup: missing packages (${need[*]}); run as root to install them" >&2
      exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -q "${need[@]}" || { apt-get update -q && apt-get install -y -q "${need[@]}"; }
  fi
fi
