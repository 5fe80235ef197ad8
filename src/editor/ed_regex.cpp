// The editor's regular-expression engine: compiles the search dialect and matches it on UTF-16 text.
#include "editor/ed_regex.h"

#include "editor/ed_regex_compiler_p.h"
#include "editor/ed_regex_program_p.h"
#include "editor/ed_search_chars.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace brindle {

using detail::RegexOp;
using detail::SRegexInstr;
using detail::SRegexProgram;

namespace {

// Threads waiting at one position, highest priority first, each with its capture slots. An
// instruction holds at most one thread per position, so the room is fixed by the program size.
class CThreadList {
public:
    CThreadList(std::size_t codeSize, std::size_t slotCount)
        : m_slotCount(slotCount), m_pcs(codeSize), m_slots(codeSize * slotCount)
    {
    }

    void clear() { m_size = 0; }
    bool empty() const { return m_size == 0; }
    std::size_t size() const { return m_size; }
    int pc(std::size_t i) const { return m_pcs[i]; }
    const int* slots(std::size_t i) const { return m_slots.data() + i * m_slotCount; }

    void add(int pc, const int* slots)
    {
        m_pcs[m_size] = pc;
        std::copy(slots, slots + m_slotCount, m_slots.begin() + static_cast<std::ptrdiff_t>(m_size * m_slotCount));
        ++m_size;
    }

private:
    std::size_t m_slotCount;
    std::size_t m_size = 0;
    std::vector<int> m_pcs;
    std::vector<int> m_slots;
};

class CMatcher {
public:
    CMatcher(const SRegexProgram& program, std::u16string_view subject, int limit)
        : m_program(program), m_code(program.code), m_subject(subject), m_limit(limit),
          m_slotCount(2 * static_cast<std::size_t>(program.groups + 1)), m_mark(program.code.size(), 0),
          m_work(m_slotCount, -1), m_pending(program.code.size() + 1)
    {
    }

    bool run(int from, int lastStart, SEdRegexMatch& match);
    int lastViableStart(int firstStart, int lastStart);

private:
    void addThread(CThreadList& list, int pc, const int* slots, int pos);
    bool holds(int assertion, int pos) const;
    bool consumes(const SRegexInstr& instr, int pos) const;
    bool wordAt(int pos) const
    {
        return pos >= 0 && pos < size() && isEdWordChar(m_subject[static_cast<std::size_t>(pos)]);
    }
    int size() const { return static_cast<int>(m_subject.size()); }

    // An entry of the explicit stack that replaces recursion in addThread: a branch still to
    // follow (slot < 0), or a capture slot to put back once the branch that set it is done. Only
    // a Split or Save pushes, once per visit, so the program size bounds the depth.
    struct SPending {
        int pc;
        int slot;
        int value;
    };

