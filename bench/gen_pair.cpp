// brindle_gen_pair: writes a reproducible pair of source-code-like files for the compare benchmark.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The standard distributions differ between library implementations; a generator of our own
// keeps one seed's files byte-identical on every platform, so figures stay comparable.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
    std::size_t between(std::size_t lo, std::size_t hi) { return lo + below(hi - lo + 1); }
    bool chance(double p) { return static_cast<double>(next() >> 11) * 0x1.0p-53 < p; }

    template <class T, std::size_t N>
    const T& pick(const T (&items)[N])
    {
        return items[below(N)];
    }

private:
    std::uint64_t m_state;
};

constexpr std::string_view kVerbs[] = {
    "get",     "set",     "read",    "write",    "find",    "update", "compute", "parse",  "load",  "save",
    "open",    "close",   "append",  "insert",   "remove",  "erase",  "clear",   "reset",  "build", "make",
    "create",  "init",    "check",   "validate", "apply",   "merge",  "split",   "join",   "scan",  "emit",
    "flush",   "resize",  "reserve", "copy",     "move",    "swap",   "sort",    "count",  "match", "compare",
    "collect", "resolve", "encode",  "decode",   "convert", "format", "render",  "select", "skip"};

constexpr std::string_view kNouns[] = {
    "buffer", "line",   "count", "index",  "size",   "name",    "path",   "file",   "offset", "length",
    "item",   "node",   "value", "result", "text",   "range",   "block",  "entry",  "key",    "map",
    "list",   "cache",  "width", "height", "column", "row",     "token",  "state",  "mode",   "flag",
    "limit",  "start",  "end",   "pos",    "data",   "input",   "output", "source", "target", "prefix",
    "suffix", "delta",  "hash",  "chunk",  "page",   "section", "edit",   "anchor", "score",  "weight",
    "cost",   "depth",  "level", "parent", "child",  "options", "config", "error",  "status", "message",
    "header", "record", "field", "owner",  "view",   "caret",   "marker", "pane",   "span"};

constexpr std::string_view kAdjectives[] = {"max",     "min",     "total", "current", "next",  "prev",  "new",
                                            "old",     "first",   "last",  "base",    "local", "raw",   "temp",
                                            "visible", "pending", "dirty", "left",    "right", "saved", "active"};

constexpr std::string_view kBuiltinTypes[] = {"int",           "int",          "bool", "double",  "std::size_t",
                                              "std::size_t",   "std::string",  "auto", "auto",    "const auto&",
                                              "std::uint32_t", "std::int64_t", "char", "unsigned"};

constexpr std::string_view kValueTypes[] = {"int",         "int",           "bool",         "double", "std::size_t",
                                            "std::string", "std::uint32_t", "std::int64_t", "char",   "unsigned"};

constexpr std::string_view kHeaders[] = {"<algorithm>", "<cstddef>",  "<cstdint>",   "<cstring>", "<map>",
                                         "<memory>",    "<optional>", "<span>",      "<string>",  "<string_view>",
                                         "<utility>",   "<vector>",   "<stdexcept>", "<limits>"};

constexpr std::string_view kCommentWords[] = {
    "the",  "the",     "a",       "we",    "this",  "keeps",  "must",    "never",   "always",   "before",   "after",
    "line", "buffer",  "so",      "that",  "when",  "caller", "owns",    "returns", "empty",    "if",       "not",
    "is",   "already", "sorted",  "by",    "end",   "of",     "file",    "next",    "block",    "moves",    "only",
    "once", "reused",  "cheap",   "cache", "valid", "until",  "changes", "count",   "includes", "trailing", "newline",
    "zero", "width",   "handles", "case",  "where", "both",   "sides",   "differ",  "lookup",   "fast",     "path",
    "slow", "avoid",   "copy",    "here",  "it",    "to",     "in"};

