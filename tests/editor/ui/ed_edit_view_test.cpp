// Tests of the edit view: keys reach the editing logic, clipboard line ends, undo and redo, the
// go-to-line dialog, incremental search keys, and drag and drop within one view.
#include "editor/ui/ed_edit_view.h"
#include "framework/qt_utf16.h"

#include "editor/ed_edit_core.h"
#include "editor/ed_text_buffer.h"
#include "editor/text_type.h"
#include "editor/ui/ed_edit_commands.h"
#include "editor/ui/ed_view_commands.h"
#include "editor/ui/goto_dlg.h"
#include "support/user_door.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brindle {
namespace {

// Stands in for the platform's drag loop: the drag ends with a drop at dropPoint of this view.
class CDragView : public CEdEditView {
public:
    using CEdEditView::MoveCaretTo;
    using CEdEditView::SetAnchor;

    Qt::DropAction RunDrag(QDrag& drag) override
    {
        ++drags;
        // The application delivers a drop only to the widget that accepted the drag's entry.
        QDragEnterEvent enter(dropPoint, Qt::CopyAction | Qt::MoveAction, drag.mimeData(), Qt::LeftButton,
                              dropModifiers);
        QApplication::sendEvent(viewport(), &enter);
        QDropEvent drop(QPointF(dropPoint), Qt::CopyAction | Qt::MoveAction, drag.mimeData(), Qt::LeftButton,
                        dropModifiers);
        QApplication::sendEvent(viewport(), &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }

    QPoint dropPoint;
    Qt::KeyboardModifiers dropModifiers;
    int drags = 0;
};

struct SKey {
    int key;
    Qt::KeyboardModifiers modifiers = {};
    QString text = {};
};

SKey ch(char c) { return {0, {}, QString(QChar(c))}; }

class EdEditViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_view.SetTextFont(QStringLiteral("Monospace"), 10);
        m_view.resize(500, 300);
        m_view.show();
        m_view.setFocus();
    }

    void fill(const std::vector<std::u16string>& lines, STextPos caret = {})
    {
        for (const auto& line : lines)
            m_buffer.AddLine(line);
        m_view.AttachToBuffer(&m_buffer);
        m_view.ApplyTextType(&textTypes()[0]);
        m_view.MoveCaretTo(caret);
    }

    void press(const SKey& key)
    {
        const int code = key.key != 0 ? key.key : key.text.front().unicode();
        test::sendKey(m_view, code, key.modifiers, key.text);
    }
    void press(const std::vector<SKey>& keys)
    {
        for (const SKey& key : keys)
            press(key);
    }
    void type(const std::string& text)
    {
        for (const char c : text)
            press(ch(c));
    }

    std::u16string text() const
    {
        std::u16string out;
        for (int line = 0; line < m_buffer.LineCount(); ++line) {
            if (line > 0)
                out += u'/';
            out += m_buffer.LineText(line);
        }
        return out;
    }

    QPoint pointOf(STextPos pos) const { return m_view.TextToClient(pos) + QPoint(1, m_view.GetLineHeight() / 2); }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        test::sendMouse(*m_view.viewport(), type, at, Qt::LeftButton, buttons);
    }

    CEdTextBuffer m_buffer;
    CDragView m_view;
};

