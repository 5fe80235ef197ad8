// Common state of the buffered text-file reader and writer.
#pragma once

#include "engine/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brindle {

class CCodePage;

// Holds the encoding code, the transfer buffer and the 8-bit code page of one text file.
// Not copyable: it owns an open file.
class CTextFileBase {
public:
    virtual ~CTextFileBase();
    CTextFileBase(const CTextFileBase&) = delete;
    CTextFileBase& operator=(const CTextFileBase&) = delete;

    int Encoding() const { return m_encoding; }

    // Code page of 8-bit text (code 0); 0 means the system ANSI code page. An unknown number
    // also falls back to the ANSI code page.
    void SetCodePage(std::uint32_t codePage) { m_codePage = codePage; }
    std::uint32_t CodePage() const { return m_codePage; }

protected:
    CTextFileBase() = default;
    const CCodePage& codePage() const;

    int m_encoding = kEncodingAnsi;
    bool m_endOfFile = false;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_bufferPos = 0;
    std::size_t m_bufferFill = 0;
    std::uint32_t m_codePage = 0;
};

}  // namespace brindle