constexpr std::string_view kKeywords[] = {
    "if",       "for",           "while",     "return",   "const",     "auto",   "int",    "bool",    "double", "char",
    "unsigned", "std",           "size_t",    "uint32_t", "int64_t",   "string", "static", "void",    "else",   "case",
    "switch",   "break",         "continue",  "include",  "namespace", "struct", "throw",  "nullptr", "true",   "false",
    "default",  "runtime_error", "exception", "catch",    "try",       "this",   "i",      "j"};

// Joins parts in order. Unlike a chain of operator+, whose operands any compiler may evaluate in
// any order, a braced list is evaluated left to right: the random picks inside it, and so the
// files a seed gives, are the same with every compiler.
std::string cat(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (const std::string_view part : parts)
        size += part.size();
    std::string s;
    s.reserve(size);
    for (const std::string_view part : parts)
        s += part;
    return s;
}

std::string capitalized(std::string_view word)
{
    std::string s(word);
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z')
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

std::string localName(Rng& rng)
{
    const std::size_t form = rng.below(20);
    if (form < 9)
        return std::string(rng.pick(kNouns));
    if (form < 17)
        return cat({rng.pick(kAdjectives), capitalized(rng.pick(kNouns))});
    return cat({rng.pick(kNouns), capitalized(rng.pick(kNouns))});
}

std::string functionName(Rng& rng)
{
    std::string s = cat({rng.pick(kVerbs), capitalized(rng.pick(kNouns))});
    if (rng.chance(0.3))
        s += capitalized(rng.pick(kNouns));
    return s;
}

std::string typeName(Rng& rng)
{
    std::string s = capitalized(rng.pick(kNouns));
    if (rng.chance(0.6))
        s += capitalized(rng.pick(kNouns));
    return s;
}

std::string numberText(Rng& rng)
{
    const std::size_t form = rng.below(10);
    if (form < 5)
        return std::to_string(rng.below(3));
    if (form < 9)
        return std::to_string(rng.below(4097));
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%zx", rng.below(0x10000));
    return hex;
}

std::string words(Rng& rng, std::size_t lo, std::size_t hi)
{
    std::string s;
    for (std::size_t n = rng.between(lo, hi); n > 0; --n) {
        if (!s.empty())
            s += ' ';
        s += rng.pick(kCommentWords);
    }
    return s;
}

// Lines kept in one text buffer: a million separate strings would cost twice the memory and
// most of the generator's time in allocation.
class LineStore {
public:
    LineStore() { m_starts.push_back(0); }

    std::size_t size() const { return m_starts.size() - 1; }
    std::string_view operator[](std::size_t i) const
    {
        return std::string_view(m_text).substr(m_starts[i], m_starts[i + 1] - m_starts[i]);
    }
    void push(std::size_t indent, std::string_view line)
    {
        m_text.append(indent, ' ');
        m_text += line;
        m_starts.push_back(m_text.size());
    }
    void truncate(std::size_t lines)
    {
        if (lines >= size())
            return;
        m_starts.resize(lines + 1);
        m_text.resize(m_starts.back());
    }

private:
    std::string m_text;
    std::vector<std::size_t> m_starts;
};

// Appends lines of plausible C++: units with includes and a namespace, functions whose bodies
// nest blocks a few levels deep. Names come from a small per-function pool so that, as in real
// code, a variable recurs across nearby lines while whole lines mostly stay unique.
class CodeWriter {
public:
    CodeWriter(Rng& rng, LineStore& out) : m_rng(rng), m_out(out) {}

    void writeUnit();
    void newScope();
    void writeBody(int depth, std::size_t statements);

private:
    void emit(int depth, std::string_view text);
    void blank() { m_out.push(0, {}); }
    const std::string& var() { return m_locals[m_rng.below(m_locals.size())]; }
    std::string expression();
    std::string condition();
    std::string call();
    std::string simpleStatement();
    void writeBlock(int depth);
    void writeBraced(int depth, std::size_t statements);
    void writeIf(int depth);
    void writeLoop(int depth);
    void writeSwitch(int depth);
    void writeStruct();
    void writeFunction();

    Rng& m_rng;
    LineStore& m_out;
    std::vector<std::string> m_locals;
};

void CodeWriter::emit(int depth, std::string_view text) { m_out.push(static_cast<std::size_t>(depth) * 4, text); }

void CodeWriter::newScope()
{
    m_locals.clear();
    for (std::size_t n = m_rng.between(3, 6); n > 0; --n)
        m_locals.push_back(localName(m_rng));
    m_locals.push_back("m_" + localName(m_rng));
}

std::string CodeWriter::expression()
{
    switch (m_rng.below(11)) {
    case 0:
    case 1: return numberText(m_rng);
    case 2: return var();
    case 3: return cat({var(), " + ", numberText(m_rng), " * ", var()});
    case 4: return cat({var(), " * ", var()});
    case 5: return call();
    case 6: return var() + ".size()";
    case 7: return "static_cast<int>(" + var() + ")";
    case 8: return cat({var(), "[", var(), "]"});
    case 9: return "\"" + words(m_rng, 1, 4) + "\"";
    default: return m_rng.chance(0.5) ? "true" : "nullptr";
    }
}

std::string CodeWriter::condition()
{
    switch (m_rng.below(7)) {
    case 0: return cat({var(), " < ", var()});
    case 1: return cat({var(), " == ", numberText(m_rng)});
    case 2: return "!" + var() + ".empty()";
    case 3: return var() + " != nullptr";
    case 4: return cat({"is", capitalized(m_rng.pick(kNouns)), "(", var(), ")"});
    case 5: return cat({var(), " > 0 && ", var(), " < ", var()});
    default: return "!" + var();
    }
}

std::string CodeWriter::call()
{
    std::string args;
    for (std::size_t n = m_rng.between(m_rng.chance(0.3) ? 0 : 1, 4); n > 0; --n) {
        if (!args.empty())
            args += ", ";
        args += m_rng.chance(0.8) ? var() : numberText(m_rng);
    }
    switch (m_rng.below(4)) {
    case 0: return cat({var(), ".", functionName(m_rng), "(", args, ")"});
    case 1: return cat({var(), "->", functionName(m_rng), "(", args, ")"});
    default: return functionName(m_rng) + "(" + args + ")";
    }
}

std::string CodeWriter::simpleStatement()
{
    switch (m_rng.below(24)) {
    case 0:
    case 1:
    case 2:
    case 3: return cat({m_rng.pick(kBuiltinTypes), " ", var(), " = ", expression(), ";"});
    case 4:
    case 5:
    case 6: return cat({var(), " = ", expression(), ";"});
    case 7: return cat({var(), " += ", expression(), ";"});
    case 8: return "++" + var() + ";";
    case 9:
    case 10:
    case 11:
    case 12:
    case 13: return call() + ";";
    case 14: return cat({var(), ".push_back(", var(), ");"});
    case 15: return "return " + expression() + ";";
    case 16: return m_rng.chance(0.5) ? "return 0;" : (m_rng.chance(0.5) ? "return true;" : "return false;");
    case 17:
    case 18: return cat({"log(\"", words(m_rng, 1, 5), ": %d\", ", var(), ");"});
    case 19: return "throw std::runtime_error(\"" + words(m_rng, 2, 6) + "\");";
    case 20:
    case 21: return cat({"const ", typeName(m_rng), "& ", var(), " = ", call(), ";"});
    case 22: return cat({"std::vector<", typeName(m_rng), "> ", var(), ";"});
    default: return "assert(" + condition() + ");";
    }
}

void CodeWriter::writeBody(int depth, std::size_t statements)
{
    for (std::size_t i = 0; i < statements; ++i) {
        if (m_rng.chance(0.07))
            emit(depth, "// " + capitalized(words(m_rng, 3, 10)) + ".");
        const double blockShare = depth <= 1 ? 0.14 : depth == 2 ? 0.09 : depth <= 4 ? 0.04 : 0.0;
        if (m_rng.chance(blockShare))
            writeBlock(depth);
        else if (m_rng.chance(0.06))
            emit(depth, cat({simpleStatement(), "  // ", words(m_rng, 2, 7)}));
        else
            emit(depth, simpleStatement());
        if (i + 1 < statements && m_rng.chance(0.12))
            blank();
    }
}

void CodeWriter::writeBraced(int depth, std::size_t statements)
{
    emit(depth, "{");
    writeBody(depth + 1, statements);
    emit(depth, "}");
}

void CodeWriter::writeBlock(int depth)
{
    const std::size_t kind = m_rng.below(20);
    if (kind < 11)
        writeIf(depth);
    else if (kind < 19)
        writeLoop(depth);
    else
        writeSwitch(depth);
}

void CodeWriter::writeIf(int depth)
{
    emit(depth, "if (" + condition() + ")");
    if (m_rng.chance(0.3)) {
        emit(depth + 1, m_rng.chance(0.5) ? std::string("return false;") : simpleStatement());
        return;
    }
    writeBraced(depth, m_rng.between(2, 8));
    if (m_rng.chance(0.25)) {
        emit(depth, "else");
        writeBraced(depth, m_rng.between(1, 4));
    }
}

void CodeWriter::writeLoop(int depth)
{
    switch (m_rng.below(4)) {
    case 0: emit(depth, "for (std::size_t i = 0; i < " + var() + ".size(); ++i)"); break;
    case 1: emit(depth, cat({"for (const auto& ", var(), " : ", var(), ")"})); break;
    case 2: emit(depth, "for (int i = 0; i < " + numberText(m_rng) + "; ++i)"); break;
    default: emit(depth, "while (" + condition() + ")"); break;
    }
    writeBraced(depth, m_rng.between(2, 9));
}

void CodeWriter::writeSwitch(int depth)
{
    emit(depth, "switch (" + var() + ")");
    emit(depth, "{");
    for (std::size_t n = m_rng.between(2, 5); n > 0; --n) {
        emit(depth, "case " + numberText(m_rng) + ":");
        writeBody(depth + 1, m_rng.between(1, 3));
        emit(depth + 1, "break;");
    }
    emit(depth, "default:");
    emit(depth + 1, "break;");
    emit(depth, "}");
}

void CodeWriter::writeStruct()
{
    emit(0, "struct " + typeName(m_rng));
    emit(0, "{");
    for (std::size_t n = m_rng.between(2, 7); n > 0; --n)
        emit(1, cat({m_rng.pick(kValueTypes), " ", localName(m_rng), " = ", numberText(m_rng), ";"}));
    emit(0, "};");
    blank();
}

void CodeWriter::writeFunction()
{
    newScope();
    if (m_rng.chance(0.5))
        emit(0, "// " + capitalized(words(m_rng, 4, 12)) + ".");
    const bool returnsValue = m_rng.chance(0.7);
    std::string signature(returnsValue ? m_rng.pick(kValueTypes) : "void");
    signature += cat({" ", typeName(m_rng), "::", functionName(m_rng), "("});
    for (std::size_t n = m_rng.below(4); n > 0; --n) {
        m_locals.push_back(localName(m_rng));
        signature += cat({"const ", typeName(m_rng), "& ", m_locals.back(), n > 1 ? ", " : ""});
    }
    emit(0, signature + ")");
    emit(0, "{");
    writeBody(1, m_rng.between(4, 30));
    if (returnsValue)
        emit(1, m_rng.chance(0.4) ? std::string("return 0;") : "return " + var() + ";");
    emit(0, "}");
    blank();
}

void CodeWriter::writeUnit()
{
    const std::string module = localName(m_rng);
    emit(0, "// " + capitalized(words(m_rng, 4, 10)) + ".");
    emit(0, "#include \"" + module + ".h\"");
    blank();
    for (std::size_t n = m_rng.between(2, 6); n > 0; --n)
        emit(0, "#include " + std::string(m_rng.pick(kHeaders)));
    blank();
    emit(0, "namespace " + module + " {");
    blank();
    for (std::size_t n = m_rng.below(3); n > 0; --n)
        writeStruct();
    for (std::size_t n = m_rng.between(3, 12); n > 0; --n)
        writeFunction();
    emit(0, "}  // namespace " + module);
    blank();
}

bool isWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

struct Span {
    std::size_t pos = 0;
    std::size_t len = 0;
};

// The words a change may replace, in line order. Keywords, type names, format directives and
// include lines are left alone so that an edited line still reads like code.
std::vector<Span> editableWords(std::string_view line, std::size_t limit = SIZE_MAX)
{
    std::vector<Span> spans;
    const std::size_t first = line.find_first_not_of(' ');
    if (first != std::string_view::npos && line[first] == '#')
        return spans;
    for (std::size_t i = 0; i < line.size() && spans.size() < limit;) {
        if (!isWordChar(line[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && isWordChar(line[end]))
            ++end;
        const std::string_view word = line.substr(i, end - i);
        const bool formatDirective = i > 0 && line[i - 1] == '%';
        if (!formatDirective && std::find(std::begin(kKeywords), std::end(kKeywords), word) == std::end(kKeywords))
            spans.push_back({i, end - i});
        i = end;
    }
    return spans;
}

bool inProse(std::string_view line, std::size_t pos)
{
    const std::string_view before = line.substr(0, pos);
    return before.find("//") != std::string_view::npos || std::count(before.begin(), before.end(), '"') % 2 == 1;
}

// Replaces one word with another of its kind: a number, a name, or a word of a comment or string.
std::string changedLine(std::string_view line, Rng& rng)
{
    const std::vector<Span> spans = editableWords(line);
    const Span span = spans[rng.below(spans.size())];
    const std::string_view old = line.substr(span.pos, span.len);
    const bool numeric = old[0] >= '0' && old[0] <= '9';
    const bool prose = !numeric && inProse(line, span.pos);
    std::string replacement;
    do
        replacement = numeric ? numberText(rng) : prose ? std::string(rng.pick(kCommentWords)) : localName(rng);
    while (replacement == old);
    std::string out(line.substr(0, span.pos));
    out += replacement;
    out += line.substr(span.pos + span.len);
    return out;
}

std::size_t indentDepth(std::string_view line)
{
    const std::size_t spaces = line.find_first_not_of(' ');
    return spaces == std::string_view::npos ? 0 : spaces / 4;
}

enum class Role : std::uint8_t { Keep, Changed, Deleted, Moved };

// Lines that appear in file 2 in front of file 1's line `before` (the line count means the end).
struct Paste {
    std::size_t before = 0;
    LineStore lines;
};

// Decides which lines of file 1 change, vanish or move, and what file 2 gains. Each file 1 line
// takes at most one role, so the shares add up exactly as requested.
class EditPlan {
public:
    EditPlan(const LineStore& original, Rng& rng)
        : m_original(original), m_rng(rng), m_roles(original.size(), Role::Keep)
    {
    }

    void placeMoves(std::size_t lines);
    void placeDeletions(std::size_t lines);
    // Returns how many lines it changed; fewer than asked when too few lines have a word to edit.
    std::size_t placeChanges(std::size_t lines);
    void placeInsertions(std::size_t lines);

    template <class Sink>
    void write(Sink& sink);

private:
    template <class Pred>
    std::optional<std::size_t> findFree(std::size_t from, Pred acceptable) const;
    std::size_t claimRun(std::size_t start, std::size_t maxLines, Role role);
    std::size_t destinationFor(std::size_t start, std::size_t count);

    const LineStore& m_original;
    Rng& m_rng;
    std::vector<Role> m_roles;
    std::vector<Paste> m_pastes;
};

// Scans forward from a random point instead of retrying random points, so placement ends even
// when nearly every line is already taken.
template <class Pred>
std::optional<std::size_t> EditPlan::findFree(std::size_t from, Pred acceptable) const
{
    const std::size_t n = m_roles.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = (from + k) % n;
        if (m_roles[i] == Role::Keep && acceptable(i))
            return i;
    }
    return std::nullopt;
}

std::size_t EditPlan::claimRun(std::size_t start, std::size_t maxLines, Role role)
{
    std::size_t count = 0;
    while (count < maxLines && start + count < m_roles.size() && m_roles[start + count] == Role::Keep)
        m_roles[start + count++] = role;
    return count;
}

// A block pasted right next to where it was cut has not moved at all.
std::size_t EditPlan::destinationFor(std::size_t start, std::size_t count)
{
    for (int attempt = 0; attempt < 32; ++attempt) {
        const std::size_t p = m_rng.below(m_roles.size() + 1);
        if (p < start || p > start + count)
            return p;
    }
    return start > 0 ? 0 : m_roles.size();
}

void EditPlan::placeMoves(std::size_t lines)
{
    std::size_t placed = 0;
    while (placed < lines) {
        const auto start = findFree(m_rng.below(m_roles.size()), [](std::size_t) { return true; });
        if (!start)
            break;
        const std::size_t count = claimRun(*start, std::min(lines - placed, m_rng.between(5, 50)), Role::Moved);
        Paste paste{destinationFor(*start, count), {}};
        for (std::size_t i = *start; i < *start + count; ++i)
            paste.lines.push(0, m_original[i]);
        m_pastes.push_back(std::move(paste));
        placed += count;
    }
}

void EditPlan::placeDeletions(std::size_t lines)
{
    std::size_t placed = 0;
    while (placed < lines) {
        const auto start = findFree(m_rng.below(m_roles.size()), [](std::size_t) { return true; });
        if (!start)
            break;
        placed += claimRun(*start, std::min(lines - placed, m_rng.between(1, 20)), Role::Deleted);
    }
}

// Edits cluster in real changes: about a third of them touch a few neighbouring lines.
std::size_t EditPlan::placeChanges(std::size_t lines)
{
    const auto editable = [this](std::size_t i) { return !editableWords(m_original[i], 1).empty(); };
    std::size_t placed = 0;
    while (placed < lines) {
        auto line = findFree(m_rng.below(m_roles.size()), editable);
        if (!line)
            break;
        const std::size_t run = m_rng.chance(0.35) ? m_rng.between(2, 4) : 1;
        for (std::size_t k = 0; k < run && placed < lines && line; ++k) {
            m_roles[*line] = Role::Changed;
            ++placed;
            const std::size_t next = *line + 1;
            line.reset();
            if (next < m_roles.size() && m_roles[next] == Role::Keep && editable(next))
                line = next;
        }
    }
    return placed;
}

void EditPlan::placeInsertions(std::size_t lines)
{
    std::size_t placed = 0;
    while (placed < lines) {
        const std::size_t count = std::min(lines - placed, m_rng.between(1, 20));
        Paste paste{m_rng.below(m_roles.size() + 1), {}};
        const std::size_t neighbour = std::min(paste.before, m_roles.size() - 1);
        const int depth = static_cast<int>(std::clamp<std::size_t>(indentDepth(m_original[neighbour]), 1, 4));
        CodeWriter writer(m_rng, paste.lines);
        writer.newScope();
        while (paste.lines.size() < count)
            writer.writeBody(depth, m_rng.between(1, 4));
        paste.lines.truncate(count);
        m_pastes.push_back(std::move(paste));
        placed += count;
    }
}

template <class Sink>
void EditPlan::write(Sink& sink)
{
    std::stable_sort(m_pastes.begin(), m_pastes.end(),
                     [](const Paste& x, const Paste& y) { return x.before < y.before; });
    auto paste = m_pastes.begin();
    for (std::size_t i = 0; i <= m_roles.size(); ++i) {
        for (; paste != m_pastes.end() && paste->before == i; ++paste) {
            for (std::size_t k = 0; k < paste->lines.size(); ++k)
                sink.writeLine(paste->lines[k]);
        }
        if (i == m_roles.size())
            break;
        if (m_roles[i] == Role::Keep)
            sink.writeLine(m_original[i]);
        else if (m_roles[i] == Role::Changed)
            sink.writeLine(changedLine(m_original[i], m_rng));
    }
}

// Writes through a temporary file in the target folder and renames it into place, so that an
// interrupted run never leaves a truncated file that looks complete.
class OutputFile {
public:
    OutputFile(std::filesystem::path path, bool crlf)
        : m_path(std::move(path)), m_temp(m_path.string() + ".tmp"), m_eol(crlf ? "\r\n" : "\n")
    {
        m_file = std::fopen(m_temp.c_str(), "wb");
        if (!m_file)
            throw std::runtime_error("cannot create " + m_temp.string());
        m_buffer.resize(std::size_t{1} << 20);
        std::setvbuf(m_file, m_buffer.data(), _IOFBF, m_buffer.size());
    }
    ~OutputFile()
    {
        if (m_file) {
            std::fclose(m_file);
            std::error_code ignored;
            std::filesystem::remove(m_temp, ignored);
        }
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void writeLine(std::string_view line)
    {
        std::fwrite(line.data(), 1, line.size(), m_file);
        std::fwrite(m_eol.data(), 1, m_eol.size(), m_file);
        ++m_lines;
        m_bytes += line.size() + m_eol.size();
    }
    void commit()
    {
        const bool failed = std::ferror(m_file) != 0;
        const bool closeFailed = std::fclose(m_file) != 0;
        m_file = nullptr;
        if (failed || closeFailed)
            throw std::runtime_error("cannot write " + m_temp.string());
        std::error_code error;
        std::filesystem::rename(m_temp, m_path, error);
        if (error) {
            std::filesystem::remove(m_temp, error);
            throw std::runtime_error("cannot replace " + m_path.string());
        }
    }
    std::string summary() const
    {
        return m_path.string() + ": " + std::to_string(m_lines) + " lines, " + std::to_string(m_bytes) + " bytes";
    }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_temp;
    std::string_view m_eol;
    std::vector<char> m_buffer;
    std::FILE* m_file = nullptr;
    std::size_t m_lines = 0;
    std::size_t m_bytes = 0;
};

// Shares left out are zero, so that one given share means exactly that edit and nothing else;
// with no share given at all, a typical 1 percent mix applies.
struct Options {
    std::size_t lines = 100000;
    double changed = 0;
    double inserted = 0;
    double deleted = 0;
    double moved = 0;
    std::uint64_t seed = 1;
    bool crlf = false;
    std::string out1;
    std::string out2;
};

constexpr const char* kUsage =
    "usage: brindle_gen_pair [options] (--out-dir DIR | --out1 FILE --out2 FILE)\n"
    "  --lines N      lines of file 1; k and M suffixes allowed (default 100000)\n"
    "  --changed P    percent of lines with a small token edit\n"
    "  --inserted P   percent of lines inserted, in runs of 1-20\n"
    "  --deleted P    percent of lines deleted, in runs of 1-20\n"
    "  --moved P      percent of lines moved, in blocks of 5-50\n"
    "                 shares not given are 0; with none given: 0.5, 0.2, 0.2 and 0.1\n"
    "  --seed S       seed; the same options and seed give the same files (default 1)\n"
    "  --crlf         CR LF line ends (default LF)\n"
    "  --out-dir DIR  writes DIR/a.txt and DIR/b.txt\n"
    "  --out1 F --out2 F  writes the two files to the given paths\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::uint64_t parseCount(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    std::uint64_t scale = 1;
    if (*end == 'k' || *end == 'K')
        scale = 1000, ++end;
    else if (*end == 'm' || *end == 'M')
        scale = 1000000, ++end;
    if (text.empty() || text[0] == '-' || *end != '\0' || errno != 0 || value > UINT64_MAX / scale)
        throw UsageError(option + ": not a count: " + text);
    return value * scale;
}

double parsePercent(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value < 0 || value > 100)
        throw UsageError(option + ": not a percentage from 0 to 100: " + text);
    return value;
}

Options parseOptions(int argc, char** argv)
{
    Options o;
    std::string outDir;
    bool anyShare = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--crlf") {
            o.crlf = true;
            continue;
        }
        if (i + 1 >= argc)
            throw UsageError("unknown option or missing value: " + arg);
        const std::string value = argv[++i];
        anyShare = anyShare || arg == "--changed" || arg == "--inserted" || arg == "--deleted" || arg == "--moved";
        if (arg == "--lines")
            o.lines = parseCount(arg, value);
        else if (arg == "--seed")
            o.seed = parseCount(arg, value);
        else if (arg == "--changed")
            o.changed = parsePercent(arg, value);
        else if (arg == "--inserted")
            o.inserted = parsePercent(arg, value);
        else if (arg == "--deleted")
            o.deleted = parsePercent(arg, value);
        else if (arg == "--moved")
            o.moved = parsePercent(arg, value);
        else if (arg == "--out-dir")
            outDir = value;
        else if (arg == "--out1")
            o.out1 = value;
        else if (arg == "--out2")
            o.out2 = value;
        else
            throw UsageError("unknown option: " + arg);
    }
    if (!anyShare) {
        o.changed = 0.5;
        o.inserted = 0.2;
        o.deleted = 0.2;
        o.moved = 0.1;
    }
    if (!outDir.empty()) {
        std::filesystem::create_directories(outDir);
        o.out1 = (std::filesystem::path(outDir) / "a.txt").string();
        o.out2 = (std::filesystem::path(outDir) / "b.txt").string();
    }
    if (o.out1.empty() || o.out2.empty())
        throw UsageError("give --out-dir DIR, or --out1 FILE and --out2 FILE");
    if (o.lines == 0)
        throw UsageError("--lines must be at least 1");
    // Changed, deleted and moved lines are distinct lines of file 1.
    if (o.changed + o.deleted + o.moved > 100)
        throw UsageError("--changed, --deleted and --moved add up to more than 100 percent");
    return o;
}

