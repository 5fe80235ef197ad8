// The spelling hook against a stand-in checker module (spell_stub): loading, the lines the checker
// is given, corrections through the callbacks, and a cancelled run taken back.
#include "editor/ed_spell_check.h"

#include "editor/buffer_test_support.h"
#include "editor/edit_core_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace brindle {
namespace {

using Lines = std::vector<std::u16string>;

constexpr std::u16string_view kStubDir = u"" BRINDLE_SPELL_STUB_DIR;

class CRecordingClient : public CEdSpellClient {
public:
    void ShowWord(STextPos start, STextPos end) override { shown.emplace_back(start, end); }
    void Finished() override { ++finished; }

    std::vector<std::pair<STextPos, STextPos>> shown;
    int finished = 0;
};

// The stub's own exports, for what it was given.
class CStubProbe {
public:
    CStubProbe()
    {
        std::u16string path(kStubDir);
        path += u"/libwispell.so";
        EXPECT_TRUE(m_library.load(path)) << m_library.error();
    }
    std::u16string log() { return m_library.function<const char16_t* (*)()>("SpellStubLog")(); }
    int initCount() { return m_library.function<std::int32_t (*)()>("SpellStubInitCount")(); }

private:
    CSharedLibrary m_library;
};

TEST(EdSpellModule, MissingModuleIsReportedAndTriedAgain)
{
    CEdSpellModule module;
    EXPECT_FALSE(module.Load(u"/no/such/folder"));
    EXPECT_FALSE(module.IsLoaded());
    EXPECT_FALSE(module.Error().empty());
    EXPECT_EQ(CEdSpellModule::LoadFailedMessage(), u"Error loading \"libwispell.so\".");
    EXPECT_EQ(module.Check(0), 0);
    EXPECT_TRUE(module.Load(std::u16string(kStubDir) + u"/")) << module.Error();
    EXPECT_TRUE(module.Error().empty());
}

TEST(EdSpellModule, InitIsCalledOnceWithTheRecord)
{
    CStubProbe probe;
    const int before = probe.initCount();
    CEdSpellModule module;
    ASSERT_TRUE(module.Load(kStubDir)) << module.Error();
    ASSERT_TRUE(module.Load(kStubDir));
    EXPECT_EQ(probe.initCount(), before + 1);
    EXPECT_EQ(std::memcmp(module.Record().checkerArea, "STUB", 4), 0);
}

struct SCheckCase {
    const char* name;
    Lines before;
    STextPos caret;
    std::int32_t result;
    Lines after;
    std::u16string log;
    int finished;
};

TEST(EdSpellCheck, RunsOverTheLinesFromTheCaretLine)
{
    const SCheckCase cases[] = {
        {"corrections from the first line",
         {u"teh cat", u"", u"a wrod", u"last"},
         {2, 0},
         1,
         {u"the cat", u"", u"a word", u"last"},
         u"^teh cat\n^ \n^a wrod\n^last\n",
         1},
        {"from a later caret line",
         {u"teh", u"x", u"teh wrod"},
         {1, 1},
         1,
         {u"teh", u"x", u"the word"},
         u"^x\n^teh wrod\n",
         1},
        {"a word reported past the line end moves back",
         {u"x offby", u"y"},
         {0, 0},
         1,
         {u"x OFFBY", u"y"},
         u"^x offby\n^y\n",
         1},
        {"a cancelled run takes its corrections back",
         {u"teh wrod", u"CANCEL", u"teh"},
         {0, 0},
         2,
         {u"teh wrod", u"CANCEL", u"teh"},
         u"^teh wrod\n^CANCEL\n",
         0},
    };
    CEdSpellModule module;
    ASSERT_TRUE(module.Load(kStubDir)) << module.Error();
    CStubProbe probe;
    for (const SCheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::CEditHarness edit;
        test::fill(edit.buffer, c.before);
        edit.core.SetCaret(c.caret);
        ASSERT_TRUE(CEdSpellCheck::CanRun(module, edit.core));
        CRecordingClient client;
        EXPECT_EQ(CEdSpellCheck::Run(module, edit.core, client), c.result);
        EXPECT_EQ(test::linesOf(edit.buffer), c.after);
        EXPECT_EQ(probe.log(), c.log);
        EXPECT_EQ(client.finished, c.finished);
        EXPECT_EQ(edit.core.Caret(), c.caret) << "the caret returns";
        EXPECT_FALSE(edit.core.HasSelection());
        if (c.result == 1 && c.after != c.before) {
            STextPos cursor;
            ASSERT_TRUE(edit.buffer.Undo(cursor));
            EXPECT_EQ(test::linesOf(edit.buffer), c.before) << "one undo step takes every correction back";
        }
    }
}

TEST(EdSpellCheck, ShowsEachWordSelected)
{
    CEdSpellModule module;
    ASSERT_TRUE(module.Load(kStubDir)) << module.Error();
    test::CEditHarness edit;
    test::fill(edit.buffer, {u"a teh", u"wrod", u""});
    CRecordingClient client;
    CEdSpellCheck::Run(module, edit.core, client);
    const std::vector<std::pair<STextPos, STextPos>> shown{{{2, 0}, {5, 0}}, {{0, 1}, {4, 1}}};
    EXPECT_EQ(client.shown, shown);
}

TEST(EdSpellCheck, CancelWithoutCorrectionsKeepsTheUsersEdit)
{
    CEdSpellModule module;
    ASSERT_TRUE(module.Load(kStubDir)) << module.Error();
    test::CEditHarness edit;
    edit.set({"|", "CANCEL", "x"});
    edit.core.TypeChar(u'Z');
    CRecordingClient client;
    EXPECT_EQ(CEdSpellCheck::Run(module, edit.core, client), 2);
    EXPECT_EQ(edit.buffer.LineText(0), u"Z");
    EXPECT_TRUE(edit.buffer.CanUndo());
}

TEST(EdSpellCheck, EnabledOnlyWithTheModuleAndBeforeTheLastLine)
{
    test::CEditHarness edit;
    test::fill(edit.buffer, {u"a", u"b"});
    CEdSpellModule missing;
    EXPECT_FALSE(CEdSpellCheck::CanRun(missing, edit.core));
    CRecordingClient client;
    EXPECT_EQ(CEdSpellCheck::Run(missing, edit.core, client), 0);

    CEdSpellModule module;
    ASSERT_TRUE(module.Load(kStubDir));
    EXPECT_TRUE(CEdSpellCheck::CanRun(module, edit.core));
    edit.core.SetCaret(STextPos{0, 1});
    EXPECT_FALSE(CEdSpellCheck::CanRun(module, edit.core));
}

}  // namespace
}  // namespace brindle
