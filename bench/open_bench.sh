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

wall() {
    local t0 t1 rc=0
    t0=$EPOCHREALTIME
    "$@" >"$tmp/out" 2>"$tmp/err" || rc=$?
    t1=$EPOCHREALTIME
    [ "$rc" -le 1 ] || { cat "$tmp/err" >&2; die "'$*' exited with $rc"; }
    awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f\n", b - a }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { printf "%.4f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

wall diff "$tmp/a.txt" "$tmp/b.txt" >/dev/null  # warms the file cache
: >"$tmp/diff.s"
: >"$tmp/brd64.s"
: >"$tmp/process.s"
: >"$tmp/steps"
# Taking turns spreads drifts in machine load over both programs.
for ((r = 1; r <= runs; r++)); do
    wall diff "$tmp/a.txt" "$tmp/b.txt" >>"$tmp/diff.s"
    wall "$brd64" --benchmark-open "$tmp/a.txt" "$tmp/b.txt" >>"$tmp/process.s"
    sed -n 's/^opened in \([0-9.]*\) s$/\1/p' "$tmp/out" >>"$tmp/brd64.s"
    grep -h "section selection\|scrolling" "$tmp/out" >>"$tmp/steps"
done
[ -s "$tmp/brd64.s" ] || die "brd64 printed no opening time"
ds=$(median <"$tmp/diff.s")
bs=$(median <"$tmp/brd64.s")
echo "lines of file 1: $lines, bytes of both files: $(($(stat -c %s "$tmp/a.txt") + $(stat -c %s "$tmp/b.txt")))"
echo "diff:             $ds s"
echo "brd64 open:       $bs s (process start until the window is filled and painted)"
echo "brd64 process:    $(median <"$tmp/process.s") s (open, measure the steps below, close, quit)"
awk -v b="$bs" -v d="$ds" 'BEGIN { printf "ratio open / diff: %.2f\n", b / d }'
for what in "section selection" scrolling; do
    grep -h "$what" "$tmp/steps" | sed 's/.*: //; s/ ms.*//' | median |
        xargs printf "%s: %s ms per step, both panes repainted\n" "$what"
done
echo "(medians of $runs runs)"
