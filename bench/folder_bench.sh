#!/usr/bin/env bash
# Times `brdcmp -r A B` against `diff -rq A B` on two folder trees, with warm and cold file cache,
# reports brdcmp's peak memory, and checks that both find the same differences; see README.md.
set -euo pipefail
export LC_ALL=C  # EPOCHREALTIME and awk must use a decimal point

usage() {
    cat <<'EOF'
usage: bench/folder_bench.sh [options] [A B]
Compares folders A and B, or two trees written by bench/gen_trees.py when none are given.
  --files N       files of the generated trees (default 10000, or $FOLDER_BENCH_FILES)
  --folders N     folders of the generated trees (default 400, or $FOLDER_BENCH_FOLDERS)
  --total-mb N    MB of each generated tree (default 200, or $FOLDER_BENCH_MB)
  --full          the size the targets are set for: 50000 files, 2000 folders, 1000 MB
  --seed S        generator seed (default 1)
  --runs N        warm-cache runs of each program; the median counts (default 5)
  --cold-runs N   cold-cache runs of each program, 0 for none (default 3)
  --brdcmp PATH   brdcmp to time (default $BRDCMP, else build/tools/brdcmp/brdcmp)
  --keep DIR      generate the trees into DIR and keep them (DIR must not hold A or B yet)
Environment: BRDCMP, FOLDER_BENCH_FILES, FOLDER_BENCH_FOLDERS, FOLDER_BENCH_MB, TMPDIR.
EOF
}

die() {
    echo "folder_bench.sh: $*" >&2
    exit 1
}

files=${FOLDER_BENCH_FILES:-10000}
folders=${FOLDER_BENCH_FOLDERS:-400}
total_mb=${FOLDER_BENCH_MB:-200}
seed=1
runs=5
cold_runs=3
brdcmp=${BRDCMP:-}
keep=
trees=()
while [ $# -gt 0 ]; do
    case $1 in
        --files | --folders | --total-mb | --seed | --runs | --cold-runs | --brdcmp | --keep)
            [ $# -ge 2 ] || die "$1 needs a value"
            case $1 in
                --files) files=$2 ;;
                --folders) folders=$2 ;;
                --total-mb) total_mb=$2 ;;
                --seed) seed=$2 ;;
                --runs) runs=$2 ;;
                --cold-runs) cold_runs=$2 ;;
                --brdcmp) brdcmp=$2 ;;
                --keep) keep=$2 ;;
            esac
            shift 2
            ;;
        --full) files=50000; folders=2000; total_mb=1000; shift ;;
        -h | --help) usage; exit 0 ;;
        -*) usage >&2; die "unknown option: $1" ;;
        *) trees+=("$1"); shift ;;
    esac
done

for n in "$files" "$folders" "$seed" "$runs" "$cold_runs"; do
    [[ $n =~ ^[0-9]+$ ]] || die "not a whole number: $n"
