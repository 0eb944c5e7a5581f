#!/usr/bin/env bash
# The largest contributors to a program from its link map: bytes of the sections each input
# (an object file, or an archive member) brought into the program, largest first.
#   scripts/size-report.sh build/win32/shipped/Tallimo.map [COUNT]
# The shipped build writes Tallimo.map beside its objects (build/win32/shipped).
set -euo pipefail
map=${1:?usage: size-report.sh MAP [COUNT]}
count=${2:-10}
awk '
  function hex(s,   n, i) {
    n = 0
    s = tolower(substr(s, 3))
    for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return n
  }
  /^Linker script and memory map/ { on = 1; next }
  !on { next }
  # An input section: " .name 0xADDR 0xSIZE file", or its name alone and the rest on the next line.
  /^ \.[^ ]+$/ { pending = 1; next }
  {
    line = $0
    if (pending) { line = " .x " line; pending = 0 }
    if (line !~ /^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ /) next
    split(line, f, " +")
    if (f[3] ~ /^0x0+$/) next  # discarded, or not placed
    file = line
    sub(/^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ +/, "", file)
    sub(/.*\//, "", file)
    bytes[file] += hex(f[4])
  }
  END { for (file in bytes) printf "%8d  %s\n", bytes[file], file }
' "$map" | sort -rn | head -n "$count"
