#!/usr/bin/env bash
# scripts/check-imports.sh refuses a Tallimo.exe over its size limit and passes one at the limit.
#   tests/shipped/size_limit_test.sh Tallimo.exe
set -euo pipefail
check="$(dirname "$0")/../../scripts/check-imports.sh"
limit=$(sed -n 's/^tallimo_limit=\([0-9]*\).*/\1/p' "$check")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/Tallimo.exe"
[ "$(stat -c %s "$work/Tallimo.exe")" -le "$limit" ] || { echo "the shipped Tallimo.exe is over $limit bytes"; exit 1; }
# Bytes appended after the image (an overlay) leave the program's imports as they are.
truncate -s "$limit" "$work/Tallimo.exe"
bash "$check" "$work/Tallimo.exe" || { echo "a Tallimo.exe of exactly $limit bytes was refused"; exit 1; }
truncate -s $((limit + 1)) "$work/Tallimo.exe"
if out=$(bash "$check" "$work/Tallimo.exe"); then
  echo "a Tallimo.exe of $((limit + 1)) bytes passed: $out"
  exit 1
fi
grep -q "over the limit of $limit bytes" <<<"$out" || { echo "no size message: $out"; exit 1; }
echo "size limit $limit bytes: held"
