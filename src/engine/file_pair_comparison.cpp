#include "engine/file_pair_comparison.h"

#include "engine/binary_test.h"
#include "engine/compare_lines.h"
#include "engine/file_exception.h"
#include "engine/line_list.h"
#include "platform/file_system.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace brindle {

namespace {

constexpr std::size_t kBlockBytes = 256 * 1024;

class CInputFile {
public:
    explicit CInputFile(const std::string& path) : m_path(path) { m_fd = openListedFile(path, m_error); }
    ~CInputFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CInputFile(const CInputFile&) = delete;
    CInputFile& operator=(const CInputFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Reads up to size bytes; fewer only at the end of the file. -1 on an error.
    std::ptrdiff_t read(std::uint8_t* buffer, std::size_t size)
    {
        std::size_t got = 0;
        while (got < size && !m_atEnd) {
            const ssize_t n = ::read(m_fd, buffer + got, size - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                m_error = std::error_code(errno, std::generic_category());
                m_readFailed = true;
                return -1;
            }
            // An ordinary file gives less than asked only at its end: no read is spent on that.
            m_atEnd = n == 0 || static_cast<std::size_t>(n) < size - got;
            got += static_cast<std::size_t>(n);
        }
        return static_cast<std::ptrdiff_t>(got);
    }
    std::string problem() const
    {
        return u8(inputFileProblem(pathFromNative(m_path),
                                   m_readFailed ? CFileException::Operation::Read : CFileException::Operation::Open,
                                   m_error));
    }

private:
    const std::string& m_path;
    int m_fd = -1;
    std::error_code m_error;
    bool m_readFailed = false;
    bool m_atEnd = false;
};

// The kind from the first bytes of both files.
EFileKind kindOf(std::span<const std::uint8_t> start1, std::span<const std::uint8_t> start2)
{
    return IsBinaryProbe(start1) || IsBinaryProbe(start2) ? EFileKind::Binary : EFileKind::Text;
}

// Reads the first bytes of both files only, for the kind.
SFilePairResult probeKinds(CInputFile& file1, CInputFile& file2)
{
    SFilePairResult result;
    std::uint8_t start1[kBinaryProbeBytes];
    std::uint8_t start2[kBinaryProbeBytes];
    const std::ptrdiff_t n1 = file1.read(start1, sizeof start1);
    const std::ptrdiff_t n2 = n1 < 0 ? 0 : file2.read(start2, sizeof start2);
    if (n1 < 0 || n2 < 0) {
        result.problem = n1 < 0 ? file1.problem() : file2.problem();
        return result;
    }
    result.kind = kindOf({start1, static_cast<std::size_t>(n1)}, {start2, static_cast<std::size_t>(n2)});
    return result;
}

// Both files block by block until they part; the kind from their first blocks when wanted.
SFilePairResult compareBytes(CInputFile& file1, CInputFile& file2, bool wantKind)
{
    SFilePairResult result;
    // One pair of blocks per worker for all its files: fresh blocks of this size would be mapped
    // and unmapped for every file.
    thread_local std::vector<std::uint8_t> block1(kBlockBytes);
    thread_local std::vector<std::uint8_t> block2(kBlockBytes);
    for (bool first = true;; first = false) {
        const std::ptrdiff_t n1 = file1.read(block1.data(), block1.size());
        const std::ptrdiff_t n2 = n1 < 0 ? 0 : file2.read(block2.data(), block2.size());
        if (n1 < 0 || n2 < 0) {
            result.problem = n1 < 0 ? file1.problem() : file2.problem();
            return result;
        }
        if (first && wantKind)
            result.kind =
                kindOf({block1.data(), static_cast<std::size_t>(n1)}, {block2.data(), static_cast<std::size_t>(n2)});
        if (n1 != n2 || std::memcmp(block1.data(), block2.data(), static_cast<std::size_t>(n1)) != 0)
            return result;
        if (n1 == 0) {
            result.same = true;
            return result;
        }
    }
}

// The comparison window's verdict under the ignore options: no difference section.
bool sameLines(const std::string& path1, const std::string& path2, const SFilePairOptions& options)
{
    auto lines1 = std::make_shared<CLineList>(pathFromNative(path1));
    auto lines2 = std::make_shared<CLineList>(pathFromNative(path2));
    LoadLines(lines1->path(), *lines1);
    LoadLines(lines2->path(), *lines2);
    SLineCompareOptions lineOptions;
    lineOptions.ignoreWhitespace = options.ignoreWhitespace;
    lineOptions.ignoreCase = options.ignoreCase;
    CSectionList sections;
    if (!CompareLines(lines1, lines2, lineOptions, sections))
        return false;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (sections[i].kind() != kSectionCommon)
            return false;
    }
    return true;
}

}  // namespace

SFilePairResult compareFilePair(const std::string& path1, const std::string& path2, std::int64_t size1,
                                std::int64_t size2, const SFilePairOptions& options)
{
    const bool ignoring = options.ignoreWhitespace || options.ignoreCase;
    CInputFile file1(path1);
    CInputFile file2(path2);
    SFilePairResult result;
    if (!file1.isOpen() || !file2.isOpen()) {
        result.problem = !file1.isOpen() ? file1.problem() : file2.problem();
        return result;
    }
    if (size1 != size2 && !ignoring)
        return options.fileKinds ? probeKinds(file1, file2) : result;
    result = compareBytes(file1, file2, options.fileKinds || ignoring);
    if (result.same || !result.problem.empty() || !ignoring || result.kind != EFileKind::Text)
        return result;
    try {
        result.sameIgnoring = result.same = sameLines(path1, path2, options);
    } catch (const CFileException& e) {
        result.problem = e.what();
    }
    return result;
}

}  // namespace brindle
