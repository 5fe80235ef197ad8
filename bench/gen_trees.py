#!/usr/bin/env python3
"""Writes two folder trees A and B for timing folder comparison; see README.md.

    bench/gen_trees.py [--files N] [--folders N] [--total-mb N] [--seed S] OUT

OUT/A and OUT/B are created (OUT must not hold them yet), plus OUT/expected.txt: the
differences a comparison must find, one "diff PATH", "only1 PATH" or "only2 PATH" line each,
PATH relative to the roots with '/' between names; a folder on one side only is listed once.

Both trees come from one tree of --files files in --folders folders below the root, nested up
to five levels, of about --total-mb MB (10^6 bytes). Most files are text made of lines drawn
from a pool (source, prose and data-like lines); a tenth are larger, some up to a few MB; a few
are binary. From that tree, 0.5 % of the files are left out of B (only in A) and 0.5 % out of A
(only in B), partly as whole folders, and 1 % of the files common to both are changed in B:
bytes replaced at the same size, lines inserted or deleted, or only whitespace or letter case
changed in a line or three. Each file and folder gets a fixed modification time, the same in
both trees, so that a file changed at the same size has the same size and time on both sides.

Names include spaces, capitals, accented letters, dots at the start, and names that differ
only in case within one folder. None is .git, .svn, .hg, __pycache__ or ends in .o or .obj,
which brdcmp leaves out by default.

Only random.Random.random() and hashlib's SHAKE-256 produce randomness, the two sources whose
output Python keeps the same from version to version, so a seed and the options give the same
trees with any Python from 3.7 on.
"""

import argparse
import bisect
import hashlib
import os
import random
import sys
import time

WORDS = (
    "alpha beta gamma delta count index value buffer stream window panel item list table "
    "node tree path file folder name size offset length start end first last next prev "
    "left right top bottom width height color font style text line word char byte block "
    "record field entry key map set queue stack cache pool task job worker thread lock "
    "event signal handler callback result error status state mode flag option config "
    "user group owner access read write open close load save parse format print scan "
    "compare merge match split join sort filter search replace insert delete update"
).split()

FOLDER_WORDS = (
    "src lib docs test tests assets include util core net ui data config tools scripts "
    "images locale resources vendor examples samples templates models views services "
    "common shared internal api plugins themes fonts icons cache logs reports archive"
).split()

TEXT_EXTS = (".txt", ".c", ".h", ".cpp", ".hpp", ".py", ".md", ".json", ".xml", ".html",
             ".cfg", ".ini", ".csv", ".log", ".js", ".css", ".sh", ".yml")
BINARY_EXTS = (".bin", ".dat", ".pak", ".img")

# Names a folder comparison leaves out by default; the trees must not contain them.
EXCLUDED_NAMES = {".git", ".svn", ".hg", "__pycache__"}
EXCLUDED_SUFFIXES = (".o", ".obj")

MAX_DEPTH = 5          # folder levels below the root
BUFFER = 1 << 20       # write buffer of each file


class Rng:
    """Draws everything from random.Random.random(), whose sequence Python keeps stable."""

    def __init__(self, seed):
        self._random = random.Random(seed).random

    def random(self):
        return self._random()

    def below(self, n):
        return int(self._random() * n)

    def between(self, lo, hi):
        """A whole number from lo to hi, both included."""
        return lo + int(self._random() * (hi - lo + 1))

    def pick(self, seq):
        return seq[int(self._random() * len(seq))]

    def log_uniform(self, lo, hi):
        return lo * (hi / lo) ** self._random()

    def sample(self, seq, k):
        """k distinct items of seq, in a random order (partial Fisher-Yates)."""
        items = list(seq)
        k = min(k, len(items))
        for i in range(k):
            j = i + int(self._random() * (len(items) - i))
            items[i], items[j] = items[j], items[i]
        return items[:k]