// Each group of keys once: the view must route the key to the right command and show the caret
// the editing logic leaves. Texts show lines joined by "/".
TEST_F(EdEditViewTest, KeysEditTheTextAndPlaceTheCaret)
{
    struct SCase {
        const char* name;
        std::vector<std::u16string> lines;
        STextPos caret;
        std::vector<SKey> keys;
        std::u16string expected;
        STextPos expectedCaret;
    };
    const std::vector<SCase> cases = {
        {"typing inserts", {u"xy"}, {1, 0}, {ch('a'), ch('b')}, u"xaby", {3, 0}},
        {"insert key toggles overtype", {u"xyz"}, {0, 0}, {{Qt::Key_Insert}, ch('a'), ch('b')}, u"abz", {2, 0}},
        {"enter splits the line", {u"abcd"}, {2, 0}, {{Qt::Key_Return}}, u"ab/cd", {0, 1}},
        {"enter keeps the indentation", {u"  ab"}, {4, 0}, {{Qt::Key_Return}}, u"  ab/  ", {2, 1}},
        {"tab fills to the tab stop", {u"abcdef"}, {6, 0}, {{Qt::Key_Tab}}, u"abcdef  ", {8, 0}},
        {"shift+tab moves back without editing",
         {u"ab      c"},
         {8, 0},
         {{Qt::Key_Backtab, Qt::ShiftModifier}},
         u"ab      c",
         {4, 0}},
        {"backspace", {u"abc"}, {2, 0}, {{Qt::Key_Backspace}}, u"ac", {1, 0}},
        {"backspace at column 0 of plain text", {u"ab", u"cd"}, {0, 1}, {{Qt::Key_Backspace}}, u"ab/cd", {0, 1}},
        {"delete at a line end joins", {u"ab", u"cd"}, {2, 0}, {{Qt::Key_Delete}}, u"abcd", {2, 0}},
        {"ctrl+delete deletes to the next word",
         {u"one two"},
         {0, 0},
         {{Qt::Key_Delete, Qt::ControlModifier}},
         u"two",
         {0, 0}},
        {"ctrl+backspace deletes the word before",
         {u"one two"},
         {7, 0},
         {{Qt::Key_Backspace, Qt::ControlModifier}},
         u"one ",
         {4, 0}},
        {"ctrl+space completes a word",
         {u"foobar", u"fo"},
         {2, 1},
         {{Qt::Key_Space, Qt::ControlModifier}},
         u"foobar/foobar",
         {6, 1}},
        {"ctrl+] matches a bracket",
         {u"(a(b)c)"},
         {0, 0},
         {{Qt::Key_BracketRight, Qt::ControlModifier}},
         u"(a(b)c)",
         {6, 0}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_buffer.ClearAll();
        m_view.SetOvertype(false);
        fill(c.lines, c.caret);
        press(c.keys);
        EXPECT_EQ(text(), c.expected);
        EXPECT_EQ(m_view.GetCursorPos(), c.expectedCaret);
        EXPECT_EQ(m_view.EditCore()->Caret(), c.expectedCaret);  // the two stay in step
    }
}

// The case keys replace the selection and keep it selected in the view, not only in the core.
TEST_F(EdEditViewTest, CaseKeysKeepTheSelection)
{
    struct SCase {
        Qt::Key key;
        std::u16string expected;
    };
    const std::vector<SCase> cases = {
        {Qt::Key_U, u"xHELLO-WORLD FOOx"},
        {Qt::Key_L, u"xhello-world foox"},
        {Qt::Key_K, u"xHELLO-WORLD FOOx"},
        {Qt::Key_J, u"xHello-world Foox"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.expected));
        m_buffer.ClearAll();
        fill({u"xhello-world foox"});
        m_view.MoveCaretTo({1, 0});
        for (int i = 0; i < 15; ++i)
            m_view.onCmdMsg(edcmd::kCharRight + 1);
        press({{c.key, Qt::ControlModifier}});
        EXPECT_EQ(text(), c.expected);
        STextPos start;
        STextPos end;
        m_view.GetSelection(start, end);
        EXPECT_EQ(start, (STextPos{1, 0}));
        EXPECT_EQ(end, (STextPos{16, 0}));
    }
}

TEST_F(EdEditViewTest, PasteMakesLinesOfEveryLineEndAndCopyGivesLf)
{
    fill({u""});
    QGuiApplication::clipboard()->setText(QStringLiteral("a\nb\r\nc\rd"));
    press({{Qt::Key_V, Qt::ControlModifier}});
    EXPECT_EQ(m_buffer.LineCount(), 4);
    EXPECT_EQ(text(), u"a/b/c/d");
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{1, 3}));

    m_view.onCmdMsg(edcmd::kSelectAll);
    press({{Qt::Key_C, Qt::ControlModifier}});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\nb\nc\nd"));

    // Cut takes the same text out and leaves one empty line.
    press({{Qt::Key_X, Qt::ControlModifier}});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{0, 0}));
}

TEST_F(EdEditViewTest, UndoAndRedoFollowTheTypingGroups)
{
    m_buffer.AddLine(u"");
    m_view.AttachToBuffer(&m_buffer);
    type("ab cd");
    ASSERT_EQ(text(), u"ab cd");

    CCmdUI ui(edcmd::kUndo);
    ASSERT_TRUE(m_view.onUpdateCmdUI(ui));
    EXPECT_TRUE(ui.enabled());
    EXPECT_EQ(ui.text(), toQString(m_buffer.UndoMenuText()));

    press({{Qt::Key_Z, Qt::ControlModifier}});
    EXPECT_EQ(text(), u"ab");
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{2, 0}));
    press({{Qt::Key_Backspace, Qt::AltModifier}});
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{0, 0}));
    CCmdUI none(edcmd::kUndo);
    m_view.onUpdateCmdUI(none);
    EXPECT_FALSE(none.enabled());

    press({{Qt::Key_Y, Qt::ControlModifier}});
    EXPECT_EQ(text(), u"ab");
    press({{Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier}});
    EXPECT_EQ(text(), u"ab cd");
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{5, 0}));

    // Typing after an undo goes where the view's caret is.
    press({{Qt::Key_Z, Qt::ControlModifier}});
    type("x");
    EXPECT_EQ(text(), u"abx");
}

TEST_F(EdEditViewTest, ReadOnlyBufferRefusesKeys)
{
    fill({u"abc"}, {1, 0});
    m_buffer.SetReadOnly(true);
    press({ch('x'), {Qt::Key_Delete}, {Qt::Key_Backspace}, {Qt::Key_Return}, {Qt::Key_Tab}});
    EXPECT_EQ(text(), u"abc");
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{1, 0}));
    CCmdUI status(edcmd::kStatusReadOnly);
    m_view.onUpdateCmdUI(status);
    EXPECT_TRUE(status.enabled());
}

