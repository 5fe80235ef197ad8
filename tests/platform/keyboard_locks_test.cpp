// The lock keys' reader without a display to ask.
#include "platform/keyboard_locks.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(KeyboardLocks, NoDisplayGivesNoAnswer)
{
    for (const char* display : {":9999", ""}) {
        SCOPED_TRACE(display);
        CKeyboardLocks locks;
        EXPECT_FALSE(locks.open(display));
        EXPECT_FALSE(locks.isOpen());
        EXPECT_FALSE(locks.read().has_value());
    }
}

}  // namespace
}  // namespace brindle
