// The link control: colours by state, hover, opening, the clipboard and link files.
#include "app/hlink_ctrl.h"

#include "frame_test_support.h"
#include "support/case_name.h"
#include "support/qt_print.h"
#include "support/temp_dir.h"
#include "support/user_door.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>

namespace brindle {
namespace {

using test::settle;

// Takes the place of the desktop's handler for the schemes it is registered for.
class CUrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit CUrlCatcher(QStringList schemes) : m_schemes(std::move(schemes))
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~CUrlCatcher() override
    {
        for (const QString& scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }

private:
    QStringList m_schemes;
};

void leave(QWidget& widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &event);
}

// A press of the left button on the link; the control follows it on the press.
void click(QWidget& widget)
{
    test::pressAt(widget, QPoint(2, 2));
    settle();
}

class LinkControl : public testing::Test {
protected:
    LinkControl()
    {
        m_link.setLink(true, QStringLiteral("https://brindle.example.org/docs"), QStringLiteral("Brindle docs"));
        m_link.show();
        settle();
    }
    QPoint inside() const { return m_link.rect().center(); }

    CHLinkCtrl m_link;
};

// ---- States and colours -----------------------------------------------------------------------

struct SStateCase {
    std::string name;
    std::function<void(CHLinkCtrl&)> act;
    int state;
    int remembered;
    QColor colour;
};
void PrintTo(const SStateCase& c, std::ostream* out) { *out << c.name; }

class LinkStates : public LinkControl, public testing::WithParamInterface<SStateCase> {};

TEST_P(LinkStates, StateAndCaptionColour)
{
    CUrlCatcher catcher({QStringLiteral("https")});
    GetParam().act(m_link);
    EXPECT_EQ(m_link.state(), GetParam().state);
    EXPECT_EQ(m_link.rememberedState(), GetParam().remembered);
    EXPECT_EQ(m_link.captionColor(), GetParam().colour);
}

const QColor kBlue(0x00, 0x00, 0xEE);     // 0xEE0000
const QColor kVisited(0x55, 0x1A, 0x8B);  // 0x8B1A55
const QColor kRed(0xFF, 0x00, 0x00);      // 0x0000FF

INSTANTIATE_TEST_SUITE_P(
    Actions, LinkStates,
    testing::Values(SStateCase{"Initial", [](CHLinkCtrl&) {}, 0, 0, kBlue},
                    SStateCase{"MouseOver", [](CHLinkCtrl& l) { test::moveTo(l, l.rect().center()); }, 2, 0, kRed},
                    SStateCase{"MouseLeft",
                               [](CHLinkCtrl& l) {
                                   test::moveTo(l, l.rect().center());
                                   leave(l);
                               },
                               0, 0, kBlue},
                    SStateCase{"MovedOutside",
                               [](CHLinkCtrl& l) {
                                   test::moveTo(l, l.rect().center());
                                   test::moveTo(l, l.rect().bottomRight() + QPoint(5, 5));
                               },
                               0, 0, kBlue},
                    SStateCase{"NoHoverTracking",
                               [](CHLinkCtrl& l) {
                                   l.setHoverTracking(false);
                                   test::moveTo(l, l.rect().center());
                               },
                               0, 0, kBlue},
                    SStateCase{"Clicked",
                               [](CHLinkCtrl& l) {
                                   test::moveTo(l, l.rect().center());
                                   click(l);
                               },
                               1, 1, kVisited},
                    SStateCase{"ClickedThenLeft",
                               [](CHLinkCtrl& l) {
                                   test::moveTo(l, l.rect().center());
                                   click(l);
                                   test::moveTo(l, l.rect().center());
                                   leave(l);
                               },
                               1, 1, kVisited},
                    SStateCase{"VisitedThenOver",
                               [](CHLinkCtrl& l) {
                                   click(l);
                                   test::moveTo(l, l.rect().center());
                               },
                               2, 1, kRed},
                    SStateCase{"OwnColours", [](CHLinkCtrl& l) { l.setColors(0x000080, 0x008000, 0x800000); }, 0, 0,
                               QColor(0x80, 0, 0)}),
    test::SCaseName());

// ---- Opening ----------------------------------------------------------------------------------

struct SOpenCase {
    std::string name;
    QString address;
    QString opened;  // empty: nothing opened, the state stays
};
void PrintTo(const SOpenCase& c, std::ostream* out) { *out << c.name; }

class LinkOpen : public LinkControl, public testing::WithParamInterface<SOpenCase> {};

TEST_P(LinkOpen, ClickOpensTheAddress)
{
    CUrlCatcher catcher({QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto")});
    m_link.setLink(true, GetParam().address, QStringLiteral("link"));
    click(m_link);
    if (GetParam().opened.isEmpty()) {
        EXPECT_TRUE(catcher.opened.isEmpty());
        EXPECT_EQ(m_link.state(), CHLinkCtrl::kNormal);
    } else {
        ASSERT_EQ(catcher.opened.size(), 1);
        EXPECT_EQ(catcher.opened.front().toString(), GetParam().opened);
        EXPECT_EQ(m_link.state(), CHLinkCtrl::kVisited);
    }
}

INSTANTIATE_TEST_SUITE_P(Addresses, LinkOpen,
                         testing::Values(SOpenCase{"Web", QStringLiteral("https://brindle.example.org/"),
                                                   QStringLiteral("https://brindle.example.org/")},
                                         SOpenCase{"ProtocolGuessed", QStringLiteral("brindle.example.org"),
                                                   QStringLiteral("http://brindle.example.org")},
                                         SOpenCase{"Mail", QStringLiteral("mailto:support@brindle.example.org"),
                                                   QStringLiteral("mailto:support@brindle.example.org")},
                                         SOpenCase{"Empty", QString(), QString()}),
                         test::SCaseName());

// ---- Menu, clipboard, size --------------------------------------------------------------------

TEST_F(LinkControl, ContextMenuFromMenuResource)
{
    const std::unique_ptr<QMenu> menu(m_link.createContextMenu());
    QList<int> ids;
    for (const QAction* action : menu->actions())
        ids.append(action->data().toInt());
    EXPECT_EQ(ids, (QList<int>{CHLinkCtrl::kOpen, CHLinkCtrl::kCopyShortcut, CHLinkCtrl::kAddToFavorites,
                               CHLinkCtrl::kAddToDesktop}));
    EXPECT_EQ(m_link.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LinkControl, CopyShortcutKeepsOtherClipboardFormats)
{
    auto* before = new QMimeData;
    before->setData(QStringLiteral("application/x-brindle-test"), "kept");
    before->setText(QStringLiteral("old text"));
    before->setData(QStringLiteral("text/plain;charset=utf-8"), "old text");
    QGuiApplication::clipboard()->setMimeData(before);

    ASSERT_TRUE(m_link.onCmdMsg(CHLinkCtrl::kCopyShortcut));

    const QMimeData* after = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->text(), QStringLiteral("https://brindle.example.org/docs"));
    EXPECT_EQ(after->data(QStringLiteral("application/x-brindle-test")), QByteArray("kept"));
    QGuiApplication::clipboard()->clear();
}

TEST_F(LinkControl, AutoSizeKeepsTopLeft)
{
    m_link.move(7, 9);
    m_link.setLink(true, QStringLiteral("a"), QStringLiteral("A much longer caption than before"));
    EXPECT_EQ(m_link.pos(), QPoint(7, 9));
    EXPECT_EQ(m_link.size(), m_link.fontMetrics().size(Qt::TextSingleLine, m_link.caption()));
    const QSize sized = m_link.size();
    m_link.setLink(false, QStringLiteral("a"), QStringLiteral("short"));
    EXPECT_EQ(m_link.size(), sized);
}

// ---- Link files -------------------------------------------------------------------------------

struct SNameCase {
    std::string name;
    QString caption;
    QString fileName;
};
void PrintTo(const SNameCase& c, std::ostream* out) { *out << c.name; }

class LinkFileName : public testing::TestWithParam<SNameCase> {};

TEST_P(LinkFileName, LastPartOfCaption)
{
    EXPECT_EQ(CHLinkCtrl::linkFileName(GetParam().caption), GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, LinkFileName,
    testing::Values(SNameCase{"AfterSlash", QStringLiteral("https://brindle.example.org/docs"), QStringLiteral("docs")},
                    SNameCase{"AfterColon", QStringLiteral("mailto:support@brindle.example.org"),
                              QStringLiteral("support@brindle.example.org")},
                    SNameCase{"ColonBeforeBackslash", QStringLiteral("C:\\Tools\\brindle"),
                              QStringLiteral("\\Tools\\brindle")},
                    SNameCase{"AfterBackslash", QStringLiteral("share\\brindle"), QStringLiteral("brindle")},
                    SNameCase{"WholeCaption", QStringLiteral("Brindle home"), QStringLiteral("Brindle home")},
                    SNameCase{"EndsInSlash", QStringLiteral("brindle.example.org/"), QString()}),
    test::SCaseName());

class LinkFiles : public LinkControl {
protected:
    QString folder(const char* name) const { return QString::fromStdString(m_home.file(name)); }

    test::CTempDir m_home;
    test::CScopedEnv m_dataHome{"XDG_DATA_HOME", m_home.file("data").c_str()};
    test::CScopedEnv m_homeEnv{"HOME", m_home.path().c_str()};
};

TEST_F(LinkFiles, AddToFavoritesWritesDesktopLink)
{
    ASSERT_TRUE(m_link.onCmdMsg(CHLinkCtrl::kAddToFavorites));
    const std::string written = test::readBytes(m_home.file("data/brindle/favorites/Brindle docs.desktop"));
    EXPECT_EQ(written, "[Desktop Entry]\nType=Link\nName=Brindle docs\nURL=https://brindle.example.org/docs\n");

    // A second save replaces the file.
    m_link.setLink(true, QStringLiteral("https://brindle.example.org/other"), QStringLiteral("Brindle docs"));
    EXPECT_TRUE(m_link.addToFavorites());
    EXPECT_EQ(test::readBytes(m_home.file("data/brindle/favorites/Brindle docs.desktop")),
              "[Desktop Entry]\nType=Link\nName=Brindle docs\nURL=https://brindle.example.org/other\n");
}

TEST_F(LinkFiles, AddToDesktopNeedsTheDesktopFolder)
{
    EXPECT_FALSE(m_link.addToDesktop());
    EXPECT_FALSE(QDir(folder("Desktop")).exists());

    ASSERT_TRUE(QDir().mkpath(folder("Desktop")));
    EXPECT_TRUE(m_link.addToDesktop());
    EXPECT_TRUE(QFile::exists(folder("Desktop/Brindle docs.desktop")));
}

TEST_F(LinkFiles, CaptionEndingInSlashSavesNothing)
{
    ASSERT_TRUE(QDir().mkpath(folder("Desktop")));
    m_link.setLink(true, QStringLiteral("https://brindle.example.org/"), QStringLiteral("brindle.example.org/"));
    EXPECT_FALSE(m_link.addToDesktop());
    EXPECT_FALSE(m_link.addToFavorites());
    EXPECT_TRUE(QDir(folder("Desktop")).isEmpty());
    EXPECT_FALSE(QDir(folder("data/brindle/favorites")).exists());
}

TEST_F(LinkFiles, ValuesWithLineBreaksAreEscaped)
{
    const QString path = CHLinkCtrl::saveLinkFile(folder(""), QStringLiteral("a\\b"), QStringLiteral("x\ny"));
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(test::readBytes(path.toStdString()), "[Desktop Entry]\nType=Link\nName=a\\\\b\nURL=x\\ny\n");
}

}  // namespace
}  // namespace brindle

#include "hlink_ctrl_test.moc"
