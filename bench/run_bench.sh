#!/usr/bin/env bash
# Times brdcmp against GNU diff on generated file pairs and reports peak memory; see README.md.
set -euo pipefail
export LC_ALL=C  # EPOCHREALTIME and awk must use a decimal point

usage() {
    cat <<'EOF'
usage: bench/run_bench.sh [--sizes "N ..."] [--change P] [--runs N] [--seed S] [--crlf]
                          [--binary-bytes N] [--binary-change P] [--only text|binary]
  --sizes "N ..."  lines of the first file, one pair per size (default "100000 1000000")
  --change P       percent of lines edited (default 1): half changed, a fifth inserted,
                   a fifth deleted, a tenth moved
  --runs N         timed runs of each program per size; the median counts (default 5)
  --seed S         generator seed (default 1)
  --crlf           CR LF line ends
  --binary-bytes N bytes of the first binary file, k M G suffixes allowed (default 100000000;
                   0 skips binary pairs)
  --binary-change P percent of bytes edited in binary pairs (default 0.02)
  --only SECTION   run only the text or only the binary pairs
Environment: BRDCMP (brdcmp to time), BRINDLE_GEN_PAIR (generator), BRINDLE_GEN_BINARY_PAIR
(binary generator), TMPDIR (where pairs go).
EOF
}

die() {
    echo "run_bench.sh: $*" >&2
    exit 1
}

sizes="100000 1000000"
change=1
runs=5
seed=1
crlf=()
binary_bytes=100000000
binary_change=0.02
only=
while [ $# -gt 0 ]; do
    case $1 in
        --sizes | --change | --runs | --seed)
            [ $# -ge 2 ] || die "$1 needs a value"
            case $1 in
                --sizes) sizes=$2 ;;
                --change) change=$2 ;;
                --runs) runs=$2 ;;
                --seed) seed=$2 ;;
            esac
            shift 2
            ;;
        --crlf) crlf=(--crlf); shift ;;
        --binary-bytes | --binary-change | --only)
            [ $# -ge 2 ] || die "$1 needs a value"
            case $1 in
                --binary-bytes) binary_bytes=$2 ;;
                --binary-change) binary_change=$2 ;;
                --only) only=$2 ;;
            esac
            shift 2
            ;;
        -h | --help) usage; exit 0 ;;
        *) usage >&2; die "unknown option: $1" ;;
    esac
done

for n in $sizes $runs $seed; do
    case $n in '' | *[!0-9]*) die "not a positive whole number: $n" ;; esac
done
[ "$runs" -ge 1 ] || die "--runs must be at least 1"
[ -n "${sizes// /}" ] || die "--sizes is empty"
awk -v p="$change" 'BEGIN { exit !(p ~ /^[0-9]*\.?[0-9]+$/ && p <= 100) }' ||
    die "--change is not a percentage from 0 to 100: $change"
[[ $binary_bytes =~ ^[0-9]+[kKmMgG]?$ ]] || die "--binary-bytes is not a count: $binary_bytes"
awk -v p="$binary_change" 'BEGIN { exit !(p ~ /^[0-9]*\.?[0-9]+$/ && p <= 100) }' ||
    die "--binary-change is not a percentage from 0 to 100: $binary_change"
case $only in '' | text | binary) ;; *) die "--only takes text or binary: $only" ;; esac
text_sizes=$sizes
[ "$only" != binary ] || text_sizes=
[ "$only" != text ] || binary_bytes=0

repo=$(cd "$(dirname "$0")/.." && pwd)

# A Debug build compares nothing useful against an optimised diff.
warn_unless_release() {
    local cache=$1/CMakeCache.txt type
    type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache" 2>/dev/null || true)
    if [ "$type" != Release ]; then
        echo "run_bench.sh: warning: $1 is a '${type:-unknown}' build; the targets are for Release" >&2
    fi
}

brdcmp=${BRDCMP:-}
gen=${BRINDLE_GEN_PAIR:-}
if [ -z "$brdcmp" ] && [ -x "$repo/build/tools/brdcmp/brdcmp" ]; then
    brdcmp=$repo/build/tools/brdcmp/brdcmp
    warn_unless_release "$repo/build"
