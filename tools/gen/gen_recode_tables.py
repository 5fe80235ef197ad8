#!/usr/bin/env python3
"""Generates src/editor/recode_tables.cpp: the letter tables of character-set conversion.

Run by hand; the output is committed and the build does not run this script:
    python3 tools/gen/gen_recode_tables.py > src/editor/recode_tables.cpp

Each of the 13 sets gets one row of 66 codes, one per character below, in that order. A code is
the byte 0x80-0xFF that stands for the character in the set; where the set has no such byte the
row holds the character's plain ASCII form instead. Only the upper half counts: Cork, for one,
keeps its quotation marks below 0x80, where conversion never looks.
"""
import sys
import unicodedata

# The 22 capitals, the same letters in small form, then the further characters (from 44 on).
LETTERS = "ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽĽŔĹÔÖÜÄ"
LETTERS += LETTERS.lower()
# Further characters with the ASCII character that stands in for each where a set lacks it.
# Typographic marks of Czech text first written in Windows or on a Mac, then symbols of the
# DOS and ISO pages; all of them sit at different codes in different sets.
EXTRAS = [
    ("\u00DF", "s"),   # sharp s
    ("\u00A7", "?"),   # section sign
    ("\u00AB", '"'),   # left guillemet
    ("\u00BB", '"'),   # right guillemet
    ("\u201E", '"'),   # low double quotation mark, the Czech opening quote
    ("\u201C", '"'),   # left double quotation mark, the Czech closing quote
    ("\u201D", '"'),   # right double quotation mark
    ("\u201A", ","),   # low single quotation mark
    ("\u2018", "'"),   # left single quotation mark
    ("\u2019", "'"),   # right single quotation mark, the apostrophe of word processors
    ("\u2013", "-"),   # en dash
    ("\u2014", "-"),   # em dash
    ("\u2026", "."),   # ellipsis
    ("\u2022", "*"),   # bullet
    ("\u00A0", " "),   # no-break space
    ("\u00AD", "-"),   # soft hyphen
    ("\u00B0", "?"),   # degree sign
    ("\u00D7", "x"),   # multiplication sign
    ("\u00F7", "/"),   # division sign
    ("\u00B4", "'"),   # acute accent
    ("\u02C7", "^"),   # caron
    ("\u00B5", "u"),   # micro sign
]
CHARACTERS = list(LETTERS) + [c for c, _ in EXTRAS]
FALLBACK = dict(EXTRAS)
for c in LETTERS:
    FALLBACK[c] = unicodedata.normalize("NFD", c)[0]

POSITIONS = 66
assert len(CHARACTERS) == POSITIONS and len(set(CHARACTERS)) == POSITIONS


def codec_page(codec):
    """Upper half of a code page from Python's codecs: byte -> character."""
    page = {}
    for b in range(0x80, 0x100):
        try:
            page[b] = bytes([b]).decode(codec)
        except UnicodeDecodeError:
            pass
    return page


def kamenicky_page():
    # Brothers Kamenicky (KEYBCS2): code page 437 with the Czech and Slovak letters in
    # 0x80-0xAB and the section sign in 0xAD.
    page = codec_page("cp437")
    page.update(zip(range(0x80, 0xAC),
                    "ČüéďäĎŤčěĚĹÍľĺÄÁ"
                    "ÉžŽôöÓůÚýÖÜŠĽÝŘť"
                    "áíóúňŇŮÔšřŕŔ"))
    page[0xAD] = "§"
    return page


def cork_page():
    # Cork (the T1 font encoding of TeX): 0x80-0xBF accented capitals and their small forms,
    # 0xC0-0xFF as ISO-8859-1 except four positions. 0xDF is the two-letter "SS" and not a
    # character of ours.
    page = dict(zip(range(0x80, 0xC0),
                    "ĂĄĆČĎĚĘĞĹĽŁŃŇŊŐŔ"
                    "ŘŚŠŞŤŢŰŮŸŹŽŻĲİđ§"
                    "ăąćčďěęğĺľłńňŋőŕ"
                    "řśšşťţűůÿźžżĳ¡¿£"))
    page.update((b, bytes([b]).decode("latin-1")) for b in range(0xC0, 0x100))
    page.update({0xD7: "Œ", 0xF7: "œ", 0xFF: "ß"})
    del page[0xDF]
    return page


