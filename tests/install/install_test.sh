#!/usr/bin/env bash
# Installs the build into a temporary prefix with `cmake --install` and checks what a desktop
# needs: the programs in bin (and the language module beside brd64 when one is built), the desktop
# entry that names them, the icon in every hicolor size at its true size, the manual pages, the
# user manual, and the "Compare Files..." command for Dolphin, Nemo and Thunar, and the Nautilus
# module when one is built.
# The installed programs are run once, so that an install that leaves them unable to start fails.
# Usage: install_test.sh BUILD_DIR VERSION LANGUAGE_MODULE(ON|OFF) DESKTOP_CHECKER EXAMPLES_DIR
#        [NAUTILUS_MODULE(ON|OFF)]
set -uo pipefail
build="$1"
version="$2"
language_module="$3"
checker="$4"
examples="$5"
nautilus_module="${6:-OFF}"
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

# The user manual: the contents page and every page it links to.
manual="$prefix/share/doc/brindle"
if [ -f "$manual/index.html" ]; then
    for page in $(grep -o 'href="[a-z0-9-]*\.html' "$manual/index.html" | sed 's/^href="//' | sort -u); do
        [ -f "$manual/$page" ] || fail "the manual's contents link to $page, which is not installed"
    done
else
    fail "share/doc/brindle/index.html is missing"
fi

# "Compare Files..." in the file managers: one or two files or exactly two folders, never a folder
# beside a file, each name passed as one argument of brd64 by the file manager's own list field
# code (no quotes round it, no shell).
# ini_lines FILE: "group<TAB>key<TAB>value" for each key, or "!problem" for a line that is
# neither a comment, a group nor a key, a repeated group or a key repeated within its group.
ini_lines() {
    awk '/^[ \t]*$/ || /^#/ { next }
         /^\[[^][]+\]$/ { group = substr($0, 2, length($0) - 2)
                          if (group in groups) print "!group [" group "] appears twice"
                          groups[group] = 1; next }
         /^[A-Za-z0-9-]+(\[[A-Za-z_@.]+\])?=/ {
             eq = index($0, "="); key = substr($0, 1, eq - 1)
             if (group == "") print "!key " key " outside any group"
             if ((group SUBSEP key) in seen) print "!key " key " appears twice in [" group "]"
             seen[group, key] = 1; print group "\t" key "\t" substr($0, eq + 1); next }
         { print "!line " NR " is neither a group nor a key" }' "$1"
}
ini_value() { awk -F '\t' -v g="$2" -v k="$3" '$1 == g && $2 == k { print $3 }' <<<"$1"; }
ini_problems() {
    local problems
    problems="$(sed -n 's/^!//p' <<<"$2")"
    [ -z "$problems" ] || fail "$1: ${problems//$'\n'/; }"
}
# check_command WHERE COMMAND: an installed program followed by %F alone.
check_command() {
    local program rest
    read -r program rest <<<"$2"
    [ -x "$prefix/bin/$program" ] || fail "$1 starts $program, which is not installed in bin"
    [ "$rest" = "%F" ] || fail "$1 passes \"$rest\", not the file list %F alone"
}
fm_name='Compare Files...'

