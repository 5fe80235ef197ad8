// Hex view: row layout and texts, typing, clipboard, paging and mouse placement, offscreen.
#include "framework/document.h"
#include "hex_view/hex_edit_view.h"
#include "hex_view/hex_format.h"
#include "support/qt_print.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <span>
#include <string>

namespace brindle {
namespace {

QByteArray counting(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i);
    return bytes;
}

void press(CHexEditView& view, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&view, &event);
}

void type(CHexEditView& view, const QString& text)
{
    for (const QChar character : text)
        press(view, 0, Qt::NoModifier, QString(character));
}

void click(CHexEditView& view, QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent down(QEvent::MouseButtonPress, point, view.viewport()->mapToGlobal(point), Qt::LeftButton,
                     Qt::LeftButton, modifiers);
    QApplication::sendEvent(view.viewport(), &down);
    QMouseEvent up(QEvent::MouseButtonRelease, point, view.viewport()->mapToGlobal(point), Qt::LeftButton, Qt::NoButton,
                   modifiers);
    QApplication::sendEvent(view.viewport(), &up);
}

// A view whose window holds `rows` full rows (and a part of one more).
void sizeForRows(CHexEditView& view, int rows)
{
    view.resize(900, rows * view.charHeight() + view.charHeight() / 2);
    view.show();  // a hidden widget lays out its viewport only when shown
}

