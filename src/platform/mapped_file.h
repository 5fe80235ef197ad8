// A file's bytes mapped read-only into memory: large files are compared without being read
// whole, and the system keeps in memory only the pages in use.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

namespace brindle {

// While a file is mapped another program may cut it short; reading a page past its new end would
// kill the process. Such a page reads as zeros instead, and the mapping says it shrank, so that
// whatever was read from it is thrown away rather than reported.
class CMappedFile {
public:
    // Maps the ordinary file at path (opened as every input is, see openInputFile). nullopt with
    // error set when it cannot be opened or mapped.
    static std::optional<CMappedFile> map(std::u16string_view path, std::error_code& error);

    CMappedFile(CMappedFile&& other) noexcept;
    CMappedFile& operator=(CMappedFile&& other) noexcept;
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;
    ~CMappedFile();

    std::span<const std::uint8_t> bytes() const { return {m_data, m_size}; }
    // True once a page past the file's end was touched: the file was cut short while mapped.
    bool shrank() const { return m_shrank && m_shrank->load(); }

private:
    CMappedFile() = default;
    void release();

    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    int m_slot = -1;  // in the table the fault handler reads
    std::unique_ptr<std::atomic<bool>> m_shrank;
};

}  // namespace brindle
