#include "compare_ui/message_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace brindle {

namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds g_interval = kDefaultPumpInterval;
Clock::time_point g_lastRun{};
bool g_pumping = false;

class CPumpingScope {
public:
    CPumpingScope() { g_pumping = true; }
    ~CPumpingScope()
    {
        g_pumping = false;
        g_lastRun = Clock::now();
    }
    CPumpingScope(const CPumpingScope&) = delete;
    CPumpingScope& operator=(const CPumpingScope&) = delete;
};

}  // namespace

void pumpPendingEvents()
{
    if (g_pumping || Clock::now() - g_lastRun < g_interval)
        return;
    if (!QCoreApplication::instance() || QCoreApplication::closingDown())
        return;
    CPumpingScope scope;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void setPumpInterval(std::chrono::milliseconds interval) { g_interval = interval; }

std::chrono::milliseconds pumpInterval() { return g_interval; }

}  // namespace brindle
