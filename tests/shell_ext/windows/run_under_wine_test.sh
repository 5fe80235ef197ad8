#!/usr/bin/env bash
# The Wine runner reports a skip (77) whenever the Windows tests could not run at all, and passes a
# failure of the tests through, so that a machine without a working Wine never shows them as
# passed and a broken library never shows as skipped.
# Usage: run_under_wine_test.sh RUNNER
set -uo pipefail
runner="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# A stand-in for wine: wineboot answers with WINEBOOT_STATUS, a program with PROGRAM_STATUS.
cat >"$work/fake-wine" <<'FAKE'
#!/usr/bin/env bash
if [ "$1" = wineboot ]; then exit "${WINEBOOT_STATUS:-0}"; fi
exit "${PROGRAM_STATUS:-0}"
FAKE
chmod +x "$work/fake-wine"
touch "$work/tests.exe"

# name|wine|program|wineboot status|program status|expected exit status
cases=(
    "program not built|$work/fake-wine|$work/missing.exe|0|0|77"
    "no wine|$work/no-such-wine|$work/tests.exe|0|0|77"
    "wine cannot start|$work/fake-wine|$work/tests.exe|1|0|77"
    "tests pass|$work/fake-wine|$work/tests.exe|0|0|0"
    "tests fail|$work/fake-wine|$work/tests.exe|0|1|1"
    "tests crash|$work/fake-wine|$work/tests.exe|0|139|139"
)
for entry in "${cases[@]}"; do
    IFS='|' read -r name wine program boot status expected <<<"$entry"
    BRINDLE_WINE="$wine" WINEBOOT_STATUS="$boot" PROGRAM_STATUS="$status" \
        "$runner" "$program" "$work/prefix" >"$work/out" 2>&1
    got=$?
    if [ "$got" -ne "$expected" ]; then
        echo "FAIL: $name: exit status $got, expected $expected"
        cat "$work/out"
        failures=$((failures + 1))
    fi
done

[ "$failures" -eq 0 ] && echo "all ${#cases[@]} cases pass"
[ "$failures" -eq 0 ]
