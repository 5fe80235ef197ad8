// The update check against stand-ins for the update library: which call decides, what the user
// is shown, what the library is given, and when the menu item is enabled.
#include "app/update_check.h"
#include "framework/qt_utf16.h"

#include "app/brd_app.h"
#include "framework/cmd_target.h"
#include "framework/command_ids.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QStringList>
#include <QUrlQuery>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#if !defined(BRINDLE_VPROBE_STUB_PATH) || !defined(BRINDLE_VPROBE_NOENTRY_PATH)
#error "BRINDLE_VPROBE_STUB_PATH and BRINDLE_VPROBE_NOENTRY_PATH name the update-library stand-ins"
#endif

namespace brindle {
namespace {

const QString kStubPath = QStringLiteral(BRINDLE_VPROBE_STUB_PATH);
const QString kNoEntryPath = QStringLiteral(BRINDLE_VPROBE_NOENTRY_PATH);
const QString kPrimary = toQString(kPrimaryVersionsLocation);
const QString kFallback = toQString(kFallbackVersionsLocation);

// Records what the check shows, in one line per prompt.
class CRecordingPrompts final : public CUpdatePrompts {
public:
    CRecordingPrompts(std::vector<std::string>& shown, bool answerYes) : m_shown(shown), m_answerYes(answerYes) {}
    bool askYesNo(int stringId, const QString& text) override
    {
        m_shown.push_back("ask " + std::to_string(stringId) + ' ' + text.toStdString());
        return m_answerYes;
    }
    void inform(int stringId, const QString& text) override
    {
        m_shown.push_back("inform " + std::to_string(stringId) + ' ' + text.toStdString());
    }
    void openMail(const QUrl& url) override { m_shown.push_back("mail " + url.toString().toStdString()); }

private:
    std::vector<std::string>& m_shown;
    bool m_answerYes;
};

// The stand-in's call log: versions location, program path and flag of each call.
struct SCall {
    QString location;
    QString program;
    QString flag;
};

std::vector<SCall> readCalls(const std::string& logPath)
{
    std::vector<SCall> calls;
    const QString log = QString::fromStdString(test::readBytes(logPath));
    for (const QString& line : log.split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(u'\t');
        calls.push_back({fields.value(0), fields.value(1), fields.value(2)});
    }
    return calls;
}

class UpdateCheckTest : public testing::Test {
protected:
    std::unique_ptr<CRecordingPrompts> recorder(bool answerYes = true)
    {
        return std::make_unique<CRecordingPrompts>(m_shown, answerYes);
    }

