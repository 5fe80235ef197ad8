// The external viewer: taking a template apart, putting the place into its arguments, starting
// the program without a shell whatever the file is called, and the internal viewer instead.
#include "compare_ui/external_viewer.h"

#include "framework/doc_template.h"
#include "framework/document.h"
#include "framework/mdi_child_wnd.h"
#include "framework/mdi_frame_wnd.h"
#include "framework/position_target.h"
#include "framework/view.h"
#include "framework/win_app.h"
#include "platform/profile.h"
#include "platform/settings_names.h"
#include "platform/utf8.h"
#include "support/argv_recorder.h"
#include "support/case_name.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace brindle {
namespace {

using test::CArgvRecorder;
using test::CTempDir;

std::vector<std::string> u8s(const std::vector<std::u16string>& texts)
{
    std::vector<std::string> result;
    for (const std::u16string& text : texts)
        result.push_back(u8(text));
    return result;
}

// Replaces every "DIR" in text by dir.
std::string inFolder(std::string text, const std::string& dir)
{
    for (std::size_t at = 0; (at = text.find("DIR", at)) != std::string::npos; at += dir.size())
        text.replace(at, 3, dir);
    return text;
}

// ---- taking the template apart ----

struct STemplateCase {
    const char* name;
    const char* viewerTemplate;
    const char* program;
    const char* arguments;
};

class SplitViewerTemplate : public testing::TestWithParam<STemplateCase> {};

TEST_P(SplitViewerTemplate, GivesProgramAndArgumentText)
{
    const SViewerCommand command = splitViewerTemplate(u16(GetParam().viewerTemplate));
    EXPECT_EQ(u8(command.program), GetParam().program);
    EXPECT_EQ(u8(command.arguments), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Exe, SplitViewerTemplate,
    testing::Values(
        STemplateCase{"lower_case_extension_then_path", "C:\\Tools\\view.exe %PATH%", "C:\\Tools\\view.exe", "%PATH%"},
        STemplateCase{"upper_and_mixed_case_extension", "VIEW.EXE -n %LINE%", "VIEW.EXE", "-n %LINE%"},
        STemplateCase{"mixed_case_keeps_its_letters", "/Opt/View.ExE --Path=%path%", "/Opt/View.ExE", "--Path=%path%"},
        STemplateCase{"blanks_before_the_extension", "/opt/My Tools/view.exe  +%LINE% %PATH% ",
                      "/opt/My Tools/view.exe", "+%LINE% %PATH%"},
        STemplateCase{"arguments_glued_to_the_extension", "view.exe%PATH%", "view.exe", "%PATH%"},
        STemplateCase{"extension_inside_a_word_still_ends_the_program", "/opt/x.exec/run %PATH%", "/opt/x.exe",
                      "c/run %PATH%"},
        STemplateCase{"first_extension_counts", "a.exe b.exe", "a.exe", "b.exe"},
        STemplateCase{"quote_after_the_extension_is_taken", "C:\\v.exe\"%PATH%\"", "C:\\v.exe", "%PATH%\""},
        STemplateCase{"quote_at_the_very_end_is_taken", "C:\\v.exe\"", "C:\\v.exe", ""}),
    test::SCaseName());

INSTANTIATE_TEST_SUITE_P(
    Quoted, SplitViewerTemplate,
    testing::Values(STemplateCase{"quoted_exe_with_blanks", "\"C:\\Program Files\\V\\v.exe\" %PATH%",
                                  "C:\\Program Files\\V\\v.exe", "%PATH%"},
                    STemplateCase{"quoted_program_without_extension", "\"/opt/my viewer/view\" +%LINE% \"%PATH%\"",
                                  "/opt/my viewer/view", "+%LINE% \"%PATH%\""},
                    STemplateCase{"extension_after_the_quotes_belongs_to_the_arguments",
                                  "\"/opt/my view\" %PATH% x.EXE", "/opt/my view", "%PATH% x.EXE"},
                    STemplateCase{"extension_inside_the_quotes_does_not_cut", "\"/opt/a.exe.d/view\" %PATH%",
                                  "/opt/a.exe.d/view", "%PATH%"},
                    STemplateCase{"quoted_program_alone", "  \"/opt/my viewer/view\"  ", "/opt/my viewer/view", ""},
                    STemplateCase{"empty_quotes", "\"\" %PATH%", "", "%PATH%"}),
    test::SCaseName());

INSTANTIATE_TEST_SUITE_P(
    Bare, SplitViewerTemplate,
    testing::Values(STemplateCase{"bare_word", "gedit", "gedit", ""},
                    STemplateCase{"bare_word_with_arguments", "gedit +%LINE% %PATH%", "gedit", "+%LINE% %PATH%"},
                    STemplateCase{"white_space_around", " \t/usr/bin/less\t -N   %PATH%\t ", "/usr/bin/less",
                                  "-N   %PATH%"},
                    STemplateCase{"blank_template", " \t  ", "", ""}, STemplateCase{"empty_template", "", "", ""}),
    test::SCaseName());

// ---- placeholders ----

struct SArgumentsCase {
    const char* name;
    const char* text;
    const char* path;
    std::int64_t position;
    std::int64_t length;
    std::vector<std::string> expected;
};

class ViewerArguments : public testing::TestWithParam<SArgumentsCase> {};

TEST_P(ViewerArguments, ReplacesEachPlaceholderOnceAndNeverInItsValues)
{
    const SArgumentsCase& c = GetParam();
    EXPECT_EQ(c.expected, u8s(viewerArguments(u16(c.text), {u16(c.path), c.position, c.length})));
}

INSTANTIATE_TEST_SUITE_P(
    Placeholders, ViewerArguments,
    testing::Values(
        SArgumentsCase{
            "all_of_them_text", "%PATH% %LINE% %START% %LENGTH% %END%", "/a/b", 12, 0, {"/a/b", "12", "12", "0", "12"}},
        SArgumentsCase{"all_of_them_binary",
                       "%START% %LENGTH% %END% %PATH%",
                       "/bin.dat",
                       4096,
                       1,
                       {"4096", "1", "4097", "/bin.dat"}},
        SArgumentsCase{"first_occurrence_only", "%LINE% %LINE% %PATH%%PATH%", "/p", 7, 0, {"7", "%LINE%", "/p%PATH%"}},
        SArgumentsCase{"first_occurrence_inside_one_word", "%LINE%:%LINE%", "/p", 7, 0, {"7:%LINE%"}},
        SArgumentsCase{
            "any_letter_case", "%path% %Line% %sTaRt% %length% %end%", "/p", 3, 1, {"/p", "3", "3", "1", "4"}},
        SArgumentsCase{"inside_words", "--file=%PATH%:%LINE% +%START%x", "/a b", 9, 0, {"--file=/a b:9", "+9x"}},
        SArgumentsCase{
            "after_quote_removal", "\"%PATH%\" '-c:%LINE%' %PA\"TH\"%", "/q", 5, 0, {"/q", "-c:5", "%PATH%"}},
        SArgumentsCase{
            "unknown_and_broken_placeholders_stay", "%FOO% %PATH %LINE%%", "/p", 1, 0, {"%FOO%", "%PATH", "1%"}},
        SArgumentsCase{"no_placeholders", "-R --", "/p", 1, 0, {"-R", "--"}},
        SArgumentsCase{"empty_text", "", "/p", 1, 0, {}},
        SArgumentsCase{"negative_and_large_numbers", "%LINE% %END%", "/p", -1, 0, {"-1", "-1"}},
        SArgumentsCase{"large_offset", "%START% %END%", "/p", 5000000000LL, 1, {"5000000000", "5000000001"}}),
    test::SCaseName());

// Regression: a path holding a placeholder had it replaced when the placeholders after "%PATH%"
// were searched in the text the path had been put into.
INSTANTIATE_TEST_SUITE_P(
    ValuesAreNeverSearched, ViewerArguments,
    testing::Values(
        SArgumentsCase{
            "placeholders_in_the_path", "%PATH% %LINE%", "/x/%LINE%/%END%.txt", 12, 0, {"/x/%LINE%/%END%.txt", "12"}},
        SArgumentsCase{"placeholder_only_in_the_path",
                       "%PATH%",
                       "/x/%LINE%%START%%LENGTH%%END%",
                       12,
                       0,
                       {"/x/%LINE%%START%%LENGTH%%END%"}},
        SArgumentsCase{"path_completes_a_placeholder", "%PATH%LINE%", "/x%", 12, 0, {"/x%LINE%"}},
        SArgumentsCase{
            "path_with_blanks_and_quotes_stays_one_word", "%PATH%", "/a b/it's \"c\"", 1, 0, {"/a b/it's \"c\""}}),
    test::SCaseName());

// ---- the application around the viewer ----

struct SPositionCall {
    std::string kind;  // "line" or "bytes"
    std::int64_t first = 0;
    std::int64_t length = 0;
    bool operator==(const SPositionCall&) const = default;
};

std::vector<SPositionCall> g_calls;

// The plain text editor stand-in offers the position target on its document, the hex view
// stand-in on its view, so that both places are looked at.
class CTextDocument : public CDocument, public CPositionTarget {
public:
    void goToLine(std::int64_t line) override { g_calls.push_back({"line", line, 0}); }
};

class CHexView : public QLabel, public CView, public CPositionTarget {
public:
    explicit CHexView(QWidget* parent) : QLabel(parent) {}
    QWidget* widget() override { return this; }
    void selectBytes(std::int64_t offset, std::int64_t length) override
    {
        g_calls.push_back({"bytes", offset, length});
    }
};

class CPlainView : public QLabel, public CView {
public:
    explicit CPlainView(QWidget* parent) : QLabel(parent) {}
    QWidget* widget() override { return this; }
};

std::unique_ptr<CDocTemplate> makeTemplate(int id, CDocTemplate::DocumentFactory document, bool hexView)
{
    return std::make_unique<CDocTemplate>(
        id, std::move(document), [](CDocTemplate& t, CDocument& d) -> CMDIChildWnd* { return new CMDIChildWnd(t, d); },
        [hexView](CDocument&, QWidget* parent) -> CView* {
            if (hexView)
                return new CHexView(parent);
            return new CPlainView(parent);
        });
}

class ExternalViewer : public testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        m_app.setMainFrame(std::make_unique<CMDIFrameWnd>());
        m_app.mainFrame()->show();
        setTemplates("", "");
    }
    void TearDown() override
    {
        m_app.closeAllDocuments();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void addViewerTemplates()
    {
        m_app.addDocTemplate(makeTemplate(
            129, [] { return new CDocument; }, false));
        m_app.addDocTemplate(makeTemplate(
            130, [] { return new CDocument; }, false));
        m_app.addDocTemplate(makeTemplate(
            131, [] { return new CDocument; }, true));  // hex view
        m_app.addDocTemplate(makeTemplate(
            132, [] { return new CTextDocument; }, false));  // text editor
    }

    void setTemplates(const std::string& text, const std::string& hex)
    {
        m_app.profile().writeString(kSettingsSection, kTextViewerValue, u16(text));
        m_app.profile().writeString(kSettingsSection, kHexViewerValue, u16(hex));
    }

    // The quoted program (its folder has a blank) and the arguments.
    std::string recorderTemplate(const std::string& arguments) const
    {
        return "\"" + m_recorder.program() + "\" " + arguments;
    }

    // No program ran: nothing was recorded within a while that a started program would need.
    bool nothingStarted() const
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return !m_recorder.hasRecord();
    }

