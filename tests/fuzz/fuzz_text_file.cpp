// The text-file reader on any bytes, with the binary test on the same file. Properties: the lines
// written back in the file's own encoding read again as the same lines; a file whose every line
// end is CR LF comes back byte for byte (8-bit text through the lossless UTF-8 page; UTF-8 and
// UTF-16 with a mark lose nothing, not even a broken sequence or an odd last byte); the binary
// test answers as its contract says for the first 1024 bytes.
#include "engine/binary_test.h"
#include "engine/byte_sink.h"
#include "engine/text_file_read.h"
#include "engine/text_file_write.h"
#include "fuzz_check.h"
#include "platform/code_page.h"
#include "platform/utf8.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace brindle {
namespace {

class CStringSink : public CByteSink {
public:
    explicit CStringSink(std::string& out) : m_out(out) {}
    bool write(const void* data, std::size_t size) override
    {
        m_out.append(static_cast<const char*>(data), size);
        return true;
    }
    bool commit() override { return true; }
    void discard() override {}
    std::error_code error() const override { return {}; }

private:
    std::string& m_out;
};

// In memory where there is a RAM file system: a run writes one file per input.
const std::string& scratchPath()
{
    static const std::string path = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    "/brindle-fuzz-text-" + std::to_string(::getpid());
    return path;
}

void writeFile(const std::string& path, const std::string& bytes)
{
    // A new file rather than a truncated one: ext4 flushes a truncated file to disk at close.
    std::remove(path.c_str());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The lines of the file, read with the lossless UTF-8 page for text without a mark.
std::vector<std::u16string> readLines(const std::string& bytes, int& encoding, bool& oddByte)
{
    writeFile(scratchPath(), bytes);
    CTextFileRead reader;
    reader.SetCodePage(kCodePageUtf8);
    FUZZ_CHECK(reader.Open(pathFromNative(scratchPath())));
    std::vector<std::u16string> lines;
    std::u16string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    encoding = reader.Encoding();
    oddByte = reader.endsWithOddByte();
    return lines;
}

std::string writeLines(const std::vector<std::u16string>& lines, int encoding, bool oddByte)
{
    std::string bytes;
    CTextFileWrite writer;
    writer.SetCodePage(kCodePageUtf8);
    writer.setEndsWithOddByte(oddByte);
    FUZZ_CHECK(writer.Open(std::make_unique<CStringSink>(bytes), encoding));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            writer.WriteEndl();
        writer.WriteString(lines[i]);
    }
    writer.Close();
    return bytes;
}

// Every CR and LF unit is part of a CR LF pair.
bool onlyCrLf(const std::vector<std::uint32_t>& units)
{
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i] == '\r' && (i + 1 == units.size() || units[i + 1] != '\n'))
            return false;
        if (units[i] == '\n' && (i == 0 || units[i - 1] != '\r'))
            return false;
    }
    return true;
}

// The units of the text after the mark, as far as line ends go: every byte of 8-bit text and
// UTF-8 (a CR or LF byte is never part of a sequence, and all other bytes come back as they
// were), the whole units of UTF-16 (an odd last byte is no line end).
std::vector<std::uint32_t> lineEndUnits(const std::string& body, int encoding)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(body[i]); };
    std::vector<std::uint32_t> units;
    if (encoding == kEncodingUtf16Le || encoding == kEncodingUtf16Be) {
        for (std::size_t i = 0; i + 1 < body.size(); i += 2)
            units.push_back(encoding == kEncodingUtf16Le ? byte(i) | byte(i + 1) << 8 : byte(i) << 8 | byte(i + 1));
        return units;
    }
    for (std::size_t i = 0; i < body.size(); ++i)
        units.push_back(byte(i));
    return units;
}

std::size_t markLength(int encoding) { return encoding == kEncodingUtf8 ? 3 : encoding == kEncodingAnsi ? 0 : 2; }

void checkBinaryTest(const std::string& bytes)
{
    bool bareLf = false;
    const bool binary = IsBinary(pathFromNative(scratchPath()), &bareLf);
    const std::string probe = bytes.substr(0, 1024);
    const bool utf16Mark = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    const bool control =
        std::any_of(probe.begin(), probe.end(), [](char c) { return static_cast<std::uint8_t>(c) < 0x09; });
    FUZZ_CHECK(binary == (control && !(utf16Mark && bytes.size() > 2)));
    const std::size_t lf = probe.find('\n');
    const bool expectBareLf = !utf16Mark && lf != std::string::npos && lf > 0 && probe[lf - 1] != '\r';
    FUZZ_CHECK(bareLf == expectBareLf);
}

}  // namespace
}  // namespace brindle

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brindle;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    int encoding = -1;
    bool oddByte = false;
    const std::vector<std::u16string> lines = readLines(bytes, encoding, oddByte);
    checkBinaryTest(bytes);
    FUZZ_CHECK(!lines.empty());

    const std::string written = writeLines(lines, encoding, oddByte);
    int rereadEncoding = -1;
    bool rereadOddByte = false;
    FUZZ_CHECK(readLines(written, rereadEncoding, rereadOddByte) == lines);
    FUZZ_CHECK(rereadEncoding == encoding);
    FUZZ_CHECK(rereadOddByte == oddByte);

    if (onlyCrLf(lineEndUnits(bytes.substr(markLength(encoding)), encoding)))
        FUZZ_CHECK(written == bytes);
    return 0;
}
