#!/usr/bin/env bash
# Times opening a comparison in the brd64 window against GNU diff on the same generated pair, and
# reports how long a section selection and a scroll step take at that size; see README.md.
set -euo pipefail
export LC_ALL=C

usage() {
    echo "usage: bench/open_bench.sh [--lines N] [--runs N] [--seed S]"
    echo "  --lines N  lines of file 1, k and M suffixes allowed (default 1M)"
    echo "  --runs N   timed runs of each program; the median counts (default 5)"
    echo "Environment: BRD64 (the program to time), BRINDLE_GEN_PAIR (generator), TMPDIR."
}

die() {
    echo "open_bench.sh: $*" >&2
    exit 1
}

lines=1M
runs=5
seed=1
while [ $# -gt 0 ]; do
    case $1 in
        --lines | --runs | --seed)
            [ $# -ge 2 ] || die "$1 needs a value"
            case $1 in
                --lines) lines=$2 ;;
                --runs) runs=$2 ;;
                --seed) seed=$2 ;;
            esac
            shift 2
            ;;
        -h | --help) usage; exit 0 ;;
        *) usage >&2; die "unknown option: $1" ;;
    esac
done
[[ $runs =~ ^[1-9][0-9]*$ ]] || die "--runs must be a positive whole number: $runs"

repo=$(cd "$(dirname "$0")/.." && pwd)
brd64=${BRD64:-}
gen=${BRINDLE_GEN_PAIR:-}
if [ -z "$brd64" ] || [ -z "$gen" ]; then
    echo "open_bench.sh: building brd64 and brindle_gen_pair in build-bench (Release)" >&2
    (cd "$repo" &&
        cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBRINDLE_BUILD_TESTS=OFF -G Ninja >/dev/null &&
        ninja -C build-bench brd64 brindle_gen_pair >/dev/null) || die "build failed"
    brd64=${brd64:-$repo/build-bench/src/app/brd64}
    gen=${gen:-$repo/build-bench/bench/brindle_gen_pair}
fi
command -v diff >/dev/null || die "GNU diff not found"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/brindle-open-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
"$gen" --lines "$lines" --seed "$seed" --out-dir "$tmp" >/dev/null 2>&1
# The window's settings stay out of the user's own.
export XDG_CONFIG_HOME=$tmp/config QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

# shellcheck source=bench_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/bench_common.sh"

memory_run "$tmp/diff.kib" diff "$tmp/a.txt" "$tmp/b.txt"  # also warms the file cache
memory_run "$tmp/brd64.kib" "$brd64" --benchmark-open "$tmp/a.txt" "$tmp/b.txt"
: >"$tmp/diff.s"
: >"$tmp/brd64.s"
: >"$tmp/process.s"
: >"$tmp/steps"
# Taking turns spreads drifts in machine load over both programs.
for ((r = 1; r <= runs; r++)); do
    time_run "$tmp/diff.s" diff "$tmp/a.txt" "$tmp/b.txt"
    time_run_out=$tmp/out time_run "$tmp/process.s" "$brd64" --benchmark-open "$tmp/a.txt" "$tmp/b.txt"
    sed -n 's/^opened in \([0-9.]*\) s$/\1/p' "$tmp/out" >>"$tmp/brd64.s"
    grep -h "section selection\|scrolling" "$tmp/out" >>"$tmp/steps"
done
[ -s "$tmp/brd64.s" ] || die "brd64 printed no opening time"
ds=$(median_seconds "$tmp/diff.s")
bs=$(median_seconds "$tmp/brd64.s")
echo "lines of file 1: $lines, bytes of both files: $(($(stat -c %s "$tmp/a.txt") + $(stat -c %s "$tmp/b.txt")))"
echo "diff:             $ds s"
echo "brd64 open:       $bs s (process start until the window is filled and painted)"
echo "brd64 process:    $(median_seconds "$tmp/process.s") s (open, measure the steps below, close, quit)"
awk -v b="$bs" -v d="$ds" 'BEGIN { printf "ratio open / diff: %.2f\n", b / d }'
for what in "section selection" scrolling; do
    grep -h "$what" "$tmp/steps" | sed 's/.*: //; s/ ms.*//' >"$tmp/step.ms"
    median_seconds "$tmp/step.ms" | xargs printf "%s: %s ms per step, both panes repainted\n" "$what"
done
bytes=$(($(stat -c %s "$tmp/a.txt") + $(stat -c %s "$tmp/b.txt")))
for program in diff brd64; do
    kib=$(cat "$tmp/$program.kib")
    [ "$kib" = - ] && continue
    awk -v p="$program" -v k="$kib" -v b="$bytes" \
        'BEGIN { printf "%-6s peak memory: %.0f MiB, %.2f times both files\n", p, k / 1024, k * 1024 / b }'
done
echo "(medians of $runs runs; memory from one run each)"
