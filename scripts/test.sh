#!/usr/bin/env bash
# Runs every test: the native unit tests with sanitizers, a short fuzz run of the catalogue
# reader, and the Windows build's tests under Wine (seams, windows, end to end).
# Installs what it needs first (Debian 12, as root). Build folders live under build/.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
jobs=$(nproc)
fuzz_seconds=${TALLIMO_FUZZ_SECONDS:-30}

bash scripts/setup.sh

echo "== native build (ASan, UBSan) =="
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DTALLIMO_SANITIZE=ON >/dev/null
cmake --build build/native -j"$jobs"
(cd build/native && ctest --output-on-failure -j"$jobs")

echo "== fuzzing the catalogue reader (${fuzz_seconds}s) =="
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLIMO_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"$jobs" --target catalogue_reader_fuzz
work=$(mktemp -d)
cp -r tests/fuzz/corpus "$work/corpus"
build/fuzz/tests/catalogue_reader_fuzz -max_total_time="$fuzz_seconds" -max_len=4096 \
  -print_final_stats=1 "$work/corpus" 2>"$work/fuzz.log" || { tail -50 "$work/fuzz.log"; exit 1; }
grep -E 'stat::number_of_executed_units|Done' "$work/fuzz.log" | tail -2
rm -rf "$work"

echo "== shipped programs (32-bit): imports checked for Windows XP =="
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
arch=$(bash scripts/wine-arch.sh)
if [ "$arch" = win32 ]; then
  cmake --build build/win32 -j"$jobs"
else
  cmake --build build/win32 -j"$jobs" --target programs
fi
bash scripts/check-imports.sh build/win32/Tallimo.exe build/win32/tallimo-cat.exe

# Where Wine cannot run 32-bit programs, the same tests run on a 64-bit build under wine64.
if [ "$arch" = win64 ]; then
  echo "== Windows build (64-bit: this host cannot run 32-bit programs), tests under wine64 =="
  cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/win64 -j"$jobs"
  winbuild=build/win64
else
  echo "== Windows build, tests under Wine =="
  winbuild=build/win32
fi
eval "$(scripts/wine-session.sh "$winbuild")"
(cd "$winbuild" && ctest --output-on-failure)
