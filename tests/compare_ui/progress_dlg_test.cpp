// The progress dialog: bar arithmetic, cancelling, the owner window, position keeping, and the
// engine's progress displays made from it.
#include "compare_ui/progress_dlg.h"
#include "framework/qt_utf16.h"

#include "compare_ui/message_pump.h"
#include "engine/cancel_flag.h"
#include "engine/engine_strings.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/win_app.h"
#include "platform/memory_settings_store.h"
#include "platform/profile.h"
#include "platform/settings_names.h"
#include "support/case_name.h"
#include "support/scoped_cancel.h"
#include "support/user_door.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace brindle {
namespace {

constexpr auto kSection = u"Progress Test";

QPushButton* cancelButton(const CProgressDlg& dialog) { return dialog.findChild<QPushButton*>(); }
QProgressBar* bar(const CProgressDlg& dialog) { return dialog.findChild<QProgressBar*>(); }
QString textLine(const CProgressDlg& dialog) { return dialog.findChild<QLabel*>()->text(); }

void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

std::vector<CProgressDlg*> visibleProgressDialogs()
{
    std::vector<CProgressDlg*> dialogs;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<CProgressDlg*>(widget); dialog && dialog->isVisible())
            dialogs.push_back(dialog);
    }
    return dialogs;
}

// ---- bar position ----

struct SBarCase {
    const char* name;
    std::int64_t amount;
    std::int64_t total;
    int expected;
};

class ProgressBarPosition : public testing::TestWithParam<SBarCase> {};

TEST_P(ProgressBarPosition, IsTheShareOf200)
{
    EXPECT_EQ(GetParam().expected, CProgressDlg::barPosition(GetParam().amount, GetParam().total));
}

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(Cases, ProgressBarPosition,
                         testing::Values(SBarCase{"total_zero", 50, 0, 0}, SBarCase{"total_negative", 50, -10, 0},
                                         SBarCase{"amount_negative", -5, 100, 0}, SBarCase{"half", 500, 1000, 100},
                                         SBarCase{"rounds_down", 1, 3, 66}, SBarCase{"two_thirds", 2, 3, 133},
                                         SBarCase{"whole", 1000, 1000, 200},
                                         // The bar ignores values outside its range, so an overshoot must stop at 200.
                                         SBarCase{"beyond_total", 1500, 1000, 200},
                                         // amount * 200 would overflow 64 bits.
                                         SBarCase{"huge_three_quarters", kMax / 4 * 3, kMax, 149},
                                         SBarCase{"huge_almost_all", kMax - 1, kMax, 199},
                                         SBarCase{"huge_total_small_amount", kMax / 200, kMax, 0}),
                         test::SCaseName());

// ---- the dialog ----

class ProgressDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_owner.setGeometry(60, 50, 500, 400);
        m_owner.show();
    }
    void TearDown() override { runDeferredDeletes(); }

    CProgressDlg* create(bool cancellable, std::int64_t total = 100, const QString& section = {})
    {
        m_dialog = new CProgressDlg(cancellable, total, &m_dialog, kStrCreatingReport, &m_owner, section, &m_profile);
        return m_dialog;
    }
    int saved(std::u16string_view name) { return m_profile.readInt(kSection, name, -12345); }
    void writeRect(int left, int top, int right, int bottom)
    {
        m_profile.writeInt(kSection, kLeftValue, left);
        m_profile.writeInt(kSection, kTopValue, top);
        m_profile.writeInt(kSection, kRightValue, right);
        m_profile.writeInt(kSection, kBottomValue, bottom);
    }

    test::CScopedCancel m_cancel;
    CMemorySettingsStore m_store;
    CProfile m_profile{m_store};
    QWidget m_owner;
    CProgressDlg* m_dialog = nullptr;
};

TEST_F(ProgressDlgTest, ShowsTitleAndDisablesOnlyItsOwner)
{
    CProgressDlg* dialog = create(true);
    EXPECT_EQ(QStringLiteral("Processing"), dialog->windowTitle());
    EXPECT_EQ(QStringLiteral("Creating Report"), textLine(*dialog));
    EXPECT_EQ(0, bar(*dialog)->minimum());
    EXPECT_EQ(200, bar(*dialog)->maximum());
    EXPECT_EQ(0, bar(*dialog)->value());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(m_owner.isEnabled());
    // Regression: with the owner as parent, disabling the owner disabled the dialog and its button.
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_TRUE(cancelButton(*dialog)->isEnabled());

    dialog->setMessage(kStrBinaryComparison);
    EXPECT_EQ(QStringLiteral("Binary Comparison of Files"), textLine(*dialog));

    QPointer<CProgressDlg> watch(dialog);
    dialog->destroyDialog();
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(nullptr, m_dialog);
    EXPECT_TRUE(m_owner.isEnabled());
    EXPECT_FALSE(cancelRequested()) << "an operation that ends normally is not cancelled";
}

