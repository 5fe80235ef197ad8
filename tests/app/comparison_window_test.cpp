// The comparison window on real files: one window reused, the section list and its navigation,
// panes scrolled to the chosen section, scrolling together, the form's layout, dropped files and
// the file position of report lines.
#include "app/main_frame.h"
#include "compare_ui/brd_doc.h"
#include "compare_ui/brd_form_view.h"
#include "compare_ui/brd_view.h"
#include "compare_ui/comp_ctrl.h"
#include "compare_ui/comp_files_page.h"
#include "compare_ui/external_viewer.h"
#include "compare_ui/sel_page.h"
#include "editor/colour_table.h"
#include "editor/ui/ed_colours.h"
#include "engine/comp_file_opt.h"
#include "frame_test_support.h"
#include "framework/command_ids.h"
#include "framework/doc_template.h"
#include "framework/mdi_child_wnd.h"
#include "framework/qt_utf16.h"
#include "merge_editor/rode_zor_text_buffer.h"
#include "platform/profile.h"
#include "platform/settings_names.h"
#include "support/argv_recorder.h"
#include "support/case_name.h"
#include "support/temp_dir.h"
#include "support/user_door.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMimeData>
#include <QPalette>
#include <QPushButton>
#include <QSplitter>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace brindle {
namespace {

std::string numberedLines(int count, const std::string& prefix = "line ")
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += prefix + std::to_string(i) + "\n";
    return text;
}

class ComparisonWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.app.initInstance(QString()));
        // Three differences in 200 lines: a change at 20, an insertion after 100, a deletion at 150.
        std::string one = numberedLines(200);
        std::string two;
        for (int i = 1; i <= 200; ++i) {
            if (i == 150)
                continue;
            two += i == 20 ? "changed 20\n" : "line " + std::to_string(i) + "\n";
            if (i == 100)
                two += "inserted\n";
        }
        test::writeFile(m_dir.file("one.txt"), one);
        test::writeFile(m_dir.file("two.txt"), two);
    }

    CBRDDoc* open(const std::string& name1 = "one.txt", const std::string& name2 = "two.txt",
                  const std::function<void(CCompFileOpt&)>& adjust = {})
    {
        CCompFileOpt record;
        record.m_file1Path = toU16String(QString::fromStdString(m_dir.file(name1)));
        record.m_file2Path = toU16String(QString::fromStdString(m_dir.file(name2)));
        if (adjust)
            adjust(record);
        CBRDDoc* doc = CBRDDoc::openComparison(record, QString());
        test::settle();
        return doc;
    }

    int selectedLine(CBRDDoc& doc) const
    {
        QTreeWidgetItem* item = doc.sectionList()->currentItem();
        return item ? item->data(0, Qt::UserRole).toInt() : -1;
    }

    test::SAppOnMemorySettings m_app;
    test::CTempDir m_dir;
};

TEST_F(ComparisonWindowTest, OneWindowReusedAndFirstSectionShownAfterRefresh)
{
    CBRDDoc* first = open();
    ASSERT_NE(first, nullptr);
    CBRDDoc* second = open();
    EXPECT_EQ(second, first);
    EXPECT_EQ(m_app.app.docTemplateAt(kComparisonTemplate)->documents().size(), 1u);

    CBRDView* list = first->sectionList();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->root(), nullptr);
    EXPECT_EQ(list->root()->text(0), QStringLiteral("Comparison Results"));
    // common, change, common, insertion, common, deletion, common
    EXPECT_EQ(list->root()->childCount(), 7);
    EXPECT_EQ(list->currentItem(), list->root()->child(0));
    EXPECT_EQ(first->pane1().firstVisibleLine(), 0);
    EXPECT_EQ(first->pane1().lineCount(), first->pane2().lineCount());
    EXPECT_TRUE(first->pane1().lineText(19).contains(QStringLiteral("line 20")));
    EXPECT_TRUE(first->pane2().lineText(19).contains(QStringLiteral("changed 20")));
}

