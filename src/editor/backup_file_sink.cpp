#include "editor/backup_file_sink.h"

#include "platform/file_system.h"
#include "platform/utf8.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <unistd.h>

namespace brindle {

namespace fs = std::filesystem;

namespace {

// Room for the hidden name's dot and suffix within the longest file name.
constexpr std::size_t kMaxKeptNameStem = 200;

fs::path keptNameCandidate(const fs::path& folder, const std::string& name)
{
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    const unsigned long long salt =
        static_cast<unsigned long long>(ticks) ^ (static_cast<unsigned long long>(::getpid()) << 20) ^ counter++;
    std::string kept = ".";
    kept.append(name, 0, kMaxKeptNameStem);
    kept += ".bak-";
    kept += std::to_string(salt % 1000000007ULL);
    return folder / kept;
}

// Gives the previous file a second, hidden name in the target's folder: a hard link when the
// file system allows it (instant, keeps owner, mode and times), else a copy with the same mode.
bool keepPrevious(const fs::path& real, const fs::path& folder, const std::string& name, fs::path& kept,
                  std::error_code& error)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path candidate = keptNameCandidate(folder, name);
        fs::create_hard_link(real, candidate, error);
        if (!error) {
            kept = candidate;
            return true;
        }
        if (error != std::errc::file_exists)
            break;
    }
    // Another file system (the target is a link to it) or one without hard links.
    std::string prefix = ".";
    prefix.append(name, 0, kMaxKeptNameStem);
    prefix += ".bak-";
    const auto copy = createTempFile(pathFromNative(folder.string()), pathFromNative(prefix), &error);
    if (!copy)
        return false;
    kept = nativePath(*copy);
    fs::copy_file(real, kept, fs::copy_options::overwrite_existing, error);
    if (!error)
        fs::permissions(kept, fs::status(real).permissions(), error);
    if (error) {
        std::error_code ignored;
        fs::remove(kept, ignored);
        return false;
    }
    return true;
}

}  // namespace

CBackupFileSink::CBackupFileSink(std::unique_ptr<CByteSink> inner, std::u16string_view target)
    : m_inner(std::move(inner)), m_target(target)
{
}

bool CBackupFileSink::commit()
{
    m_error.clear();
    const fs::path target = nativePath(m_target);
    std::error_code error;
    const bool exists = fs::exists(target, error);
    if (!exists && !error)
        return m_inner->commit();
    const fs::path real = error ? fs::path() : fs::canonical(target, error);
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    fs::path kept;
    if (error || !keepPrevious(real, folder, target.filename().string(), kept, error)) {
        m_error = error;
        m_inner->discard();
        return false;
    }
    std::error_code ignored;
    if (!m_inner->commit()) {
        fs::remove(kept, ignored);
        return false;
    }
    fs::rename(kept, fs::path(target.string() + ".bak"), error);
    if (!error)
        return true;
    m_error = error;
    fs::rename(kept, real, ignored);
    return false;
}

}  // namespace brindle
