// Unsaved edits of a document closed without asking: where they go and when nothing is written.
#include "compare_ui/recovery_file.h"

#include "framework/document.h"
#include "support/temp_dir.h"

#include <QFile>
#include <gtest/gtest.h>

#include <unistd.h>

namespace brindle {
namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

// A document whose content is a string; writing can be made to fail.
class CTextDocument : public CDocument {
public:
    bool writeRecoveryCopy(const QString& path) override
    {
        ++writes;
        if (failWrites || (failBeside && !path.contains(QStringLiteral("/brindle/recovered/"))))
            return false;
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && file.write(content) == content.size();
    }
    QByteArray content = "edited text";
    bool failWrites = false;
    bool failBeside = false;
    int writes = 0;
};

TEST(RecoveryFileTest, NamesBesideTheFileAreNumberedWhenTaken)
{
    test::CTempDir dir;
    const QString file = qs(dir.write("merge.txt", "saved"));
    EXPECT_EQ(recoveryPathFor(file), file + ".unsaved");
    dir.write("merge.txt.unsaved", "older");
    EXPECT_EQ(recoveryPathFor(file), file + ".unsaved.1");
    dir.write("merge.txt.unsaved.1", "older");
    EXPECT_EQ(recoveryPathFor(file), file + ".unsaved.2");
}

TEST(RecoveryFileTest, UntitledAndUnwritableFoldersGoToTheDataFolder)
{
    test::CTempDir data;
    test::CScopedEnv dataHome("XDG_DATA_HOME", data.path().c_str());
    const QString recovered = qs(data.path().string()) + "/brindle/recovered/";
    EXPECT_EQ(recoveryPathFor(QString()), recovered + "untitled.unsaved");

    if (::geteuid() == 0)
        GTEST_SKIP() << "every folder is writable for root";
    test::CTempDir locked;
    const QString file = qs(locked.write("merge.txt", "saved"));
    std::filesystem::permissions(locked.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(recoveryPathFor(file), recovered + "merge.txt.unsaved");
}

TEST(RecoveryFileTest, KeepsOnlyWhatIsModifiedAndWritten)
{
    test::CTempDir dir;
    test::CTempDir data;
    test::CScopedEnv dataHome("XDG_DATA_HOME", data.path().c_str());
    enum class EKept { Nowhere, Beside, DataFolder };
    const struct {
        const char* name;
        bool modified;
        bool failBeside;
        bool failWrites;
        EKept kept;
    } cases[] = {
        {"unmodified", false, false, false, EKept::Nowhere},
        {"modified", true, false, false, EKept::Beside},
        {"beside fails", true, true, false, EKept::DataFolder},
        {"every write fails", true, false, true, EKept::Nowhere},
    };
    for (const auto& c : cases) {
        CTextDocument document;
        document.setPathName(qs(dir.write(std::string(c.name) + ".txt", "saved")), false);
        document.setModifiedFlag(c.modified);
        document.failBeside = c.failBeside;
        document.failWrites = c.failWrites;
        const QString kept = keepUnsavedEdits(document);
        switch (c.kept) {
        case EKept::Nowhere: EXPECT_TRUE(kept.isEmpty()) << c.name; break;
        case EKept::Beside: EXPECT_EQ(kept, document.pathName() + ".unsaved") << c.name; break;
        case EKept::DataFolder:
            EXPECT_EQ(kept, qs(data.path().string()) + "/brindle/recovered/" + c.name + ".txt.unsaved") << c.name;
            break;
        }
        if (!kept.isEmpty()) {
            EXPECT_EQ(test::readBytes(kept.toStdString()), "edited text") << c.name;
        }
    }
}

}  // namespace
}  // namespace brindle
