#!/usr/bin/env bash
# The desktop entry check passes Brindle's entry and rejects each kind of broken entry, so that a
# check that lets everything through cannot go unnoticed.
# Usage: desktop_entry_check_test.sh CHECKER DESKTOP_FILE
set -uo pipefail
checker="$1"
entry="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
passed=0

if out="$("$checker" "$entry" 2>&1)"; then
    passed=$((passed + 1))
else
    echo "FAIL: $entry is rejected:"
    echo "$out"
    failures=$((failures + 1))
fi

good='Type=Application
Name=Brindle
Exec=brd64 %F
Icon=brindle
Terminal=false
Categories=Development;Utility;'

# name|text appended after the header (or the whole file for the header cases); \n is a new line.
broken=(
    'no-header|Type=Application\nName=X\nExec=x'
    'wrong-first-group|[Other]\nA=b\n[Desktop Entry]\nType=Application\nName=X\nExec=x'
    'duplicate-key|[Desktop Entry]\nType=Application\nName=X\nName=Y\nExec=x'
    'bad-key-name|[Desktop Entry]\nType=Application\nName=X\nExec=x\nMy Key=1'
    'unknown-key|[Desktop Entry]\nType=Application\nName=X\nExec=x\nMimeTypes=text/plain;'
    'not-boolean|[Desktop Entry]\nType=Application\nName=X\nExec=x\nTerminal=no'
    'list-without-semicolon|[Desktop Entry]\nType=Application\nName=X\nExec=x\nCategories=Utility'
    'no-main-category|[Desktop Entry]\nType=Application\nName=X\nExec=x\nCategories=TextEditor;'
    'bad-field-code|[Desktop Entry]\nType=Application\nName=X\nExec=x %z'
    'two-file-codes|[Desktop Entry]\nType=Application\nName=X\nExec=x %f %F'
    'embedded-list-code|[Desktop Entry]\nType=Application\nName=X\nExec=x --files=%F'
    'missing-name|[Desktop Entry]\nType=Application\nExec=x'
    'missing-exec|[Desktop Entry]\nType=Application\nName=X'
    'unknown-type|[Desktop Entry]\nType=Program\nName=X\nExec=x'
    'icon-with-extension|[Desktop Entry]\nType=Application\nName=X\nExec=x\nIcon=brindle.png'
    'line-without-equals|[Desktop Entry]\nType=Application\nName=X\nExec=x\nTerminal'
    'duplicate-group|[Desktop Entry]\nType=Application\nName=X\nExec=x\n[Desktop Entry]\nHidden=true'
)
for case in "${broken[@]}"; do
    name="${case%%|*}"
    printf '%b\n' "${case#*|}" >"$work/$name.desktop"
    if "$checker" "$work/$name.desktop" >/dev/null 2>&1; then
        echo "FAIL: $name is accepted"
        failures=$((failures + 1))
    else
        passed=$((passed + 1))
    fi
done

printf '[Desktop Entry]\n%s\nName[de]=Br\xffindle\n' "$good" >"$work/bad-utf8.desktop"
if "$checker" "$work/bad-utf8.desktop" >/dev/null 2>&1; then
    echo "FAIL: bad-utf8 is accepted"
    failures=$((failures + 1))
else
    passed=$((passed + 1))
fi
printf '[Desktop Entry]\n%s\nName[de]=Brindle\nX-Brindle-Note=kept\n' "$good" >"$work/minimal.desktop"
if "$checker" "$work/minimal.desktop" >/dev/null 2>&1; then
    passed=$((passed + 1))
else
    echo "FAIL: a minimal valid entry is rejected"
    failures=$((failures + 1))
fi

echo "checked $((passed + failures)) entries, $failures failures"
[ "$failures" -eq 0 ]
