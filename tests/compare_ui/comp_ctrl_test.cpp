// The report pane: text and positions from a report document, scrolling with the partner,
// search passes that wrap once, the text the find dialog proposes, and copying.
#include "compare_ui/comp_ctrl.h"
#include "framework/qt_utf16.h"

#include "compare_ui/find_dlg.h"
#include "engine/rtf_document.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle {
namespace {

std::string report(const std::vector<std::u16string>& lines)
{
    CRtfDocument document;
    document.start(u"Courier New", 10);
    for (const std::u16string& line : lines) {
        document.raw(kRtfBlack);
        document.text(line);
        document.raw("}");
        document.raw(kRtfLineEnd);
    }
    document.raw("}");
    return document.takeBytes();
}

std::vector<std::u16string> numbered(int count, std::u16string prefix = u"line ")
{
    std::vector<std::u16string> lines;
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        lines.push_back(prefix + std::u16string(number.begin(), number.end()));
    }
    return lines;
}

struct SPanes {
    SPanes(int lines1, int lines2, int width1 = 300, int width2 = 300)
    {
        one.setRtf(report(numbered(lines1)));
        two.setRtf(report(numbered(lines2)));
        one.resize(width1, 200);
        two.resize(width2, 200);
        one.show();
        two.show();
    }
    void partners(bool on)
    {
        one.setPartner(on ? &two : nullptr);
        two.setPartner(on ? &one : nullptr);
    }
    CCompCtrl one;
    CCompCtrl two;
};

TEST(CompCtrlTest, PositionsCountOneForEachLineEnd)
{
    CCompCtrl pane;
    pane.setRtf(report({u"ab", u"", u"cde"}));
    ASSERT_EQ(pane.lineCount(), 3);
    EXPECT_EQ(pane.text(), QStringLiteral("ab\n\ncde"));
    const struct {
        int line;
        int index;
    } starts[] = {{0, 0}, {1, 3}, {2, 4}, {3, -1}, {-1, -1}};
    for (const auto& s : starts)
        EXPECT_EQ(pane.lineIndex(s.line), s.index) << "line " << s.line;
    const struct {
        int position;
        int line;
    } lines[] = {{0, 0}, {2, 0}, {3, 1}, {4, 2}, {7, 2}};
    for (const auto& l : lines)
        EXPECT_EQ(pane.lineFromChar(l.position), l.line) << "position " << l.position;
}

TEST(CompCtrlTest, VerticalScrollingFollowsThePartnerOnlyWhenSet)
{
    for (const bool on : {true, false}) {
        SPanes panes(500, 500);
        panes.partners(on);
        panes.one.lineScroll(40);
        EXPECT_EQ(panes.one.firstVisibleLine(), 40);
        EXPECT_EQ(panes.two.firstVisibleLine(), on ? 40 : 0);
        // Scrolling bar of the other pane, the way the mouse wheel and keys move it.
        panes.two.verticalScrollBar()->setValue(10);
        EXPECT_EQ(panes.one.firstVisibleLine(), on ? 10 : 40);
        EXPECT_EQ(panes.two.firstVisibleLine(), 10);
    }
}

TEST(CompCtrlTest, PartnerThatCannotScrollAsFarDoesNotPullBack)
{
    SPanes panes(500, 50);
    panes.partners(true);
    panes.one.lineScroll(300);
    EXPECT_EQ(panes.one.firstVisibleLine(), 300);
    EXPECT_LT(panes.two.firstVisibleLine(), 300);
}

TEST(CompCtrlTest, HorizontalScrollingMapsProportionally)
{
    // Panes of different widths over the same long lines: the scroll ranges differ.
    SPanes panes(5, 5, 200, 400);
    const std::u16string wide(400, u'w');
    panes.one.setRtf(report({wide}));
    panes.two.setRtf(report({wide}));
    panes.partners(true);
    const QScrollBar* bar1 = panes.one.horizontalScrollBar();
    const QScrollBar* bar2 = panes.two.horizontalScrollBar();
    ASSERT_GT(bar1->maximum(), bar2->maximum());
    ASSERT_GT(bar2->maximum(), 0);
    for (const double share : {0.0, 0.25, 0.5, 1.0}) {
        const int position = static_cast<int>(share * bar1->maximum());
        panes.one.setHorizontalPosition(position);
        const double expected = static_cast<double>(position) / bar1->maximum() * bar2->maximum();
        EXPECT_EQ(panes.two.horizontalPosition(), static_cast<int>(expected)) << "share " << share;
    }
    // Moving the narrower range back maps the other way and does not bounce.
    panes.two.setHorizontalPosition(bar2->maximum() / 2);
    EXPECT_EQ(panes.one.horizontalPosition(),
              static_cast<int>(static_cast<double>(bar2->maximum() / 2) / bar2->maximum() * bar1->maximum()));
    EXPECT_EQ(panes.two.horizontalPosition(), bar2->maximum() / 2);
}

// The range starts from the line longest in characters; a shorter line that ends in a tab reaches
// further and widens it once scrolling shows its end. That happens where the pane
// scrolls: painting at any position leaves the scroll bars as they were.
TEST(CompCtrlTest, PaintingLeavesTheScrollBarsAsTheyWere)
{
    CCompCtrl pane;
    pane.setRtf(report({std::u16string(100, u'a'), std::u16string(97, u'a') + u"\t"}));
    pane.resize(300, 200);
    pane.show();
    QScrollBar* bar = pane.horizontalScrollBar();
    const int firstMaximum = bar->maximum();
    ASSERT_GT(firstMaximum, 0);
    for (int position = 0; position <= bar->maximum(); ++position) {
        bar->setValue(position);
        const int maximum = bar->maximum();
        pane.viewport()->grab();
        ASSERT_EQ(bar->maximum(), maximum) << "position " << position;
        ASSERT_EQ(bar->value(), position);
    }
    EXPECT_GT(bar->maximum(), firstMaximum);
}

