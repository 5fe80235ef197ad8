#include "engine/memory_estimate.h"

#include "engine/engine_strings.h"
#include "platform/available_memory.h"
#include "platform/file_system.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace brindle {

namespace {

constexpr std::size_t kSampleBytes = std::size_t{1} << 20;
// A line's record (32 bytes) and its share of the matching table (12 bytes a line of one list at a
// time), with room to spare.
constexpr std::uint64_t kBytesPerLine = 48;
// A report line's markup ("   1 - ", colour groups, "\par ") and a pane's index of it.
constexpr std::uint64_t kDocumentBytesPerLine = 16;
// A binary comparison's report: a hex dump of each file, about 3.6 bytes a byte, and for the
// window's panes the dump text again as UTF-16 with its line starts, about 7 bytes a byte. The
// files themselves are mapped: the system can take their pages back.
constexpr std::uint64_t kDumpBytesPerByte = 4;
constexpr std::uint64_t kPaneBytesPerByte = 7;

std::vector<std::uint8_t> readSample(std::u16string_view path, std::uint64_t& size)
{
    if (const auto attributes = fileAttributes(path))
        size = attributes->size;
    std::vector<std::uint8_t> sample(kSampleBytes);
    sample.resize(readFileStart(path, sample));
    return sample;
}

// Characters that do not fit one byte are kept as two.
std::uint64_t textBytes(const SInputCost& input) { return input.wide ? 3 * input.bytes : input.bytes; }

}  // namespace

SInputCost estimateInputCost(std::u16string_view path)
{
    SInputCost cost;
    const std::vector<std::uint8_t> sample = readSample(path, cost.bytes);
    if (sample.empty())
        return cost;
    const auto lineEnds = static_cast<std::uint64_t>(std::count(sample.begin(), sample.end(), std::uint8_t{'\n'}));
    const auto high = static_cast<std::uint64_t>(
        std::count_if(sample.begin(), sample.end(), [](std::uint8_t b) { return b >= 0x80; }));
    const bool utf16 =
        sample.size() >= 2 && ((sample[0] == 0xFF && sample[1] == 0xFE) || (sample[0] == 0xFE && sample[1] == 0xFF));
    cost.wide = utf16 || high * 8 > sample.size();
    const std::uint64_t sampled = sample.size();
    cost.lines = (std::max(cost.bytes, sampled) * lineEnds + sampled - 1) / sampled + 1;
    return cost;
}

std::uint64_t estimatedComparisonMemory(const SInputCost& file1, const SInputCost& file2, bool withDocuments)
{
    const std::uint64_t text = textBytes(file1) + textBytes(file2);
    const std::uint64_t lines = file1.lines + file2.lines;
    const std::uint64_t comparing = text + kBytesPerLine * lines;
    if (!withDocuments)
        return comparing;
    return comparing + text + kDocumentBytesPerLine * lines;
}

namespace {

// Throws CMemoryException when needed is more than available.
void refuseUnlessFits(std::u16string_view file1, std::u16string_view file2, std::uint64_t needed,
                      std::uint64_t available)
{
    if (needed <= available)
        return;
    const std::u16string message =
        engineString(kStrComparisonTooLarge, {file1, file2, memorySizeText(needed), memorySizeText(available)});
    throw CMemoryException(utf8FromUtf16Lossless(message));
}

}  // namespace

void checkComparisonFits(std::u16string_view file1, std::u16string_view file2, bool withDocuments)
{
    // Unknown memory: the files' starts are not even read.
    const std::optional<std::uint64_t> available = availableMemory();
    if (!available)
        return;
    refuseUnlessFits(file1, file2,
                     estimatedComparisonMemory(estimateInputCost(file1), estimateInputCost(file2), withDocuments),
                     *available);
}

std::uint64_t estimatedBinaryReportMemory(std::uint64_t size1, std::uint64_t size2, bool withPanes)
{
    return (kDumpBytesPerByte + (withPanes ? kPaneBytesPerByte : 0)) * (size1 + size2);
}

void checkBinaryReportFits(std::u16string_view file1, std::u16string_view file2, bool withPanes)
{
    const auto size = [](std::u16string_view path) {
        const auto attributes = fileAttributes(path);
        return attributes ? static_cast<std::uint64_t>(attributes->size) : 0;
    };
    if (const std::optional<std::uint64_t> available = availableMemory())
        refuseUnlessFits(file1, file2, estimatedBinaryReportMemory(size(file1), size(file2), withPanes), *available);
}

std::u16string memorySizeText(std::uint64_t bytes)
{
    static constexpr const char* kUnits[] = {"bytes", "KiB", "MiB", "GiB", "TiB"};
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(kUnits)) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    if (unit == 0 || value >= 10)
        std::snprintf(text, sizeof text, "%.0f %s", value, kUnits[unit]);
    else
        std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    std::u16string out;
    for (const char* p = text; *p; ++p)
        out.push_back(static_cast<char16_t>(*p));
    return out;
}

}  // namespace brindle
