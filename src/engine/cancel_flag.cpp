#include "engine/cancel_flag.h"

#include <atomic>
#include <thread>

namespace brindle {

namespace {
// Atomic so that a signal handler, the user interface or the workers of a folder comparison may
// set and read it.
std::atomic<bool> g_cancel{false};
std::atomic<MessagePump> g_pump{nullptr};
// The user interface's messages may only be processed on its own thread.
std::atomic<std::thread::id> g_pumpThread{};
}  // namespace

void setCancelRequested(bool cancel) { g_cancel.store(cancel, std::memory_order_relaxed); }

bool cancelRequested() { return g_cancel.load(std::memory_order_relaxed); }

void setMessagePump(MessagePump pump)
{
    g_pumpThread.store(std::this_thread::get_id());
    g_pump.store(pump);
}

bool pollCancel()
{
    // Loops poll once a line: asking the pump (which reads the clock) every time cost more than
    // comparing the line, so only every 64th poll does.
    thread_local unsigned polls = 0;
    if ((polls++ & 63) == 0) {
        MessagePump pump = g_pump.load(std::memory_order_relaxed);
        if (pump && g_pumpThread.load(std::memory_order_relaxed) == std::this_thread::get_id())
            pump();
    }
    return g_cancel.load(std::memory_order_relaxed);
}

}  // namespace brindle
