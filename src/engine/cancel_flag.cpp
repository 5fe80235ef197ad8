#include "engine/cancel_flag.h"

#include <atomic>

namespace brindle {

namespace {
// Atomic only so that a signal handler or a test thread may set it; the engine itself runs
// on one thread.
std::atomic<bool> g_cancel{false};
std::atomic<MessagePump> g_pump{nullptr};
}  // namespace

void setCancelRequested(bool cancel) { g_cancel.store(cancel, std::memory_order_relaxed); }

bool cancelRequested() { return g_cancel.load(std::memory_order_relaxed); }

void setMessagePump(MessagePump pump) { g_pump.store(pump, std::memory_order_relaxed); }

bool pollCancel()
{
    if (MessagePump pump = g_pump.load(std::memory_order_relaxed))
        pump();
    return g_cancel.load(std::memory_order_relaxed);
}

}  // namespace brindle
