// The main frame's "Compare Files" command: the compare dialog on the saved options, and the
// comparison it starts.
#include "app/brd_app.h"
#include "framework/qt_utf16.h"

#include "app/main_frame.h"
#include "compare_ui/compare_dlg.h"
#include "compare_ui/sel_page.h"
#include "engine/comp_file_opt.h"
#include "framework/command_ids.h"
#include "platform/profile.h"
#include "platform/settings_names.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace brindle {
namespace {

struct SOpened {
    CCompFileOpt record;
    QString mergePath;
};

class CRecordingApp final : public CBRDApp {
public:
    void openComparison(const CCompFileOpt& record, const QString& mergePath) override
    {
        opened.push_back({record, mergePath});
    }
    std::vector<SOpened> opened;
};

template <class T>
T* visibleTopLevel()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<T*>(widget); found && found->isVisible())
            return found;
    }
    return nullptr;
}

// Runs action on the first visible T once it shows (modal dialogs run in nested event loops).
template <class T>
void onVisible(std::function<void(T&)> action, int attempts = 200)
{
    QTimer::singleShot(5, [action = std::move(action), attempts]() mutable {
        if (T* widget = visibleTopLevel<T>())
            action(*widget);
        else if (attempts > 0)
            onVisible<T>(std::move(action), attempts - 1);
    });
}

void closeSheet(CCompareDlg& sheet, QDialogButtonBox::StandardButton which)
{
    sheet.findChild<QDialogButtonBox*>()->button(which)->click();
}

class CompareFilesCommand : public testing::Test {
protected:
    CompareFilesCommand()
    {
        m_file1 = QString::fromStdString(m_files.write("one.txt", "1\n"));
        m_file2 = QString::fromStdString(m_files.write("two.txt", "2\n"));
    }
    void start()
    {
        ASSERT_TRUE(m_app.initInstance(QString()));
        ASSERT_NE(nullptr, m_app.mainFrame());
        m_app.opened.clear();
    }
    void chooseFiles(CCompareDlg& sheet) const
    {
        findControl<QComboBox>(sheet, CSelPage::kIdFile1)->setEditText(m_file1);
        findControl<QComboBox>(sheet, CSelPage::kIdFile2)->setEditText(m_file2);
    }

    test::CTempDir m_config;
    test::CScopedEnv m_configEnv{"XDG_CONFIG_HOME", m_config.path().c_str()};
    test::CTempDir m_runtime;
    test::CScopedEnv m_runtimeEnv{"XDG_RUNTIME_DIR", m_runtime.path().c_str()};
    test::CTempDir m_files;
    QString m_file1;
    QString m_file2;
    CRecordingApp m_app;
};

TEST_F(CompareFilesCommand, OkOpensTheComparisonWithTheSavedOptions)
{
    start();
    m_app.profile().writeInt(kCompareFilesSection, kIgnoreCaseValue, 1);
    onVisible<CCompareDlg>([this](CCompareDlg& sheet) {
        chooseFiles(sheet);
        closeSheet(sheet, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(m_app.mainFrame()->routeCommand(cmd::kCompareFiles));

    ASSERT_EQ(1u, m_app.opened.size());
    const SOpened& opened = m_app.opened.front();
    EXPECT_EQ(m_file1, toQString(opened.record.m_file1Path));
    EXPECT_EQ(m_file2, toQString(opened.record.m_file2Path));
    EXPECT_EQ(1, opened.record.m_ignoreCase);
    EXPECT_EQ(QString(), opened.mergePath);
    EXPECT_EQ(m_file1.toStdU16String(), m_app.profile().readString(kPathsSection, kFile1PathValue));
}

TEST_F(CompareFilesCommand, CancelOpensNothing)
{
    start();
    onVisible<CCompareDlg>([this](CCompareDlg& sheet) {
        chooseFiles(sheet);
        closeSheet(sheet, QDialogButtonBox::Cancel);
    });
    m_app.mainFrame()->routeCommand(cmd::kCompareFiles);
    EXPECT_EQ(0u, m_app.opened.size());
}

TEST_F(CompareFilesCommand, TextFontChosenInTheSheetBecomesTheSharedTextFont)
{
    start();
    const QFont before = m_app.textFont();
    const int chosenSize = before.pointSize() == 17 ? 19 : 17;
    onVisible<CCompareDlg>([this, chosenSize](CCompareDlg& sheet) {
        onVisible<QFontDialog>([chosenSize](QFontDialog& dialog) {
            QFont font = dialog.currentFont();
            font.setPointSize(chosenSize);
            dialog.setCurrentFont(font);
            dialog.accept();
        });
        findControl<QPushButton>(sheet, 1010)->click();  // "Text Font"
        closeSheet(sheet, QDialogButtonBox::Cancel);
    });
    m_app.mainFrame()->routeCommand(cmd::kCompareFiles);

    EXPECT_EQ(chosenSize, m_app.textFont().pointSize());
    EXPECT_EQ(0u, m_app.opened.size());
}

}  // namespace
}  // namespace brindle
