#!/usr/bin/env bash
# Runs Tallimo on the demo disc. Installs and builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
bash scripts/setup.sh
cmake -S . -B build/demo-native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/demo-native -j"$(nproc)" --target tallimo-cat
cat=build/demo-native/tallimo-cat
"$cat" check examples/demo-disc/TALLIMO.INI
"$cat" dump examples/demo-disc/TALLIMO.INI
