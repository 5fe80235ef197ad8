// brindle_gen_binary_pair: writes a reproducible pair of binary files for the compare benchmark.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

// splitmix64, as in brindle_gen_pair: the standard distributions differ between library
// implementations, and one seed must give the same files everywhere.
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
    std::uint8_t byte() { return static_cast<std::uint8_t>(next()); }

private:
    std::uint64_t m_state;
};

using Bytes = std::vector<std::uint8_t>;

void appendRandom(Bytes& out, std::size_t n, Rng& rng)
{
    const std::size_t start = out.size();
    out.resize(start + n);
    for (std::size_t i = 0; i < n; i += 8) {
        const std::uint64_t v = rng.next();
        std::memcpy(out.data() + start + i, &v, std::min<std::size_t>(8, n - i));
    }
}

constexpr std::string_view kNames[] = {"alpha",   "beta",   "gamma",  "delta", "index", "header", "chunk", "stream",
                                       "texture", "vertex", "sample", "frame", "table", "record", "entry", "block"};

// A table of fixed-size records: an increasing id, a timestamp, a few small integers and a
// zero-padded name, as in database pages, archives and object files.
void appendRecords(Bytes& out, std::size_t n, Rng& rng)
{
    const std::size_t recordSize = 16 * rng.between(2, 8);
    std::uint32_t id = static_cast<std::uint32_t>(rng.below(1u << 20));
    std::uint64_t time = 1600000000000ULL + rng.below(1ULL << 36);
    std::vector<std::uint8_t> record(recordSize);
    for (std::size_t done = 0; done < n; done += recordSize) {
        std::fill(record.begin(), record.end(), 0);
        ++id;
        time += rng.below(5000);
        const std::uint32_t small = static_cast<std::uint32_t>(rng.below(rng.below(4) == 0 ? 65536 : 16));
        const std::string_view name = kNames[rng.below(std::size(kNames))];
        std::memcpy(record.data(), &id, 4);
        std::memcpy(record.data() + 4, &small, 4);
        std::memcpy(record.data() + 8, &time, 8);
        std::memcpy(record.data() + 16, name.data(), std::min(name.size(), recordSize - 16));
        out.insert(out.end(), record.begin(),
                   record.begin() + static_cast<std::ptrdiff_t>(std::min(recordSize, n - done)));
    }
}

// String tables and embedded text: words, separators and line ends.
void appendText(Bytes& out, std::size_t n, Rng& rng)
{
    const std::size_t end = out.size() + n;
    while (out.size() < end) {
        const std::string_view word = kNames[rng.below(std::size(kNames))];
        out.insert(out.end(), word.begin(), word.end());
        const std::uint8_t separator = "  _.\n\0"[rng.below(6)];
        out.push_back(separator);
    }
    out.resize(end);
}

// File 1: segments of records (40 %), random bytes like compressed data (30 %), zero padding
// (15 %) and text (15 %), of a few hundred bytes to some hundred kilobytes each.
Bytes makeFile1(std::size_t size, Rng& rng)
{
    Bytes out;
    out.reserve(size + 256 * 1024);
    while (out.size() < size) {
        const std::size_t kind = rng.below(100);
        if (kind < 40)
            appendRecords(out, rng.between(1024, 256 * 1024), rng);
        else if (kind < 70)
            appendRandom(out, rng.between(1024, 128 * 1024), rng);
        else if (kind < 85)
            out.resize(out.size() + rng.between(64, 16 * 1024), 0);
        else
            appendText(out, rng.between(256, 8 * 1024), rng);
    }
    out.resize(size);
    return out;
}

struct Edit {
    std::size_t at;      // offset in file 1
    std::size_t length;  // bytes changed or inserted
    bool insert;
};

constexpr std::size_t kMaxChangedRun = 16;
constexpr std::size_t kMaxInsertedRun = 64;

std::size_t runsFor(std::size_t bytes, double percent, std::size_t maxRun)
{
    const double average = (1.0 + static_cast<double>(maxRun)) / 2.0;
    return static_cast<std::size_t>(std::llround(static_cast<double>(bytes) * percent / 100.0 / average));
}

// Edits at random offsets, in file order; a change never overlaps the edit before it.
std::vector<Edit> planEdits(std::size_t size, double changed, double inserted, Rng& rng)
{
    std::vector<Edit> edits;
    for (std::size_t n = runsFor(size, changed, kMaxChangedRun); n > 0; --n)
        edits.push_back({rng.below(size), rng.between(1, kMaxChangedRun), false});
    for (std::size_t n = runsFor(size, inserted, kMaxInsertedRun); n > 0; --n)
        edits.push_back({rng.below(size + 1), rng.between(1, kMaxInsertedRun), true});
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });
    std::vector<Edit> kept;
    std::size_t free = 0;
    for (const Edit& e : edits) {
        if (e.at < free)
            continue;
        if (!e.insert && e.at + e.length > size)
            continue;
        kept.push_back(e);
        free = e.at + (e.insert ? 0 : e.length);
    }
    return kept;
}

