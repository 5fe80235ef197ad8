// The line parsers of the text-type table: one per language, and the merge-file parser.
#pragma once

#include "editor/text_type.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace brindle {

// Every parser has the LineParser contract of text_type.h. States are private to each parser;
// a line of fewer than 2 characters gets no blocks and keeps only the state bits that survive a
// line end in its language (the merge-file parser hands its state on unchanged).

// C and C++ (row 4). State bits below; a trailing backslash carries the whole state to the next
// line, otherwise only kCBlockComment survives the line end.
enum CParserState : std::uint32_t {
    kCLineComment = 0x1,
    kCPreprocessor = 0x2,
    kCBlockComment = 0x4,
    kCString = 0x8,
    kCCharConstant = 0x10,
};
std::uint32_t ParseLineC(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);

// Languages of the C family (line_parser_c.cpp).
std::uint32_t ParseLineDcl(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineInstallShield(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineJava(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineResources(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);

// Markup: tags, attributes, entities and comments; ASP and PHP add script sections
// (line_parser_markup.cpp).
std::uint32_t ParseLineHtml(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineSgml(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineAsp(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLinePhp(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);

// Script languages with "#" or quote comments and variables (line_parser_script.cpp).
std::uint32_t ParseLineBasic(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineBatch(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLinePerl(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLinePython(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineShell(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineTcl(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);

// The remaining languages (line_parser_other.cpp).
std::uint32_t ParseLineFortran(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineAutoLisp(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineSiod(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLinePascal(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineRexx(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineSql(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);
std::uint32_t ParseLineTex(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);

// Merge files (row 23): colour 5 for file-1 material, 6 for file-2 material, 12 otherwise,
// driven by the program-wide merge tag list (merge_tags.h).
enum MergeParserState : std::uint32_t {
    kMergeInFile1Section = 0x2,
    kMergeInFile2Section = 0x8,
};
std::uint32_t ParseLineMerge(std::u16string_view line, std::uint32_t state, std::vector<SColourBlock>* blocks);

}  // namespace brindle