TEST(CompCtrlTest, FindTextOptions)
{
    CCompCtrl pane;
    pane.setRtf(report({u"Alpha beta", u"alphabet alpha_x", u"ALPHA"}));
    const struct {
        const char* text;
        int from;
        int to;
        bool matchCase;
        bool wholeWord;
        int expected;
    } cases[] = {
        {"alpha", 0, -1, false, false, 0},
        {"alpha", 0, -1, true, false, 11},
        {"alpha", 1, -1, false, false, 11},
        {"alpha", 1, -1, false, true, 28},  // "alphabet" and "alpha_x" are not the whole word
        {"alpha", 1, 30, false, true, -1},  // the match must end within the range
        {"alpha", 1, 33, false, true, 28},
        {"beta", 0, -1, false, true, 6},
        {"a\nal", 0, -1, false, false, 9},  // across a line end
        {"", 0, -1, false, false, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pane.findText(QString::fromUtf8(c.text), c.from, c.to, c.matchCase, c.wholeWord), c.expected)
            << c.text << " from " << c.from;
}

// A long pane is searched a piece at a time: matches across the pieces' borders, at the ends of
// a range and around them are found as a search of the whole text finds them.
TEST(CompCtrlTest, FindInALongPaneAgreesWithASearchOfTheWholeText)
{
    CCompCtrl pane;
    pane.setRtf(report(numbered(30000)));  // about 330,000 characters
    const QString all = pane.text();
    ASSERT_GT(all.size(), 4 * 65536);
    const QString needles[] = {QStringLiteral("line 2"), QStringLiteral("LINE 29999"), QStringLiteral("9\nline 1"),
                               QStringLiteral("e"), QStringLiteral("line 5957\nline 5958")};
    const int borders[] = {0, 65535, 65536, 65537, 131071, 131072, 196600};
    for (const QString& needle : needles) {
        for (const int from : borders) {
            for (const int to : {-1, 65536 + 3, 131072 + 10, static_cast<int>(all.size())}) {
                const qsizetype end = to < 0 ? all.size() : to;
                const qsizetype expected = QStringView(all).first(end).indexOf(needle, from, Qt::CaseInsensitive);
                EXPECT_EQ(pane.findText(needle, from, to, false, false), expected)
                    << needle.toStdString() << " from " << from << " to " << to;
            }
        }
    }
    // Whole words across a border: "line 9000" is one there, "line 900" is never one.
    const int at = static_cast<int>(all.indexOf(QStringLiteral("line 9000\n")));
    const int from = at + 4 - 65536;
    ASSERT_GT(from, 0);
    EXPECT_EQ(pane.findText(QStringLiteral("line 9000"), from, -1, true, true), at);
    EXPECT_EQ(pane.findText(QStringLiteral("line 900"), from, at + 20, true, true), -1);
    // "ine 9000" starts inside a word, at the start of the search and at the start of a piece.
    EXPECT_EQ(pane.findText(QStringLiteral("ine 9000"), at + 1, -1, true, true), -1);
    EXPECT_EQ(pane.findText(QStringLiteral("ine 9000"), at + 1 - 65536, -1, true, true), -1);
}

// Find Next with "x" in "x.x.x" from the second x: second, third, first (wrapped), then the pass
// ends where it began and the next one starts over.
TEST(CompCtrlTest, FindNextWrapsOnceAndStopsWhereItBegan)
{
    CCompCtrl pane;
    pane.setRtf(report({u"x.x", u"x"}));
    pane.show();
    pane.setSelection(2, 2);
    pane.showFindDialog();
    auto* dialog = pane.findChild<CFindDlg*>();
    ASSERT_NE(dialog, nullptr);
    dialog->setSearch(QStringLiteral("x"), false, false);
    emit dialog->findNextRequested();
    EXPECT_EQ(pane.selectionStart(), 2);
    const int expected[] = {4, 0, 0, 2, 4};
    for (const int start : expected) {
        pane.findNext();
        EXPECT_EQ(pane.selectionStart(), start);
        EXPECT_EQ(pane.selectionEnd(), start + 1);
    }
}

TEST(CompCtrlTest, FindProposesTheSelectionUnlessItSpansLines)
{
    CCompCtrl pane;
    pane.setRtf(report({u"first word", u"second"}));
    pane.setSelection(6, 10);
    pane.showFindDialog();
    auto* dialog = pane.findChild<CFindDlg*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findText(), QStringLiteral("word"));
    pane.setSelection(6, 13);  // "word\nse"
    pane.showFindDialog();
    EXPECT_EQ(pane.findChildren<CFindDlg*>().size(), 1);
    EXPECT_EQ(dialog->findText(), QStringLiteral("word"));
}

TEST(CompCtrlTest, CopyPutsPlainTextOnTheClipboard)
{
    CCompCtrl pane;
    pane.setRtf("{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}{\\cf1 blue}\\par \\u1046?x\\par}");
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    pane.copy();  // nothing selected: the clipboard stays
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    pane.selectAll();
    pane.copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), toQString(u"blue\n\u0416x"));
}

}  // namespace
}  // namespace brindle
