// Where the text-file writer puts its bytes: a file replaced atomically, or a test double.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace brindle {

// Receives bytes in order; commit() makes them the file's content, discard() drops them.
class CByteSink {
public:
    virtual ~CByteSink() = default;
    virtual bool write(const void* data, std::size_t size) = 0;
    // Does ahead, after the last write, what commit() would otherwise wait for (flushing to
    // disk), so that the thread that wrote can do it and commit() follows quickly on another.
    virtual bool sync() { return true; }
    // Reads ahead what commit() checks of the present target (CAtomicFile::hashTargetAhead); any
    // one thread, any time before commit().
    virtual void hashTargetAhead() {}
    virtual bool commit() = 0;
    virtual void discard() = 0;
    virtual std::error_code error() const = 0;
};

// A sink on a temporary file in the target's folder that replaces the target on commit,
// keeping its permission bits. nullptr with error set when the temporary file cannot be made.
std::unique_ptr<CByteSink> openFileSink(std::u16string_view target, std::error_code& error);

// A sink for the files a comparison produces (merge file, output file). Besides what
// openFileSink does, the new file gets the owner's write permission, and an existing target that
// this program did not write in its present state (the user edited it, or it was never ours) is
// first kept as the numbered backup NAME.~N~ beside it; the backup is noted in the active
// CKeptBackupsScope. What was written goes into the user's record of written files.
std::unique_ptr<CByteSink> openOutputFileSink(std::u16string_view target, std::error_code& error);

// An earlier file that an output file replaced, kept beside it under a numbered name.
struct SKeptBackup {
    std::u16string file;    // as the writer named it
    std::u16string backup;  // NAME.~N~

    friend bool operator==(const SKeptBackup&, const SKeptBackup&) = default;
};

// Collects, for its lifetime, the backups that output files of this thread made, so that the
// run can tell the user where the earlier files went. Scopes nest; the innermost one collects.
class CKeptBackupsScope {
public:
    CKeptBackupsScope();
    ~CKeptBackupsScope();
    CKeptBackupsScope(const CKeptBackupsScope&) = delete;
    CKeptBackupsScope& operator=(const CKeptBackupsScope&) = delete;

    const std::vector<SKeptBackup>& backups() const { return m_backups; }
    // Adds to the innermost active scope; dropped when there is none.
    static void note(SKeptBackup backup);

private:
    CKeptBackupsScope* m_previous;
    std::vector<SKeptBackup> m_backups;
};

}  // namespace brindle
