#include "editor/ui/ed_remembered_pos.h"

#include "editor/ed_settings_names.h"
#include "platform/settings_store.h"

#include <array>
#include <cstdint>

namespace brindle {

namespace {

constexpr std::size_t kValueSize = 12;

std::int32_t readInt32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

void putInt32(std::array<std::uint8_t, kValueSize>& bytes, std::size_t at, std::int32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
}

}  // namespace

std::optional<STextPos> readRememberedPos(const CSettingsStore& store, std::u16string_view path)
{
    const auto bytes = store.readBinary(kRememberedPositionsKey, path);
    if (!bytes || bytes->size() != kValueSize)
        return std::nullopt;
    return STextPos{readInt32(*bytes, 4), readInt32(*bytes, 8)};
}

void writeRememberedPos(CSettingsStore& store, std::u16string_view path, STextPos pos)
{
    std::array<std::uint8_t, kValueSize> bytes{};
    putInt32(bytes, 4, pos.ch);
    putInt32(bytes, 8, pos.line);
    store.writeBinary(kRememberedPositionsKey, path, bytes);
}

}  // namespace brindle
