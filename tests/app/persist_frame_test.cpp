// Saved window placement: the "Rectangle" text, and closing and reopening the main frame and a
// child frame in every state they can be closed in.
#include "framework/persist_frame_impl.h"
#include "framework/persist_mdi_child_frame.h"
#include "framework/qt_utf16.h"
#include "platform/settings_names.h"

#include "app/main_frame.h"
#include "frame_test_support.h"
#include "support/case_name.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QScreen>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace brindle {
namespace {

using test::settle;

// ---- "Rectangle" text -------------------------------------------------------------------------

struct SRectangleCase {
    std::string name;
    QString text;
    std::array<int, 4> fields;
    std::optional<QRect> rect;  // nullopt: the frame keeps its current rectangle
};
void PrintTo(const SRectangleCase& c, std::ostream* out) { *out << c.name; }

class PlacementRectangle : public testing::TestWithParam<SRectangleCase> {};

TEST_P(PlacementRectangle, FixedFieldsAndResultingRectangle)
{
    const SRectangleCase& param = GetParam();
    EXPECT_EQ(parsePlacementFields(param.text), param.fields);
    EXPECT_EQ(placementRectangle(param.text), param.rect);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PlacementRectangle,
    testing::Values(
        SRectangleCase{"Written", QStringLiteral("0120 0090 0760 0570"), {120, 90, 760, 570}, QRect(120, 90, 640, 480)},
        SRectangleCase{
            "Negative", QStringLiteral("-005 -010 0395 0290"), {-5, -10, 395, 290}, QRect(-5, -10, 400, 300)},
        SRectangleCase{"ThreeFields", QStringLiteral("0010 0020 0300"), {10, 20, 300, 0}, std::nullopt},
        SRectangleCase{"TwoCharacters", QStringLiteral("12"), {12, 0, 0, 0}, std::nullopt},
        // A field of five digits pushes the others off their positions: " 012", " 060", " 052".
        SRectangleCase{"FiveDigitLeft", QStringLiteral("12345 0120 0600 0520"), {1234, 12, 60, 52}, std::nullopt},
        SRectangleCase{"FiveDigitRight", QStringLiteral("0100 0100 10000 0500"), {100, 100, 1000, 50}, std::nullopt},
        SRectangleCase{"Letters", QStringLiteral("left top right bottom"), {0, 0, 0, 0}, std::nullopt},
        SRectangleCase{"DigitsStopAtOtherCharacters",
                       QStringLiteral("12x4 +020 0300 0400"),
                       {12, 20, 300, 400},
                       QRect(12, 20, 288, 380)},
        SRectangleCase{"Empty", QString(), {0, 0, 0, 0}, std::nullopt}),
    test::SCaseName());

TEST(PlacementRectangle, WrittenWithFourCharactersAndSignInside)
{
    EXPECT_EQ(formatPlacementRectangle(QRect(120, 90, 640, 480)), QStringLiteral("0120 0090 0760 0570"));
    EXPECT_EQ(formatPlacementRectangle(QRect(-5, -10, 400, 300)), QStringLiteral("-005 -010 0395 0290"));
    EXPECT_EQ(formatPlacementRectangle(QRect(0, 0, 12345, 7)), QStringLiteral("0000 0000 12345 0007"));
}

// ---- Closing and reopening --------------------------------------------------------------------

// One kind of frame the tests close and open again: the main frame, or a child frame in it.
class CFrameKind {
public:
    virtual ~CFrameKind() = default;
    virtual QWidget* open() = 0;
    virtual void close() = 0;
    // What the user's "restore" of a minimized window does to this kind of window.
    virtual void unminimize(QWidget& frame) = 0;
    virtual std::u16string section() const = 0;
};

// The offscreen platform moves decorated top-level windows by their frame margins whenever their
// state changes; without decoration positions come back exactly as they were set.
class CMainFrameKind final : public CFrameKind {
public:
    QWidget* open() override
    {
        m_frame = std::make_unique<CMainFrame>();
        m_frame->setWindowFlag(Qt::FramelessWindowHint);
        m_frame->showFromPlacement();
        settle();
        return m_frame.get();
    }
    void close() override
    {
        m_frame->close();
        settle();
        m_frame.reset();
    }
    void unminimize(QWidget& frame) override { frame.setWindowState(frame.windowState() & ~Qt::WindowMinimized); }
    std::u16string section() const override { return std::u16string(kMainWindowSection); }

private:
    std::unique_ptr<CMainFrame> m_frame;
};

class CChildFrameKind final : public CFrameKind {
public:
    explicit CChildFrameKind(CWinApp& app) : m_app(app)
    {
        auto main = std::make_unique<CMainFrame>();
        main->setWindowFlag(Qt::FramelessWindowHint);
        main->setGeometry(0, 0, 780, 700);
        main->show();
        m_app.setMainFrame(std::move(main));
        m_app.addDocTemplate(test::makeTestTemplate(
            129, [](CDocTemplate& t, CDocument& d) -> CMDIChildWnd* { return new CPersistMDIChildFrame(t, d); }));
        settle();
    }
    QWidget* open() override
    {
        CDocument* document = m_app.docTemplateAt(0)->openDocumentFile(QString());
        settle();
        m_frame = test::frameOf<CPersistMDIChildFrame>(document);
        return m_frame;
    }
    void close() override
    {
        m_frame->close();
        settle();
    }
    // The restore button of a child window.
    void unminimize(QWidget& frame) override { frame.showNormal(); }
    std::u16string section() const override { return std::u16string(kChildWindowsSection); }

private:
    CWinApp& m_app;
    CPersistMDIChildFrame* m_frame = nullptr;
};

constexpr Qt::WindowStates kShownState = Qt::WindowMinimized | Qt::WindowMaximized;

struct SReopenCase {
    std::string name;
    bool child;
    QRect normal;
    std::function<void(QWidget&)> beforeClose;
    int iconized;
    int maximized;
    Qt::WindowStates reopened;
    Qt::WindowStates unminimized;  // after the user restores a reopened minimized frame
};
void PrintTo(const SReopenCase& c, std::ostream* out) { *out << c.name; }

class ReopenFrame : public testing::TestWithParam<SReopenCase> {
protected:
    test::SAppOnMemorySettings m_app;
};

TEST_P(ReopenFrame, KeepsNormalRectangleAndState)
{
    const SReopenCase& param = GetParam();
    std::unique_ptr<CFrameKind> kind;
    if (param.child)
        kind = std::make_unique<CChildFrameKind>(m_app.app);
    else
        kind = std::make_unique<CMainFrameKind>();

    QWidget* frame = kind->open();
    ASSERT_NE(frame, nullptr);
    frame->setGeometry(param.normal);
    settle();
    if (param.beforeClose)
        param.beforeClose(*frame);
    settle();
    kind->close();

    const std::u16string section = kind->section();
    EXPECT_EQ(m_app.readString(section, kRectangleValue), formatPlacementRectangle(param.normal));
    EXPECT_EQ(m_app.profile().readInt(section, kIconizedValue, -1), param.iconized);
    EXPECT_EQ(m_app.profile().readInt(section, kMaximizedValue, -1), param.maximized);

    frame = kind->open();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowState() & kShownState, param.reopened);
    if (param.reopened & Qt::WindowMinimized) {
        kind->unminimize(*frame);
        settle();
        EXPECT_EQ(frame->windowState() & kShownState, param.unminimized);
    }
    if (frame->windowState() & kShownState) {
        frame->showNormal();
        settle();
    }
    EXPECT_EQ(frame->windowState() & kShownState, Qt::WindowStates());
    EXPECT_EQ(frame->geometry(), param.normal);
    kind->close();
}