TEST_F(ComparisonWindowTest, NextAndPreviousWrapAndLeaveTheRoot)
{
    CBRDDoc* doc = open();
    ASSERT_NE(doc, nullptr);
    CBRDView* list = doc->sectionList();
    QTreeWidgetItem* root = list->root();
    const int last = root->childCount() - 1;

    struct SStep {
        QTreeWidgetItem* from;
        bool next;
        QTreeWidgetItem* to;
    } steps[] = {
        {root->child(last), true, root->child(0)},   // Next on the last wraps to the first
        {root->child(0), false, root->child(last)},  // Previous on the first wraps to the last
        {root, true, root->child(0)},                // Next from the root: the first section
        {root, false, root->child(last)},            // Previous from the root: the last
        {root->child(2), true, root->child(3)},
        {root->child(2), false, root->child(1)},
    };
    for (const SStep& step : steps) {
        list->setCurrentItem(step.from);
        if (step.next)
            doc->nextSection();
        else
            doc->prevSection();
        EXPECT_EQ(list->currentItem(), step.to) << list->indexOfTopLevelItem(step.from);
    }
}

TEST_F(ComparisonWindowTest, SelectingASectionPutsItsLineAtTheTopOfBothPanes)
{
    for (const int synch : {1, 0}) {
        CBRDDoc* doc = open("one.txt", "two.txt", [synch](CCompFileOpt& r) { r.m_synchScrolling = synch; });
        ASSERT_NE(doc, nullptr);
        CBrdFormView* form = doc->formView();
        form->resize(600, 200);
        test::settle();
        doc->nextSection();
        doc->nextSection();
        doc->nextSection();  // the common part after the change
        const int line = selectedLine(*doc);
        ASSERT_GT(line, 0);
        EXPECT_EQ(doc->pane1().firstVisibleLine(), line) << "synch " << synch;
        EXPECT_EQ(doc->pane2().firstVisibleLine(), line) << "synch " << synch;

        // Free scrolling follows the partner only when scrolling together.
        doc->pane1().lineScroll(7);
        EXPECT_EQ(doc->pane1().firstVisibleLine(), line + 7);
        EXPECT_EQ(doc->pane2().firstVisibleLine(), synch ? line + 7 : line) << "synch " << synch;
    }
}

struct SLayoutCase {
    const char* name;
    int alignment;
    int width;
    int height;
};

class ComparisonLayoutTest : public ComparisonWindowTest, public ::testing::WithParamInterface<SLayoutCase> {};

