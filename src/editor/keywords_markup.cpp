// Word lists of HTML, SGML, ASP and PHP.
#include "editor/word_list_p.h"

namespace brindle::words {

namespace {

// HTML elements (and the DOCTYPE declaration).
constexpr auto kHtmlTags = split<77>(
    u"A ADDRESS APPLET AREA B BASE BASEFONT BIG BLOCKQUOTE BODY BR CAPTION CENTER CITE CODE COL DD "
    u"DIR DIV DL DOCTYPE DT EM FONT FORM FRAME FRAMESET H1 H2 H3 H4 H5 H6 HEAD HR HTML I IFRAME IMG "
    u"INPUT KBD LI LINK MAP MENU META NOFRAMES OBJECT OL OPTION P PARAM PRE S SAMP SCRIPT "
    u"SELECT SMALL SPAN STRIKE STRONG STYLE SUB SUP TABLE TBODY TD TEXTAREA TFOOT TH THEAD TITLE TR TT U UL "
    u"VAR ");

constexpr auto kHtmlAttributes = split<57>(
    u"ACTION ALIGN ALINK ALT BACKGROUND BGCOLOR BORDER CELLPADDING CELLSPACING CHECKED CLASS CLEAR CODE "
    u"CODEBASE COLOR COLS COLSPAN CONTENT COORDS ENCTYPE FACE HEIGHT HREF HSPACE HTTP-EQUIV ID "
    u"LANG LANGUAGE LINK MAXLENGTH METHOD MULTIPLE NAME NOWRAP "
    u"ONCLICK ONLOAD ONMOUSEOUT ONMOUSEOVER ONSUBMIT REL ROWS ROWSPAN SELECTED SHAPE SIZE SRC "
    u"STYLE TARGET TEXT TITLE TYPE USEMAP VALIGN VALUE VLINK VSPACE WIDTH ");

// The markup characters and the Latin-1 character entities.
constexpr auto kHtmlEntities = split<101>(
    u"quot amp lt gt apos nbsp iexcl cent pound curren yen brvbar sect uml copy ordf laquo not shy reg macr "
    u"deg plusmn sup2 sup3 acute micro para middot cedil sup1 ordm raquo frac14 frac12 frac34 iquest "
    u"Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc Euml Igrave Iacute Icirc Iuml "
    u"ETH Ntilde Ograve Oacute Ocirc Otilde Ouml times Oslash Ugrave Uacute Ucirc Uuml Yacute THORN szlig "
    u"agrave aacute acirc atilde auml aring aelig ccedil egrave eacute ecirc euml igrave iacute icirc iuml "
    u"eth ntilde ograve oacute ocirc otilde ouml divide oslash ugrave uacute ucirc uuml yacute thorn yuml ");

// Elements of the debiandoc and linuxdoc document types.
constexpr auto kSgmlTags = split<55>(
    u"debiandoc linuxdoc book article titlepag title author name email version date abstract "
    u"copyright copyrightsummary toc chapt appendix sect sect1 sect2 sect3 sect4 heading p example list "
    u"enumlist taglist item tag em strong var package prgn file tt qref ref manref ftpsite ftppath httpsite "
    u"httppath url footnote comment itemize enum descrip verb code quote bf it ");

constexpr auto kSgmlAttributes = split<4>(u"compact id name section ");

// PHP reserved words, and the word operators.
constexpr auto kPhpKeywords = split<51>(
    u"__FILE__ __LINE__ array as break case cfunction class const continue declare default die do echo "
    u"else elseif empty enddeclare endfor endforeach endif endswitch endwhile eval exit extends false for "
    u"foreach function global if include include_once isset list new null old_function print require "
    u"require_once return static switch true unset use var while ");

constexpr auto kPhpOperators = split<3>(u"OR AND XOR ");

const SWordList kSgmlLists[] = {{kSgmlTags, false}, {kSgmlAttributes, false}, {kHtmlEntities, false}};

}  // namespace

std::span<const std::u16string_view> htmlTagWords() { return kHtmlTags; }
std::span<const std::u16string_view> htmlAttributeWords() { return kHtmlAttributes; }
std::span<const std::u16string_view> htmlEntityWords() { return kHtmlEntities; }

std::span<const SWordList> html()
{
    static const SWordList lists[] = {{kHtmlTags, false}, {kHtmlAttributes, false}, {kHtmlEntities, false}};
    return lists;
}

std::span<const SWordList> asp()
{
    static const SWordList lists[] = {
        {kHtmlTags, false}, {kHtmlAttributes, false}, {kHtmlEntities, false}, {scriptWords(), false}};
    return lists;
}

std::span<const SWordList> php()
{
    static const SWordList lists[] = {
        {kHtmlTags, false},    {kHtmlAttributes, false}, {kHtmlEntities, false},
        {kPhpKeywords, false}, {kPhpOperators, false},
    };
    return lists;
}

std::span<const SWordList> sgml() { return kSgmlLists; }

}  // namespace brindle::words
