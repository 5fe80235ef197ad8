// The message pump of long engine loops: it processes pending events, no more often than its
// interval allows, and never inside itself.
#include "compare_ui/message_pump.h"

#include "engine/cancel_flag.h"
#include "support/scoped_cancel.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace brindle {
namespace {

using namespace std::chrono_literals;

void post(std::function<void()> handler)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(handler), Qt::QueuedConnection);
}

class MessagePumpTest : public testing::Test {
protected:
    void TearDown() override
    {
        setPumpInterval(kDefaultPumpInterval);
        setMessagePump(nullptr);
        QCoreApplication::processEvents();
    }
};

TEST_F(MessagePumpTest, ProcessesPendingEventsAtMostOncePerInterval)
{
    int handled = 0;
    setPumpInterval(0ms);
    post([&] { ++handled; });
    pumpPendingEvents();
    EXPECT_EQ(1, handled);

    // A long interval has not passed since the run just now: a call per line stays a clock read.
    setPumpInterval(1h);
    post([&] { ++handled; });
    for (int i = 0; i < 1000; ++i)
        pumpPendingEvents();
    EXPECT_EQ(1, handled);

    setPumpInterval(0ms);
    pumpPendingEvents();
    EXPECT_EQ(2, handled);
}

TEST_F(MessagePumpTest, DoesNotNestWhenAnEventHandlerRunsALongLoop)
{
    setPumpInterval(0ms);
    bool insideOuter = false;
    bool innerRanInsideOuter = false;
    bool innerRan = false;
    post([&] {
        insideOuter = true;
        post([&] {
            innerRan = true;
            innerRanInsideOuter = insideOuter;
        });
        for (int i = 0; i < 3; ++i)
            pumpPendingEvents();
        insideOuter = false;
    });
    pumpPendingEvents();
    pumpPendingEvents();
    EXPECT_TRUE(innerRan);
    EXPECT_FALSE(innerRanInsideOuter);
}

TEST_F(MessagePumpTest, LetsACancelClickReachTheEnginesFlag)
{
    setPumpInterval(0ms);
    const test::CScopedCancel cancel(&pumpPendingEvents);
    post([] { setCancelRequested(true); });
    EXPECT_TRUE(pollCancel());
}

}  // namespace
}  // namespace brindle