TEST_F(ProgressDlgTest, SetProgressMovesTheBarAgainstTheCurrentTotal)
{
    CProgressDlg* dialog = create(false, 0);
    dialog->setProgress(50);
    EXPECT_EQ(0, bar(*dialog)->value()) << "total 0 keeps the bar at 0";
    dialog->setTotal(400);
    dialog->setProgress(100);
    EXPECT_EQ(50, bar(*dialog)->value());
    EXPECT_EQ(50, dialog->position());
    dialog->setProgress(401);
    EXPECT_EQ(200, bar(*dialog)->value());
    dialog->destroyDialog();
}

enum class CancelWay { Button, Close, Escape };

struct SCancelCase {
    const char* name;
    CancelWay way;
};

void tryCancel(CProgressDlg& dialog, CancelWay way)
{
    switch (way) {
    case CancelWay::Button: cancelButton(dialog)->click(); break;
    case CancelWay::Close: dialog.close(); break;
    case CancelWay::Escape: test::sendKey(dialog, Qt::Key_Escape); break;
    }
}

class ProgressDlgCancel : public ProgressDlgTest, public testing::WithParamInterface<SCancelCase> {};

TEST_P(ProgressDlgCancel, SetsTheFlagClearsThePointerAndFreesTheOwner)
{
    QPointer<CProgressDlg> watch(create(true));
    tryCancel(*watch, GetParam().way);
    EXPECT_TRUE(cancelRequested());
    EXPECT_EQ(nullptr, m_dialog);
    EXPECT_TRUE(m_owner.isEnabled());
    ASSERT_FALSE(watch.isNull()) << "deleted inside its own handler";
    EXPECT_FALSE(watch->isVisible());
    runDeferredDeletes();
    EXPECT_TRUE(watch.isNull());
}

