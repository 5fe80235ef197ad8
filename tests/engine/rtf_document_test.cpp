// The RTF document writer: escaping of raw bytes, which tests whole blocks at a time.
#include "engine/rtf_document.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace brindle {
namespace {

// Removes the backslash before every escaped character; false when a special character stands
// without one, or a backslash escapes something else.
bool unescape(const std::string& escaped, std::string& text)
{
    text.clear();
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const char c = escaped[i];
        if (c == '{' || c == '}')
            return false;
        if (c == '\\') {
            if (++i == escaped.size() || (escaped[i] != '\\' && escaped[i] != '{' && escaped[i] != '}'))
                return false;
        }
        text += escaped[i];
    }
    return true;
}

// Whatever the bytes and wherever in a word the special characters fall (first, last, side by
// side, in the short tail), each gets exactly one backslash and nothing else changes. The
// neighbours 'z', '|' and ']' sit one above '{', '}' and '\' so that a borrow between bytes would
// show.
TEST(RtfDocument, EscapedBytesRoundTripOnRandomInput)
{
    std::mt19937 random(11);
    const char alphabet[] = {'{', '}', '\\', 'z', '|', ']', 'a', ' ', '\0', '\x80', '\xFF', '{'};
    for (int round = 0; round < 5000; ++round) {
        std::string bytes(random() % 70, ' ');
        for (char& c : bytes)
            c = alphabet[random() % sizeof alphabet];
        CRtfDocument document;
        document.raw("<");
        document.escapedBytes(bytes);
        const std::string escaped = document.takeBytes().substr(1);
        std::string text;
        ASSERT_TRUE(unescape(escaped, text)) << round << " " << escaped;
        ASSERT_EQ(text, bytes) << round;
    }
}

TEST(RtfDocument, EscapedBytesExamples)
{
    struct SCase {
        const char* name;
        std::string bytes;
        std::string escaped;
    };
    const SCase cases[] = {
        {"none", "abcdefghijklmnop", "abcdefghijklmnop"},
        {"first and last of a word", "{bcdefg}", "\\{bcdefg\\}"},
        {"neighbours of a match", "{z}|\\]", "\\{z\\}|\\\\]"},
        {"in the tail", "abcdefgh{}", "abcdefgh\\{\\}"},
        {"last of a block of sixteen", "abcdefghijklmno}pq", "abcdefghijklmno\\}pq"},
        {"short", "\\", "\\\\"},
        {"empty", "", ""},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CRtfDocument document;
        document.escapedBytes(c.bytes);
        EXPECT_EQ(document.takeBytes(), c.escaped);
    }
}

}  // namespace
}  // namespace brindle