def make_line_pool(rng, count):
    """Distinct-looking lines: indented code, prose, key = value pairs, CSV rows, blanks."""
    pool = []
    for _ in range(count):
        kind = rng.random()
        if kind < 0.08:
            line = ""
        elif kind < 0.45:
            indent = "    " * rng.below(5)
            words = [rng.pick(WORDS) for _ in range(rng.between(1, 6))]
            ending = rng.pick((";", ";", " {", "", ",", ")"))
            if rng.random() < 0.3:
                line = f"{indent}{words[0]} = {'_'.join(words[1:]) or 'x'}({rng.below(10000)}){ending}"
            else:
                line = indent + " ".join(words) + ending
        elif kind < 0.75:
            words = [rng.pick(WORDS) for _ in range(rng.between(4, 16))]
            words[0] = words[0].capitalize()
            line = " ".join(words) + "."
        elif kind < 0.88:
            line = f"{rng.pick(WORDS)}.{rng.pick(WORDS)} = {rng.below(1 << 20)}"
        else:
            line = ",".join(str(rng.below(100000)) for _ in range(rng.between(3, 10)))
        pool.append(line.encode() + b"\n")
    return pool


def make_text_blob(rng, pool, size):
    """About size bytes of pool lines in random order, and the offsets where lines start."""
    lines = []
    starts = []
    pos = 0
    while pos < size:
        line = pool[rng.below(len(pool))]
        starts.append(pos)
        lines.append(line)
        pos += len(line)
    return b"".join(lines), starts


def make_binary_blob(seed, size):
    """Random bytes like compressed data, with runs of zeros and of one repeated record."""
    raw = bytearray(hashlib.shake_256(f"brindle-trees-{seed}".encode()).digest(size))
    record = bytes(raw[:48])
    for i in range(0, size - 65536, 262144):
        raw[i + 1000:i + 9000] = bytes(8000)
        raw[i + 20000:i + 20000 + 48 * 200] = record * 200
    return bytes(raw)


def check_name(name):
    lower = name.lower()
    assert lower not in EXCLUDED_NAMES and not lower.endswith(EXCLUDED_SUFFIXES), name
    assert "/" not in name and ":" not in name and "\n" not in name, name


class Tree:
    """The shared tree: folders (index 0 is the root) and files, as relative paths."""

    def __init__(self):
        self.folder_path = [""]
        self.folder_parent = [-1]
        self.folder_depth = [0]
        self.folder_names = [set()]   # names taken in each folder, case kept
        self.files = []               # dicts: path, folder, binary, size, start, mtime

    def add_name(self, folder, name):
        taken = self.folder_names[folder]
        base, dot, ext = name.partition(".") if not name.startswith(".") else (name, "", "")
        candidate = name
        n = 2
        while candidate in taken:
            candidate = f"{base}{n}{dot}{ext}" if dot else f"{name}{n}"
            n += 1
        check_name(candidate)
        taken.add(candidate)
        parent = self.folder_path[folder]
        return candidate, (parent + "/" + candidate if parent else candidate)


def folder_name(rng):
    r = rng.random()
    if r < 0.05:
        return rng.pick(FOLDER_WORDS).capitalize() + " " + rng.pick(FOLDER_WORDS)
    if r < 0.08:
        return rng.pick(("Données", "résumés", "Übersicht", "naïve", "façade", "Ångström"))
    if r < 0.10:
        return "." + rng.pick(FOLDER_WORDS)
    return rng.pick(FOLDER_WORDS)


def file_stem(rng):
    r = rng.random()
    if r < 0.04:
        return rng.pick(WORDS).capitalize() + " " + rng.pick(WORDS)
    if r < 0.06:
        return rng.pick(("café", "naïve", "Größe", "señal", "Øre", "smörgås"))
    if r < 0.08:
        return "." + rng.pick(WORDS)
    if r < 0.30:
        return rng.pick(WORDS).upper() if rng.random() < 0.2 else rng.pick(WORDS).capitalize()
    return rng.pick(WORDS) + rng.pick(("_", "-", "")) + rng.pick(WORDS)