// File 2: file 1 with the edits; a changed byte always differs from the byte it replaces.
Bytes makeFile2(const Bytes& file1, const std::vector<Edit>& edits, Rng& rng)
{
    Bytes out;
    out.reserve(file1.size() + edits.size() * kMaxInsertedRun);
    std::size_t copied = 0;
    for (const Edit& e : edits) {
        out.insert(out.end(), file1.begin() + static_cast<std::ptrdiff_t>(copied),
                   file1.begin() + static_cast<std::ptrdiff_t>(e.at));
        copied = e.at;
        if (e.insert) {
            appendRandom(out, e.length, rng);
            continue;
        }
        for (std::size_t i = 0; i < e.length; ++i)
            out.push_back(static_cast<std::uint8_t>(file1[e.at + i] ^ rng.between(1, 255)));
        copied = e.at + e.length;
    }
    out.insert(out.end(), file1.begin() + static_cast<std::ptrdiff_t>(copied), file1.end());
    return out;
}

// Through a temporary file and a rename, so that an interrupted run leaves no truncated file.
void writeFile(const std::filesystem::path& path, const Bytes& bytes)
{
    const std::filesystem::path temp = path.string() + ".tmp";
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + temp.string());
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::filesystem::remove(temp);
        throw std::runtime_error("cannot write " + temp.string());
    }
    std::filesystem::rename(temp, path);
}

struct Options {
    std::size_t bytes = 100000000;
    double changed = 0;
    double inserted = 0;
    std::uint64_t seed = 1;
    std::string out1;
    std::string out2;
};

constexpr const char* kUsage =
    "usage: brindle_gen_binary_pair [options] (--out-dir DIR | --out1 FILE --out2 FILE)\n"
    "  --bytes N      bytes of file 1; k, M and G suffixes (powers of 1000) allowed (default 100M)\n"
    "  --changed P    percent of bytes changed, in runs of 1-16\n"
    "  --inserted P   percent of bytes inserted, in runs of 1-64\n"
    "                 shares not given are 0; with none given: 0.01 and 0.01\n"
    "  --seed S       seed; the same options and seed give the same files (default 1)\n"
    "  --out-dir DIR  writes DIR/a.bin and DIR/b.bin\n"
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
    switch (*end) {
    case 'k':
    case 'K': scale = 1000, ++end; break;
    case 'm':
    case 'M': scale = 1000000, ++end; break;
    case 'g':
    case 'G': scale = 1000000000, ++end; break;
    default: break;
    }
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
    for (int i = 1; i < argc; i += 2) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            throw UsageError("unknown option or missing value: " + arg);
        const std::string value = argv[i + 1];
        anyShare = anyShare || arg == "--changed" || arg == "--inserted";
        if (arg == "--bytes")
            o.bytes = parseCount(arg, value);
        else if (arg == "--seed")
            o.seed = parseCount(arg, value);
        else if (arg == "--changed")
            o.changed = parsePercent(arg, value);
        else if (arg == "--inserted")
            o.inserted = parsePercent(arg, value);
        else if (arg == "--out-dir")
            outDir = value;
        else if (arg == "--out1")
            o.out1 = value;
        else if (arg == "--out2")
            o.out2 = value;
        else
            throw UsageError("unknown option: " + arg);
    }
    if (!anyShare)
        o.changed = o.inserted = 0.01;
    if (!outDir.empty()) {
        std::filesystem::create_directories(outDir);
        o.out1 = (std::filesystem::path(outDir) / "a.bin").string();
        o.out2 = (std::filesystem::path(outDir) / "b.bin").string();
    }
    if (o.out1.empty() || o.out2.empty())
        throw UsageError("give --out-dir DIR, or --out1 FILE and --out2 FILE");
    if (o.bytes == 0)
        throw UsageError("--bytes must be at least 1");
    return o;
}

void generate(const Options& o)
{
    Rng content(o.seed);
    const Bytes file1 = makeFile1(o.bytes, content);
    // A stream of its own for the edits keeps file 1 identical across edit shares.
    Rng edits(Rng(o.seed ^ 0x6a09e667f3bcc908ULL).next());
    const std::vector<Edit> plan = planEdits(file1.size(), o.changed, o.inserted, edits);
    const Bytes file2 = makeFile2(file1, plan, edits);
    writeFile(o.out1, file1);
    writeFile(o.out2, file2);
    const auto inserts = std::count_if(plan.begin(), plan.end(), [](const Edit& e) { return e.insert; });
    std::fprintf(stderr, "%s: %zu bytes; %s: %zu bytes; %zu changed runs, %zu inserted runs\n", o.out1.c_str(),
                 file1.size(), o.out2.c_str(), file2.size(), plan.size() - static_cast<std::size_t>(inserts),
                 static_cast<std::size_t>(inserts));
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
        std::fprintf(stderr, "brindle_gen_binary_pair: %s\n", e.what());
        std::fputs(kUsage, stderr);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brindle_gen_binary_pair: %s\n", e.what());
        return 1;
    }
}