# check_servicemenu FILE WHAT MIN MAX: a Dolphin service menu with one action, shown for MIN to MAX
# selected items; leaves its keys in servicemenu_keys for the checks of its MIME types.
check_servicemenu() {
    local file="$prefix/share/kio/servicemenus/$1" what="$2" actions action
    servicemenu_keys=""
    if [ ! -f "$file" ]; then
        fail "share/kio/servicemenus/$1 is missing"
        return 1
    fi
    # Dolphin runs a service menu from a user's own data folder only when it is executable.
    [ -x "$file" ] || fail "$what is not executable"
    servicemenu_keys="$(ini_lines "$file")"
    ini_problems "$what" "$servicemenu_keys"
    [ "$(ini_value "$servicemenu_keys" "Desktop Entry" Type)" = Service ] || fail "$what is not Type=Service"
    [[ ";$(ini_value "$servicemenu_keys" "Desktop Entry" X-KDE-ServiceTypes);" == *";KonqPopupMenu/Plugin;"* ]] ||
        fail "$what is not a KonqPopupMenu/Plugin"
    [ "$(ini_value "$servicemenu_keys" "Desktop Entry" X-KDE-MinNumberOfUrls)" = "$3" ] &&
        [ "$(ini_value "$servicemenu_keys" "Desktop Entry" X-KDE-MaxNumberOfUrls)" = "$4" ] ||
        fail "$what is not limited to $3 to $4 items"
    actions="$(ini_value "$servicemenu_keys" "Desktop Entry" Actions)"
    [[ "$actions" =~ ^[A-Za-z0-9-]+\;$ ]] || fail "$what does not list one action: Actions=$actions"
    action="Desktop Action ${actions%;}"
    [ "$(ini_value "$servicemenu_keys" "$action" Name)" = "$fm_name" ] || fail "$what: [$action] is not named $fm_name"
    check_command "$what" "$(ini_value "$servicemenu_keys" "$action" Exec)"
}

if check_servicemenu brindle-compare.desktop "the Dolphin service menu" 1 2; then
    mime="$(ini_value "$servicemenu_keys" "Desktop Entry" MimeType)"
    [[ "$mime" =~ (^|;)(application/octet-stream|all/allfiles)(;|$) ]] ||
        fail "the Dolphin service menu does not cover every file: MimeType=$mime"
    [[ "$mime" =~ (^|;)(inode/directory|all/all)(;|$) ]] && fail "the Dolphin service menu offers folders: $mime"
fi
# KIO shows a service menu only when every selected item has one of its types: folders alone.
if check_servicemenu brindle-compare-folders.desktop "the Dolphin folder service menu" 2 2; then
    mime="$(ini_value "$servicemenu_keys" "Desktop Entry" MimeType)"
    [ "$mime" = "inode/directory;" ] || fail "the Dolphin folder service menu is not for folders alone: MimeType=$mime"
    [ "$(ini_value "$servicemenu_keys" "Desktop Entry" X-KDE-Protocols)" = file ] ||
        fail "the Dolphin folder service menu is not limited to local folders"
fi

# Nemo shows an action when every selected item matches its Extensions or its Mimetypes.
# Columns: action, Selection, Extensions, Mimetypes ("-" for none).
while read -r nemo selection extensions mimetypes; do
    file="$prefix/share/nemo/actions/$nemo.nemo_action"
    if [ ! -f "$file" ]; then
        fail "share/nemo/actions/$nemo.nemo_action is missing"
        continue
    fi
    keys="$(ini_lines "$file")"
    ini_problems "$nemo" "$keys"
    [ "$(ini_value "$keys" "Nemo Action" Active)" != false ] || fail "$nemo is not active"
    [ "$(ini_value "$keys" "Nemo Action" Name)" = "$fm_name" ] || fail "$nemo is not named $fm_name"
    check_command "$nemo" "$(ini_value "$keys" "Nemo Action" Exec)"
    # With a Quote key Nemo wraps each name in that quote, and a name holding it falls apart.
    [ -z "$(ini_value "$keys" "Nemo Action" Quote)" ] || fail "$nemo has a Quote key"
    [ "$(ini_value "$keys" "Nemo Action" Selection)" = "$selection" ] || fail "$nemo is not for Selection=$selection"
    for key in Extensions Mimetypes; do
        [ "$key" = Extensions ] && want="$extensions" || want="$mimetypes"
        [ "$want" = - ] && want=""
        got="$(ini_value "$keys" "Nemo Action" "$key")"
        [ "$got" = "$want" ] || fail "$nemo has $key=$got, not \"$want\""
    done
