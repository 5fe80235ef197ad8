#!/usr/bin/env bash
# Runs a cross-compiled Windows test program under Wine, in a Wine prefix of the build's own.
# Exits with 77, which CTest reports as skipped (never as passed), when the program was not built
# or Wine is missing or cannot start; otherwise with the program's own exit code.
# Usage: run_under_wine.sh PROGRAM.exe PREFIX_FOLDER
# BRINDLE_WINE, when set, names the wine program to use instead of the first one found.
set -uo pipefail
program="$1"
prefix="$2"

skip() {
    echo "SKIPPED: $*"
    exit 77
}

[ -f "$program" ] || skip "$program was not built (the mingw-w64 cross compiler is missing)"

wine=""
for candidate in ${BRINDLE_WINE:-wine64 /usr/lib/wine/wine64 wine}; do
    if command -v "$candidate" >/dev/null 2>&1; then
        wine="$(command -v "$candidate")"
        break
    fi
done
[ -n "$wine" ] || skip "Wine is not installed"
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver="$(command -v wineserver || true)"

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and asking for them would wait for a download.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$prefix"

stop_wineserver() {
    if [ -n "$wineserver" ]; then
        "$wineserver" -k >/dev/null 2>&1 || true
    fi
}
trap stop_wineserver EXIT

# The first start creates the prefix, which takes a while; a Wine that cannot start is a skip.
if ! timeout 300 "$wine" wineboot --init >/dev/null 2>&1; then
    skip "Wine cannot start here (wineboot failed)"
fi

cd "$(dirname "$program")" || exit 1
timeout 600 "$wine" "$program"
