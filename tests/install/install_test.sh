#!/usr/bin/env bash
# Installs the build into a temporary prefix with `cmake --install` and checks what a desktop
# needs: the programs in bin (and the language module beside brd64 when one is built), the desktop
# entry that names them, the icon in every hicolor size at its true size, and the manual pages.
# The installed programs are run once, so that an install that leaves them unable to start fails.
# Usage: install_test.sh BUILD_DIR VERSION LANGUAGE_MODULE(ON|OFF) DESKTOP_CHECKER EXAMPLES_DIR
set -uo pipefail
build="$1"
version="$2"
language_module="$3"
checker="$4"
examples="$5"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    rm -f "$prefix.log"
    fail "cmake --install failed"
    exit 1
fi
rm -f "$prefix.log"

for program in brd64 brdcmp; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
done
if [ "$language_module" = ON ]; then
    [ -f "$prefix/bin/BRDLANG.rcc" ] || fail "the language module is not beside brd64"
elif [ -e "$prefix/bin/BRDLANG.rcc" ]; then
    fail "a language module is installed although none is built"
fi

desktop="$prefix/share/applications/org.brindle.Brindle.desktop"
if [ -f "$desktop" ]; then
    "$checker" "$desktop" || fail "the installed desktop entry is not valid"
    exec_program="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
    [ -x "$prefix/bin/$exec_program" ] || fail "Exec names $exec_program, which is not installed in bin"
    icon="$(sed -n 's/^Icon=//p' "$desktop")"
    [ -n "$icon" ] || fail "the desktop entry names no icon"
    grep -q '^MimeType=' "$desktop" && fail "the desktop entry restricts the file types"
else
    fail "share/applications/org.brindle.Brindle.desktop is missing"
    icon=brindle
fi

hicolor="$prefix/share/icons/hicolor"
[ -f "$hicolor/scalable/apps/$icon.svg" ] || fail "the scalable icon $icon.svg is missing"
for size in 16 32 48 64 128 256; do
    png="$hicolor/${size}x${size}/apps/$icon.png"
    if [ ! -f "$png" ]; then
        fail "${size}x${size}/apps/$icon.png is missing"
        continue
    fi
    # The PNG signature, then the IHDR chunk with width and height as 32-bit big-endian numbers.
    signature="$(od -An -tx1 -N8 "$png" | tr -d ' \n')"
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
    height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
    [ "$signature" = 89504e470d0a1a0a ] || fail "$png is not a PNG file"
    [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] ||
        fail "$png is ${width}x${height}, not ${size}x${size}"
done

for page in brd64 brdcmp; do
    man="$prefix/share/man/man1/$page.1"
    if [ ! -f "$man" ]; then
        fail "share/man/man1/$page.1 is missing"
        continue
    fi
    grep -q "^\.TH ${page^^} 1 .*Brindle $version" "$man" || fail "$page.1 has no title line with version $version"
    if command -v groff >/dev/null; then
        warnings="$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$man" 2>&1)"
        [ -z "$warnings" ] || fail "groff warns about $page.1: $warnings"
    fi
done

# The installed programs start on their own.
if [ -x "$prefix/bin/brdcmp" ]; then
    out="$(XDG_CONFIG_HOME="$prefix/config" "$prefix/bin/brdcmp" "$examples/before.cpp" "$examples/after.cpp")"
    status=$?
    [ "$status" -eq 1 ] || fail "installed brdcmp exited with $status on the example pair, not 1 (differences)"
    grep -q '^diff ' <<<"$out" || fail "installed brdcmp printed no difference: $out"
fi
if [ -x "$prefix/bin/brd64" ]; then
    out="$(QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$prefix/config" "$prefix/bin/brd64" --version 2>&1)"
    grep -q "$version" <<<"$out" || fail "installed brd64 --version printed: $out"
fi

[ "$failures" -eq 0 ] && echo "install into $prefix: all checks hold"
[ "$failures" -eq 0 ]
