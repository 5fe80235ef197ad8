// The editor's regular expressions: a pattern and a line cut from the input (bounded, so that a
// run stays fast), searched forwards, backwards and at a position. Properties: a match found lies
// inside the line, starts in the range searched and ends by the limit, and its groups lie inside
// it; matching at the start of a forward match gives the same match; a backward search finds a
// match exactly when a forward search over the same range does, and the one it finds starts no
// earlier and is the match at its start.
#include "editor/ed_regex.h"
#include "fuzz_check.h"
#include "fuzz_units.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace brindle {
namespace {

constexpr std::size_t kMaxPattern = 48;
constexpr std::size_t kMaxSubject = 400;

void checkInside(const SEdRegexMatch& match, int from, int lastStart, int limit)
{
    FUZZ_CHECK(match.start(0) >= from && match.start(0) <= lastStart);
    FUZZ_CHECK(match.end(0) >= match.start(0) && match.end(0) <= limit);
    for (int group = 1; group < SEdRegexMatch::kGroups; ++group) {
        if (!match.matched(group))
            continue;
        FUZZ_CHECK(match.start(group) >= match.start(0) && match.end(group) <= match.end(0));
        FUZZ_CHECK(match.start(group) <= match.end(group));
    }
}

}  // namespace
}  // namespace brindle

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    if (size < 4)
        return 0;
    const std::uint32_t options = data[0] & (CEdRegex::kMatchCase | CEdRegex::kWholeWord);
    const std::size_t patternBytes = std::min<std::size_t>(data[1] % (kMaxPattern + 1), size - 4);
    const std::u16string pattern = fuzz::unitsFromBytes(data + 4, patternBytes);
    const std::size_t subjectBytes = std::min(size - 4 - patternBytes, kMaxSubject);
    const std::u16string subject = fuzz::unitsFromBytes(data + 4 + patternBytes, subjectBytes);

    CEdRegex regex;
    const bool valid = regex.compile(pattern, options);
    FUZZ_CHECK(valid == regex.isValid());
    FUZZ_CHECK(regex.groupCount() >= 0 && regex.lineBreakCount() >= 0);

    const int length = static_cast<int>(subject.size());
    const int limit = length - data[3] % (length + 1) / 4;
    const int from = data[2] % (limit + 1) / 2;
    SEdRegexMatch forward;
    const bool foundForward = regex.search(subject, from, limit, limit, forward);
    FUZZ_CHECK(valid || !foundForward);
    if (foundForward) {
        checkInside(forward, from, limit, limit);
        SEdRegexMatch at;
        FUZZ_CHECK(regex.matchAt(subject, forward.start(0), limit, at));
        FUZZ_CHECK(at.spans == forward.spans);
    }
    SEdRegexMatch backward;
    const bool foundBackward = regex.searchBackward(subject, from, limit, limit, backward);
    FUZZ_CHECK(foundBackward == foundForward);
    if (foundBackward) {
        checkInside(backward, from, limit, limit);
        FUZZ_CHECK(backward.start(0) >= forward.start(0));
        SEdRegexMatch at;
        FUZZ_CHECK(regex.matchAt(subject, backward.start(0), limit, at));
        FUZZ_CHECK(at.spans == backward.spans);
    }
    return 0;
}
