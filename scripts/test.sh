#!/usr/bin/env bash
# Builds and runs every test twice: in a normal build, and in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer. Compiler warnings are errors in both. The Windows library BRDEXT.dll,
# which the sanitizers cannot reach, is built and tested under Wine in the normal build only.
# Then builds the libFuzzer targets of tests/fuzz with clang and runs each for a bounded time
# (BRINDLE_FUZZ_SECONDS, default 20); any finding fails the run.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${BRINDLE_JOBS:-$(nproc)}"

run_build() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja -DBRINDLE_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
    ctest --test-dir "$dir" --output-on-failure -j "$JOBS"
}

echo "== normal build"
run_build "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer)"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
BRINDLE_SANITIZED=1 run_build "$ROOT/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON -DBRINDLE_BUILD_BENCH=OFF \
    -DBRINDLE_BUILD_BRDEXT=OFF

echo "== fuzz targets (libFuzzer, ${BRINDLE_FUZZ_SECONDS:-20} s each)"
"$ROOT/scripts/fuzz.sh" --all "${BRINDLE_FUZZ_SECONDS:-20}"
