#include "editor/text_type.h"

#include "editor/line_parsers.h"

#include <array>
#include <string>

namespace brindle {

namespace {

constexpr std::uint32_t kEolFlags = kTextTypeEolDos | kTextTypeEolUnix | kTextTypeEolMac;

// Rows in the order that the view commands 37500-37522 and the extension lookup rely on.
constexpr std::array<STextType, 24> kTextTypes{{
    {0, u"Plain", u"txt,doc,diz", nullptr, 0x10, 4, u"", u"", u"", -1},
    {1, u"ASP", u"asp", ParseLineAsp, 0x50, 2, u"", u"", u"'", -1},
    {2, u"Basic", u"bas,vb,vbs,frm,dsm", ParseLineBasic, 0x10, 4, u"", u"", u"'", -1},
    {3, u"Batch", u"bat,btm,cmd", ParseLineBatch, 0x11, 4, u"", u"", u"rem ", -1},
    {4, u"C", u"c,cc,cpp,cxx,h,hpp,hxx,hm,inl,rh,tlh,tli,xs", ParseLineC, 0x50, 2, u"/*", u"*/", u"//", -1},
    {5, u"DCL", u"dcl,dcc", ParseLineDcl, 0x50, 2, u"/*", u"*/", u"//", -1},
    {6, u"Fortran", u"f,f90,f9p,fpp", ParseLineFortran, 0x11, 8, u"", u"", u"!", -1},
    {7, u"HTML", u"html,htm,shtml,ihtml,ssi", ParseLineHtml, 0x30, 2, u"<!--", u"-->", u"", -1},
    {8, u"InstallShield", u"rul", ParseLineInstallShield, 0x30, 2, u"/*", u"*/", u"//", -1},
    {9, u"Java", u"java,jav,js", ParseLineJava, 0x50, 2, u"/*", u"*/", u"//", -1},
    {10, u"AutoLISP", u"lsp", ParseLineAutoLisp, 0x30, 2, u";|", u"|;", u";", -1},
    {11, u"Pascal", u"pas", ParseLinePascal, 0x50, 2, u"{", u"}", u"", -1},
    {12, u"Perl", u"pl", ParseLinePerl, 0x110, 4, u"", u"", u"#", -1},
    {13, u"PHP", u"php,php3,php4", ParseLinePhp, 0x50, 2, u"/*", u"*/", u"//", -1},
    {14, u"Python", u"py", ParseLinePython, 0x50, 2, u"/*", u"*/", u"//", -1},
    {15, u"REXX", u"rex,rexx,cmd", ParseLineRexx, 0x10, 4, u"/*", u"*/", u"//", -1},
    {16, u"Resources", u"rc,dlg", ParseLineResources, 0x10, 4, u"/*", u"*/", u"//", -1},
    {17, u"Sgml", u"sgml", ParseLineSgml, 0x30, 2, u"<!--", u"-->", u"", -1},
    {18, u"Shell", u"sh,conf", ParseLineShell, 0x111, 4, u"", u"", u"#", -1},
    {19, u"SIOD", u"scm", ParseLineSiod, 0x50, 2, u";|", u"|;", u";", -1},
    {20, u"SQL", u"sql", ParseLineSql, 0x10, 4, u"/*", u"*/", u"//", -1},
    {21, u"TCL", u"tcl", ParseLineTcl, 0x150, 2, u"", u"", u"#", -1},
    {22, u"TEX", u"tex,sty,cls,clo,ltx,fd,dtx", ParseLineTex, 0x10, 4, u"", u"", u"%", -1},
    {23, u"Compare", u"mrg", ParseLineMerge, 0x10, 4, u"", u"", u"", -1},
}};

std::u16string asciiLower(std::u16string_view text)
{
    std::u16string lower(text);
    for (char16_t& ch : lower) {
        if (ch >= u'A' && ch <= u'Z')
            ch = static_cast<char16_t>(ch - u'A' + u'a');
    }
    return lower;
}

bool listHolds(std::u16string_view list, std::u16string_view item)
{
    while (!list.empty()) {
        const std::size_t comma = list.find(u',');
        if (list.substr(0, comma) == item)
            return true;
        if (comma == std::u16string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return false;
}

}  // namespace

std::int32_t STextType::lineEndStyle() const
{
    switch (flags & kEolFlags) {
    case kTextTypeEolDos: return 0;
    case kTextTypeEolUnix: return 1;
    case kTextTypeEolMac: return 2;
    default:
        // No style, or a contradictory combination that no row of the table has: leave the
        // buffer's style alone.
        return -1;
    }
}

std::span<const STextType> textTypes() { return kTextTypes; }

const STextType* TextTypeOfPath(std::u16string_view path)
{
    // Only the file name can hold the extension: a dot in a folder name does not count.
    // A name without a dot is taken as a bare extension ("cpp") unless it came with a folder,
    // in which case it is a file without an extension ("src/Makefile").
    const std::size_t slash = path.find_last_of(u"/\\");
    if (slash != std::u16string_view::npos)
        path.remove_prefix(slash + 1);
    const std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos && slash != std::u16string_view::npos)
        return nullptr;
    const std::u16string extension = asciiLower(dot == std::u16string_view::npos ? path : path.substr(dot + 1));
    if (extension.empty())
        return nullptr;
    for (const STextType& type : kTextTypes) {
        if (listHolds(type.extensions, extension))
            return &type;
    }
    return nullptr;
}

}  // namespace brindle
