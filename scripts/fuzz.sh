#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz and runs one of them:
#   scripts/fuzz.sh TARGET [SECONDS]   one target, 600 seconds unless given
#   scripts/fuzz.sh --all [SECONDS]    every target in turn, 20 seconds each unless given
# Each run starts from a scratch copy of tests/fuzz/corpus/TARGET, so the source tree is left as
# it is; new inputs stay in build-fuzz/corpus/TARGET. A finding (crash, sanitizer report or failed
# property) is saved as build-fuzz/findings/TARGET-crash-... and makes the script fail: add the
# input to the seed corpus and a regression test beside the unit tests of the code it broke.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build-fuzz"
JOBS="${BRINDLE_JOBS:-$(nproc)}"
TARGETS=(fuzz_text_file fuzz_script_file fuzz_settings_file fuzz_rtf_lines fuzz_regex fuzz_line_parsers
         fuzz_binary_comparison)

if [ $# -lt 1 ]; then
    echo "usage: $0 TARGET [SECONDS] | --all [SECONDS]; targets: ${TARGETS[*]}" >&2
    exit 2
fi
if [ "$1" = "--all" ]; then
    selected=("${TARGETS[@]}")
    seconds="${2:-20}"
else
    selected=("$1")
    seconds="${2:-600}"
fi

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_WERROR=ON \
    -DBRINDLE_FUZZ=ON -DBRINDLE_BUILD_TESTS=OFF -DBRINDLE_BUILD_GUI=OFF -DBRINDLE_BUILD_BENCH=OFF \
    -DBRINDLE_BUILD_BRDEXT=OFF >/dev/null
cmake --build "$BUILD" -j "$JOBS" --target "${selected[@]}"

mkdir -p "$BUILD/findings"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in "${selected[@]}"; do
    corpus="$BUILD/corpus/$target"
    mkdir -p "$corpus"
    cp -n "$ROOT/tests/fuzz/corpus/$target/"* "$corpus/"
    echo "-- $target: $seconds s"
    # Runs in the build folder, so that libFuzzer's leftovers stay out of the source tree.
    if ! (cd "$BUILD" && "$BUILD/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$BUILD/findings/$target-" "$corpus" 2>"$BUILD/findings/$target.log"); then
        tail -n 40 "$BUILD/findings/$target.log" >&2
        echo "$target: finding saved under $BUILD/findings" >&2
        exit 1
    fi
    grep -E '^stat::number_of_executed_units' "$BUILD/findings/$target.log" || true
done
