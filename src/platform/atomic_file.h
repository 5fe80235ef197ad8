// Writing a file so that the target is replaced only once the new content is complete.
#pragma once

#include "platform/content_hash.h"
#include "platform/interrupt_cleanup.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace brindle {

class CWrittenFiles;

// Writes into a temporary file in the target's folder; commit() flushes it to disk, gives it
// the target's permission bits (or the default mode for a new file) and renames it over the
// target. A symbolic link as target is followed, so the file it points to is replaced. A target
// that exists and is not an ordinary file (device, pipe, socket, folder) is refused.
// Destroying or discarding an uncommitted file removes the temporary file: the target is then
// untouched. Move-only. Large files start their writeback while they are written, and a large
// target that commit() replaces is let go on a short-lived thread of its own (see
// renameIntoPlace); otherwise everything happens on the calling thread.
class CAtomicFile {
public:
    CAtomicFile() = default;
    ~CAtomicFile();
    CAtomicFile(CAtomicFile&& other) noexcept;
    CAtomicFile& operator=(CAtomicFile&& other) noexcept;
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file for target. False with error() set on failure (folder missing
    // or not writable, target is a folder).
    bool open(std::u16string_view target);
    bool isOpen() const { return m_fd >= 0; }

    // Permission bits commit() gives the file when the target does not exist yet; by default
    // 0666 without the bits of the process umask. The bits are used as given (no umask).
    void setNewFileMode(unsigned mode) { m_newFileMode = static_cast<int>(mode & 07777); }

    // Gives the new file the owner's write permission even when the target had none: the
    // output files of comparisons are meant to be edited.
    void setOwnerWritable() { m_ownerWritable = true; }

    // Before commit() replaces an existing target that record does not show as written by this
    // program in its present state, the target is kept as a numbered backup (NAME.~N~); after
    // the commit, record notes what was written. Does not own the record.
    void keepChangedTarget(CWrittenFiles& record) { m_record = &record; }
    // The backup the last commit() made; empty when none was needed.
    const std::u16string& keptBackup() const { return m_keptBackup; }

    // Appends bytes; false with error() set on failure (disk full, ...).
    bool write(const void* data, std::size_t size);

    // Does ahead what commit() would wait for: flushes the content to disk and, for a file that
    // keeps changed targets, hashes the present target (used by commit() while the target stays
    // unchanged). Any one thread may call it between the writes and commit(), which may then
    // follow on another thread. False with error() set on failure.
    bool sync();
    // The part of sync() that reads the present target, alone: callable on any one thread at any
    // time between open() and commit(), as it does not depend on what is written.
    void hashTargetAhead();
    // Flushes, then replaces the target. False with error() set on failure; the target is then
    // untouched and the temporary file removed.
    bool commit();
    // Removes the temporary file without touching the target.
    void discard();

    const std::error_code& error() const { return m_error; }
    const std::u16string& target() const { return m_target; }

private:
    void takeFrom(CAtomicFile& other) noexcept;
    bool keepTargetIfChanged();
    bool renameIntoPlace();
    void startWriteback(std::size_t written);

    int m_fd = -1;
    std::u16string m_target;   // the path the caller named
    std::string m_realTarget;  // native path after following symbolic links
    std::string m_tempPath;    // native path of the temporary file
    std::error_code m_error;
    int m_newFileMode = -1;  // -1: 0666 & ~umask
    bool m_ownerWritable = false;
    CWrittenFiles* m_record = nullptr;
    CContentHash m_hash;                       // of what was written, for m_record
    std::optional<SHashedFile> m_targetAhead;  // by sync() or hashTargetAhead()
    bool m_targetHashed = false;
    std::uint64_t m_written = 0;           // bytes written so far
    std::uint64_t m_writebackStarted = 0;  // of which the disk was asked to take up to here
    std::u16string m_keptBackup;
    CTempFileRegistration m_registration;
};

}  // namespace brindle
