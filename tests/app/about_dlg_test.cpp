// The about box: memory and disk-space texts from the string table, caption, dialog font, links.
#include "app/about_dlg.h"

#include "app/hlink_ctrl.h"
#include "app/main_frame.h"
#include "frame_test_support.h"
#include "framework/command_ids.h"
#include "platform/settings_names.h"
#include "support/case_name.h"
#include "support/qt_print.h"
#include "support/temp_dir.h"
#include "support/user_door.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace brindle {
namespace {

constexpr quint64 kMiB = 1024 * 1024;
constexpr quint64 kGiB = 1024 * kMiB;

struct SDiskSpaceCase {
    std::string name;
    quint64 bytes;
    QString text;
};
void PrintTo(const SDiskSpaceCase& c, std::ostream* out) { *out << c.name; }

class DiskSpace : public testing::TestWithParam<SDiskSpaceCase> {};

TEST_P(DiskSpace, FormattedByStringTable) { EXPECT_EQ(formatDiskSpace(GetParam().bytes), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Boundaries, DiskSpace,
                         testing::Values(SDiskSpaceCase{"Nothing", 0, QStringLiteral("0 bytes")},
                                         SDiskSpaceCase{"LastBytes", 1023, QStringLiteral("1023 bytes")},
                                         SDiskSpaceCase{"FirstKb", 1024, QStringLiteral("1 KB")},
                                         SDiskSpaceCase{"KbRounded", 1536, QStringLiteral("2 KB")},
                                         // One byte short of a MiB still counts in KB, rounded up to 1024.
                                         SDiskSpaceCase{"LastKb", kMiB - 1, QStringLiteral("1024 KB")},
                                         SDiskSpaceCase{"FirstMb", kMiB, QStringLiteral("1.00 MB")},
                                         SDiskSpaceCase{"ExactlyOneGiB", kGiB, QStringLiteral("1024.00 MB")},
                                         SDiskSpaceCase{"AboveOneGiB", kGiB + 1, QStringLiteral("1.00 GB")},
                                         SDiskSpaceCase{"Terabytes", 5 * 1024 * kGiB + 512 * kGiB,
                                                        QStringLiteral("5632.00 GB")}),
                         test::SCaseName());

struct SPrintfCase {
    std::string name;
    QString format;
    double value;
    QString text;
};
void PrintTo(const SPrintfCase& c, std::ostream* out) { *out << c.name; }

class PrintfNumber : public testing::TestWithParam<SPrintfCase> {};

// Resource texts come from language modules too; whatever they hold, only a number is formatted.
TEST_P(PrintfNumber, FirstConversionTakesTheValue)
{
    EXPECT_EQ(formatPrintfNumber(GetParam().format, GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PrintfNumber,
    testing::Values(SPrintfCase{"UnsignedLong", QStringLiteral("%lu KB"), 16318452, QStringLiteral("16318452 KB")},
                    SPrintfCase{"TwoDecimals", QStringLiteral("%.2lf MB"), 2.345, QStringLiteral("2.35 MB")},
                    SPrintfCase{"PercentSign", QStringLiteral("100%% of %ld"), 7, QStringLiteral("100% of 7")},
                    SPrintfCase{"WidthZeroPadded", QStringLiteral("[%05.1f]"), 3.5, QStringLiteral("[003.5]")},
                    SPrintfCase{"LeftAligned", QStringLiteral("[%-4d]"), 7, QStringLiteral("[7   ]")},
                    SPrintfCase{"TextConversionLeftAlone", QStringLiteral("%s bytes"), 7, QStringLiteral("%s bytes")},
                    SPrintfCase{"OnlyFirstConversion", QStringLiteral("%d and %d"), 7, QStringLiteral("7 and %d")},
                    SPrintfCase{"TranslatedOrder", QStringLiteral("Ko : %.0lf"), 12, QStringLiteral("Ko : 12")},
                    SPrintfCase{"TrailingPercent", QStringLiteral("%ld %"), 7, QStringLiteral("7 %")}),
    test::SCaseName());

TEST(AboutBox, MachineFiguresAreRead)
{
    EXPECT_GT(totalMemoryKb(), 0u);
    test::CTempDir folder;
    EXPECT_GT(freeDiskSpace(QString::fromStdString(folder.path().string())), 0u);
    EXPECT_EQ(freeDiskSpace(QString::fromStdString(folder.file("missing/folder"))), 0u);
    EXPECT_EQ(formatMemory(16318452), QStringLiteral("16318452 KB"));
}

TEST(AboutBox, CaptionAndLinks)
{
    test::SAppOnMemorySettings app;
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Brindle (64-bit)"));
    EXPECT_TRUE(dialog.memoryText().endsWith(QStringLiteral(" KB"))) << dialog.memoryText().toStdString();
    EXPECT_FALSE(dialog.diskSpaceText().isEmpty());
    // Both links can be kept as link files: neither caption ends where a file name would be empty.
    for (const CHLinkCtrl* link : {dialog.homeLink(), dialog.mailLink()}) {
        EXPECT_FALSE(link->address().isEmpty());
        EXPECT_FALSE(CHLinkCtrl::linkFileName(link->caption()).isEmpty()) << link->caption().toStdString();
    }
}

// Every dialog of the program's own takes "Dialog Font" and "Dialog Font Size", read again for each
// dialog; the compare dialog keeps the toolkit's font.
TEST(DialogFont, EveryOwnDialogTakesItAndAChangeAppliesToTheNext)
{
    test::SAppOnMemorySettings app;
    ASSERT_TRUE(app.app.initInstance(QString()));
    CMainFrame& frame = *app.app.mainFrame();
    ASSERT_TRUE(test::activate(frame));
    app.profile().writeString(kSettingsSection, kDialogFontValue, u"DejaVu Sans");
    std::vector<std::pair<QString, int>> seen;
    const auto record = [&seen](QDialog& dialog) {
        seen.emplace_back(QString::fromLatin1(dialog.metaObject()->className()), dialog.font().pointSize());
        dialog.reject();
    };
    for (const int size : {13, 9}) {
        app.profile().writeInt(kSettingsSection, kDialogFontSizeValue, size);
        test::CDialogAnswers answers;
        answers.then(record);
        ASSERT_TRUE(test::chooseMenuItem(frame, cmd::kAppAbout));
        test::settle();
    }
    test::CDialogAnswers answers;
    answers.then(record);
    test::pressKeys(frame, QKeySequence(Qt::CTRL | Qt::Key_M));
    test::settle();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::pair(QStringLiteral("brindle::CAboutDlg"), 13));
    EXPECT_EQ(seen[1], std::pair(QStringLiteral("brindle::CAboutDlg"), 9));
    EXPECT_EQ(seen[2].first, QStringLiteral("brindle::CCompareDlg"));
    EXPECT_EQ(seen[2].second, QApplication::font().pointSize());
}

}  // namespace
}  // namespace brindle