def build_tree(rng, n_files, n_folders, total_bytes, text_starts, binary_len):
    tree = Tree()
    # Folders: each hangs below the root now and then, else below a random earlier folder that
    # is not yet at the deepest level, which gives a bushy tree, deeper in the later folders.
    open_folders = [0]
    for _ in range(n_folders):
        parent = 0 if rng.random() < 0.03 else open_folders[rng.below(len(open_folders))]
        _, path = tree.add_name(parent, folder_name(rng))
        index = len(tree.folder_path)
        tree.folder_path.append(path)
        tree.folder_parent.append(parent)
        tree.folder_depth.append(tree.folder_depth[parent] + 1)
        tree.folder_names.append(set())
        if tree.folder_depth[index] < MAX_DEPTH:
            open_folders.append(index)

    # Sizes: most files small, a tenth medium, a few large; all scaled to the total.
    sizes = []
    for _ in range(n_files):
        r = rng.random()
        if r < 0.003:
            sizes.append(0.0)
        elif r < 0.892:
            sizes.append(rng.log_uniform(200, 16384))
        elif r < 0.992:
            sizes.append(rng.log_uniform(16384, 262144))
        else:
            sizes.append(rng.log_uniform(262144, 4194304))
    scale = total_bytes / max(1.0, sum(sizes))

    # Folders hold very different numbers of files: a weight each, from 1 to 400.
    cumulative = []
    weight_sum = 0.0
    for _ in tree.folder_path:
        weight_sum += rng.log_uniform(1, 400)
        cumulative.append(weight_sum)

    base_mtime = 1_700_000_000
    for i in range(n_files):
        folder = min(bisect.bisect_right(cumulative, rng.random() * weight_sum), len(cumulative) - 1)
        binary = rng.random() < 0.005
        stem = file_stem(rng)
        ext = rng.pick(BINARY_EXTS if binary else TEXT_EXTS)
        name = stem if stem.startswith(".") else stem + ext
        # Now and then a name that differs from an earlier one in the folder only in case.
        taken = tree.folder_names[folder]
        if taken and rng.random() < 0.01:
            other = min(taken)
            swapped = other.swapcase()
            if swapped != other and swapped not in taken:
                name = swapped
        _, path = tree.add_name(folder, name)
        size = int(sizes[i] * scale)
        start = rng.below(binary_len) if binary else text_starts[rng.below(len(text_starts))]
        tree.files.append({
            "path": path, "folder": folder, "binary": binary, "size": size, "start": start,
            "mtime": base_mtime + rng.below(50_000_000),
        })
    return tree


def blob_bytes(blob, start, size, whole_lines):
    """size bytes of blob from start, wrapping round; text runs on to the end of its line."""
    pieces = []
    view = memoryview(blob)
    pos = start % len(blob)
    left = size
    while left > 0:
        take = min(left, len(blob) - pos)
        pieces.append(view[pos:pos + take])
        left -= take
        pos = (pos + take) % len(blob)
    if whole_lines and size > 0 and blob[pos - 1] != 0x0A:
        end = blob.index(b"\n", pos) + 1
        pieces.append(view[pos:end])
    return pieces


def file_content(f, text_blob, binary_blob):
    if f["binary"]:
        return blob_bytes(binary_blob, f["start"], f["size"], False)
    return blob_bytes(text_blob, f["start"], f["size"], True)


# ---- Changes in B ----

def change_same_size(rng, data, binary):
    """Replaces 1 to 3 runs of bytes with others, the size unchanged."""
    data = bytearray(data)
    for _ in range(rng.between(1, 3)):
        pos = rng.below(len(data))
        for j in range(pos, min(len(data), pos + rng.between(1, 12))):
            if binary:
                data[j] ^= 1 + rng.below(255)
            elif 0x61 <= data[j] <= 0x7A:          # a letter becomes another letter
                data[j] = 0x61 + (data[j] - 0x61 + 1 + rng.below(25)) % 26
            elif 0x30 <= data[j] <= 0x39:
                data[j] = 0x30 + (data[j] - 0x30 + 1 + rng.below(9)) % 10
    return bytes(data)


def change_size(rng, data, binary, pool):
    """Inserts or deletes a few lines (text) or bytes (binary)."""
    if binary:
        pos = rng.below(len(data) + 1)
        if rng.random() < 0.5 and len(data) > 64:
            return data[:pos] + data[pos + rng.between(1, 64):]
        return data[:pos] + hashlib.shake_256(data[:32]).digest(rng.between(1, 64)) + data[pos:]
    lines = data.splitlines(keepends=True)
    pos = rng.below(len(lines) + 1)
    if rng.random() < 0.5 and len(lines) > 3:
        del lines[pos:pos + rng.between(1, 3)]
    else:
        lines[pos:pos] = [pool[rng.below(len(pool))] for _ in range(rng.between(1, 5))]
    return b"".join(lines)


