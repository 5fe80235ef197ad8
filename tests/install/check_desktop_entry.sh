#!/usr/bin/env bash
# Checks a freedesktop desktop entry file against the rules that a desktop relies on (groups,
# key names, value types, Exec field codes, categories), and runs desktop-file-validate as well
# when it is installed. Prints each problem; exit status 1 when there is one.
# Usage: check_desktop_entry.sh FILE
set -euo pipefail
file="$1"

if ! iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1; then
    echo "$file: not valid UTF-8"
    exit 1
fi

status=0
awk -v file="$file" '
function problem(text) { printf "%s:%d: %s\n", file, NR, text; bad = 1 }
BEGIN {
    split("Type Version Name GenericName NoDisplay Comment Icon Hidden OnlyShowIn NotShowIn " \
          "DBusActivatable TryExec Exec Path Terminal Actions MimeType Categories Implements " \
          "Keywords StartupNotify StartupWMClass URL PrefersNonDefaultGPU SingleMainWindow", k, " ")
    for (i in k) known[k[i]] = 1
    split("NoDisplay Hidden DBusActivatable Terminal StartupNotify PrefersNonDefaultGPU SingleMainWindow", k, " ")
    for (i in k) boolean[k[i]] = 1
    split("OnlyShowIn NotShowIn Actions MimeType Categories Implements Keywords", k, " ")
    for (i in k) list[k[i]] = 1
    split("AudioVideo Audio Video Development Education Game Graphics Network Office Science " \
          "Settings System Utility", k, " ")
    for (i in k) mainCategory[k[i]] = 1
}
/^[ \t]*$/ || /^#/ { next }
/^\[/ {
    if ($0 !~ /^\[[^][[:cntrl:]]+\]$/) { problem("malformed group header"); next }
    group = substr($0, 2, length($0) - 2)
    if (group in groups) problem("group [" group "] appears twice")
    groups[group] = 1
    if (++groupCount == 1 && group != "Desktop Entry") problem("the first group must be [Desktop Entry]")
    next
}
{
    if (group == "") { problem("key outside any group"); next }
    eq = index($0, "=")
    if (eq == 0) { problem("neither a group, a key nor a comment"); next }
    key = substr($0, 1, eq - 1); value = substr($0, eq + 1)
    sub(/[ \t]+$/, "", key); sub(/^[ \t]+/, "", value)
    if (key !~ /^[A-Za-z0-9-]+(\[[A-Za-z_@.]+\])?$/) { problem("invalid key name \"" key "\""); next }
    if ((group SUBSEP key) in seen) problem("key " key " appears twice in [" group "]")
    seen[group, key] = 1
    if (group != "Desktop Entry") next
    base = key; sub(/\[.*/, "", base)
    entry[base] = value
    if (!(base in known) && base !~ /^X-/) problem("unknown key " base)
    if ((base in boolean) && value != "true" && value != "false") problem(base " must be true or false")
    if ((base in list) && value !~ /;$/) problem("the list " base " must end with a semicolon")
    if (base == "Exec") checkExec(value)
    if (base == "Icon" && value !~ /^\// && value ~ /\.(png|svg|xpm)$/) problem("an icon name has no file extension")
}
function checkExec(value,    rest, code, fileCodes, i, n, words) {
    rest = value
    fileCodes = 0
    while ((i = index(rest, "%")) > 0) {
        code = substr(rest, i + 1, 1)
        if (code !~ /^[fFuUick%]$/) problem("invalid field code %" code " in Exec")
        if (code ~ /^[fFuU]$/) fileCodes++
        rest = substr(rest, i + 2)
    }
    if (fileCodes > 1) problem("Exec may hold only one of %f, %F, %u, %U")
    n = split(value, words, /[ \t]+/)
    for (i = 1; i <= n; i++)
        if (words[i] ~ /%[FU]/ && words[i] !~ /^%[FU]$/) problem("%F and %U must stand alone in Exec")
}
END {
    if (groupCount == 0) { printf "%s: no [Desktop Entry] group\n", file; exit 1 }
    if (!("Type" in entry)) problem("Type is missing")
    else if (entry["Type"] !~ /^(Application|Link|Directory)$/) problem("unknown Type " entry["Type"])
    if (!("Name" in entry)) problem("Name is missing")
    if (entry["Type"] == "Application" && !("Exec" in entry) && entry["DBusActivatable"] != "true")
        problem("an application needs Exec")
    if ("Version" in entry && entry["Version"] !~ /^1\.[0-5]$/) problem("unknown Version " entry["Version"])
    if ("Categories" in entry) {
        n = split(entry["Categories"], cats, ";"); found = 0
        for (i = 1; i <= n; i++) if (cats[i] in mainCategory) found = 1
        if (!found) problem("Categories holds no main category")
    }
    exit bad
}
' "$file" || status=1

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$file" || status=1
fi
exit "$status"