    CTempDir m_dir;
    CArgvRecorder m_recorder{m_dir};
    CWinApp m_app;
};

// ---- hostile file names end to end ----

struct SHostileCase {
    const char* name;
    const char* path;  // "DIR" is the test folder; a command run by mistake creates DIR/pwned
};

class ExternalViewerHostileName : public ExternalViewer, public testing::WithParamInterface<SHostileCase> {};

TEST_P(ExternalViewerHostileName, ReachesTheViewerAsOneArgumentAndRunsNothing)
{
    const std::string dir = m_dir.path().string();
    const std::string path = inFolder(GetParam().path, dir);
    setTemplates(recorderTemplate("--line=%LINE% %PATH% %END%"), recorderTemplate("%START% %LENGTH% -- %PATH%"));

    EXPECT_TRUE(openInViewer(QString::fromStdString(path), 12, false, false));
    auto record = m_recorder.take();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->arguments, (std::vector<std::string>{"--line=12", path, "12"}));

    EXPECT_TRUE(openInViewer(QString::fromStdString(path), 4096, true, false));
    record = m_recorder.take();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->arguments, (std::vector<std::string>{"4096", "1", "--", path}));

    EXPECT_FALSE(std::filesystem::exists(dir + "/pwned"));
    EXPECT_TRUE(g_calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExternalViewerHostileName,
    testing::Values(SHostileCase{"blanks", "DIR/a file  with blanks .txt"},
                    SHostileCase{"quotes", "DIR/it's a \"quoted\" name.txt"},
                    SHostileCase{"backslashes", "DIR/back\\slash\\ \\\"x"},
                    SHostileCase{"semicolon", "DIR/x; touch DIR/pwned; y"},
                    SHostileCase{"command_substitution", "DIR/$(touch DIR/pwned)"},
                    SHostileCase{"backquotes", "DIR/`touch DIR/pwned`.txt"},
                    SHostileCase{"newline", "DIR/first\ntouch DIR/pwned"},
                    SHostileCase{"pipe_and_ampersand", "DIR/a | touch DIR/pwned & b"},
                    SHostileCase{"leading_dash", "-rf"}, SHostileCase{"leading_double_dash", "--output=DIR/pwned"},
                    SHostileCase{"placeholders_in_the_path", "DIR/%LINE% and %END%.txt"},
                    SHostileCase{"non_ascii", "DIR/\xc3\xa9t\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac.txt"}),
    test::SCaseName());

