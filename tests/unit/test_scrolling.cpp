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

TEST(ScrollExtent, RangeAndPageForContentLargerOrSmallerThanTheClient) {
    struct Case {
        int content, client, maximum, page;
        bool fits;
    } cases[] = {
        {755, 500, 753, 499, false},  // a text quiz of 30 questions
        {910, 779, 908, 778, false},
        {80, 500, 78, 79, true},      // fits: page of the content, bar disabled
        {500, 500, 498, 499, true},
        {0, 500, 0, 0, true},         // no questions
    };
    for (const Case &c : cases) {
        ScrollExtent extent = scrollExtent(c.content, c.client);
        EXPECT_EQ(extent.maximum, c.maximum) << c.content << " in " << c.client;
        EXPECT_EQ(extent.page, c.page) << c.content << " in " << c.client;
        EXPECT_EQ(extent.fits, c.fits) << c.content << " in " << c.client;
    }
}