TEST_P(ComparisonLayoutTest, PanesAndButtonsWhereTheFormPutsThem)
{
    const SLayoutCase& c = GetParam();
    CBRDDoc* doc = open("one.txt", "two.txt", [&c](CCompFileOpt& r) { r.m_alignment = c.alignment; });
    ASSERT_NE(doc, nullptr);
    CBrdFormView* form = doc->formView();
    form->resize(c.width, c.height);
    form->layoutControls();
    const QRect pane1 = doc->pane1().geometry();
    const QRect pane2 = doc->pane2().geometry();
    const QRect button1 = form->button(1)->geometry();
    const QRect button2 = form->button(2)->geometry();
    // Rectangles as left, top, right and bottom with right and bottom exclusive.
    const auto right = [](const QRect& r) { return r.x() + r.width(); };
    const auto bottom = [](const QRect& r) { return r.y() + r.height(); };
    const int w = c.width;
    const int h = c.height;
    if (c.alignment == 0) {
        const int m = (w - 9) / 2;
        EXPECT_EQ(pane1.left(), 3);
        EXPECT_EQ(right(pane1), m);
        EXPECT_EQ(bottom(pane1), h - 3);
        EXPECT_EQ(button1.left(), 3);
        EXPECT_EQ(right(button1), m);
        EXPECT_EQ(pane2.left(), m + 3);
        EXPECT_EQ(right(pane2), w - 3);
        EXPECT_EQ(pane2.top(), pane1.top());
        EXPECT_EQ(bottom(pane2), h - 3);
        EXPECT_EQ(button2.left(), m + 3);
        EXPECT_EQ(right(button2), w - 3);
        EXPECT_EQ(button2.top(), button1.top());
        EXPECT_GT(pane1.top(), bottom(button1) - 1);
    } else {
        const int b = button1.height();
        EXPECT_EQ(button1, QRect(3, 3, w - 6, b));
        EXPECT_EQ(pane1.left(), 3);
        EXPECT_EQ(pane1.top(), bottom(button1) + 3);
        EXPECT_EQ(right(pane1), w - 3);
        EXPECT_EQ(bottom(pane1), (h - 3) / 2);
        EXPECT_EQ(button2, QRect(3, bottom(pane1) + 3, w - 6, b));
        EXPECT_EQ(pane2.top(), bottom(button2) + 3);
        EXPECT_EQ(bottom(pane2), h - 3);
        EXPECT_EQ(right(pane2), w - 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ComparisonLayoutTest,
                         ::testing::Values(SLayoutCase{"VerticalEven", 0, 640, 400},
                                           SLayoutCase{"VerticalOdd", 0, 641, 401},
                                           SLayoutCase{"HorizontalEven", 1, 640, 400},
                                           SLayoutCase{"HorizontalOdd", 1, 641, 401}),
                         test::SCaseName());

TEST_F(ComparisonWindowTest, DroppingTwoFilesSetsOnlyThatSideToTheFirst)
{
    CBRDDoc* doc = open();
    ASSERT_NE(doc, nullptr);
    const QString path1 = doc->pane1().fileName();
    test::writeFile(m_dir.file("third.txt"), "x\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(m_dir.file("third.txt"))),
                  QUrl::fromLocalFile(QString::fromStdString(m_dir.file("one.txt")))});
    // A drop goes where the drag entered.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(doc->pane2().viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    const bool delivered = QCoreApplication::sendEvent(doc->pane2().viewport(), &drop);
    EXPECT_TRUE(delivered);
    EXPECT_TRUE(drop.isAccepted());

    EXPECT_EQ(doc->pane1().fileName(), path1);
    EXPECT_EQ(doc->pane2().fileName(), QString::fromStdString(m_dir.file("third.txt")));
    EXPECT_EQ(doc->formView()->button(2)->text(), doc->pane2().fileName());
    EXPECT_EQ(doc->pane1().lineCount(), 0);
    EXPECT_EQ(doc->pane2().lineCount(), 0);

    doc->refresh();
    EXPECT_GT(doc->pane2().lineCount(), 0);
    EXPECT_TRUE(doc->pane2().lineText(0).contains(u'x'));
}

// Regression: a dropped name was cut at 260 characters, which named another file or none.
TEST_F(ComparisonWindowTest, DroppedFileKeepsItsWholeNameHoweverLong)
{
    CBRDDoc* doc = open();
    ASSERT_NE(doc, nullptr);
    for (const std::size_t length : {std::size_t{261}, std::size_t{1000}}) {
        SCOPED_TRACE(length);
        const QString dropped = QString::fromStdString(m_dir.writeDeep(length, "deep\n"));
        ASSERT_EQ(dropped.size(), static_cast<qsizetype>(length));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dropped)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(doc->pane2().viewport(), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(doc->pane2().viewport(), &drop);
        EXPECT_TRUE(drop.isAccepted());
        EXPECT_EQ(doc->pane2().fileName(), dropped);
        EXPECT_EQ(doc->formView()->button(2)->text(), dropped);

        doc->refresh();
        ASSERT_GT(doc->pane2().lineCount(), 0);
        EXPECT_TRUE(doc->pane2().lineText(0).contains(QStringLiteral("deep")));
    }
}

// Until the user sets a width, the section list fits its widest label (up to a third of the
// window), and every item has its whole label as tooltip.
TEST_F(ComparisonWindowTest, SectionListFitsItsLabelsAndShowsThemWhole)
{
    std::string one = numberedLines(200000);
    test::writeFile(m_dir.file("long1.txt"), one);
    test::writeFile(m_dir.file("long2.txt"), one.replace(one.find("line 150000\n"), 11, "changed"));
    CBRDDoc* doc = open("long1.txt", "long2.txt");
    ASSERT_NE(doc, nullptr);
    CBRDView& list = *doc->sectionList();
    QTreeWidgetItem* first = list.root()->child(0);
    EXPECT_EQ(first->text(0), QStringLiteral("1-149999;1-149999"));
    EXPECT_EQ(first->toolTip(0), first->text(0));
    const auto* splitter = qobject_cast<QSplitter*>(list.parentWidget());
    ASSERT_NE(splitter, nullptr);
    const int width = splitter->sizes().front();
    const int third = (splitter->sizes().front() + splitter->sizes().back()) / 3;
    EXPECT_GT(list.fittingWidth(), QFontMetrics(list.font()).horizontalAdvance(first->text(0)));
    EXPECT_EQ(width, std::clamp(list.fittingWidth(), 100, std::max(100, third)));
}

// After a comparison the status bar says how many differences there are; identical files say so
// in the section list too.
TEST_F(ComparisonWindowTest, StatusBarCountsTheDifferencesAndIdenticalFilesSaySo)
{
    test::writeFile(m_dir.file("copy.txt"), numberedLines(200));
    const std::pair<std::string, QString> cases[] = {
        {"two.txt", QStringLiteral("3 differences")},
        {"copy.txt", QStringLiteral("The files are identical")},
    };
    for (const auto& [other, summary] : cases) {
        CBRDDoc* doc = open("one.txt", other);
        ASSERT_NE(doc, nullptr);
        EXPECT_EQ(m_app.app.mainFrame()->messageText(), summary);
        EXPECT_EQ(doc->sectionList()->root()->text(0).endsWith(summary), summary.startsWith(u'T'));
    }
}

// A window opened without a saved place fills the window area when it is alone; one opened beside
// it takes three quarters, cascaded, so that both stay usable.
TEST_F(ComparisonWindowTest, FirstOpeningFillsTheWindowAreaOrCascades)
{
    CBRDDoc* doc = open();
    ASSERT_NE(doc, nullptr);
    QMdiArea* area = m_app.app.mainFrame()->mdiArea();
    const QRect room = area->viewport()->rect();
    EXPECT_EQ(doc->firstFrame()->geometry(), room);
    CDocument* text = m_app.app.openDocumentFile(QString::fromStdString(m_dir.file("one.txt")));
    test::settle();
    ASSERT_NE(text, nullptr);
    const QRect placed = text->firstFrame()->geometry();
    EXPECT_EQ(placed.size(), room.size() * 3 / 4);
    EXPECT_TRUE(room.contains(placed));
}

// The empty window area says how to start; two files dropped onto it are compared, and the hint
// goes while a window is open.
TEST_F(ComparisonWindowTest, EmptyAreaSaysHowToStartAndTakesTwoDroppedFiles)
{
    QMdiArea* area = m_app.app.mainFrame()->mdiArea();
    const auto hint = [area]() -> QLabel* {
        for (auto* label : area->viewport()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (label->text().startsWith(QStringLiteral("To start")))
                return label;
        }
        return nullptr;
    };
    ASSERT_NE(hint(), nullptr);
    EXPECT_TRUE(hint()->isVisible());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(m_dir.file("one.txt"))),
                  QUrl::fromLocalFile(QString::fromStdString(m_dir.file("two.txt")))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(area->viewport(), &drop);
    test::settle();
    const auto& comparisons = m_app.app.docTemplateAt(kComparisonTemplate)->documents();
    ASSERT_EQ(comparisons.size(), 1u);
    auto* doc = qobject_cast<CBRDDoc*>(comparisons.front());
    EXPECT_EQ(doc->pane2().fileName(), QString::fromStdString(m_dir.file("two.txt")));
    EXPECT_FALSE(hint()->isVisible());
    m_app.app.closeAllDocuments();
    test::settle();
    EXPECT_TRUE(hint()->isVisible());
}