done <<'NEMO'
brindle-compare-one s nodirs; -
brindle-compare-two 2 nodirs; -
brindle-compare-folders 2 - inode/directory;
NEMO

thunar="$prefix/share/brindle/thunar-uca.xml"
if [ ! -f "$thunar" ]; then
    fail "share/brindle/thunar-uca.xml is missing"
elif command -v python3 >/dev/null; then
    while IFS= read -r problem; do
        [ -z "$problem" ] || fail "thunar-uca.xml: $problem"
    done < <(python3 - "$thunar" "$prefix/bin" "$fm_name" <<'PYTHON'
import os, sys, xml.etree.ElementTree as ET
path, bindir, name = sys.argv[1:]
try:
    root = ET.parse(path).getroot()
except ET.ParseError as error:
    sys.exit(print("not well-formed XML:", error))
actions = root.findall("action")
if root.tag != "actions" or len(actions) != 2:
    sys.exit(print("not two <action> elements inside <actions>"))
# Thunar shows an action when every selected item meets one of its conditions, so the folders'
# action names no kind of file: else it would show for a folder beside a file.
file_kinds = {"audio-files", "image-files", "other-files", "text-files", "video-files"}
expected = {"brindle-compare-files": ("1-2", False), "brindle-compare-folders": ("2-2", True)}
seen = []
for action in actions:
    text = {child.tag: (child.text or "").strip() for child in action}
    uid = text.get("unique-id", "")
    seen.append(uid)
    command = text.get("command", "").split()
    if len(command) != 2 or not os.access(os.path.join(bindir, command[0]), os.X_OK):
        print(uid, "does not start an installed program:", text.get("command"))
    elif command[1] != "%F":
        print(uid, "passes", command[1], "instead of the file list %F alone")
    if uid not in expected:
        continue
    count, folders = expected[uid]
    for tag, want in (("name", name), ("patterns", "*"), ("range", count)):
        if text.get(tag) != want:
            print(f"{uid}: <{tag}> is {text.get(tag)!r}, not {want!r}")
    if folders:
        if "directories" not in text:
            print(uid, "is not offered for folders")
        if file_kinds & text.keys():
            print(uid, "is offered for files too:", ", ".join(sorted(file_kinds & text.keys())))
    else:
        if "directories" in text:
            print(uid, "is offered for folders")
        missing = {"other-files", "text-files"} - text.keys()
        if missing:
            print(uid, "leaves out", ", ".join(sorted(missing)))
if sorted(seen) != sorted(expected):
    print("the actions' unique-ids are", seen, "not", sorted(expected))
PYTHON
    )
elif command -v xmllint >/dev/null; then
    xmllint --noout "$thunar" || fail "thunar-uca.xml is not well-formed XML"
else
    [ "$(grep -c '<command>brd64 %F</command>' "$thunar")" = 2 ] || fail "thunar-uca.xml has not two commands brd64 %F"
fi

# Nautilus loads every shared object in its extension folder, which lies below the prefix's
# library folder (lib, or lib/<multiarch> for /usr).
nautilus_modules="$(find "$prefix" -path '*/lib*/nautilus/extensions-4/*.so' -type f)"
if [ "$nautilus_module" = ON ]; then
    if [ "$(wc -l <<<"$nautilus_modules")" -ne 1 ] || [ -z "$nautilus_modules" ]; then
        fail "not one Nautilus module in lib*/nautilus/extensions-4: ${nautilus_modules:-none}"
    elif command -v nm >/dev/null; then
        exported="$(nm -D --defined-only "$nautilus_modules" | awk '{ print $NF }' | sort | tr '\n' ' ')"
        [ "$exported" = "nautilus_module_initialize nautilus_module_list_types nautilus_module_shutdown " ] ||
            fail "the Nautilus module exports more or less than its entry points: $exported"
    fi
elif [ -n "$nautilus_modules" ]; then
    fail "a Nautilus module is installed although none is built: $nautilus_modules"
fi

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
