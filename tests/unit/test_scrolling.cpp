#include <gtest/gtest.h>

#include "panel/scrolling.h"

TEST(WheelScrollCode, OnlyOneNotchEitherWayScrolls) {
    struct Case {
        unsigned long long wParam;
        int code;
    } cases[] = {
        {120ull << 16, scrollWheelUp},
        {0xFF88ull << 16, scrollWheelDown},
        {(0xFF88ull << 16) | 0x0008, scrollWheelDown},  // key state in the low word
        {240ull << 16, 0},
        {0, 0},
        {0xFF10ull << 16, 0},
    };
    for (const Case &c : cases) EXPECT_EQ(wheelScrollCode(c.wParam), c.code) << c.wParam;
}