// On a dark desktop palette the report panes, the section list, the editors and the hex view keep
// dark text on white, the ground their colours were chosen for.
TEST_F(ComparisonWindowTest, TextSurfacesStayLightOnADarkPalette)
{
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button})
        dark.setColor(role, QColor(30, 30, 30));
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        dark.setColor(role, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    CBRDDoc* doc = open();
    ASSERT_NE(doc, nullptr);
    m_app.app.openDocumentFile(QString::fromStdString(m_dir.write("data.bin", std::string("\x01\x02", 2))));
    test::settle();
    const auto* hex = m_app.app.docTemplateAt(kHexViewTemplate)->documents().front()->views().front()->widget();
    const std::pair<const char*, const QWidget*> surfaces[] = {
        {"pane", &doc->pane1()}, {"section list", doc->sectionList()}, {"hex view", hex}};
    for (const auto& [name, widget] : surfaces) {
        EXPECT_GT(widget->palette().color(QPalette::Base).lightness(), 200) << name;
        EXPECT_LT(widget->palette().color(QPalette::Text).lightness(), 60) << name;
        EXPECT_LT(widget->palette().color(QPalette::WindowText).lightness(), 60) << name;
    }
    EXPECT_GT(defaultColourOfIndex(kViewBackground).lightness(), 200) << "editor";
    EXPECT_LT(defaultColourOfIndex(kViewNormalText).lightness(), 60) << "editor";
    // The pane paints its ground white.
    const QImage shot = doc->pane1().viewport()->grab().toImage();
    EXPECT_GT(QColor(shot.pixel(shot.width() - 3, shot.height() - 3)).lightness(), 200);
    QApplication::setPalette(before);
}

