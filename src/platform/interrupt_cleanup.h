// Temporary files that an interrupted run (Ctrl+C, SIGTERM) must not leave behind.
#pragma once

#include <csignal>
#include <string>

namespace brindle {

// While registered, a temporary file is removed when the process is interrupted. At most
// kTempFileSlots files are tracked at once; more are simply not tracked. Thread-safe.
class CTempFileRegistration {
public:
    static constexpr int kTempFileSlots = 64;

    CTempFileRegistration() = default;
    explicit CTempFileRegistration(const std::string& nativePath);
    ~CTempFileRegistration() { release(); }
    CTempFileRegistration(CTempFileRegistration&& other) noexcept;
    CTempFileRegistration& operator=(CTempFileRegistration&& other) noexcept;
    CTempFileRegistration(const CTempFileRegistration&) = delete;
    CTempFileRegistration& operator=(const CTempFileRegistration&) = delete;

    // Stops tracking the file (it was renamed into place or removed).
    void release();

private:
    int m_slot = -1;
};

// Blocks SIGINT and SIGTERM in this thread for its lifetime, so that creating or renaming a
// temporary file and (un)registering it happen as one step.
class CInterruptGuard {
public:
    CInterruptGuard();
    ~CInterruptGuard();
    CInterruptGuard(const CInterruptGuard&) = delete;
    CInterruptGuard& operator=(const CInterruptGuard&) = delete;

private:
    sigset_t m_saved;  // the thread's mask before
};

// Removes every registered temporary file. Async-signal-safe.
void removeRegisteredTempFiles();

// Installs handlers for SIGINT and SIGTERM that remove the registered temporary files and end
// the process with status 128 + the signal's number (130, 143), as shells report it.
void removeTempFilesOnInterrupt();

}  // namespace brindle