TEST_F(EdEditViewTest, GoToLineDialog)
{
    struct SCase {
        const char* entry;  // nullptr: cancel
        STextPos expected;
    };
    // The caret starts at (3, 3) of six lines whose line 0 is short: its column is limited to that
    // line's last character.
    const std::vector<SCase> cases = {
        {"1", {0, 0}},  {"0", {0, 0}},  {"5", {3, 4}}, {"+1", {3, 3}},    {"-1", {3, 1}},
        {"99", {3, 5}}, {"-9", {3, 3}}, {"x", {3, 3}}, {nullptr, {3, 3}},
    };
    fill({u"a", u"bbbb", u"cccc", u"dddd", u"eeee", u"ffff"});
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.entry ? c.entry : "cancel");
        m_view.MoveCaretTo({3, 3});
        bool okWasEnabled = true;
        bool okInitiallyDisabled = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CGotoDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            okInitiallyDisabled = !dialog->okButton()->isEnabled() && dialog->lineText().isEmpty();
            if (!c.entry) {
                dialog->reject();
                return;
            }
            dialog->lineEdit()->setText(QString::fromLatin1(c.entry));
            okWasEnabled = dialog->okButton()->isEnabled();
            dialog->okButton()->click();
        });
        press({{Qt::Key_G, Qt::ControlModifier}});
        EXPECT_TRUE(okInitiallyDisabled);
        EXPECT_TRUE(okWasEnabled);
        EXPECT_EQ(m_view.GetCursorPos(), c.expected);
        EXPECT_FALSE(m_view.IsSelection());
    }
}

TEST_F(EdEditViewTest, IncrementalSearchTakesTheKeysWhileItRuns)
{
    fill({u"one fox", u"two foe", u"fo"}, {0, 0});
    press({{Qt::Key_E, Qt::ControlModifier}});
    ASSERT_TRUE(m_view.IsIncrementalSearchActive());
    type("fo");
    STextPos start;
    STextPos end;
    m_view.GetSelection(start, end);
    EXPECT_EQ(start, (STextPos{4, 0}));
    EXPECT_EQ(end, (STextPos{6, 0}));
    EXPECT_EQ(text(), u"one fox/two foe/fo");  // characters search, they do not edit

    press({{Qt::Key_E, Qt::ControlModifier}});  // again: the next match
    m_view.GetSelection(start, end);
    EXPECT_EQ(start, (STextPos{4, 1}));

    press({ch('e'), {Qt::Key_Backspace}});
    EXPECT_TRUE(m_view.IsIncrementalSearchActive());
    EXPECT_EQ(text(), u"one fox/two foe/fo");

    press(SKey{Qt::Key_Escape});
    EXPECT_FALSE(m_view.IsIncrementalSearchActive());
    EXPECT_FALSE(m_view.IsSelection());
    EXPECT_EQ(m_view.GetCursorPos(), (STextPos{0, 0}));

    // Any other key ends the search with the match selected and is swallowed.
    press({{Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier}});
    type("two");
    press(SKey{Qt::Key_Shift, Qt::ShiftModifier});
    EXPECT_TRUE(m_view.IsIncrementalSearchActive());
    press(SKey{Qt::Key_Return});
    EXPECT_FALSE(m_view.IsIncrementalSearchActive());
    EXPECT_EQ(text(), u"one fox/two foe/fo");
    m_view.GetSelection(start, end);
    EXPECT_EQ(start, (STextPos{0, 1}));
    EXPECT_EQ(end, (STextPos{3, 1}));
}

TEST_F(EdEditViewTest, DragMoveWithinTheViewIsOneUndoStep)
{
    struct SCase {
        const char* name;
        STextPos dropAt;
        Qt::KeyboardModifiers modifiers;
        std::u16string expected;
    };
    const std::vector<SCase> cases = {
        {"move forward", {0, 1}, {}, u"one  three/two four"},
        {"move backward", {0, 0}, {}, u"twoone  three/ four"},
        {"copy with ctrl", {0, 0}, Qt::ControlModifier, u"twoone two three/ four"},
        {"drop onto the dragged text", {5, 0}, {}, u"one two three/ four"},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_buffer.ClearAll();
        fill({u"one two three", u" four"});
        m_view.MoveCaretTo({4, 0});
        for (int i = 0; i < 3; ++i)
            m_view.onCmdMsg(edcmd::kCharRight + 1);
        ASSERT_EQ(m_view.SelectedText(), u"two");
        m_view.dropPoint = pointOf(c.dropAt);
        m_view.dropModifiers = c.modifiers;
        const QPoint from = pointOf({5, 0});
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(QEvent::MouseMove, from + QPoint(QApplication::startDragDistance() + 5, m_view.GetLineHeight()),
              Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, from, Qt::NoButton);
        EXPECT_EQ(m_view.drags, 1);
        m_view.drags = 0;
        EXPECT_EQ(text(), c.expected);
        press({{Qt::Key_Z, Qt::ControlModifier}});
        EXPECT_EQ(text(), u"one two three/ four");
    }
}

}  // namespace
}  // namespace brindle