    const SRegexProgram& m_program;
    const std::vector<SRegexInstr>& m_code;
    std::u16string_view m_subject;
    int m_limit;
    std::size_t m_slotCount;
    std::vector<unsigned> m_mark;  // instruction already reached at the current position
    unsigned m_generation = 0;
    std::vector<int> m_work;
    std::vector<SPending> m_pending;
    std::size_t m_pendingCount = 0;
};

bool CMatcher::holds(int assertion, int pos) const
{
    const auto lineFeedAt = [&](int at) { return m_subject[static_cast<std::size_t>(at)] == u'\n'; };
    switch (assertion) {
    case detail::kAssertLineStart: return pos == 0 || lineFeedAt(pos - 1);
    case detail::kAssertLineEnd: return pos == size() || lineFeedAt(pos);
    case detail::kAssertWordStart: return wordAt(pos) && !wordAt(pos - 1);
    case detail::kAssertWordEnd: return wordAt(pos - 1) && !wordAt(pos);
    case detail::kAssertNoWordBefore: return !wordAt(pos - 1);
    case detail::kAssertNoWordAfter: return !wordAt(pos);
    default: return false;
    }
}

bool CMatcher::consumes(const SRegexInstr& instr, int pos) const
{
    if (pos >= m_limit)
        return false;
    const char16_t ch = m_subject[static_cast<std::size_t>(pos)];
    switch (instr.op) {
    case RegexOp::Char: return (m_program.matchCase ? ch : edFoldCase(ch)) == instr.x;
    case RegexOp::Any: return ch != u'\n';
    case RegexOp::Class: return m_program.classes[static_cast<std::size_t>(instr.x)].contains(ch, m_program.matchCase);
    default: return false;
    }
}

// Follows every path from pc that consumes nothing, in priority order, and queues the threads
// that stop at a consuming instruction or Match. An instruction reached before at this position
// is not followed again: the earlier, higher-priority thread owns it, and the same instruction at
// the same position cannot do better, which is what bounds the work per position.
void CMatcher::addThread(CThreadList& list, int pc, const int* slots, int pos)
{
    std::copy(slots, slots + m_slotCount, m_work.begin());
    m_pending[0] = {pc, -1, 0};
    m_pendingCount = 1;
    while (m_pendingCount > 0) {
        const SPending next = m_pending[--m_pendingCount];
        if (next.slot >= 0) {
            m_work[static_cast<std::size_t>(next.slot)] = next.value;
            continue;
        }
        for (int at = next.pc; m_mark[static_cast<std::size_t>(at)] != m_generation;) {
            m_mark[static_cast<std::size_t>(at)] = m_generation;
            const SRegexInstr& instr = m_code[static_cast<std::size_t>(at)];
            if (instr.op == RegexOp::Jump) {
                at = instr.x;
            } else if (instr.op == RegexOp::Split) {
                m_pending[m_pendingCount++] = {instr.y, -1, 0};
                at = instr.x;
            } else if (instr.op == RegexOp::Save) {
                if (static_cast<std::size_t>(instr.x) < m_slotCount) {
                    m_pending[m_pendingCount++] = {0, instr.x, m_work[static_cast<std::size_t>(instr.x)]};
                    m_work[static_cast<std::size_t>(instr.x)] = pos;
                }
                ++at;
            } else if (instr.op == RegexOp::Assert) {
                if (!holds(instr.x, pos))
                    break;
                ++at;
            } else {
                list.add(at, m_work.data());
                break;
            }
        }
    }
}

bool CMatcher::run(int from, int lastStart, SEdRegexMatch& match)
{
    CThreadList current(m_code.size(), m_slotCount);
    CThreadList next(m_code.size(), m_slotCount);
    const std::vector<int> unset(m_slotCount, -1);
    bool matched = false;
    ++m_generation;
    for (int pos = from;; ++pos) {
        // A thread starting here ranks below every thread that started further left.
        if (!matched && pos <= lastStart)
            addThread(current, 0, unset.data(), pos);
        ++m_generation;
        if (current.empty()) {
            if (matched || pos >= lastStart)
                break;
            continue;
        }
        next.clear();
        for (std::size_t i = 0; i < current.size(); ++i) {
            const SRegexInstr& instr = m_code[static_cast<std::size_t>(current.pc(i))];
            if (instr.op == RegexOp::Match) {
                // Threads after this one have lower priority: they can no longer win.
                std::copy(current.slots(i), current.slots(i) + m_slotCount, match.spans.begin());
                std::fill(match.spans.begin() + static_cast<std::ptrdiff_t>(m_slotCount), match.spans.end(), -1);
                matched = true;
                break;
            }
            if (consumes(instr, pos))
                addThread(next, current.pc(i) + 1, current.slots(i), pos + 1);
        }
        std::swap(current, next);
    }
    return matched;
}

// Walks back from the limit keeping, for each instruction, whether a match can be completed
// from it at the current position; returns the first position at or below lastStart where the
// program's start can, or -1. O(positions x (instructions + edges)).
int CMatcher::lastViableStart(int firstStart, int lastStart)
{
    const std::size_t count = m_code.size();
    std::vector<char> live(count, 0);
    std::vector<char> liveAfter(count, 0);
    std::vector<int> queue;
    for (int pos = m_limit; pos >= firstStart; --pos) {
        std::fill(live.begin(), live.end(), 0);
        queue.clear();
        for (std::size_t pc = 0; pc < count; ++pc) {
            const SRegexInstr& instr = m_code[pc];
            const bool viable =
                instr.op == RegexOp::Match || (pc + 1 < count && liveAfter[pc + 1] && consumes(instr, pos));
            if (viable) {
                live[pc] = 1;
                queue.push_back(static_cast<int>(pc));
            }
        }
        while (!queue.empty()) {
            const int pc = queue.back();
            queue.pop_back();
            for (int from : m_program.emptyPredecessors[static_cast<std::size_t>(pc)]) {
                const SRegexInstr& instr = m_code[static_cast<std::size_t>(from)];
                if (live[static_cast<std::size_t>(from)] || (instr.op == RegexOp::Assert && !holds(instr.x, pos)))
                    continue;
                live[static_cast<std::size_t>(from)] = 1;
                queue.push_back(from);
            }
        }
        if (pos <= lastStart && live[0])
            return pos;
        std::swap(live, liveAfter);
    }
    return -1;
}

}  // namespace

CEdRegex::CEdRegex() = default;
CEdRegex::~CEdRegex() = default;
CEdRegex::CEdRegex(CEdRegex&&) noexcept = default;
CEdRegex& CEdRegex::operator=(CEdRegex&&) noexcept = default;

bool CEdRegex::compile(std::u16string_view pattern, std::uint32_t options)
{
    auto program = std::make_unique<SRegexProgram>();
    detail::CEdRegexCompiler compiler(pattern, (options & kMatchCase) != 0, (options & kWholeWord) != 0);
    if (!compiler.compile(*program)) {
        m_program.reset();
        return false;
    }
    m_program = std::move(program);
    return true;
}

int CEdRegex::lineBreakCount() const { return m_program ? m_program->lineBreaks : 0; }

int CEdRegex::groupCount() const { return m_program ? m_program->groups : 0; }

bool CEdRegex::matchAt(std::u16string_view subject, int pos, int limit, SEdRegexMatch& match) const
{
    return search(subject, pos, pos, limit, match);
}

bool CEdRegex::search(std::u16string_view subject, int from, int lastStart, int limit, SEdRegexMatch& match) const
{
    limit = std::clamp(limit, 0, static_cast<int>(subject.size()));
    lastStart = std::min(lastStart, limit);
    if (!m_program || from < 0 || from > lastStart)
        return false;
    CMatcher matcher(*m_program, subject, limit);
    return matcher.run(from, lastStart, match);
}

bool CEdRegex::searchBackward(std::u16string_view subject, int firstStart, int lastStart, int limit,
                              SEdRegexMatch& match) const
{
    limit = std::clamp(limit, 0, static_cast<int>(subject.size()));
    lastStart = std::min(lastStart, limit);
    firstStart = std::max(firstStart, 0);
    if (!m_program || firstStart > lastStart)
        return false;
    CMatcher matcher(*m_program, subject, limit);
    const int start = matcher.lastViableStart(firstStart, lastStart);
    return start >= 0 && matcher.run(start, start, match);
}

}  // namespace brindle
