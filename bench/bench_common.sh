# Shared by the benchmark scripts (sourced): timing runs and reading their results. The script
# sets $tmp (its scratch folder, holding "err") before calling these.

# check_status RC CMD...: exit codes 0 (same) and 1 (different) are both normal for the compared
# programs; anything else stops the run with the program's error output.
check_status() {
    local rc=$1
    shift
    if [ "$rc" -gt 1 ]; then
        echo "$(basename "$0"): '$*' exited with $rc" >&2
        head -n 20 "$tmp/err" >&2
        exit 1
    fi
}

# time_run RESULTS CMD...: appends the wall seconds of one run of CMD to RESULTS. Runs without
# the GNU time wrapper, whose few milliseconds would blur the ratio at small sizes. CMD's output
# goes to the file $time_run_out when that is set.
time_run() {
    local results=$1 rc=0 t0 t1
    shift
    t0=${EPOCHREALTIME:-$(date +%s.%N)}
    "$@" >"${time_run_out:-/dev/null}" 2>"$tmp/err" || rc=$?
    t1=${EPOCHREALTIME:-$(date +%s.%N)}
    check_status "$rc" "$@"
    awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f\n", b - a }' >>"$results"
}

# median_seconds FILE: the median of the seconds listed in FILE, one a line.
median_seconds() {
    sort -g "$1" | awk '{ v[NR] = $1 }
        END { printf "%.4f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The GNU time that measures peak memory; empty (and said once) when it is missing.
time_bin=/usr/bin/time
if [ ! -x "$time_bin" ]; then
    echo "$(basename "$0"): $time_bin is missing (package 'time', see scripts/setup.sh); no memory figures" >&2
    time_bin=
fi

# memory_run RESULT CMD...: writes the peak resident KiB of one run of CMD to RESULT ("-" when
# GNU time is missing). Peak memory hardly varies between runs, so one run tells.
memory_run() {
    local result=$1 rc=0
    shift
    if [ -z "$time_bin" ]; then
        "$@" >/dev/null 2>"$tmp/err" || rc=$?
        check_status "$rc" "$@"
        echo - >"$result"
        return
    fi
    "$time_bin" -f %M -o "$tmp/mem" "$@" >/dev/null 2>"$tmp/err" || rc=$?
    check_status "$rc" "$@"
    # GNU time writes a "Command exited with non-zero status" line before the figure.
    tail -n 1 "$tmp/mem" >"$result"
}
