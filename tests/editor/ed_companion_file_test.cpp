// The companion source file: candidates per extension and the first one that exists.
#include "editor/ed_companion_file.h"

#include <gtest/gtest.h>

#include <set>

namespace brindle {
namespace {

TEST(EdCompanionFile, Candidates)
{
    using V = std::vector<std::u16string>;
    struct SCase {
        std::u16string path;
        V candidates;
    };
    const SCase cases[] = {
        {u"/s/a.cpp", {u"/s/a.h", u"/s/a.hpp", u"/s/a.inl", u"/s/a.c"}},
        {u"/s/a.c", {u"/s/a.h", u"/s/a.hpp", u"/s/a.inl", u"/s/a.cpp"}},
        {u"/s/a.h", {u"/s/a.cpp", u"/s/a.c", u"/s/a.inl", u"/s/a.hpp"}},
        {u"/s/a.hpp", {u"/s/a.cpp", u"/s/a.c", u"/s/a.inl", u"/s/a.h"}},
        {u"/s/a.inl", {u"/s/a.h", u"/s/a.hpp", u"/s/a.cpp", u"/s/a.c"}},
        {u"/s/A.CPP", {u"/s/A.H", u"/s/A.HPP", u"/s/A.INL", u"/s/A.C"}},
        {u"/s/a.Cpp", {u"/s/a.h", u"/s/a.hpp", u"/s/a.inl", u"/s/a.c"}},
        {u"/s/a.b.cpp", {u"/s/a.b.h", u"/s/a.b.hpp", u"/s/a.b.inl", u"/s/a.b.c"}},
        {u"/s/a.txt", {}},
        {u"/s.c/a", {}},
        {u"/s/cpp", {}},
        {u"/s/a.cc", {}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        EXPECT_EQ(EdCompanionFileCandidates(c.path), c.candidates);
    }
}

TEST(EdCompanionFile, FirstExistingCandidateWins)
{
    const std::set<std::u16string> files{u"/s/a.hpp", u"/s/a.c", u"/s/b.cpp"};
    const auto exists = [&](const std::u16string& path) { return files.count(path) > 0; };
    EXPECT_EQ(EdFindCompanionFile(u"/s/a.cpp", exists), u"/s/a.hpp");
    EXPECT_EQ(EdFindCompanionFile(u"/s/a.h", exists), u"/s/a.c");
    EXPECT_EQ(EdFindCompanionFile(u"/s/b.h", exists), u"/s/b.cpp");
    EXPECT_EQ(EdFindCompanionFile(u"/s/b.cpp", exists), u"");
    EXPECT_EQ(EdFindCompanionFile(u"/no/such/folder/x.cpp"), u"") << "the file system";
}

}  // namespace
}  // namespace brindle