def koi8cs_page():
    # KOI8-CS has no codec in Python and no published table was at hand when this was
    # written: its row holds the plain letters until the set's codes are added here.
    return {}


# (marker name, upper half of the set) in the order of the sets.
SETS = [
    ("ASCII", {}),
    ("CP1250", codec_page("cp1250")),
    ("CP1252", codec_page("cp1252")),
    ("CP850", codec_page("cp850")),
    ("CP852", codec_page("cp852")),
    # IBM's and Microsoft's 852 are one code page under two names.
    ("IBM852", codec_page("cp852")),
    ("ISO-8859-1", codec_page("latin-1")),
    ("ISO-8859-2", codec_page("iso8859-2")),
    ("KEYBCS2", kamenicky_page()),
    ("KOI8-CS", koi8cs_page()),
    ("MAC", codec_page("mac-roman")),
    ("MACCE", codec_page("mac-latin2")),
    ("CORK", cork_page()),
]

# Published codes that the rows must reproduce.
EXPECTED = {
    "CP1250": [0xC1, 0xC8, 0xCF, 0xC9, 0xCC, 0xCD, 0xD2, 0xD3, 0xD8, 0x8A, 0x8D, 0xDA, 0xD9,
               0xDD, 0x8E],
    "CP852": [0xB5, 0xAC, 0xD2, 0x90, 0xB7, 0xD6, 0xD5, 0xE0, 0xFC, 0xE6, 0x9B, 0xE9, 0xDE,
              0xED, 0xA6],
}


def row(name, page):
    code_of = {}
    for b, c in sorted(page.items()):
        if len(c) == 1 and c not in code_of:
            code_of[c] = b
    codes = [code_of.get(c, ord(FALLBACK[c])) for c in CHARACTERS]
    upper = [c for c in codes if c >= 0x80]
    if len(set(upper)) != len(upper):
        sys.exit("%s: two characters share a code" % name)
    expected = EXPECTED.get(name, [])
    if codes[:len(expected)] != expected:
        sys.exit("%s: row does not match the published codes" % name)
    return codes


def main():
    out = sys.stdout
    out.write("// Generated by tools/gen/gen_recode_tables.py from Python %d.%d codecs. "
              "Do not edit.\n" % sys.version_info[:2])
    out.write('#include "editor/recode_tables_p.h"\n\n')
    out.write("namespace brindle::detail {\n\n")
    out.write("// Positions: %s\n" % " ".join(CHARACTERS[:22]))
    out.write("//            %s\n" % " ".join(CHARACTERS[22:44]))
    out.write("//            %s\n" % " ".join("U+%04X" % ord(c) for c in CHARACTERS[44:55]))
    out.write("//            %s\n" % " ".join("U+%04X" % ord(c) for c in CHARACTERS[55:]))
    out.write("const std::uint8_t kRecodeTable[kRecodeTableSets][kRecodeTablePositions] = {\n")
    for name, page in SETS:
        codes = row(name, page)
        out.write("    // %s\n    {\n" % name)
        for start in range(0, POSITIONS, 11):
            end = start + 11
            out.write("        " + ", ".join("0x%02X" % c for c in codes[start:end]) + ",\n")
        out.write("    },\n")
    out.write("};\n\n")
    out.write("static_assert(kRecodeTableSets == %d && kRecodeTablePositions == %d);\n\n"
              % (len(SETS), POSITIONS))
    out.write("}  // namespace brindle::detail\n")


if __name__ == "__main__":
    main()