std::size_t shareOf(std::size_t lines, double percent)
{
    return static_cast<std::size_t>(std::llround(static_cast<double>(lines) * percent / 100.0));
}

void generate(const Options& o)
{
    Rng content(o.seed);
    LineStore original;
    CodeWriter writer(content, original);
    while (original.size() < o.lines)
        writer.writeUnit();
    original.truncate(o.lines);

    // A stream of its own for the edits keeps file 1 identical across change shares.
    Rng edits(Rng(o.seed ^ 0x6a09e667f3bcc908ULL).next());
    EditPlan plan(original, edits);
    // Blocks first: they need contiguous free lines, which single-line changes would break up.
    plan.placeMoves(shareOf(o.lines, o.moved));
    plan.placeDeletions(shareOf(o.lines, o.deleted));
    const std::size_t wanted = shareOf(o.lines, o.changed);
    const std::size_t changed = plan.placeChanges(wanted);
    if (changed < wanted)
        std::fprintf(stderr, "brindle_gen_pair: only %zu of %zu changes fit (too few editable lines)\n", changed,
                     wanted);
    plan.placeInsertions(shareOf(o.lines, o.inserted));

    OutputFile first(o.out1, o.crlf);
    for (std::size_t i = 0; i < original.size(); ++i)
        first.writeLine(original[i]);
    first.commit();
    OutputFile second(o.out2, o.crlf);
    plan.write(second);
    second.commit();
    std::fprintf(stderr, "%s; %s\n", first.summary().c_str(), second.summary().c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    try {
        generate(parseOptions(argc, argv));
        return 0;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "brindle_gen_pair: %s\n", e.what());
        std::fputs(kUsage, stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brindle_gen_pair: %s\n", e.what());
        return 1;
    }
}
