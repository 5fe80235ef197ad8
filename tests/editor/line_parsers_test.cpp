// The parsers of the languages other than C: what each colours, and what every parser promises.
#include "editor/line_parsers.h"

#include "editor/colour_blocks.h"
#include "editor/text_type.h"
#include "support/case_name.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace brindle {
namespace {

struct SLanguageLineCase {
    const char* name;
    std::int32_t row;
    std::u16string line;
    std::uint32_t startState;
    std::u16string target;  // the colour is checked at the first occurrence of this text
    std::int32_t colour;
    bool carries;  // whether the end state is non-zero
};

class LanguageParserTest : public testing::TestWithParam<SLanguageLineCase> {};

TEST_P(LanguageParserTest, ColoursTarget)
{
    const SLanguageLineCase& c = GetParam();
    const LineParser parser = textTypes()[static_cast<std::size_t>(c.row)].parser;
    const test::SParsed parsed = test::parse(parser, c.line, c.startState);
    const std::size_t at = c.line.find(c.target);
    ASSERT_NE(at, std::u16string::npos);
    EXPECT_EQ(test::colourAt(parsed.blocks, at), c.colour);
    EXPECT_EQ(parsed.state != 0, c.carries) << "end state " << parsed.state;
}

std::uint32_t endState(std::int32_t row, std::u16string_view line)
{
    return textTypes()[static_cast<std::size_t>(row)].parser(line, 0, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, LanguageParserTest,
    testing::Values(SLanguageLineCase{"HtmlTag", 7, u"<FRAMESET cols=\"1\">", 0, u"FRAMESET", 0, false},
                    SLanguageLineCase{"HtmlAttribute", 7, u"<a href=x>", 0, u"href", 5, false},
                    SLanguageLineCase{"HtmlAttributeValue", 7, u"<a href=\"x.htm\">", 0, u"x.htm", 14, false},
                    SLanguageLineCase{"HtmlUnknownAttribute", 7, u"<a bogus=1>", 0, u"bogus", 12, false},
                    SLanguageLineCase{"HtmlEntity", 7, u"a &copy; b", 0, u"&copy;", 6, false},
                    SLanguageLineCase{"HtmlTextAfterEntity", 7, u"a &copy; b", 0, u" b", 12, false},
                    SLanguageLineCase{"HtmlUnknownEntity", 7, u"a &bogus; b", 0, u"&bogus;", 12, false},
                    SLanguageLineCase{"HtmlTagWordsNotInText", 7, u"body text", 0, u"body", 12, false},
                    SLanguageLineCase{"HtmlCommentOpens", 7, u"x <!-- note", 0, u"note", 2, true},
                    SLanguageLineCase{"HtmlCommentCloses", 7, u"note --> <b>", endState(7, u"<!-- x"), u"b>", 0, false},
                    SLanguageLineCase{"HtmlTagAcrossLines", 7, u"  width=3>", endState(7, u"<img"), u"width", 5, false},
                    SLanguageLineCase{"SgmlTag", 17, u"<chapt id=\"x\">", 0, u"chapt", 0, false},
                    SLanguageLineCase{"SgmlAttribute", 17, u"<chapt id=\"x\">", 0, u"id", 5, false},
                    SLanguageLineCase{"SgmlDocument", 17, u"<!doctype debiandoc system>", 0, u"debiandoc", 12, false},
                    SLanguageLineCase{"AspScriptWord", 1, u"<% If x Then %>", 0, u"If", 0, false},
                    SLanguageLineCase{"AspScriptInsensitive", 1, u"<% wend %>", 0, u"wend", 0, false},
                    SLanguageLineCase{"AspDelimiter", 1, u"<% x %> <b>", 0, u"%>", 7, false},
                    SLanguageLineCase{"AspHtmlAfterScript", 1, u"<% x %> <b>", 0, u"b>", 0, false},
                    SLanguageLineCase{"AspComment", 1, u"<% x ' note", 0, u"note", 2, true},
                    SLanguageLineCase{"AspBodyAttribute", 1, u"<BODY BGCOLOR=red>", 0, u"BGCOLOR", 5, false},
                    SLanguageLineCase{"PhpKeyword", 13, u"<?php echo $x; ?>", 0, u"echo", 0, false},
                    SLanguageLineCase{"PhpVariable", 13, u"<?php echo $x; ?>", 0, u"$x", 7, false},
                    SLanguageLineCase{"PhpOperatorWord", 13, u"<? a or b ?>", 0, u"or", 4, false},
                    SLanguageLineCase{"PhpOldFunction", 13, u"<?php old_function f", 0, u"old_function", 0, true},
                    SLanguageLineCase{"PhpCloseInString", 13, u"<?php '?>' x", 0, u"x", 12, true},
                    SLanguageLineCase{"PhpBlockComment", 13, u"<?php /* c", 0, u"c", 2, true},
                    SLanguageLineCase{"PhpOutsideScript", 13, u"<p>echo</p>", 0, u"echo", 12, false}),
    test::SCaseName{});

INSTANTIATE_TEST_SUITE_P(
    Scripts, LanguageParserTest,
    testing::Values(SLanguageLineCase{"BasicKeyword", 2, u"If x Then", 0, u"If", 0, false},
                    SLanguageLineCase{"BasicCaseSensitive", 2, u"if x", 0, u"if", 12, false},
                    SLanguageLineCase{"BasicQuoteComment", 2, u"x = 1 ' If", 0, u"If", 2, false},
                    SLanguageLineCase{"BasicRem", 2, u"Rem If", 0, u"If", 2, false},
                    SLanguageLineCase{"BasicDoubledQuote", 2, u"s = \"a\"\"If\"", 0, u"If", 14, false},
                    SLanguageLineCase{"BatchCommand", 3, u"@echo off", 0, u"echo", 0, false},
                    SLanguageLineCase{"BatchExternal", 3, u"attrib +r x", 0, u"attrib", 5, false},
                    SLanguageLineCase{"BatchRem", 3, u"  REM call x", 0, u"call", 2, false},
                    SLanguageLineCase{"BatchRemarkIsNoRem", 3, u"remark x", 0, u"remark", 12, false},
                    SLanguageLineCase{"BatchDoubleColon", 3, u":: call x", 0, u"call", 2, false},
                    SLanguageLineCase{"BatchLabel", 3, u":loop", 0, u"loop", 1, false},
                    SLanguageLineCase{"BatchVariable", 3, u"set x=%PATH%;y", 0, u"%PATH%", 7, false},
                    SLanguageLineCase{"BatchLoopVariable", 3, u"for %%i in", 0, u"%%i", 7, false},
                    SLanguageLineCase{"PerlKeyword", 12, u"sub foo {", 0, u"sub", 0, false},
                    SLanguageLineCase{"PerlQuoteWord", 12, u"my @a = qw(x y);", 0, u"qw", 0, false},
                    SLanguageLineCase{"PerlScalar", 12, u"print $x;", 0, u"$x", 7, false},
                    SLanguageLineCase{"PerlLastIndexIsNoComment", 12, u"$#a + 1", 0, u"1", 3, false},
                    SLanguageLineCase{"PerlComment", 12, u"x; # sub", 0, u"sub", 2, false},
                    SLanguageLineCase{"PerlModuloIsNoHash", 12, u"$a % 2", 0, u"%", 4, false},
                    SLanguageLineCase{"PerlModuloBeforeDigit", 12, u"$a%2", 0, u"2", 3, false},
                    SLanguageLineCase{"PerlHash", 12, u"keys %h;", 0, u"%h", 7, false},
                    SLanguageLineCase{"PerlPackageVariable", 12, u"$Foo::bar x", 0, u"x", 12, false},
                    SLanguageLineCase{"PerlStringCarries", 12, u"$s = \"open", 0, u"open", 14, true},
                    SLanguageLineCase{"PerlPodStarts", 12, u"=head1 sub", 0, u"sub", 2, true},
                    SLanguageLineCase{"PerlPodContinues", 12, u"my $x", endState(12, u"=pod"), u"my", 2, true},
                    SLanguageLineCase{"PerlPodEnds", 12, u"=cut", endState(12, u"=pod"), u"cut", 2, false},
                    SLanguageLineCase{"PythonKeyword", 14, u"elif x:", 0, u"elif", 0, false},
                    SLanguageLineCase{"PythonSysName", 14, u"sys.exc_traceback", 0, u"exc_traceback", 5, false},
                    SLanguageLineCase{"PythonSpecialName", 14, u"x.__members__", 0, u"__members__", 6, false},
                    SLanguageLineCase{"PythonComment", 14, u"x = 1  # if", 0, u"if", 2, false},
                    SLanguageLineCase{"PythonDecorator", 14, u"@property", 0, u"property", 7, false},
                    SLanguageLineCase{"PythonTripleQuoteCarries", 14, u"s = \"\"\"doc", 0, u"doc", 14, true},
                    SLanguageLineCase{"PythonTripleQuoteCloses", 14, u"end\"\"\" if", endState(14, u"\"\"\"x"), u"if",
                                      0, false},
                    SLanguageLineCase{"PythonPlainStringEndsAtLine", 14, u"s = 'abc", 0, u"abc", 14, false},
                    SLanguageLineCase{"ShellKeyword", 18, u"esac", 0, u"esac", 0, false},
                    SLanguageLineCase{"ShellCommand", 18, u"chmod +x f", 0, u"chmod", 5, false},
                    SLanguageLineCase{"ShellVariable", 18, u"echo $HOME/x", 0, u"$HOME", 7, false},
                    SLanguageLineCase{"ShellSpecialVariable", 18, u"echo $# x", 0, u"$#", 7, false},
                    SLanguageLineCase{"ShellComment", 18, u"ls # if", 0, u"if", 2, false},
                    SLanguageLineCase{"ShellHashInWord", 18, u"a#if b", 0, u"b", 12, false},
                    SLanguageLineCase{"ShellStringCarries", 18, u"x=\"open", 0, u"open", 14, true},
                    SLanguageLineCase{"TclKeyword", 21, u"proc f {} {", 0, u"proc", 0, false},
                    SLanguageLineCase{"TclVariable", 21, u"set x $y", 0, u"$y", 7, false},
                    SLanguageLineCase{"TclComment", 21, u"  # done", 0, u"done", 2, false},
                    SLanguageLineCase{"TclCommentAfterSemicolon", 21, u"set x 1 ;# done", 0, u"done", 2, false},
                    SLanguageLineCase{"TclHashInArgument", 21, u"puts a#x", 0, u"x", 12, false}),
    test::SCaseName{});

INSTANTIATE_TEST_SUITE_P(
    Others, LanguageParserTest,
    testing::Values(SLanguageLineCase{"DclTile", 5, u"x : boxed_column {", 0, u"boxed_column", 0, false},
                    SLanguageLineCase{"DclPredefined", 5, u"ok_cancel_help;", 0, u"ok_cancel_help", 5, false},
                    SLanguageLineCase{"DclAttribute", 5, u"edit_width = 10;", 0, u"edit_width", 6, false},
                    SLanguageLineCase{"InstallShieldKeyword", 8, u"endswitch;", 0, u"endswitch", 0, false},
                    SLanguageLineCase{"InstallShieldConstant", 8, u"x = COMMANDEX;", 0, u"COMMANDEX", 5, false},
                    SLanguageLineCase{"InstallShieldSystemVariable", 8, u"x = SUPPORTDIR;", 0, u"SUPPORTDIR", 6, false},
                    SLanguageLineCase{"InstallShieldDirective", 8, u"#include \"x\"", 0, u"x", 7, false},
                    SLanguageLineCase{"JavaKeyword", 9, u"synchronized (x)", 0, u"synchronized", 0, false},
                    SLanguageLineCase{"JavaNoPreprocessor", 9, u"#x", 0, u"x", 12, false},
                    SLanguageLineCase{"JavaCommentCarries", 9, u"/** doc", 0, u"doc", 2, true},
                    SLanguageLineCase{"ResourcesInsensitive", 16, u"popup \"x\"", 0, u"popup", 0, false},
                    SLanguageLineCase{"FortranColumnOneComment", 6, u"C     if x", 0, u"if", 2, false},
                    SLanguageLineCase{"FortranCallIsCode", 6, u"call foo(x)", 0, u"call", 0, false},
                    SLanguageLineCase{"FortranDottedOperator", 6, u"if (a .AND. b)", 0, u".AND.", 0, false},
                    SLanguageLineCase{"FortranIntrinsic", 6, u"s = ADJUSTL(s)", 0, u"ADJUSTL", 0, false},
                    SLanguageLineCase{"FortranBangComment", 6, u"x = 1 ! end", 0, u"end", 2, false},
                    SLanguageLineCase{"FortranNumber", 6, u"x = 1.5d0", 0, u"1.5d0", 3, false},
                    SLanguageLineCase{"LispFunction", 10, u"(action_tile \"a\" \"b\")", 0, u"action_tile", 0, false},
                    SLanguageLineCase{"LispOperatorFunction", 10, u"(1+ x)", 0, u"1+", 0, false},
                    SLanguageLineCase{"LispNegativeNumber", 10, u"(setq x -5)", 0, u"-5", 3, false},
                    SLanguageLineCase{"LispHyphenatedSymbol", 10, u"(my-car x)", 0, u"car", 12, false},
                    SLanguageLineCase{"LispComment", 10, u"(x) ; setq", 0, u"setq", 2, false},
                    SLanguageLineCase{"LispBlockComment", 10, u"x ;| setq", 0, u"setq", 2, true},
                    SLanguageLineCase{"LispBlockCommentCloses", 10, u"a |; setq", endState(10, u";| x"), u"setq", 0,
                                      false},
                    SLanguageLineCase{"SiodFunction", 19, u"(assq k l)", 0, u"assq", 0, false},
                    SLanguageLineCase{"SiodMath", 19, u"(SQRT 2)", 0, u"SQRT", 5, false},
                    SLanguageLineCase{"SiodVariable", 19, u"*eval-history-ptr*", 0, u"*eval", 6, false},
                    SLanguageLineCase{"PascalKeyword", 11, u"PROGRAM Test;", 0, u"PROGRAM", 0, false},
                    SLanguageLineCase{"PascalBraceComment", 11, u"x { begin", 0, u"begin", 2, true},
                    SLanguageLineCase{"PascalParenComment", 11, u"(* begin *) end", 0, u"end", 0, false},
                    SLanguageLineCase{"PascalDirective", 11, u"{$R *.res}", 0, u"R", 7, false},
                    SLanguageLineCase{"PascalHexNumber", 11, u"x := $FF;", 0, u"$FF", 3, false},
                    SLanguageLineCase{"PascalDoubledQuote", 11, u"s := 'it''s end';", 0, u"end", 14, false},
                    SLanguageLineCase{"RexxKeyword", 15, u"interpret x", 0, u"interpret", 0, false},
                    SLanguageLineCase{"RexxObjectWord", 15, u"::class a extends b", 0, u"extends", 5, false},
                    SLanguageLineCase{"RexxCommentCarries", 15, u"/* say", 0, u"say", 2, true},
                    SLanguageLineCase{"SqlKeyword", 20, u"SELECT * FROM t", 0, u"FROM", 0, false},
                    SLanguageLineCase{"SqlType", 20, u"x varchar(10)", 0, u"varchar", 5, false},
                    SLanguageLineCase{"SqlDashComment", 20, u"x -- select", 0, u"select", 2, false},
                    SLanguageLineCase{"SqlString", 20, u"'it''s select'", 0, u"select", 14, false},
                    SLanguageLineCase{"TexCommand", 22, u"\\documentclass{article}", 0, u"\\documentclass", 0, false},
                    SLanguageLineCase{"TexInternal", 22, u"\\AtBeginDocument{x}", 0, u"\\At", 5, false},
                    SLanguageLineCase{"TexAtCommand", 22, u"\\@ifnextchar[", 0, u"\\@", 5, false},
                    SLanguageLineCase{"TexUnknownCommand", 22, u"\\mymacro x", 0, u"\\my", 1, false},
                    SLanguageLineCase{"TexPlainWordNotLookedUp", 22, u"the maketitle", 0, u"maketitle", 12, false},
                    SLanguageLineCase{"TexComment", 22, u"x % \\maketitle", 0, u"\\maketitle", 2, false},
                    SLanguageLineCase{"TexEscapedPercent", 22, u"50\\% off", 0, u"off", 12, false},
                    SLanguageLineCase{"TexMathCarries", 22, u"$$ x", 0, u"x", 14, true}),
    test::SCaseName{});

// Random lines from characters that mean something to some parser: every parser keeps its
// contract (blocks inside the line and in increasing order, the same end state with and
// without blocks, no blocks for short lines).
TEST(LineParserContract, HoldsForEveryParserOnRandomLines)
{
    const std::u16string alphabet = u"abcXYZ019_ .,;:'\"`\\/*#%$@&<>!?=-+(){}[]|\t\u00e9";
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 24);
    for (const STextType& type : textTypes()) {
        if (type.parser == nullptr)
            continue;
        SCOPED_TRACE(std::string(type.name.begin(), type.name.end()));
        std::uint32_t state = 0;
        for (int i = 0; i < 3000; ++i) {
            std::u16string line(length(random), u' ');
            for (char16_t& ch : line)
                ch = alphabet[pick(random)];
            std::vector<SColourBlock> blocks;
            const std::uint32_t end = type.parser(line, state, &blocks);
            ASSERT_EQ(type.parser(line, state, nullptr), end) << "line " << i;
            if (line.size() < 2) {
                ASSERT_TRUE(blocks.empty());
            }
            for (std::size_t k = 0; k < blocks.size(); ++k) {
                ASSERT_GE(blocks[k].start, 0);
                ASSERT_LT(blocks[k].start, static_cast<std::int32_t>(line.size()));
                if (k > 0) {
                    ASSERT_GT(blocks[k].start, blocks[k - 1].start);
                }
            }
            if (!blocks.empty()) {
                ASSERT_EQ(blocks[0].start, 0) << "the whole line is coloured";
            }
            state = end;
        }
    }
}

}  // namespace
}  // namespace brindle