    test::CTempDir m_dir;
    std::string m_logPath = m_dir.file("calls.log");
    test::CScopedEnv m_log{"BRINDLE_VPROBE_STUB_LOG", m_logPath.c_str()};
    std::vector<std::string> m_shown;
};

// ---- which call decides, and what is shown ----

struct SResultCase {
    const char* name;
    const char* results;  // what the stand-in returns, call by call
    bool answerYes;
    int calls;
    std::int32_t decided;
    std::vector<std::string> shown;  // "mail" stands for any prepared mail
};

const std::string kAskNew = "ask 2188 A new version is now available!\nWould you like to request it?";
const std::string kUpToDate = "inform 2189 Brindle is up to date!";
const std::string kFailed = "inform 2190 Could not download configuration information!\nPlease try again later!";

class UpdateCheckResult : public UpdateCheckTest, public testing::WithParamInterface<SResultCase> {};

TEST_P(UpdateCheckResult, LastCallDecidesTheMessage)
{
    const SResultCase& param = GetParam();
    test::CScopedEnv results("BRINDLE_VPROBE_STUB_RESULTS", param.results);
    CUpdateCheck check(kStubPath);
    check.setPrompts(recorder(param.answerYes));
    EXPECT_EQ(std::optional<std::int32_t>(param.decided), check.run());

    const std::vector<SCall> calls = readCalls(m_logPath);
    ASSERT_EQ(static_cast<std::size_t>(param.calls), calls.size());
    EXPECT_EQ(kPrimary, calls[0].location);
    if (calls.size() > 1) {
        EXPECT_EQ(kFallback, calls[1].location);
    }

    std::vector<std::string> shown = m_shown;
    for (std::string& line : shown) {
        if (line.rfind("mail ", 0) == 0)
            line = "mail";
    }
    EXPECT_EQ(param.shown, shown);
}

INSTANTIATE_TEST_SUITE_P(Results, UpdateCheckResult,
                         testing::Values(SResultCase{"new_version_requested", "0", true, 1, 0, {kAskNew, "mail"}},
                                         SResultCase{"new_version_declined", "0", false, 1, 0, {kAskNew}},
                                         SResultCase{"up_to_date", "6", true, 1, 6, {kUpToDate}},
                                         SResultCase{"other_result_not_retried", "4", true, 1, 4, {kFailed}},
                                         SResultCase{"negative_result", "-1", true, 1, -1, {kFailed}},
                                         SResultCase{"five", "5", true, 1, 5, {kFailed}},
                                         SResultCase{"retry_1_new_version", "1 0", true, 2, 0, {kAskNew, "mail"}},
                                         SResultCase{"retry_2_up_to_date", "2 6", true, 2, 6, {kUpToDate}},
                                         SResultCase{"retry_3_fails", "3 4", true, 2, 4, {kFailed}},
                                         SResultCase{"retry_only_once", "1 1 0", true, 2, 1, {kFailed}},
                                         SResultCase{"retry_then_3", "2 3", true, 2, 3, {kFailed}}),
                         test::SCaseName());

// ---- what the library gets, and what the mail says ----

TEST_F(UpdateCheckTest, LibraryGetsTheProgramsFullPathAndFalse)
{
    test::CScopedEnv results("BRINDLE_VPROBE_STUB_RESULTS", "2 6");
    CUpdateCheck check(kStubPath);
    check.setPrompts(recorder());
    check.run();
    const std::vector<SCall> calls = readCalls(m_logPath);
    ASSERT_EQ(2u, calls.size());
    for (const SCall& call : calls) {
        EXPECT_EQ(QCoreApplication::applicationFilePath(), call.program);
        EXPECT_EQ(QStringLiteral("0"), call.flag);
    }
}

TEST_F(UpdateCheckTest, RequestMailNamesProgramAndBothVersions)
{
    test::CScopedEnv results("BRINDLE_VPROBE_STUB_RESULTS", "0");
    CUpdateCheck check(kStubPath);
    check.setPrompts(recorder());
    check.run();
    ASSERT_EQ(2u, m_shown.size());
    const QUrl mail(QString::fromStdString(m_shown[1].substr(5)));
    EXPECT_EQ(QStringLiteral("mailto"), mail.scheme());
    EXPECT_EQ(QString::fromLatin1(kUpdateRequestAddress), mail.path());
    const QString body = QUrlQuery(mail).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
    // The stand-in reports installed 1.2.3 and new 2.3.4.
    EXPECT_TRUE(body.contains(QStringLiteral("Brindle"))) << body.toStdString();
    EXPECT_TRUE(body.contains(QStringLiteral("Installed version: 1.2.3"))) << body.toStdString();
    EXPECT_TRUE(body.contains(QStringLiteral("New version: 2.3.4"))) << body.toStdString();
}

TEST(UpdateRequestMail, ProgramNamesWithQueryDelimitersSurvive)
{
    const QString name = QStringLiteral("A&B+C=D #1 100%");
    const QUrl mail = updateRequestMail(name, 10203, 20304);
    ASSERT_TRUE(mail.isValid());
    const QUrlQuery query(mail);
    EXPECT_EQ(QStringList({QStringLiteral("subject"), QStringLiteral("body")}),
              QStringList({query.queryItems().value(0).first, query.queryItems().value(1).first}));
    const QString subject = query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
    const QString body = query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
    EXPECT_TRUE(subject.contains(name)) << subject.toStdString();
    EXPECT_TRUE(body.contains(name)) << body.toStdString();
    EXPECT_FALSE(mail.toEncoded().contains('+')) << "a '+' may reach the mail program as a blank";
}

TEST(UpdateVersionText, IsMajorMinorPatch)
{
    const struct {
        std::int32_t version;
        const char* text;
    } cases[] = {{10203, "1.2.3"}, {0, "0.0.0"}, {99, "0.0.99"}, {120000, "12.0.0"}, {1009900, "100.99.0"}};
    for (const auto& c : cases)
        EXPECT_EQ(QString::fromLatin1(c.text), versionText(c.version)) << c.version;
}

// ---- missing library or entry point: silence ----

TEST_F(UpdateCheckTest, MissingLibraryOrEntryPointShowsNothing)
{
    test::CScopedEnv results("BRINDLE_VPROBE_STUB_RESULTS", "0");
    const struct {
        QString path;
        bool available;
    } cases[] = {{QString::fromStdString(m_dir.file("libvprobe64.so")), false}, {kNoEntryPath, true}};
    for (const auto& c : cases) {
        CUpdateCheck check(c.path);
        check.setPrompts(recorder());
        EXPECT_EQ(c.available, check.probe()) << c.path.toStdString();
        EXPECT_EQ(std::nullopt, check.run()) << c.path.toStdString();
    }
    EXPECT_TRUE(m_shown.empty());
    EXPECT_TRUE(readCalls(m_logPath).empty());
}

// ---- the menu item and the command ----

TEST_F(UpdateCheckTest, MenuItemIsEnabledExactlyWhenTheLibraryWasThereAtStart)
{
    test::CScopedEnv results("BRINDLE_VPROBE_STUB_RESULTS", "6");
    const struct {
        QString path;
        bool enabled;
        std::size_t messages;
    } cases[] = {{kStubPath, true, 1}, {QString::fromStdString(m_dir.file("libvprobe64.so")), false, 0}};
    for (const auto& c : cases) {
        m_shown.clear();
        CBRDApp app(c.path);
        app.updateCheck().setPrompts(recorder());
        CCmdUI ui(cmd::kCheckForUpdates);
        ASSERT_TRUE(app.onUpdateCmdUI(ui));
        EXPECT_EQ(c.enabled, ui.enabled()) << c.path.toStdString();
        EXPECT_TRUE(app.onCmdMsg(cmd::kCheckForUpdates));
        EXPECT_EQ(c.messages, m_shown.size()) << c.path.toStdString();
    }
}

}  // namespace
}  // namespace brindle