TEST(HexFormat, AddressIsCutToItsWidthAndRowsArePadded)
{
    struct SCase {
        std::int64_t offset;
        bool wide;
        const char* expected;
    };
    const SCase cases[] = {
        {0x12345, false, "1234"},
        {0x12345, true, "00012345"},
        {0x10, false, "0010"},
        {0xABCDEF012, true, "ABCDEF01"},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(hex::addressText(c.offset, c.wide), QString::fromLatin1(c.expected)) << c.offset << " " << c.wide;
    // The widths a wide address grows to for offsets beyond 4 GiB.
    const struct {
        std::int64_t offset;
        int digits;
        const char* expected;
    } widths[] = {{0x140000000, 9, "140000000"}, {0x10, 9, "000000010"}, {0x7FFFFFFFFFFFFFFF, 16, "7FFFFFFFFFFFFFFF"}};
    for (const auto& c : widths)
        EXPECT_EQ(hex::addressTextOfWidth(c.offset, c.digits), QString::fromLatin1(c.expected)) << c.offset;

    const QByteArray row = QByteArray::fromHex("10117F20");
    EXPECT_EQ(hex::hexText(row.constData(), 4, 16), QStringLiteral("10 11 7F 20 ") + QString(36, u' '));
    EXPECT_EQ(hex::charText(row.constData(), 4), QStringLiteral("... "));
}

TEST(HexEditView, TwentyBytesMakeTwoRowsWithTheSecondPadded)
{
    QByteArray bytes = counting(20);
    CHexEditView view;
    view.setData(&bytes);
    view.resize(900, 400);
    EXPECT_EQ(view.visibleRows(), 2);
    EXPECT_TRUE(view.displayFlags() & CHexEditView::kPartialLastRow);
    const int cw = view.charWidth();
    // Wide addresses are the default.
    EXPECT_EQ(view.hexColumnX(), 9 * cw);
    EXPECT_EQ(view.textColumnX(), 9 * cw + 48 * cw);
    view.toggleFlag(CHexEditView::kWideAddress);
    EXPECT_EQ(view.hexColumnX(), 5 * cw);
    view.toggleFlag(CHexEditView::kShowHex);
    EXPECT_EQ(view.textColumnX(), 5 * cw);
    view.toggleFlag(CHexEditView::kShowAddress);
    EXPECT_EQ(view.textColumnX(), 0);
    // Painting stops at the data: rendering must not read past byte 20.
    view.grab();
}

// Every character stands in its own cell whatever the font's advance: the blank that ends each
// column stays blank (the text of a wide row once ran into the next column), and the text column's
// first character starts where a click there puts the caret.
TEST(HexEditView, ColumnsNeverRunIntoEachOther)
{
    QByteArray bytes(64, '\x88');
    bytes.replace(0, 16, QByteArray(16, 'W'));
    CHexEditView view;
    view.setData(&bytes);
    sizeForRows(view, 4);
    const int cw = view.charWidth();
    const QImage image = view.viewport()->grab().toImage();
    const auto blankBetween = [&](int from, int to) {
        for (int x = from; x < to; ++x) {
            for (int y = 0; y < 4 * view.charHeight(); ++y) {
                if (image.pixelColor(x, y).lightness() < 128)
                    return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(blankBetween(view.hexColumnX() - cw + 1, view.hexColumnX()));
    EXPECT_TRUE(blankBetween(view.textColumnX() - cw + 1, view.textColumnX()));
    EXPECT_TRUE(blankBetween(view.textColumnX() + 16 * cw, image.width() - 20));
}

TEST(HexEditView, HexColumnTakesOnlyLowercaseDigits)
{
    struct SCase {
        const char* typed;
        bool insert;
        const char* expected;  // hex of the buffer
        std::int64_t caret;
    };
    const SCase cases[] =
        {
            {"A", false, "0011", 0},      {"a", false, "a011", 0},   {"ab", false, "ab11", 1},
            {"G", false, "0011", 0},      {"ab", true, "ab0011", 1}, {"1234", false, "1234", 2},
            {"12345", false, "12345", 2},  // appends at the end of the data
        };
    for (const SCase& c : cases) {
        QByteArray bytes = QByteArray::fromHex("0011");
        CHexEditView view;
        view.setData(&bytes);
        view.resize(900, 300);
        if (c.insert)
            press(view, Qt::Key_Insert);
        type(view, QString::fromLatin1(c.typed));
        std::string got = bytes.toHex().toStdString();
        if (std::string(c.expected).size() % 2)
            got.pop_back();  // the last byte has only its high nibble typed
        EXPECT_EQ(got, c.expected) << c.typed;
        EXPECT_EQ(view.caretOffset(), c.caret) << c.typed;
    }
}

TEST(HexEditView, TypingInTheTextColumnAtTheEndAppends)
{
    QByteArray bytes("AB");
    CHexEditView view;
    view.setData(&bytes);
    view.resize(900, 300);
    // The boundary after the last character: the end of the data.
    click(view, QPoint(view.textColumnX() + 2 * view.charWidth() + 1, view.charHeight() / 2));
    ASSERT_EQ(view.caretArea(), CHexEditView::kTextArea);
    ASSERT_EQ(view.caretOffset(), 2);
    type(view, QStringLiteral("xyz"));
    EXPECT_EQ(bytes, QByteArray("ABxyz"));
    EXPECT_EQ(view.caretOffset(), 5);
    // Overwrite in the middle, insert after Insert.
    view.setCaret(1, CHexEditView::kTextArea);
    type(view, QStringLiteral("q"));
    EXPECT_EQ(bytes, QByteArray("Aqxyz"));
    press(view, Qt::Key_Insert);
    type(view, QStringLiteral("-"));
    EXPECT_EQ(bytes, QByteArray("Aq-xyz"));
    press(view, Qt::Key_Backspace);
    EXPECT_EQ(bytes, QByteArray("Aqxyz"));
    press(view, Qt::Key_Delete);
    EXPECT_EQ(bytes, QByteArray("Aqyz"));
}

// How the user makes a selection of the bytes from..to (end exclusive).
enum class EGesture {
    kShiftRight,  // caret on `from` by keys, then Shift+Right
    kShiftLeft,   // caret on `to` by keys, then Shift+Left: the selection runs backwards
    kShiftClick,  // click on `from`, Shift+click on the last byte (hex) or the boundary `to` (text)
    kSelectAll,   // Ctrl+A
};

// The point to click for the caret at offset: a byte's first digit in the hex column; in the text
// column the character left of the boundary `offset` (a click puts the caret to its right), or
// the first character for boundary 0, which no click reaches.
QPoint bytePoint(CHexEditView& view, bool hex, std::int64_t offset)
{
    const int x = hex ? view.hexColumnX() + 3 * static_cast<int>(offset) * view.charWidth()
                      : view.textColumnX() + static_cast<int>(std::max<std::int64_t>(offset - 1, 0)) * view.charWidth();
    return {x + 1, view.charHeight() / 2};
}

// Selects from..to in the hex or the text column of a one-row view, as a user would.
void selectAsUser(CHexEditView& view, bool hex, std::int64_t from, std::int64_t to, EGesture gesture)
{
    if (gesture == EGesture::kShiftClick) {
        click(view, bytePoint(view, hex, from));
        click(view, bytePoint(view, hex, hex ? to - 1 : to), Qt::ShiftModifier);
        return;
    }
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    if (!hex)
        QTest::keyClick(&view, Qt::Key_Tab);
    if (gesture == EGesture::kSelectAll) {
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        return;
    }
    const bool leftwards = gesture == EGesture::kShiftLeft;
    const int stepsPerByte = hex ? 2 : 1;  // the hex column moves by digit
    for (std::int64_t i = 0; i < (leftwards ? to : from) * stepsPerByte; ++i)
        QTest::keyClick(&view, Qt::Key_Right);
    // In the hex column the selection takes in the byte whose low digit the caret reaches.
    const std::int64_t presses = hex ? 2 * (to - from) - 1 : to - from;
    for (std::int64_t i = 0; i < presses; ++i)
        QTest::keyClick(&view, leftwards ? Qt::Key_Left : Qt::Key_Right, Qt::ShiftModifier);
}

// Reported: select "ABCD" in "ABCDEF", type x, and "E" was lost too, because the view deleted
// the selection and then, in overwrite mode, typed over the byte after it. Undo gives back the
// selected bytes and the selection.
TEST(HexEditView, TypingOverASelectionReplacesOnlyTheSelectedBytes)
{
    struct SCase {
        const char* name;
        std::int64_t from, to;
        EGesture gesture;
        const char* typed;
        // Hex of the bytes afterwards in overwrite and in insert mode; they differ only once
        // typing goes on past the new byte.
        const char* overwrite;
        const char* insert;
        std::int64_t caret;  // and its area
        int area;
        int undoSteps;  // one for each byte typed
    };
    using E = EGesture;
    using V = CHexEditView;
    // The bytes are "ABCDEF": 41 42 43 44 45 46.
    const SCase textCases[] = {
        {"reported: ABCD", 0, 4, E::kShiftRight, "x", "784546", "784546", 1, V::kTextArea, 1},
        {"at the start", 0, 2, E::kShiftRight, "x", "7843444546", "7843444546", 1, V::kTextArea, 1},
        {"in the middle", 1, 4, E::kShiftRight, "x", "41784546", "41784546", 2, V::kTextArea, 1},
        {"to the end", 3, 6, E::kShiftClick, "x", "41424378", "41424378", 4, V::kTextArea, 1},
        {"whole file", 0, 6, E::kSelectAll, "x", "78", "78", 1, V::kTextArea, 1},
        {"one byte", 2, 3, E::kShiftRight, "x", "414278444546", "414278444546", 3, V::kTextArea, 1},
        {"made leftwards", 1, 4, E::kShiftLeft, "x", "41784546", "41784546", 2, V::kTextArea, 1},
        {"then typing goes on", 1, 4, E::kShiftRight, "xy", "41787946", "4178794546", 3, V::kTextArea, 2},
    };
    const SCase hexCases[] = {
        {"two bytes at the start", 0, 2, E::kShiftRight, "a3", "a343444546", "a343444546", 1, V::kHexHigh, 1},
        {"first digit begins a byte", 1, 4, E::kShiftRight, "a", "41a04546", "41a04546", 1, V::kHexLow, 1},
        {"in the middle", 1, 4, E::kShiftRight, "a3", "41a34546", "41a34546", 2, V::kHexHigh, 1},
        {"to the end", 3, 6, E::kShiftRight, "a3", "414243a3", "414243a3", 4, V::kHexHigh, 1},
        {"to the end by click", 4, 6, E::kShiftClick, "0f", "414243440f", "414243440f", 5, V::kHexHigh, 1},
        {"whole file", 0, 6, E::kSelectAll, "a3", "a3", "a3", 1, V::kHexHigh, 1},
        {"one byte", 5, 6, E::kShiftRight, "9", "414243444590", "414243444590", 5, V::kHexLow, 1},
        {"made leftwards", 1, 4, E::kShiftLeft, "a3", "41a34546", "41a34546", 2, V::kHexHigh, 1},
        {"then typing goes on", 1, 4, E::kShiftRight, "a3b", "41a3b546", "41a3b04546", 2, V::kHexLow, 2},
        {"uppercase is no digit", 1, 4, E::kShiftRight, "A", "414243444546", "414243444546", 3, V::kHexLow, 0},
    };
    for (const bool hex : {false, true}) {
        for (const bool insert : {false, true}) {
            for (const SCase& c : hex ? std::span<const SCase>(hexCases) : std::span<const SCase>(textCases)) {
                SCOPED_TRACE(std::string(hex ? "hex, " : "text, ") + (insert ? "insert, " : "overwrite, ") + c.name);
                QByteArray bytes("ABCDEF");
                CHexEditView view;
                view.setData(&bytes);
                view.resize(900, 300);
                if (insert)
                    QTest::keyClick(&view, Qt::Key_Insert);
                selectAsUser(view, hex, c.from, c.to, c.gesture);
                ASSERT_EQ(std::min(view.selectionStart(), view.selectionEnd()), c.from);
                ASSERT_EQ(std::max(view.selectionStart(), view.selectionEnd()), c.to);
                const std::int64_t anchor = view.selectionStart();
                const std::int64_t end = view.selectionEnd();
                const std::int64_t caret = view.caretOffset();
                const int area = view.caretArea();
                QTest::keyClicks(&view, QString::fromLatin1(c.typed));
                EXPECT_EQ(bytes.toHex().toStdString(), insert ? c.insert : c.overwrite);
                EXPECT_EQ(view.caretOffset(), c.caret);
                EXPECT_EQ(view.caretArea(), c.area);

                // One more Ctrl+Z than there are steps: the last finds nothing to take back.
                for (int i = 0; i <= c.undoSteps; ++i)
                    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
                EXPECT_EQ(bytes, QByteArray("ABCDEF"));
                EXPECT_EQ(view.selectionStart(), anchor);
                EXPECT_EQ(view.selectionEnd(), end);
                EXPECT_EQ(view.caretOffset(), caret);
                EXPECT_EQ(view.caretArea(), area);
            }
        }
    }
}

// Each edit is one step for Ctrl+Z, in the order made; a byte typed in the hex column is one step
// with both its digits. Ctrl+Shift+Z is the redo key and takes nothing back.
TEST(HexEditView, CtrlZTakesBackEditsOneUserActionAtATime)
{
    struct SCase {
        const char* name;
        bool hex;
        bool insert;
        std::int64_t caret;  // clicked on: a byte's first digit, or a boundary in the text column
        int selected;        // bytes then selected with Shift+Right (hex: 2n - 1 presses)
        const char* typed;
        const char* keys;  // after the typing
        int undos;
        const char* expected;  // the bytes afterwards
        std::int64_t expectedCaret;
    };
    const SCase cases[] = {
        {"overwrite a character", false, false, 2, 0, "x", "", 1, "ABCDEF", 2},
        {"insert a character", false, true, 2, 0, "x", "", 1, "ABCDEF", 2},
        {"append a character", false, false, 6, 0, "x", "", 1, "ABCDEF", 6},
        {"characters one by one", false, false, 1, 0, "xyz", "", 2, "AxCDEF", 2},
        {"both digits of a byte", true, false, 1, 0, "a3", "", 1, "ABCDEF", 1},
        {"inserted byte", true, true, 1, 0, "a3", "", 1, "ABCDEF", 1},
        {"first digit alone", true, false, 1, 0, "a", "", 1, "ABCDEF", 1},
        {"byte by byte", true, false, 1, 0, "a3b4", "", 1,
         "A\xa3"
         "CDEF",
         2},
        {"Backspace", false, false, 3, 0, "", "Backspace", 1, "ABCDEF", 3},
        {"Delete", false, false, 3, 0, "", "Del", 1, "ABCDEF", 3},
        {"Delete a selection", true, false, 1, 3, "", "Del", 1, "ABCDEF", 3},
        {"every byte deleted", false, false, 1, 0, "", "Ctrl+A, Del", 1, "ABCDEF", 1},
        {"cut, then paste", false, false, 1, 2, "", "Ctrl+X, Right, Ctrl+V", 1, "ADEF", 2},
        {"cut and paste", false, false, 1, 2, "", "Ctrl+X, Right, Ctrl+V", 2, "ABCDEF", 3},
        {"paste over a selection", false, false, 1, 2, "", "Ctrl+C, Shift+Left, Ctrl+V", 1, "ABCDEF", 2},
        {"nothing to take back", false, false, 2, 0, "", "", 1, "ABCDEF", 2},
        {"redo key", false, false, 2, 0, "x", "Ctrl+Shift+Z", 0, "ABxDEF", 3},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray bytes("ABCDEF");
        CHexEditView view;
        view.setData(&bytes);
        view.resize(900, 300);
        if (c.insert)
            QTest::keyClick(&view, Qt::Key_Insert);
        click(view, bytePoint(view, c.hex, c.caret));
        for (int i = 0; i < (c.hex ? 2 * c.selected - 1 : c.selected); ++i)
            QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClicks(&view, QString::fromLatin1(c.typed));
        QTest::keySequence(&view, QKeySequence(QString::fromLatin1(c.keys)));
        for (int i = 0; i < c.undos; ++i)
            QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(bytes, QByteArray(c.expected));
        EXPECT_EQ(view.caretOffset(), c.expectedCaret);
    }
}

// Panes of a split window share the bytes: once another pane changed them, the steps recorded here
// would put bytes back at offsets that moved, so there is nothing left to take back.
TEST(HexEditView, AnotherViewsEditEndsTheUndoHistory)
{
    QByteArray bytes("ABCDEF");
    CDocument document;
    document.setAutoDelete(false);  // it lives on the stack
    CHexEditView first;
    CHexEditView second;
    for (CHexEditView* view : {&first, &second}) {
        view->attachDocument(&document);
        view->setData(&bytes);
        view->resize(900, 300);
        QTest::keyClick(view, Qt::Key_Tab);  // to the text column
    }
    QTest::keyClicks(&first, QStringLiteral("x"));
    QTest::keyClick(&second, Qt::Key_Delete);
    ASSERT_EQ(bytes, QByteArray("BCDEF"));
    EXPECT_FALSE(first.canUndo());
    QTest::keyClick(&first, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes, QByteArray("BCDEF"));
    EXPECT_TRUE(document.isModified());
    // The pane that made the last change takes it back.
    QTest::keyClick(&second, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(bytes, QByteArray("xBCDEF"));
}

TEST(HexEditView, CopyGivesRawBytesAndTheColumnsText)
{
    struct SCase {
        int area;
        const char* text;
    };
    const SCase cases[] = {{CHexEditView::kHexHigh, "41 0A "}, {CHexEditView::kTextArea, "A."}};
    for (const SCase& c : cases) {
        QByteArray bytes = QByteArray::fromHex("30410A31");
        CHexEditView view;
        view.setData(&bytes);
        view.resize(900, 300);
        view.setCaret(1, c.area);
        press(view, Qt::Key_Right, Qt::ShiftModifier);
        if (c.area == CHexEditView::kHexHigh)
            press(view, Qt::Key_Right, Qt::ShiftModifier);  // past the low nibble to the next byte
        press(view, Qt::Key_Right, Qt::ShiftModifier);
        ASSERT_EQ(std::min(view.selectionStart(), view.selectionEnd()), 1) << c.text;
        ASSERT_EQ(std::max(view.selectionStart(), view.selectionEnd()), 3) << c.text;
        press(view, Qt::Key_C, Qt::ControlModifier);
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        ASSERT_NE(mime, nullptr);
        EXPECT_EQ(mime->data(QStringLiteral("BinaryData")), QByteArray::fromHex("410A")) << c.text;
        EXPECT_EQ(mime->text(), QString::fromLatin1(c.text));
    }
}

TEST(HexEditView, CutAndPasteMoveBytesAndPreferTheRawBlock)
{
    QByteArray bytes("0123456789");
    CHexEditView view;
    view.setData(&bytes);
    view.resize(900, 300);
    view.setCaret(2, CHexEditView::kTextArea);
    press(view, Qt::Key_Right, Qt::ShiftModifier);
    press(view, Qt::Key_Right, Qt::ShiftModifier);
    press(view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(bytes, QByteArray("01456789"));
    view.setCaret(6, CHexEditView::kTextArea);
    press(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(bytes, QByteArray("0145672389"));

    // A raw block wins over the text; without it the text is pasted. On a low nibble the block
    // goes after the caret byte.
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("BinaryData"), QByteArray("\0\1", 2));
    mime->setText(QStringLiteral("text"));
    QApplication::clipboard()->setMimeData(mime);
    QByteArray other("ab");
    view.setData(&other);
    view.setCaret(0, CHexEditView::kHexLow);
    view.paste();
    EXPECT_EQ(other, QByteArray("a\0\1b", 4));
    QApplication::clipboard()->setText(QStringLiteral("zz"));
    view.setCaret(0, CHexEditView::kHexHigh);
    view.paste();
    EXPECT_EQ(other, QByteArray("zza\0\1b", 6));
}

TEST(HexEditView, MovesStepByNibbleAndStayInsideTheData)
{
    struct SCase {
        std::int64_t caret;
        int area;
        int key;
        Qt::KeyboardModifiers modifiers;
        std::int64_t expectedCaret;
        int expectedArea;
    };
    using V = CHexEditView;
    const SCase cases[] = {
        {5, V::kHexHigh, Qt::Key_Right, {}, 5, V::kHexLow},
        {5, V::kHexLow, Qt::Key_Right, {}, 6, V::kHexHigh},
        {5, V::kHexHigh, Qt::Key_Left, {}, 4, V::kHexLow},
        {5, V::kHexLow, Qt::Key_Left, {}, 5, V::kHexHigh},
        {0, V::kHexHigh, Qt::Key_Left, {}, 0, V::kHexLow},
        {39, V::kHexLow, Qt::Key_Right, {}, 39, V::kHexHigh},
        {39, V::kTextArea, Qt::Key_Right, {}, 39, V::kTextArea},
        {30, V::kTextArea, Qt::Key_Down, {}, 30, V::kTextArea},
        {20, V::kTextArea, Qt::Key_Up, {}, 4, V::kTextArea},
        {20, V::kTextArea, Qt::Key_Home, {}, 16, V::kTextArea},
        {20, V::kTextArea, Qt::Key_End, {}, 31, V::kTextArea},
        {35, V::kTextArea, Qt::Key_End, {}, 39, V::kTextArea},
        {20, V::kHexLow, Qt::Key_Tab, {}, 20, V::kTextArea},
        {20, V::kTextArea, Qt::Key_Tab, {}, 20, V::kHexHigh},
        {20, V::kTextArea, Qt::Key_End, Qt::ControlModifier, 39, V::kTextArea},
        {20, V::kTextArea, Qt::Key_Home, Qt::ControlModifier, 0, V::kTextArea},
        {20, V::kAddressArea, Qt::Key_Down, {}, 20, V::kAddressArea},
    };
    for (const SCase& c : cases) {
        QByteArray bytes = counting(40);
        CHexEditView view;
        view.setData(&bytes);
        view.resize(900, 300);
        view.setCaret(c.caret, c.area);
        press(view, c.key, c.modifiers);
        EXPECT_EQ(view.caretOffset(), c.expectedCaret) << c.caret << " key " << c.key;
        EXPECT_EQ(view.caretArea(), c.expectedArea) << c.caret << " key " << c.key;
    }
}

TEST(HexEditView, PageKeysKeepTheCaretsPlaceOnTheScreen)
{
    QByteArray bytes = counting(0x1000);  // 256 rows
    CHexEditView view;
    view.setData(&bytes);
    sizeForRows(view, 10);
    ASSERT_EQ(view.visibleRows(), 10);
    view.setCaret(3 * 16 + 5, CHexEditView::kHexHigh);
    press(view, Qt::Key_PageDown);
    EXPECT_EQ(view.topOffset(), 160);
    EXPECT_EQ(view.caretOffset(), 160 + 3 * 16 + 5);
    press(view, Qt::Key_PageDown);
    EXPECT_EQ(view.caretOffset() - view.topOffset(), 3 * 16 + 5);
    press(view, Qt::Key_PageUp);
    EXPECT_EQ(view.topOffset(), 160);
    EXPECT_EQ(view.caretOffset(), 160 + 3 * 16 + 5);
    // The last page: the top stops where the last rows fill the window.
    press(view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view.topOffset(), 0x1000 - 160);
    EXPECT_EQ(view.caretOffset(), 0xFFF);
    press(view, Qt::Key_PageDown);
    EXPECT_EQ(view.topOffset(), 0x1000 - 160);
    // Moving down past the window scrolls by one row.
    view.setCaret(0, CHexEditView::kTextArea);
    press(view, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 10; ++i)
        press(view, Qt::Key_Down);
    EXPECT_EQ(view.topOffset(), 16);
    EXPECT_EQ(view.caretOffset(), 160);
}

TEST(HexEditView, ShowRangePutsTheOffsetAThirdDown)
{
    QByteArray bytes = counting(0x10000);
    CHexEditView view;
    view.setData(&bytes);
    sizeForRows(view, 30);
    ASSERT_EQ(view.visibleRows(), 30);
    view.showRange(0x5000, 4);
    EXPECT_EQ(view.topOffset(), 16 * (0x500 - 10));
    EXPECT_EQ(view.caretOffset(), 0x5000);
    EXPECT_EQ(view.caretArea(), CHexEditView::kHexHigh);
    EXPECT_EQ(view.selectionStart(), 0x5000);
    EXPECT_EQ(view.selectionEnd(), 0x5004);
    // Already on screen: nothing scrolls; length 0 selects nothing.
    view.showRange(0x5010, 0);
    EXPECT_EQ(view.topOffset(), 16 * (0x500 - 10));
    EXPECT_FALSE(view.hasSelection());
}

TEST(HexEditView, ClicksPlaceTheCaretOnTheNibbleOrCharacterUnderThePoint)
{
    QByteArray bytes = counting(40);
    CHexEditView view;
    view.setData(&bytes);
    view.resize(900, 300);
    const int cw = view.charWidth();
    const int y = view.charHeight() + 1;  // second row
    struct SCase {
        bool wide;
        int column;  // in characters from the hex column's left edge
        std::int64_t offset;
        int area;
    };
    const SCase cases[] = {
        {false, 0, 16, CHexEditView::kHexHigh}, {false, 1, 16, CHexEditView::kHexLow},
        {false, 2, 17, CHexEditView::kHexHigh}, {false, 7, 18, CHexEditView::kHexLow},
        {true, 0, 16, CHexEditView::kHexHigh},  {true, 4, 17, CHexEditView::kHexLow},
    };
    for (const SCase& c : cases) {
        if (((view.displayFlags() & CHexEditView::kWideAddress) != 0) != c.wide)
            view.toggleFlag(CHexEditView::kWideAddress);
        click(view, QPoint(view.hexColumnX() + c.column * cw + 1, y));
        EXPECT_EQ(view.caretOffset(), c.offset) << c.wide << " " << c.column;
        EXPECT_EQ(view.caretArea(), c.area) << c.wide << " " << c.column;
    }
    // Shift+click extends from the caret.
    click(view, QPoint(view.hexColumnX() + 9 * cw + 1, y), Qt::ShiftModifier);
    EXPECT_EQ(view.selectionStart(), 17);
    EXPECT_EQ(view.selectionEnd(), 20);

    // In the text column the caret goes to the boundary right of the character clicked, whichever
    // half of it the point is in; past the last character nothing moves.
    const struct {
        int x;  // from the text column's left edge, in pixels
        std::int64_t caret;
    } textCases[] = {{1, 17}, {cw - 1, 17}, {cw + 1, 18}, {15 * cw + 1, 32}, {16 * cw + 1, 32}};
    click(view, QPoint(view.hexColumnX() + 1, y));
    for (const auto& c : textCases) {
        click(view, QPoint(view.textColumnX() + c.x, y));
        EXPECT_EQ(view.caretOffset(), c.caret) << c.x;
        EXPECT_EQ(view.caretArea(), CHexEditView::kTextArea) << c.x;
    }
}

TEST(HexEditView, EmptyDataShowsWhiteAndIgnoresKeys)
{
    QByteArray bytes;
    CHexEditView view;
    view.setData(&bytes);
    view.resize(300, 200);
    type(view, QStringLiteral("ab"));
    press(view, Qt::Key_End, Qt::ControlModifier);
    click(view, QPoint(60, 5));
    EXPECT_EQ(bytes.size(), 0);
    const QImage image = view.viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
}

TEST(HexEditView, PrintsEveryRowOnPagesAndStartsOver)
{
    QTemporaryDir folder;
    QByteArray bytes = counting(16 * 1000);
    CHexEditView view;
    view.setData(&bytes);
    view.resize(900, 300);
    view.setCaret(100, CHexEditView::kTextArea);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("dump.pdf")));
    const int pages = view.printTo(printer);
    EXPECT_GT(pages, 1);
    EXPECT_LT(pages, 1000);
    EXPECT_EQ(view.caretOffset(), 0);
    EXPECT_EQ(view.caretArea(), CHexEditView::kHexHigh);
    EXPECT_TRUE(QFileInfo(printer.outputFileName()).size() > 0);
}

}  // namespace
}  // namespace brindle
