// The user manual in the help window: pages and their parts, the contents list, find, the
// dialogs' pages, and links that lead somewhere.
#include "framework/help_window.h"

#include "support/qt_print.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <set>

namespace brindle {
namespace {

QString pageText(const QString& page)
{
    QFile file(QStringLiteral(":/brindle/help/") + page);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList manualPages() { return QDir(QStringLiteral(":/brindle/help")).entryList({QStringLiteral("*.html")}); }

// The anchors a page defines (<a name="..."> or id="...").
std::set<QString> anchorsOf(const QString& page)
{
    static const QRegularExpression anchor(QStringLiteral("(?:name|id)=\"([^\"]+)\""));
    std::set<QString> anchors;
    auto matches = anchor.globalMatch(pageText(page));
    while (matches.hasNext())
        anchors.insert(matches.next().captured(1));
    return anchors;
}

// The manual is kept as the program changes: a link that leads nowhere shows an empty page.
TEST(HelpWindow, EveryLinkOfTheManualLeadsToAPageAndPart)
{
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#:]*)(?:#([^\"]*))?\""));
    const QStringList pages = manualPages();
    ASSERT_TRUE(pages.contains(QStringLiteral("index.html")));
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        auto matches = link.globalMatch(pageText(page));
        while (matches.hasNext()) {
            const QRegularExpressionMatch match = matches.next();
            const QString target = match.captured(1).isEmpty() ? page : match.captured(1);
            ASSERT_TRUE(QFile::exists(QStringLiteral(":/brindle/help/") + target)) << target.toStdString();
            if (!match.captured(2).isEmpty()) {
                EXPECT_TRUE(anchorsOf(target).count(match.captured(2)))
                    << (target + u'#' + match.captured(2)).toStdString();
            }
        }
    }
}

// The pages the program's windows and dialogs open with F1.
TEST(HelpWindow, PagesTheProgramOpensExistWithTheirParts)
{
    const char* const opened[] = {
        "index.html",
        "compare-dialog.html#files",
        "compare-dialog.html#merge-file",
        "compare-dialog.html#display",
        "compare-dialog.html#colours",
        "comparison-window.html#find",
        "comparison-window.html#progress",
        "text-editor.html#go-to-line",
        "text-editor.html#character-set-conversion",
        "text-editor.html#replace",
        "text-editor.html#find",
        "text-editor.html#printing",
    };
    for (const char* page : opened) {
        SCOPED_TRACE(page);
        const QString name = QString::fromLatin1(page);
        ASSERT_FALSE(pageText(name.section(u'#', 0, 0)).isEmpty());
        if (name.contains(u'#')) {
            EXPECT_TRUE(anchorsOf(name.section(u'#', 0, 0)).count(name.section(u'#', 1)));
        }
    }
}

TEST(HelpWindow, ShowsThePageAskedForAndMarksItInTheContents)
{
    const struct {
        const char* asked;
        const char* shown;
        const char* contentsFile;
        const char* title;
    } cases[] = {
        {"merge-editor.html#tags", "merge-editor.html#tags", "merge-editor.html", "The merge editor"},
        {"", "index.html", "index.html", "Contents"},
        {"no-such-page.html", "index.html", "index.html", "Contents"},
        {"hex-view.html", "hex-view.html", "hex-view.html", "The hex view"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        QPointer<CHelpWindow> window = showHelp(QString::fromLatin1(c.asked));
        ASSERT_TRUE(window);
        EXPECT_EQ(QString::fromLatin1(c.shown), window->currentPage());
        EXPECT_EQ(QString::fromLatin1(c.title), window->windowTitle());
        auto* contents = window->findChild<QListWidget*>();
        ASSERT_NE(nullptr, contents->currentItem());
        EXPECT_EQ(QString::fromLatin1(c.contentsFile), contents->currentItem()->data(Qt::UserRole).toString());
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(window);
    }
}

TEST(HelpWindow, FindGoesRoundTheEndOfThePageOnce)
{
    QPointer<CHelpWindow> window = showHelp(QStringLiteral("keyboard.html"));
    ASSERT_TRUE(window);
    auto* find = window->findChild<QLineEdit*>();
    find->setText(QStringLiteral("Ctrl+S"));
    ASSERT_TRUE(window->findText());
    const int first = window->browser()->textCursor().position();
    while (window->findText() && window->browser()->textCursor().position() != first) {
    }
    EXPECT_EQ(first, window->browser()->textCursor().position());
    find->setText(QStringLiteral("no such words on any page"));
    EXPECT_FALSE(window->findText());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window);
}

// F1 reaches a modal dialog's own page, in a help window the dialog does not block.
TEST(HelpWindow, F1InADialogOpensItsPageInAWindowOfThatDialog)
{
    QDialog dialog;
    setHelpPage(&dialog, QStringLiteral("text-editor.html#replace"));
    auto* field = new QLineEdit(&dialog);
    auto* page = new QWidget(&dialog);
    auto* inPage = new QLineEdit(page);
    setHelpPage(page, QStringLiteral("compare-dialog.html#display"));
    installDialogHelpKey();
    const struct {
        const char* name;
        QWidget* focus;
        const char* expected;
    } cases[] = {
        {"the dialog's page", field, "text-editor.html#replace"},
        {"the page of the part", inPage, "compare-dialog.html#display"},
    };
    dialog.show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTest::keyClick(c.focus, Qt::Key_F1);
        const auto windows = dialog.findChildren<CHelpWindow*>();
        ASSERT_FALSE(windows.isEmpty());
        EXPECT_EQ(QString::fromLatin1(c.expected), windows.back()->currentPage());
    }
}

}  // namespace
}  // namespace brindle
