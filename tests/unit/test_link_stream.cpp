#include <gtest/gtest.h>

#include <string>

#include "authoring/link_stream_text.h"
#include "document/link_stream.h"
#include "lzw_test_support.h"

TEST(LinkStream, BuiltStreamDecodesToTheConfiguredTexts) {
    Decoded decoded = decode(std::vector<std::uint8_t>(linkStream, linkStream + linkStreamSize));
    ASSERT_EQ(decoded.result, lzwOk);
    EXPECT_EQ(decoded.text, linkStreamText(GRELO_LINK_TARGET, GRELO_LINK_CAPTION));
    EXPECT_EQ(decoded.text.substr(2), std::string(GRELO_LINK_TARGET) + "|" GRELO_LINK_CAPTION "|");
}

TEST(LinkStream, TextsThatDoNotFitAreNamed) {
    struct Case {
        std::string target, caption;
        bool fits;
    } cases[] = {
        {std::string(24, 't'), std::string(42, 'c'), true},
        {std::string(25, 't'), "c", false},
        {"t", std::string(43, 'c'), false},
        {"a|b", "c", false},
        {"", "", true},
    };
    for (const Case &c : cases) EXPECT_EQ(linkTextProblem(c.target, c.caption).empty(), c.fits);
}