def change_whitespace_or_case(rng, data):
    """Changes only spaces, tabs or letter case in one to three lines."""
    lines = data.splitlines(keepends=True)
    candidates = [i for i, line in enumerate(lines) if any(0x61 <= c <= 0x7A for c in line)]
    for i in rng.sample(candidates, rng.between(1, 3)):
        line = lines[i]
        body, end = (line[:-1], line[-1:]) if line.endswith(b"\n") else (line, b"")
        r = rng.random()
        if r < 0.3:
            body = body.upper()
        elif r < 0.45:
            body = body.swapcase()
        elif r < 0.65:
            body = body + b" " * rng.between(1, 3)
        elif r < 0.85:
            stripped = body.lstrip(b" ")
            indent = len(body) - len(stripped)
            body = (b"\t" * (indent // 4) + stripped) if indent >= 4 else b"    " + body
        else:
            body = body.replace(b" ", b"  ", 1) if b" " in body else b" " + body
        lines[i] = body + end
    return b"".join(lines)


def main():
    parser = argparse.ArgumentParser(
        description="Writes two folder trees A and B for timing folder comparison.")
    parser.add_argument("--files", type=int, default=50000, help="files in the shared tree (default 50000)")
    parser.add_argument("--folders", type=int, default=2000, help="folders below the root (default 2000)")
    parser.add_argument("--total-mb", type=float, default=1000, help="MB (10^6 bytes) of the shared tree (default 1000)")
    parser.add_argument("--seed", type=int, default=1, help="seed (default 1)")
    parser.add_argument("out", help="folder to write A, B and expected.txt into")
    args = parser.parse_args()
    if args.files < 1 or args.folders < 0 or args.total_mb <= 0:
        parser.error("--files must be at least 1, --folders at least 0, --total-mb above 0")

    started = time.monotonic()
    out = args.out
    root_a = os.path.join(out, "A")
    root_b = os.path.join(out, "B")
    for root in (root_a, root_b):
        if os.path.lexists(root):
            parser.error(f"{root} exists already")
    os.makedirs(out, exist_ok=True)

    rng = Rng(args.seed)
    pool = make_line_pool(rng, 6000)
    text_blob, text_starts = make_text_blob(rng, pool, 8 << 20)
    binary_blob = make_binary_blob(args.seed, 8 << 20)
    tree = build_tree(rng, args.files, args.folders, args.total_mb * 1e6,
                      text_starts, len(binary_blob))
    n_folders = len(tree.folder_path)

    # Files below each folder, for picking whole one-sided folders.
    below = [[] for _ in range(n_folders)]
    for i, f in enumerate(tree.files):
        folder = f["folder"]
        while folder > 0:
            below[folder].append(i)
            folder = tree.folder_parent[folder]

    def inside(folder, top):
        while folder > 0:
            if folder == top:
                return True
            folder = tree.folder_parent[folder]
        return False

    # One-sided entries: about 0.5 % of the files on each side, up to a third of them as
    # whole folders that hold no more than a quarter of that share each.
    share = max(1, round(args.files * 0.005))
    one_sided_folders = {1: [], 2: []}
    taken_folders = []
    for side in (1, 2):
        budget = share // 3
        for folder in rng.sample(range(1, n_folders), n_folders - 1):
            if budget <= 0 or len(one_sided_folders[side]) >= 5:
                break
            count = len(below[folder])
            if count == 0 or count > max(2, share // 4) or count > budget:
                continue
            if any(inside(folder, t) or inside(t, folder) for t in taken_folders):
                continue
            one_sided_folders[side].append(folder)
            taken_folders.append(folder)
            budget -= count

    side_of_folder = {}
    for side, folders in one_sided_folders.items():
        for folder in folders:
            side_of_folder[folder] = side

    def folder_side(folder):
        while folder > 0:
            if folder in side_of_folder:
                return side_of_folder[folder]
            folder = tree.folder_parent[folder]
        return 0

    file_side = [folder_side(f["folder"]) for f in tree.files]
    free = [i for i in range(len(tree.files)) if file_side[i] == 0]
    counts_in_folders = {side: sum(1 for s in file_side if s == side) for side in (1, 2)}
    singles = rng.sample(free, sum(max(0, share - counts_in_folders[s]) for s in (1, 2)))
    n_single_a = max(0, share - counts_in_folders[1])
    for k, i in enumerate(singles):
        file_side[i] = 1 if k < n_single_a else 2

    # Changed files: 1 % of the files on both sides; whitespace and case only in text files.
    common = [i for i in range(len(tree.files)) if file_side[i] == 0 and tree.files[i]["size"] > 0]
    changed = rng.sample(common, round(args.files * 0.01))
    change_kind = {}
    kinds_count = {"same size": 0, "other size": 0, "whitespace/case": 0}
    for i in changed:
        r = rng.random()
        if r < 0.4:
            kind = "same size"
        elif r < 0.75 or tree.files[i]["binary"]:
            kind = "other size"
        else:
            kind = "whitespace/case"
        change_kind[i] = kind

    expected = []
    for folder, side in side_of_folder.items():
        expected.append((tree.folder_path[folder], f"only{side}"))

    # Writing: folders first (a one-sided folder only on its side), then the files.
    for folder in range(1, n_folders):
        side = folder_side(folder)
        rel = tree.folder_path[folder]
        if side != 2:
            os.makedirs(os.path.join(root_a, rel), exist_ok=True)
        if side != 1:
            os.makedirs(os.path.join(root_b, rel), exist_ok=True)
    os.makedirs(root_a, exist_ok=True)
    os.makedirs(root_b, exist_ok=True)

    bytes_written = {1: 0, 2: 0}
    files_written = {1: 0, 2: 0}

    def write(root, side, f, pieces):
        target = os.path.join(root, f["path"])
        with open(target, "wb", buffering=BUFFER) as out_file:
            for piece in pieces:
                out_file.write(piece)
                bytes_written[side] += len(piece)
        os.utime(target, (f["mtime"], f["mtime"]))
        files_written[side] += 1

    for i, f in enumerate(tree.files):
        pieces = file_content(f, text_blob, binary_blob)
        side = file_side[i]
        if side != 2:
            write(root_a, 1, f, pieces)
        if side == 1:
            if folder_side(f["folder"]) == 0:
                expected.append((f["path"], "only1"))
            continue
        if side == 2:
            write(root_b, 2, f, pieces)
            if folder_side(f["folder"]) == 0:
                expected.append((f["path"], "only2"))
            continue
        kind = change_kind.get(i)
        if kind is None:
            write(root_b, 2, f, pieces)
            continue
        data = b"".join(pieces)
        if kind == "same size":
            new = change_same_size(rng, data, f["binary"])
        elif kind == "other size":
            new = change_size(rng, data, f["binary"], pool)
        else:
            new = change_whitespace_or_case(rng, data)
        if new == data:        # a text without letters or digits to change: add a line
            kind = "other size"
            new = data + pool[1 + rng.below(len(pool) - 1)]
            if new == data:
                new = data + b"x\n"
        kinds_count[kind] += 1
        write(root_b, 2, f, [new])
        expected.append((f["path"], "diff"))

    # Folder times too, so that the trees look alike down to the metadata.
    for root, side in ((root_a, 1), (root_b, 2)):
        for folder in range(n_folders - 1, -1, -1):
            if folder_side(folder) in (0, side):
                os.utime(os.path.join(root, tree.folder_path[folder]), (1_700_000_000, 1_700_000_000))

    with open(os.path.join(out, "expected.txt"), "w", encoding="utf-8", newline="\n") as listing:
        for path, kind in sorted(expected, key=lambda e: e[0].encode()):
            listing.write(f"{kind} {path}\n")

    def count_folders(side):
        return sum(1 for folder in range(1, n_folders) if folder_side(folder) in (0, side))

    only_a = sum(1 for _, k in expected if k == "only1")
    only_b = sum(1 for _, k in expected if k == "only2")
    print(f"gen_trees: seed {args.seed}; A {files_written[1]} files in {count_folders(1)} folders "
          f"{bytes_written[1] / 1e6:.1f} MB; B {files_written[2]} files in {count_folders(2)} folders "
          f"{bytes_written[2] / 1e6:.1f} MB; changed {sum(kinds_count.values())} "
          f"({kinds_count['same size']} same size, {kinds_count['other size']} other size, "
          f"{kinds_count['whitespace/case']} whitespace/case); only in A {only_a} entries "
          f"({len(one_sided_folders[1])} folders), only in B {only_b} entries "
          f"({len(one_sided_folders[2])} folders); {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