fi
if [ -z "$gen" ] && [ -x "$repo/build/bench/brindle_gen_pair" ]; then
    gen=$repo/build/bench/brindle_gen_pair
fi
if [ -z "$brdcmp" ] || [ -z "$gen" ]; then
    echo "run_bench.sh: building brdcmp and brindle_gen_pair in build-bench (Release)" >&2
    (cd "$repo" &&
        cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBRINDLE_BUILD_TESTS=OFF -G Ninja >/dev/null &&
        ninja -C build-bench brdcmp brindle_gen_pair >/dev/null) || die "build failed"
    brdcmp=${brdcmp:-$repo/build-bench/tools/brdcmp/brdcmp}
    gen=${gen:-$repo/build-bench/bench/brindle_gen_pair}
fi
[ -x "$brdcmp" ] || die "brdcmp not found or not executable: $brdcmp"
[ -x "$gen" ] || die "generator not found or not executable: $gen"
command -v diff >/dev/null || die "GNU diff not found"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/brindle-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
# shellcheck source=bench_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/bench_common.sh"

# bench_mode LABEL FLAGS...: the alternating runs of brdcmp and diff with the same flags; brdcmp
# also gets the arguments in the array brdcmp_extra (the files it writes besides its output).
brdcmp_extra=()
bench_mode() {
    local label=$1 r
    shift
    : >"$tmp/brdcmp.$label"
    : >"$tmp/diff.$label"
    # The untimed memory runs come first, so that no timed run pays for a cold cache.
    memory_run "$tmp/brdcmp.$label.kib" "$brdcmp" ${brdcmp_extra[@]+"${brdcmp_extra[@]}"} "$@" "$dir/a.txt" "$dir/b.txt"
    memory_run "$tmp/diff.$label.kib" diff "$@" "$dir/a.txt" "$dir/b.txt"
    # Taking turns, and changing who goes first, spreads drifts in machine load over both.
    for ((r = 1; r <= runs; r++)); do
        if ((r % 2)); then
            time_run "$tmp/brdcmp.$label" "$brdcmp" ${brdcmp_extra[@]+"${brdcmp_extra[@]}"} "$@" "$dir/a.txt" "$dir/b.txt"
            time_run "$tmp/diff.$label" diff "$@" "$dir/a.txt" "$dir/b.txt"
        else
            time_run "$tmp/diff.$label" diff "$@" "$dir/a.txt" "$dir/b.txt"
            time_run "$tmp/brdcmp.$label" "$brdcmp" ${brdcmp_extra[@]+"${brdcmp_extra[@]}"} "$@" "$dir/a.txt" "$dir/b.txt"
        fi
    done
}

# table_row LABEL: one line of the table from the results of bench_mode.
table_row() {
    awk -v label="$1" -v lines="$lines_a" -v bytes="$bytes" \
        -v bs="$(median_seconds "$tmp/brdcmp.$1")" -v ds="$(median_seconds "$tmp/diff.$1")" \
        -v bk="$(cat "$tmp/brdcmp.$1.kib")" -v dk="$(cat "$tmp/diff.$1.kib")" 'BEGIN {
        ratio = ds > 0 ? sprintf("%.2f", bs / ds) : "-"
        bm = bk == "-" ? "-" : sprintf("%.1f", bk / 1024)
        dm = dk == "-" ? "-" : sprintf("%.1f", dk / 1024)
        per = bk == "-" ? "-" : sprintf("%.2f", bk * 1024 / bytes)
        printf "%-8s %9s %12s %10.4f %10.4f %7s %11s %9s %11s\n", label, lines, bytes, bs, ds, ratio, bm, dm, per
    }'
}