const auto maximize = [](QWidget& frame) { frame.showMaximized(); };
const auto minimize = [](QWidget& frame) { frame.showMinimized(); };
const auto maximizeThenMinimize = [](QWidget& frame) {
    frame.showMaximized();
    settle();
    frame.showMinimized();
};
const Qt::WindowStates kNormal;

INSTANTIATE_TEST_SUITE_P(
    States, ReopenFrame,
    testing::Values(
        SReopenCase{"MainNormal", false, QRect(120, 90, 500, 400), nullptr, 0, 0, kNormal, kNormal},
        SReopenCase{"MainNegativePosition", false, QRect(-5, -10, 400, 300), nullptr, 0, 0, kNormal, kNormal},
        SReopenCase{"MainMaximized", false, QRect(120, 90, 500, 400), maximize, 0, 1, Qt::WindowMaximized, kNormal},
        SReopenCase{"MainMinimized", false, QRect(120, 90, 500, 400), minimize, 1, 0, Qt::WindowMinimized, kNormal},
        SReopenCase{"MainMinimizedFromMaximized", false, QRect(120, 90, 500, 400), maximizeThenMinimize, 1, 2,
                    Qt::WindowMinimized | Qt::WindowMaximized, Qt::WindowMaximized},
        SReopenCase{"ChildNormal", true, QRect(30, 40, 300, 200), nullptr, 0, 0, kNormal, kNormal},
        SReopenCase{"ChildMaximized", true, QRect(30, 40, 300, 200), maximize, 0, 1, Qt::WindowMaximized, kNormal},
        SReopenCase{"ChildMinimized", true, QRect(30, 40, 300, 200), minimize, 1, 0, Qt::WindowMinimized, kNormal},
        SReopenCase{"ChildMinimizedFromMaximized", true, QRect(30, 40, 300, 200), maximizeThenMinimize, 1, 2,
                    Qt::WindowMinimized, Qt::WindowMaximized}),
    test::SCaseName());

