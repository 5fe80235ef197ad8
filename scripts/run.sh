#!/usr/bin/env bash
# Builds brd64 and brdcmp and compares two files: the ones given, or the bundled example pair.
# With a display, brd64 opens its window on them. Without one (neither DISPLAY nor
# WAYLAND_DISPLAY set) it says so and runs the same comparison through brdcmp instead: the merge
# file goes to the build folder and the section list to standard output.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BRINDLE_BUILD_DIR:-$ROOT/build}"

if [ $# -ne 0 ] && [ $# -ne 2 ]; then
    echo "usage: scripts/run.sh [FILE1 FILE2]" >&2
    exit 2
fi
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target brd64 brdcmp

if [ $# -eq 0 ]; then
    set -- "$ROOT/examples/before.cpp" "$ROOT/examples/after.cpp"
    MERGE="$BUILD/example-merge.txt"
    echo "Comparing the bundled examples: $*"
else
    MERGE="$BUILD/merge.txt"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$BUILD/src/app/brd64" "$@"
fi

echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): brd64 needs one, so the same"
echo "comparison runs without a window through brdcmp."
echo "Section list (lines of file 1;lines of file 2):"
status=0
"$BUILD/tools/brdcmp/brdcmp" --merge "$MERGE" "$@" || status=$?
# 0 and 1 mean "no differences" and "differences"; only 2 is trouble.
if [ "$status" -le 1 ]; then
    echo "Merge file: $MERGE"
fi
[ "$status" -le 1 ]
