// The UTF-8 code page (65001), decoded without loss.
#pragma once

#include "platform/code_page.h"

namespace brindle {

// Stateless; any thread may convert.
class CUtf8CodePage final : public CCodePage {
public:
    std::uint32_t number() const override { return kCodePageUtf8; }
    bool isSingleByte() const override { return false; }
    void appendUtf16(std::string_view bytes, std::u16string& out) const override;
    bool appendBytes(std::u16string_view text, std::string& out, char replacement) const override;
    bool byteFor(char16_t ch, std::uint8_t& byte) const override;
    std::uint8_t upperByte(std::uint8_t byte) const override { return byte; }
};

}  // namespace brindle