// The window's title names both files; the file buttons' tooltips give their whole paths.
TEST_F(ComparisonWindowTest, TitleNamesBothFiles)
{
    CBRDDoc* doc = open();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->firstFrame()->windowTitle(), QString::fromUtf8("one.txt \u2014 two.txt"));
    EXPECT_EQ(doc->formView()->button(1)->toolTip(), QString::fromStdString(m_dir.file("one.txt")));
    EXPECT_EQ(doc->formView()->button(2)->toolTip(), QString::fromStdString(m_dir.file("two.txt")));
}

// The main window's title follows the active window: its document's title, "* " in front while an
// editor's document is modified, the toolkit's "[...]" while it is maximized, and the program's
// name alone once every window is closed.
TEST_F(ComparisonWindowTest, MainTitleFollowsTheActiveWindow)
{
    CCompFileOpt record;
    record.m_file1Path = toU16String(QString::fromStdString(m_dir.file("one.txt")));
    record.m_file2Path = toU16String(QString::fromStdString(m_dir.file("two.txt")));
    ASSERT_NE(CBRDDoc::openComparison(record, QString::fromStdString(m_dir.file("merge.txt"))), nullptr);
    test::settle();
    CMainFrame& frame = *m_app.app.mainFrame();
    ASSERT_TRUE(test::activate(frame));
    const auto chooseWindow = [&](const QString& title) {
        QMenu* windowMenu = nullptr;
        for (QAction* top : frame.menuBar()->actions()) {
            if (top->menu() && top->menu()->actions().contains(test::menuAction(frame, cmd::kWindowCascade)))
                windowMenu = top->menu();
        }
        ASSERT_NE(windowMenu, nullptr);
        emit windowMenu->aboutToShow();
        for (QAction* entry : windowMenu->actions()) {
            if (entry->text().endsWith(QLatin1Char(' ') + title))
                return entry->trigger();
        }
        FAIL() << "no window entry " << title.toStdString();
    };
    const QString comparison = QString::fromUtf8("one.txt \u2014 two.txt");

    chooseWindow(comparison);
    test::settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Brindle - ") + comparison);
    chooseWindow(QStringLiteral("merge.txt"));
    test::settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Brindle - merge.txt"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("* Brindle - merge.txt"));

    chooseWindow(comparison);
    test::settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Brindle - ") + comparison);
    chooseWindow(QStringLiteral("merge.txt *"));
    test::settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("* Brindle - merge.txt"));

    CMDIChildWnd* editor = frame.activeChild();
    editor->showMaximized();
    test::settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("* Brindle - [merge.txt]"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    test::settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Brindle - [merge.txt]"));
    editor->showNormal();
    test::settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Brindle - merge.txt"));

    m_app.app.closeAllDocuments();
    test::settle();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Brindle"));
}

