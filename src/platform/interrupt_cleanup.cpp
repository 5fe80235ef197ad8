#include "platform/interrupt_cleanup.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <unistd.h>
#include <utility>

namespace brindle {

namespace {

enum ESlotState : int { kFree, kFilling, kReady };

struct STempSlot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};

STempSlot g_slots[CTempFileRegistration::kTempFileSlots];

// The signals that end a run early and must not leave temporary files behind.
sigset_t interruptSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

void onInterrupt(int signal)
{
    removeRegisteredTempFiles();
    ::_exit(128 + signal);
}

}  // namespace

CTempFileRegistration::CTempFileRegistration(const std::string& nativePath)
{
    if (nativePath.size() >= PATH_MAX)
        return;
    for (int slot = 0; slot < kTempFileSlots; ++slot) {
        int expected = kFree;
        if (g_slots[slot].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(g_slots[slot].path, nativePath.c_str(), nativePath.size() + 1);
            g_slots[slot].state.store(kReady);
            m_slot = slot;
            return;
        }
    }
}

CTempFileRegistration::CTempFileRegistration(CTempFileRegistration&& other) noexcept
    : m_slot(std::exchange(other.m_slot, -1))
{
}

CTempFileRegistration& CTempFileRegistration::operator=(CTempFileRegistration&& other) noexcept
{
    if (this != &other) {
        release();
        m_slot = std::exchange(other.m_slot, -1);
    }
    return *this;
}

void CTempFileRegistration::release()
{
    if (m_slot >= 0)
        g_slots[std::exchange(m_slot, -1)].state.store(kFree);
}

CInterruptGuard::CInterruptGuard()
{
    const sigset_t block = interruptSignals();
    ::pthread_sigmask(SIG_BLOCK, &block, &m_saved);
}

CInterruptGuard::~CInterruptGuard() { ::pthread_sigmask(SIG_SETMASK, &m_saved, nullptr); }

void removeRegisteredTempFiles()
{
    for (STempSlot& slot : g_slots) {
        if (slot.state.load() == kReady)
            ::unlink(slot.path);
    }
}

void removeTempFilesOnInterrupt()
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_mask = interruptSignals();
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace brindle