verdict() {
    awk -v bs="$(median_seconds "$tmp/brdcmp.plain")" -v ds="$(median_seconds "$tmp/diff.plain")" \
        -v rs="$(median_seconds "$tmp/brdcmp.report")" -v rd="$(median_seconds "$tmp/diff.report")" \
        -v bk="$(cat "$tmp/brdcmp.plain.kib")" -v bytes="$bytes" 'BEGIN {
        t = bs <= ds ? "met" : "missed"
        r = rs <= rd ? "met" : "missed"
        m = bk == "-" ? "not measured" : (bk * 1024 <= 2.5 * bytes ? "met" : "missed")
        printf "targets: no slower than diff %s; report pipeline no slower than diff %s; peak at most 2.5 x bytes %s\n", t, r, m
    }'
}

shares=$(awk -v p="$change" 'BEGIN { printf "--changed %g --inserted %g --deleted %g --moved %g", p / 2, p / 5, p / 5, p / 10 }')
echo "brdcmp: $brdcmp"
echo "peer:   $(command -v diff) ($(diff --version | head -n 1))"
echo "commit $(git -C "$repo" rev-parse --short HEAD 2>/dev/null || echo unknown), $(nproc 2>/dev/null || echo '?') cpus," \
    "change $change% ($shares), seed $seed, $runs runs, median wall time${crlf:+, CR LF}"
for size in $text_sizes; do
    dir=$tmp/pair
    # shellcheck disable=SC2086  # $shares is a list of options
    "$gen" --lines "$size" $shares --seed "$seed" ${crlf[@]+"${crlf[@]}"} --out-dir "$dir" 2>"$tmp/gen.log" ||
        { cat "$tmp/gen.log" >&2; die "generator failed"; }
    lines_a=$(wc -l <"$dir/a.txt" | tr -d ' ')
    lines_b=$(wc -l <"$dir/b.txt" | tr -d ' ')
    bytes_a=$(wc -c <"$dir/a.txt" | tr -d ' ')
    bytes_b=$(wc -c <"$dir/b.txt" | tr -d ' ')
    bytes=$((bytes_a + bytes_b))
    bench_mode plain
    bench_mode -w -w
    # The whole pipeline of the comparison window: load, compare, both RTF reports, merge file.
    brdcmp_extra=(--report1 "$tmp/left.rtf" --report2 "$tmp/right.rtf" -m "$tmp/merge.txt")
    bench_mode report
    brdcmp_extra=()
    echo
    echo "== $size lines: a.txt $lines_a lines $bytes_a bytes, b.txt $lines_b lines $bytes_b bytes"
    printf "%-8s %9s %12s %10s %10s %7s %11s %9s %11s\n" options lines "bytes a+b" "brdcmp s" "diff s" \
        ratio "brdcmp MiB" "diff MiB" "peak/bytes"
    table_row plain
    table_row -w
    table_row report
    if [ "$size" = 1000000 ] && awk -v p="$change" 'BEGIN { exit !(p == 1) }'; then
        verdict
    fi
    rm -rf "$dir"
done

# ---- Binary pairs ----
# Two pairs of binary files: "changed" has changed byte runs only (both files the same size),
# "mixed" half changed and half inserted runs. The peer is `cmp -l`, which lists every differing
# byte position. Its output goes through a pipe: GNU cmp notices an output of /dev/null and then
# behaves like `cmp -s`, stopping at the first difference, or at once when the sizes differ.
# After the first insertion cmp sees nearly every byte as different (it does not resynchronise),
# so only the "changed" row compares like with like.

# find_binary_generator: sets gen_bin, building it in build-bench when there is none.
find_binary_generator() {
    gen_bin=${BRINDLE_GEN_BINARY_PAIR:-}
    if [ -z "$gen_bin" ] && [ -x "$repo/build/bench/brindle_gen_binary_pair" ]; then
        gen_bin=$repo/build/bench/brindle_gen_binary_pair
    fi
    if [ -z "$gen_bin" ]; then
        echo "run_bench.sh: building brindle_gen_binary_pair in build-bench (Release)" >&2
        (cd "$repo" &&
            cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBRINDLE_BUILD_TESTS=OFF -G Ninja >/dev/null &&
            ninja -C build-bench brindle_gen_binary_pair >/dev/null) || die "build failed"
        gen_bin=$repo/build-bench/bench/brindle_gen_binary_pair
    fi
    [ -x "$gen_bin" ] || die "binary generator not found or not executable: $gen_bin"
}

