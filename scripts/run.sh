#!/usr/bin/env bash
# Builds brdcmp and runs it: on the files given, or on the bundled example files.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BRINDLE_BUILD_DIR:-$ROOT/build}"

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target brdcmp

if [ $# -eq 0 ]; then
    set -- "$ROOT/examples/before.cpp" "$ROOT/examples/after.cpp"
    echo "Comparing the bundled examples: $*"
fi
status=0
"$BUILD/tools/brdcmp/brdcmp" "$@" || status=$?
# 0 and 1 mean "no differences" and "differences"; only 2 is trouble.
[ "$status" -le 1 ]