TEST_P(ProgressDlgCancel, IsImpossibleWithoutCancelFlag)
{
    CProgressDlg* dialog = create(false);
    EXPECT_FALSE(cancelButton(*dialog)->isEnabled());
    tryCancel(*dialog, GetParam().way);
    EXPECT_FALSE(cancelRequested());
    EXPECT_EQ(dialog, m_dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(m_owner.isEnabled());
    dialog->destroyDialog();
    EXPECT_TRUE(m_owner.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Ways, ProgressDlgCancel,
                         testing::Values(SCancelCase{"button", CancelWay::Button},
                                         SCancelCase{"close", CancelWay::Close},
                                         SCancelCase{"escape", CancelWay::Escape}),
                         test::SCaseName());

TEST_F(ProgressDlgTest, NestedDialogsLeaveTheOwnerDisabledUntilTheOuterOneGoes)
{
    CProgressDlg* outer = create(true);
    CProgressDlg* inner = nullptr;
    inner = new CProgressDlg(true, 10, &inner, kStrBinaryComparison, &m_owner, {}, &m_profile);
    cancelButton(*inner)->click();
    EXPECT_EQ(nullptr, inner);
    EXPECT_FALSE(m_owner.isEnabled());
    outer->destroyDialog();
    EXPECT_TRUE(m_owner.isEnabled());
}

// ---- position keeping ----

TEST_F(ProgressDlgTest, PositionIsSavedAndRestored)
{
    CProgressDlg* dialog = create(true, 100, toQString(kSection));
    dialog->move(130, 110);
    const QRect frame = dialog->frameGeometry();
    dialog->destroyDialog();
    EXPECT_EQ(130, saved(kLeftValue));
    EXPECT_EQ(110, saved(kTopValue));
    EXPECT_EQ(130 + frame.width(), saved(kRightValue));
    EXPECT_EQ(110 + frame.height(), saved(kBottomValue));

    dialog = create(true, 100, toQString(kSection));
    EXPECT_EQ(QPoint(130, 110), dialog->frameGeometry().topLeft());
    dialog->destroyDialog();
}

TEST_F(ProgressDlgTest, CancelSavesThePositionToo)
{
    create(true, 100, toQString(kSection))->move(90, 80);
    cancelButton(*m_dialog)->click();
    EXPECT_EQ(90, saved(kLeftValue));
    EXPECT_EQ(80, saved(kTopValue));
}

TEST_F(ProgressDlgTest, NothingIsSavedWhenMinimizedOrWithoutSection)
{
    CProgressDlg* dialog = create(true, 100, toQString(kSection));
    dialog->setWindowState(Qt::WindowMinimized);
    dialog->destroyDialog();
    EXPECT_EQ(-12345, saved(kLeftValue));

    create(true)->destroyDialog();
    EXPECT_TRUE(m_store.data().keys().empty());
}

struct SRectCase {
    const char* name;
    int left, top, right, bottom;  // relative to the available desktop; right and bottom outside
};

class ProgressDlgRejectedPosition : public ProgressDlgTest, public testing::WithParamInterface<SRectCase> {};

TEST_P(ProgressDlgRejectedPosition, CentresOverTheOwner)
{
    const QRect desktop = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    const int right = GetParam().right == INT32_MAX ? desktop.width() + 1 : GetParam().right;
    const int bottom = GetParam().bottom == INT32_MAX ? desktop.height() + 1 : GetParam().bottom;
    writeRect(desktop.x() + GetParam().left, desktop.y() + GetParam().top, desktop.x() + right, desktop.y() + bottom);
    CProgressDlg* dialog = create(true, 100, toQString(kSection));
    const QPoint centre = dialog->frameGeometry().center();
    const QPoint ownerCentre = m_owner.frameGeometry().center();
    EXPECT_NEAR(ownerCentre.x(), centre.x(), 1);
    EXPECT_NEAR(ownerCentre.y(), centre.y(), 1);
    dialog->destroyDialog();
}

INSTANTIATE_TEST_SUITE_P(
    Rects, ProgressDlgRejectedPosition,
    testing::Values(SRectCase{"never_saved", 0, 0, 0, 0}, SRectCase{"empty_width", 100, 100, 100, 200},
                    SRectCase{"inverted", 300, 300, 100, 100}, SRectCase{"left_off", -20, 100, 280, 200},
                    SRectCase{"top_off", 100, -1, 400, 200}, SRectCase{"right_off", 100, 100, INT32_MAX, 200},
                    SRectCase{"bottom_off", 100, 100, 400, INT32_MAX}),
    test::SCaseName());

// ---- the engine's progress displays ----

class ProgressDisplayTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_app.setMainFrame(std::make_unique<CMDIFrameWnd>());
        m_app.mainFrame()->show();
        installProgressDialogs();
    }
    void TearDown() override
    {
        uninstallProgressDialogs();
        runDeferredDeletes();
    }

    test::CScopedCancel m_cancel;
    CWinApp m_app;
};

TEST_F(ProgressDisplayTest, ShowsADialogOverTheMainFrameForItsLifetime)
{
    {
        const std::unique_ptr<CProgress> progress = createProgress(kStrBinaryComparison, 1000, false);
        const std::vector<CProgressDlg*> dialogs = visibleProgressDialogs();
        ASSERT_EQ(1u, dialogs.size());
        EXPECT_EQ(QStringLiteral("Binary Comparison of Files"), textLine(*dialogs[0]));
        EXPECT_FALSE(m_app.mainFrame()->isEnabled());
        EXPECT_FALSE(dialogs[0]->cancellable());
        progress->setPosition(250);
        EXPECT_EQ(50, bar(*dialogs[0])->value());
        progress->setTotal(500);
        progress->setPosition(250);
        EXPECT_EQ(100, bar(*dialogs[0])->value());
        progress->setMessage(kStrCreatingReport);
        EXPECT_EQ(QStringLiteral("Creating Report"), textLine(*dialogs[0]));
    }
    EXPECT_TRUE(visibleProgressDialogs().empty());
    EXPECT_TRUE(m_app.mainFrame()->isEnabled());
    EXPECT_FALSE(cancelRequested());
}

TEST_F(ProgressDisplayTest, OutlivesItsCancelledDialog)
{
    const std::unique_ptr<CProgress> progress = createProgress(kStrCreatingReport, 100, true);
    ASSERT_EQ(1u, visibleProgressDialogs().size());
    cancelButton(*visibleProgressDialogs()[0])->click();
    EXPECT_TRUE(cancelRequested());
    EXPECT_TRUE(m_app.mainFrame()->isEnabled());
    runDeferredDeletes();
    // The engine goes on to its next step before it sees the flag.
    progress->setTotal(10);
    progress->setPosition(5);
    progress->setMessage(kStrBinaryComparison);
    EXPECT_TRUE(visibleProgressDialogs().empty());
}

}  // namespace
}  // namespace brindle