done
[[ $total_mb =~ ^[0-9]*\.?[0-9]+$ ]] || die "--total-mb is not a number: $total_mb"
[ "$runs" -ge 1 ] || die "--runs must be at least 1"
[ ${#trees[@]} -eq 0 ] || [ ${#trees[@]} -eq 2 ] || die "give two folders or none"

repo=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "$brdcmp" ]; then
    brdcmp=$repo/build/tools/brdcmp/brdcmp
    # A Debug build compares nothing useful against an optimised diff.
    type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$repo/build/CMakeCache.txt" 2>/dev/null || true)
    if [ "$type" != Release ]; then
        echo "folder_bench.sh: warning: build is a '${type:-unknown}' build; the targets are for Release" >&2
    fi
fi
[ -x "$brdcmp" ] || die "brdcmp not found or not executable: $brdcmp (give --brdcmp or \$BRDCMP)"
command -v diff >/dev/null || die "GNU diff not found"
command -v python3 >/dev/null || die "python3 not found (package 'python3', see scripts/setup.sh)"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/brindle-folder-bench.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
# shellcheck source=bench_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/bench_common.sh"
# brdcmp takes its default options from the user's saved settings; a fresh settings folder keeps
# a saved "ignore whitespace" or "ignore case" out of the comparison.
export XDG_CONFIG_HOME=$tmp/config

expected=
if [ ${#trees[@]} -eq 2 ]; then
    a=${trees[0]%/}
    b=${trees[1]%/}
    for d in "$a" "$b"; do
        [ -d "$d" ] || die "not a folder: $d"
    done
    # Trees kept from an earlier run come with the generator's list of differences.
    parent=$(dirname "$a")
    if [ "$(dirname "$b")" = "$parent" ] && [ "${a##*/}" = A ] && [ "${b##*/}" = B ] &&
        [ -f "$parent/expected.txt" ]; then
        expected=$parent/expected.txt
    fi
else
    out=${keep:-$tmp/trees}
    python3 "$repo/bench/gen_trees.py" --files "$files" --folders "$folders" --total-mb "$total_mb" \
        --seed "$seed" "$out" || die "generator failed"
    a=$out/A
    b=$out/B
    expected=$out/expected.txt
    [ -z "$keep" ] || echo "trees kept in $keep"
fi

# Peak resident KiB of one run: GNU time when there, else the rusage of a Python parent.
time_bin=/usr/bin/time
[ -x "$time_bin" ] || time_bin=
rusage_wrapper=(python3 -c '
import resource, subprocess, sys
with open(sys.argv[1], "w") as report:
    rc = subprocess.call(sys.argv[2:])
    report.write("%d\n" % resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)
sys.exit(rc)' )

# memory_run NAME CMD...: one untimed run, which also warms the cache; the output goes to
# $tmp/NAME.out, the exit code to $tmp/NAME.rc and the peak resident KiB to $tmp/NAME.kib.
memory_run() {
    local name=$1 rc=0
    shift
    if [ -n "$time_bin" ]; then
        "$time_bin" -f %M -o "$tmp/mem" "$@" >"$tmp/$name.out" 2>"$tmp/err" || rc=$?
    else
        "${rusage_wrapper[@]}" "$tmp/mem" "$@" >"$tmp/$name.out" 2>"$tmp/err" || rc=$?
    fi
    check_status "$rc" "$@"
    echo "$rc" >"$tmp/$name.rc"
    # GNU time writes a "Command exited with non-zero status" line before the figure.
    tail -n 1 "$tmp/mem" >"$tmp/$name.kib"
}

drop_caches() {
    sync
    echo 3 >/proc/sys/vm/drop_caches
}

# alternate LABEL COUNT BEFORE: COUNT runs of each program in turns, changing who goes first,
# which spreads drifts in machine load over both; BEFORE runs before every run.
alternate() {
    local label=$1 count=$2 before=$3 r
    : >"$tmp/brdcmp.$label"
    : >"$tmp/diff.$label"
    for ((r = 1; r <= count; r++)); do
        if ((r % 2)); then
            $before; time_run "$tmp/brdcmp.$label" "$brdcmp" -r "$a" "$b"
            $before; time_run "$tmp/diff.$label" diff -rq "$a" "$b"
        else
            $before; time_run "$tmp/diff.$label" diff -rq "$a" "$b"
            $before; time_run "$tmp/brdcmp.$label" "$brdcmp" -r "$a" "$b"
        fi
    done
}

row() {
    awk -v label="$1" -v bs="$(median_seconds "$tmp/brdcmp.$1")" -v ds="$(median_seconds "$tmp/diff.$1")" \
        -v n="$2" 'BEGIN {
        ratio = ds > 0 ? sprintf("%.2f", bs / ds) : "-"
        printf "%-6s %10.4f %10.4f %7s %6d\n", label, bs, ds, ratio, n
    }'
}

tree_stats() {
    find "$1" -mindepth 1 -printf '%y %s\n' |
        awk '$1 == "f" { f++; s += $2 } $1 == "d" { d++ } END { printf "%d files, %d folders, %.1f MB", f, d, s / 1e6 }'
}

echo "brdcmp: $brdcmp"
echo "peer:   $(command -v diff) ($(diff --version | head -n 1))"
echo "commit $(git -C "$repo" rev-parse --short HEAD 2>/dev/null || echo unknown), $(nproc 2>/dev/null || echo '?') cpus"
echo "A: $a ($(tree_stats "$a"))"
echo "B: $b ($(tree_stats "$b"))"

# The first run of each warms the cache, gives the peak memory and the output to check.
memory_run brdcmp "$brdcmp" -r "$a" "$b"
memory_run diff diff -rq "$a" "$b"

# Both outputs as sets of (kind, path); brdcmp leaves some names out by default, so diff's
# entries below those names do not count. Generated trees also have the list the generator made.
python3 - "$a" "$b" "$tmp/brdcmp.out" "$(cat "$tmp/brdcmp.rc")" "$tmp/diff.out" "$expected" <<'EOF' || exit 1
import fnmatch, os, sys

root_a, root_b, brdcmp_out, brdcmp_rc, diff_out, expected = sys.argv[1:]
EXCLUDED = (".git", ".svn", ".hg", "*.o", "*.obj", "__pycache__")
KINDS = ("diff", "only1", "only2", "type")
problems = []

def lines(path):
    with open(path, "rb") as f:
        return f.read().decode("utf-8", "surrogateescape").splitlines()

def both_folders(rel):
    return all(os.path.isdir(p) and not os.path.islink(p) for p in (os.path.join(root_a, rel), os.path.join(root_b, rel)))

# brdcmp prints every entry; diff -rq names a one-sided folder once, without what it holds, and
# says nothing of folders both sides hold.
def parse_brdcmp(path):
    listed = []
    for line in lines(path):
        kind, _, rel = line.partition(" ")
        if kind == "same" and rel:
            continue
        if kind in KINDS and rel:
            listed.append((kind, rel))
        else:
            problems.append(f"brdcmp line not understood: {line!r}")
    one_sided = {rel for kind, rel in listed if kind != "diff"}
    found = set()
    for kind, rel in listed:
        parents = ["/".join(rel.split("/")[:n]) for n in range(1, rel.count("/") + 1)]
        if any(p in one_sided for p in parents) or (kind == "diff" and both_folders(rel)):
            continue
        found.add((kind, rel))
    return found

def parse_diff(path):
    found = set()
    for line in lines(path):
        entry = None
        if line.startswith("Files ") and line.endswith(" differ"):
            # "Files A/p and B/p differ": both paths are the same, so the length tells.
            middle = line[len("Files "):-len(" differ")]
            n = (len(middle) - len(root_a) - len(root_b) - len("/ and /")) // 2
            rel = middle[len(root_a) + 1:len(root_a) + 1 + n]
            if middle == f"{root_a}/{rel} and {root_b}/{rel}":
                entry = ("diff", rel)
        elif line.startswith("Only in "):
            rest = line[len("Only in "):]
            for root, kind in ((root_a, "only1"), (root_b, "only2")):
                if rest.startswith(root + ": "):
                    entry = (kind, rest[len(root) + 2:])
                elif rest.startswith(root + "/") and ": " in rest[len(root):]:
                    folder, _, name = rest[len(root) + 1:].partition(": ")
                    entry = (kind, f"{folder}/{name}")
                if entry:
                    break
        elif line.startswith(f"File {root_a}/") and f" while file {root_b}/" in line:
            rel = line[len(f"File {root_a}/"):].partition(" is a ")[0]
            if f" while file {root_b}/{rel} is a " in line:
                entry = ("type", rel)
        if entry is None:
            problems.append(f"diff line not understood: {line!r}")
        elif not any(fnmatch.fnmatchcase(part, p) for part in entry[1].split("/") for p in EXCLUDED):
            found.add(entry)
    return found

def report(title, left_name, left, right_name, right):
    missing = sorted(right - left, key=lambda e: e[1])
    extra = sorted(left - right, key=lambda e: e[1])
    if not missing and not extra:
        return True
    print(f"results: {title}: {len(extra)} only from {left_name}, {len(missing)} only from {right_name}")
    shown = [(left_name, e) for e in extra] + [(right_name, e) for e in missing]
    for who, (kind, rel) in shown[:10]:
        print(f"  only {who}: {kind} {rel}")
    return False

got = parse_brdcmp(brdcmp_out)
peer = parse_diff(diff_out)
ok = report("brdcmp and diff disagree", "brdcmp", got, "diff", peer)
if (brdcmp_rc == "1") != bool(got):
    print(f"results: brdcmp exited with {brdcmp_rc} after listing {len(got)} differences")
    ok = False
if expected:
    made = set()
    for line in lines(expected):
        kind, _, rel = line.partition(" ")
        made.add((kind, rel))
    ok = report("diff and the generator's list disagree", "diff", peer, "the list", made) and ok
for problem in problems[:10]:
    print(problem)
if problems:
    ok = False
if not ok:
    sys.exit(1)
counts = {k: sum(1 for kind, _ in got if kind == k) for k in KINDS}
print(f"results: brdcmp and diff agree on {len(got)} differences "
      f"({', '.join(f'{counts[k]} {k}' for k in KINDS if counts[k] or k != 'type')})"
      + (", as generated" if expected else ""))
EOF

alternate warm "$runs" :
cold_note=
if [ "$cold_runs" -gt 0 ]; then
    if (drop_caches) 2>/dev/null; then
        alternate cold "$cold_runs" drop_caches
    else
        cold_note="cold cache: skipped (cannot drop caches)"
    fi
fi

echo
printf "%-6s %10s %10s %7s %6s\n" cache "brdcmp s" "diff s" ratio runs
row warm "$runs"
if [ -n "$cold_note" ]; then
    echo "$cold_note"
elif [ "$cold_runs" -gt 0 ]; then
    row cold "$cold_runs"
fi
memory_note=
if [ -z "$time_bin" ]; then
    # A child's peak counts the memory it shared with its parent before exec, here the
    # Python wrapper's: `true` run the same way shows how much that is.
    memory_run floor true
    memory_note=$(awk -v k="$(cat "$tmp/floor.kib")" \
        'BEGIN { printf " (Python rusage, no GNU time; %.1f MiB of it is the wrapper)", k / 1024 }')
fi
awk -v bk="$(cat "$tmp/brdcmp.kib")" -v dk="$(cat "$tmp/diff.kib")" -v note="$memory_note" \
    'BEGIN { printf "peak memory: brdcmp %.1f MiB, diff %.1f MiB%s\n", bk / 1024, dk / 1024, note }'
awk -v bs="$(median_seconds "$tmp/brdcmp.warm")" -v ds="$(median_seconds "$tmp/diff.warm")" \
    -v bk="$(cat "$tmp/brdcmp.kib")" 'BEGIN {
    t = bs <= ds / 2 ? "met" : "missed"
    m = bk < 200 * 1024 ? "met" : "missed"
    printf "targets: warm at most half of diff %s; peak under 200 MiB %s\n", t, m
}'
# The window: brd64 opens both trees offscreen and says when its list is filled.
brd64=$(dirname "$brdcmp")/../../src/app/brd64
if [ -x "$brd64" ]; then
    for _ in $(seq "$runs"); do
        QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$tmp/config" "$brd64" --benchmark-open "$a" "$b" 2>/dev/null |
            sed -n 's/^opened in \([0-9.]*\) s$/\1/p' >>"$tmp/window.warm"
    done
    awk -v ws="$(median_seconds "$tmp/window.warm")" -v ds="$(median_seconds "$tmp/diff.warm")" 'BEGIN {
        printf "window: brd64 opened both trees in %.4f s, %.2f times diff -rq (target at most 2: %s)\n",
               ws, ws / ds, ws <= 2 * ds ? "met" : "missed"
    }'
else
    echo "window: skipped ($brd64 not built)"
fi
if [ ${#trees[@]} -eq 0 ] && [ "$files $folders $total_mb" != "50000 2000 1000" ]; then
    echo "(the targets are set for the full size, --full: 50000 files, 2000 folders, 1000 MB)"
fi
