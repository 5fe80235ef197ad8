#include "engine/binary_test.h"

#include "platform/file_system.h"
#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace brindle {

bool IsBinary(std::u16string_view path, bool* bareLf)
{
    std::array<std::uint8_t, kBinaryProbeBytes> bytes{};
    const std::size_t count = readFileStart(path, bytes);
    return IsBinaryProbe(std::span(bytes).first(count), bareLf);
}

bool IsBinaryProbe(std::span<const std::uint8_t> probe, bool* bareLf)
{
    probe = probe.first(std::min(probe.size(), kBinaryProbeBytes));
    const auto begin = probe.begin();
    const auto end = probe.end();
    if (probe.size() > 2 && probe[0] == 0xFF && probe[1] == 0xFE)
        return false;
    const bool binary = std::any_of(begin, end, [](std::uint8_t b) { return b < 0x09; });
    if (bareLf) {
        const auto lf = std::find(begin, end, std::uint8_t{'\n'});
        if (lf != end && lf != begin && *(lf - 1) != '\r')
            *bareLf = true;
    }
    return binary;
}

}  // namespace brindle