// Compare Files from the comparison window starts from the saved options, not from what the
// window held: options saved since (here by another dialog) are what the sheet shows.
TEST_F(ComparisonWindowTest, CompareDialogStartsFromTheSavedOptions)
{
    ASSERT_NE(open(), nullptr);
    CMainFrame& frame = *m_app.app.mainFrame();
    ASSERT_TRUE(test::activate(frame));
    m_app.profile().writeString(kCompareFilesSection, kFile1LinePrefixValue, u"<<saved<<");
    QString shown;
    QString file1;
    test::CDialogAnswers answers;
    answers.then([&](QDialog& sheet) {
        if (auto* prefix = sheet.findChild<QLineEdit*>(QString::number(CCompFilesPage::kIdFile1LinePrefix)))
            shown = prefix->text();
        if (auto* combo = sheet.findChild<QComboBox*>(QString::number(CSelPage::kIdFile1)))
            file1 = combo->currentText();
        sheet.reject();
    });
    test::pressKeys(frame, QKeySequence(Qt::CTRL | Qt::Key_M));
    test::settle();
    EXPECT_EQ(shown, QStringLiteral("<<saved<<"));
    EXPECT_EQ(file1, QString::fromStdString(m_dir.file("one.txt")));
}

// The file buttons above the panes offer every file, also one without a dot (Makefile).
TEST_F(ComparisonWindowTest, FileButtonShowsFilesWithoutADot)
{
    CBRDDoc* doc = open();
    ASSERT_NE(doc, nullptr);
    test::writeFile(m_dir.file("Makefile"), "all:\n");
    QStringList filters;
    test::CDialogAnswers answers;
    answers.then([&](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog))
            filters = files->nameFilters();
        dialog.reject();
    });
    doc->formView()->button(2)->click();
    test::settle();
    ASSERT_EQ(filters.size(), 1);
    EXPECT_TRUE(filters[0].endsWith(QStringLiteral("(*)"))) << filters[0].toStdString();
}

TEST_F(ComparisonWindowTest, FilePositionOfReportLines)
{
    CBRDDoc* doc = open();
    ASSERT_NE(doc, nullptr);
    // The report line of every line of file 1 and file 2 maps back to the line it shows.
    for (int side : {1, 2}) {
        const CCompCtrl& pane = side == 1 ? doc->pane1() : doc->pane2();
        for (int line = 1; line <= pane.lineCount(); ++line) {
            const QString text = pane.lineText(line - 1);
            const qsizetype at = text.indexOf(QStringLiteral("line "));
            if (at < 0)
                continue;
            const int number = text.mid(at + 5).toInt();
            const std::int64_t position = doc->filePosition(line, side);
            // "line N" is line N of file 1, and of file 2 before the insertion after 100; after
            // it one further down, after the deletion at 150 one up again.
            int expected = number;
            if (side == 2 && number > 100)
                ++expected;
            if (side == 2 && number > 150)
                --expected;
            EXPECT_EQ(position, expected) << "side " << side << " report line " << line << ": " << text.toStdString();
        }
    }
}

// A double click on a report line starts the viewer at the line of the file that line shows.
TEST_F(ComparisonWindowTest, DoubleClickStartsTheViewerAtTheClickedLine)
{
    test::CArgvRecorder recorder(m_dir);
    m_app.profile().writeString(
        kSettingsSection, kTextViewerValue,
        u"\"" + QString::fromStdString(recorder.program()).toStdU16String() + u"\" %PATH% %LINE%");
    CBRDDoc* doc = open();
    ASSERT_NE(doc, nullptr);
    doc->formView()->resize(600, 400);
    test::settle();
    // Scroll so that report line 120 (after the inserted line, file 2 line 120 is "line 119") is on top.
    CCompCtrl& pane = doc->pane2();
    pane.lineScroll(119 - pane.firstVisibleLine());
    ASSERT_TRUE(pane.lineText(119).contains(QStringLiteral("line 119")));
    const QPoint point(20, 2);
    test::sendMouse(*pane.viewport(), QEvent::MouseButtonDblClick, point, Qt::LeftButton, Qt::LeftButton);

    const auto record = recorder.take();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->arguments, (std::vector<std::string>{m_dir.file("two.txt"), "120"}));
    EXPECT_EQ(pane.selectionStart(), pane.selectionEnd());  // the click was handled: no word selected
}