TEST_F(ExternalViewer, ProgramThatCannotBeStartedFailsSilentlyButHandlesTheClick)
{
    setTemplates("\"" + m_dir.file("no such viewer") + "\" %PATH%", "");
    EXPECT_TRUE(openInViewer(QStringLiteral("/tmp/file.txt"), 3, false, false));
    EXPECT_TRUE(g_calls.empty());
}

// ---- internal viewer ----

struct SInternalCase {
    const char* name;
    const char* textTemplate;  // "RECORDER" stands for the recorder with "%PATH%"
    const char* hexTemplate;
    bool binary;
    bool controlHeld;
    std::int64_t position;
    SPositionCall expected;
};

class ExternalViewerInternal : public ExternalViewer, public testing::WithParamInterface<SInternalCase> {};

TEST_P(ExternalViewerInternal, OpensTheFileAtThePlaceAndStartsNothing)
{
    const SInternalCase& c = GetParam();
    const auto expand = [this](std::string text) { return text == "RECORDER" ? recorderTemplate("%PATH%") : text; };
    setTemplates(expand(c.textTemplate), expand(c.hexTemplate));
    addViewerTemplates();
    const std::string file = m_dir.write("shown.txt", "one\ntwo\nthree\n");

    EXPECT_TRUE(openInViewer(QString::fromStdString(file), c.position, c.binary, c.controlHeld));
    EXPECT_EQ(g_calls, std::vector<SPositionCall>{c.expected});
    CDocTemplate* shownIn = m_app.docTemplateAt(c.binary ? 2 : 3);
    ASSERT_EQ(shownIn->documents().size(), 1u);
    EXPECT_EQ(shownIn->documents().front()->pathName().toStdString(), file);
    EXPECT_TRUE(m_app.docTemplateAt(c.binary ? 3 : 2)->documents().empty());

    // A second click reuses the open document.
    EXPECT_TRUE(openInViewer(QString::fromStdString(file), c.position, c.binary, c.controlHeld));
    EXPECT_EQ(shownIn->documents().size(), 1u);
    EXPECT_EQ(g_calls.size(), 2u);
    EXPECT_TRUE(nothingStarted());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExternalViewerInternal,
    testing::Values(
        SInternalCase{"empty_text_template", "", "RECORDER", false, false, 7, {"line", 6, 0}},
        SInternalCase{"blank_text_template", " \t ", "RECORDER", false, false, 2, {"line", 1, 0}},
        // The editor counts lines from 0, the report from 1; a line above the first section (0) is
        // the first line.
        SInternalCase{"line_1_is_the_first_line", "", "", false, false, 1, {"line", 0, 0}},
        SInternalCase{"line_0_is_the_first_line", "", "", false, false, 0, {"line", 0, 0}},
        SInternalCase{"control_held_with_a_text_template", "RECORDER", "RECORDER", false, true, 3, {"line", 2, 0}},
        SInternalCase{"empty_hex_template", "RECORDER", "", true, false, 4096, {"bytes", 4096, 1}},
        SInternalCase{"control_held_with_a_hex_template", "RECORDER", "RECORDER", true, true, 17, {"bytes", 17, 1}}),
    test::SCaseName());

TEST_F(ExternalViewer, InternalViewerWithoutItsTemplateLeavesTheClickUnhandled)
{
    EXPECT_FALSE(openInViewer(QStringLiteral("/tmp/file.txt"), 3, false, false));
    EXPECT_FALSE(openInViewer(QStringLiteral("/tmp/file.bin"), 3, true, false));
}

}  // namespace
}  // namespace brindle