// A first start, or a "Rectangle" that gives no area, keeps the size the main frame starts with.
struct SKeptCase {
    std::string name;
    std::optional<QString> rectangle;
};
void PrintTo(const SKeptCase& c, std::ostream* out) { *out << c.name; }

class KeepCurrentRectangle : public testing::TestWithParam<SKeptCase> {
protected:
    test::SAppOnMemorySettings m_app;
};

TEST_P(KeepCurrentRectangle, MainFrameOpensWithItsFirstStartSize)
{
    if (GetParam().rectangle)
        m_app.profile().writeString(kMainWindowSection, kRectangleValue, GetParam().rectangle->toStdU16String());
    CMainFrame frame;
    frame.setWindowFlag(Qt::FramelessWindowHint);
    frame.showFromPlacement();
    settle();
    EXPECT_EQ(frame.size(), frame.screen()->availableGeometry().size() * 4 / 5);
    EXPECT_EQ(frame.geometry().center(), frame.screen()->availableGeometry().center());
    EXPECT_EQ(frame.windowState() & kShownState, Qt::WindowStates());
}

// A placement saved on a larger screen (or at a smaller scale), or on a monitor since unplugged,
// comes back whole on the screen there is.
TEST(MainFramePlacement, ComesBackOntoTheScreen)
{
    const char* saved[] = {"0000 0000 2400 1600", "5000 5000 5400 5300", "-900 0100 -100 0500"};
    for (const char* rectangle : saved) {
        test::SAppOnMemorySettings app;
        app.profile().writeString(kMainWindowSection, kRectangleValue, QString::fromLatin1(rectangle).toStdU16String());
        CMainFrame frame;
        frame.setWindowFlag(Qt::FramelessWindowHint);
        frame.showFromPlacement();
        settle();
        EXPECT_TRUE(frame.screen()->availableGeometry().contains(frame.geometry()))
            << rectangle << ": " << frame.geometry().x() << "," << frame.geometry().y() << " "
            << frame.geometry().width() << "x" << frame.geometry().height();
    }
}

INSTANTIATE_TEST_SUITE_P(Values, KeepCurrentRectangle,
                         testing::Values(SKeptCase{"NothingSaved", std::nullopt}, SKeptCase{"Empty", QString()},
                                         SKeptCase{"FiveDigitsMisread", QStringLiteral("12345 0120 0600 0520")}),
                         test::SCaseName());

// A frame that never got shown (its creation failed) must not overwrite what the last one saved.
TEST(ChildPlacement, FrameNeverShownSavesNothing)
{
    test::SAppOnMemorySettings app;
    app.profile().writeString(kChildWindowsSection, kRectangleValue, u"0030 0040 0330 0240");
    CDocument document;
    auto docTemplate = test::makeTestTemplate(129, nullptr);
    {
        CPersistMDIChildFrame frame(*docTemplate, document);
        frame.setGeometry(0, 0, 50, 50);
    }
    EXPECT_EQ(app.readString(kChildWindowsSection, kRectangleValue), QStringLiteral("0030 0040 0330 0240"));
}

}  // namespace
}  // namespace brindle