// The merge editor's document is a compare document too; Refresh there must not compare again,
// which would empty the merge file the user is editing.
TEST_F(ComparisonWindowTest, RefreshInTheMergeEditorKeepsTheMergeFile)
{
    const QString mergePath = QString::fromStdString(m_dir.file("merge.txt"));
    CCompFileOpt record;
    record.m_file1Path = toU16String(QString::fromStdString(m_dir.file("one.txt")));
    record.m_file2Path = toU16String(QString::fromStdString(m_dir.file("two.txt")));
    ASSERT_NE(CBRDDoc::openComparison(record, mergePath), nullptr);
    test::settle();
    CDocTemplate* mergeTemplate = m_app.app.docTemplateAt(kMergeEditorTemplate);
    ASSERT_NE(mergeTemplate, nullptr);
    ASSERT_EQ(mergeTemplate->documents().size(), 1u);
    auto* mergeDoc = qobject_cast<CBRDDoc*>(mergeTemplate->documents().front());
    ASSERT_NE(mergeDoc, nullptr);
    EXPECT_FALSE(mergeDoc->isComparisonWindow());
    const std::int32_t lines = mergeDoc->textBuffer().LineCount();
    ASSERT_GT(lines, 200);

    mergeDoc->onCmdMsg(cmd::kRefresh);
    EXPECT_EQ(mergeDoc->textBuffer().LineCount(), lines);
    EXPECT_FALSE(mergeDoc->isModified());
}

// A new comparison (Ctrl+M, OK) would close the modified merge editor and write its merge file
// again: it asks first, as Close does. Yes saves the edits, which the new merge file then keeps
// as merge.txt.~1~; No drops them; Cancel leaves the editor, its edits and the file as they were.
TEST_F(ComparisonWindowTest, NewComparisonAsksBeforeItClosesAModifiedMergeEditor)
{
    struct SCase {
        QMessageBox::StandardButton answer;
        bool editorKeepsEdit;
        const char* backup;  // content of merge.txt.~1~ starts with it; nullptr: no backup
    };
    const SCase cases[] = {
        {QMessageBox::Yes, false, "my edit "},
        {QMessageBox::No, false, nullptr},
        {QMessageBox::Cancel, true, nullptr},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.answer);
        test::CTempDir dir;
        const std::string mergePath = dir.file("merge.txt");
        CCompFileOpt record;
        record.m_file1Path = QString::fromStdString(m_dir.file("one.txt")).toStdU16String();
        record.m_file2Path = QString::fromStdString(m_dir.file("two.txt")).toStdU16String();
        record.m_outputFile = QString::fromStdString(mergePath).toStdU16String();
        m_app.profile().writeInt(kSettingsSection, kShowMergeEditorValue, 1);
        ASSERT_NE(CBRDDoc::openComparison(record, QString::fromStdString(mergePath)), nullptr);
        test::settle();
        CDocTemplate* mergeTemplate = m_app.app.docTemplateAt(kMergeEditorTemplate);
        ASSERT_EQ(mergeTemplate->documents().size(), 1u);
        CDocument* mergeDoc = mergeTemplate->documents().front();
        const std::string written = test::readBytes(mergePath);

        CMainFrame& frame = *m_app.app.mainFrame();
        ASSERT_TRUE(test::activate(frame));
        mergeDoc->firstFrame()->activateFrame();
        test::settle();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("my edit "));
        ASSERT_TRUE(mergeDoc->isModified());

        test::CDialogAnswers answers;
        answers
            .then([](QDialog& sheet) { sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); })
            .thenClick(c.answer)
            .thenClick(QMessageBox::Ok);
        test::pressKeys(frame, QKeySequence(Qt::CTRL | Qt::Key_M));
        test::settle();

        ASSERT_GE(answers.shown().size(), 2);
        EXPECT_TRUE(answers.shown()[1].contains(QStringLiteral("merge.txt"))) << answers.shown()[1].toStdString();
        ASSERT_EQ(mergeTemplate->documents().size(), 1u);
        CDocument* editor = mergeTemplate->documents().front();
        EXPECT_EQ(editor->isModified(), c.editorKeepsEdit);
        const auto* buffer = &qobject_cast<CBRDDoc*>(editor)->textBuffer();
        EXPECT_EQ(buffer->LineText(0).starts_with(u"my edit "), c.editorKeepsEdit);
        if (c.editorKeepsEdit)
            EXPECT_EQ(test::readBytes(mergePath), written);
        else
            EXPECT_EQ(test::readBytes(mergePath).find("my edit"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(mergePath + ".unsaved"));
        const std::string backup = mergePath + ".~1~";
        ASSERT_EQ(std::filesystem::exists(backup), c.backup != nullptr);
        if (c.backup) {
            EXPECT_EQ(test::readBytes(backup).rfind(c.backup, 0), 0u);
            ASSERT_EQ(answers.shown().size(), 3);
            EXPECT_TRUE(answers.shown()[2].contains(QString::fromStdString(backup)))
                << answers.shown()[2].toStdString();
        }
        m_app.app.closeAllDocuments();
        test::settle();
    }
}