# shellcheck disable=SC2016  # $1 and $2 are the inner shell's arguments
cmp_listing=(bash -o pipefail -c 'cmp -l "$1" "$2" | cat' cmp-listing)

# bench_binary_pair LABEL: memory runs, then alternating timed runs of brdcmp and cmp -l on
# $bdir/a.bin and $bdir/b.bin.
bench_binary_pair() {
    local label=$1 r a=$bdir/a.bin b=$bdir/b.bin
    : >"$tmp/brdcmp.bin.$label"
    : >"$tmp/cmp.bin.$label"
    memory_run "$tmp/brdcmp.bin.$label.kib" "$brdcmp" "$a" "$b"
    memory_run "$tmp/cmp.bin.$label.kib" "${cmp_listing[@]}" "$a" "$b"
    for ((r = 1; r <= runs; r++)); do
        if ((r % 2)); then
            time_run "$tmp/brdcmp.bin.$label" "$brdcmp" "$a" "$b"
            time_run "$tmp/cmp.bin.$label" "${cmp_listing[@]}" "$a" "$b"
        else
            time_run "$tmp/cmp.bin.$label" "${cmp_listing[@]}" "$a" "$b"
            time_run "$tmp/brdcmp.bin.$label" "$brdcmp" "$a" "$b"
        fi
    done
}

# binary_table_row LABEL BYTES: one line of the binary table.
binary_table_row() {
    awk -v label="$1" -v bytes="$2" \
        -v bs="$(median_seconds "$tmp/brdcmp.bin.$1")" -v cs="$(median_seconds "$tmp/cmp.bin.$1")" \
        -v bk="$(cat "$tmp/brdcmp.bin.$1.kib")" -v ck="$(cat "$tmp/cmp.bin.$1.kib")" 'BEGIN {
        ratio = cs > 0 ? sprintf("%.2f", bs / cs) : "-"
        bm = bk == "-" ? "-" : sprintf("%.1f", bk / 1024)
        cm = ck == "-" ? "-" : sprintf("%.1f", ck / 1024)
        per = bk == "-" ? "-" : sprintf("%.2f", bk * 1024 / bytes)
        printf "%-8s %12s %10.4f %10.4f %7s %11s %9s %11s\n", label, bytes, bs, cs, ratio, bm, cm, per
    }'
}

bench_binary() {
    local label shares bytes
    find_binary_generator
    command -v cmp >/dev/null || die "GNU cmp not found"
    bdir=$tmp/binpair
    echo
    echo "== binary pairs of $binary_bytes bytes, $binary_change% of bytes edited, peer: $(command -v cmp) -l" \
        "($(cmp --version | head -n 1))"
    printf "%-8s %12s %10s %10s %7s %11s %9s %11s\n" pair "bytes a+b" "brdcmp s" "cmp -l s" ratio \
        "brdcmp MiB" "cmp MiB" "peak/bytes"
    for label in changed mixed; do
        if [ "$label" = changed ]; then
            shares="--changed $binary_change --inserted 0"
        else
            shares=$(awk -v p="$binary_change" 'BEGIN { printf "--changed %g --inserted %g", p / 2, p / 2 }')
        fi
        # shellcheck disable=SC2086  # $shares is a list of options
        "$gen_bin" --bytes "$binary_bytes" $shares --seed "$seed" --out-dir "$bdir" 2>"$tmp/gen.log" ||
            { cat "$tmp/gen.log" >&2; die "binary generator failed"; }
        bytes=$(($(wc -c <"$bdir/a.bin") + $(wc -c <"$bdir/b.bin")))
        bench_binary_pair "$label"
        binary_table_row "$label" "$bytes"
        rm -rf "$bdir"
    done
}

if [ "${binary_bytes%[kKmMgG]}" -gt 0 ]; then
    bench_binary
fi