// The merge file the user edited and saved survives the next start, which reopens the last
// comparison and writes the merge file again: the edited one is kept as merge.txt.~1~, and a
// message says so.
TEST(StartUpReopen, KeepsTheMergeFileTheUserEditedAndSaved)
{
    test::CMemorySettings settings;
    test::CTempDir dir;
    test::writeFile(dir.file("one.txt"), "a\nb\n");
    test::writeFile(dir.file("two.txt"), "a\nc\n");
    const std::string merge = dir.file("merge.txt");
    {
        CBRDApp app;
        ASSERT_TRUE(app.initInstance(QString()));
        CCompFileOpt record;
        record.m_file1Path = QString::fromStdString(dir.file("one.txt")).toStdU16String();
        record.m_file2Path = QString::fromStdString(dir.file("two.txt")).toStdU16String();
        record.m_outputFile = QString::fromStdString(merge).toStdU16String();
        app.profile().writeString(kPathsSection, kFile1PathValue, record.m_file1Path);
        app.profile().writeString(kPathsSection, kFile2PathValue, record.m_file2Path);
        ASSERT_NE(CBRDDoc::openComparison(record, QString::fromStdString(merge)), nullptr);
        test::settle();
        CDocument* mergeDoc = app.docTemplateAt(kMergeEditorTemplate)->documents().front();
        ASSERT_TRUE(test::activate(*app.mainFrame()));
        mergeDoc->firstFrame()->activateFrame();
        test::settle();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("my edit "));
        test::pressKeys(*app.mainFrame(), QKeySequence(Qt::CTRL | Qt::Key_S));
        ASSERT_FALSE(mergeDoc->isModified());
        app.closeAllDocuments();
        test::settle();
    }
    ASSERT_EQ(test::readBytes(merge).rfind("my edit ", 0), 0u);

    test::CDialogAnswers answers;
    answers.thenClick(QMessageBox::Ok);
    CBRDApp app;
    ASSERT_TRUE(app.initInstance(QString()));
    test::settle();
    EXPECT_EQ(test::readBytes(merge).find("my edit"), std::string::npos);
    EXPECT_EQ(test::readBytes(merge + ".~1~").rfind("my edit ", 0), 0u);
    ASSERT_EQ(answers.shown().size(), 1);
    EXPECT_TRUE(answers.shown()[0].contains(QString::fromStdString(merge + ".~1~")))
        << answers.shown()[0].toStdString();
    app.closeAllDocuments();
    test::settle();
}

}  // namespace
}  // namespace brindle
