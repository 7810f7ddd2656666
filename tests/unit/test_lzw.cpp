#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "authoring/lzw_encoder.h"
#include "lzw_test_support.h"

namespace {

struct StreamCase {
    const char *name;
    std::vector<int> codes;
    int cutBits;
    int result;
    std::string text;
};

std::vector<int> withWidening(int times) {
    std::vector<int> codes = {'A'};
    codes.insert(codes.end(), std::size_t(times), lzwWidenCode);
    codes.push_back('B');
    codes.push_back(lzwEndCode);
    return codes;
}

}  // namespace

TEST(LzwDecode, StreamsCodeByCode) {
    const StreamCase cases[] = {
        {"one literal", {'Q', 256}, 0, lzwOk, "Q"},
        {"code equal to the next free code", {'A', 259, 256}, 0, lzwOk, "AAA"},
        {"two literals and an entry", {'A', 'B', 259, 256}, 0, lzwOk, "ABAB"},
        // After 258 the next data code still builds entry 259 on the string
        // decoded just before: B + C.
        {"reset keeps the previous string", {'A', 'B', 258, 'C', 259, 256}, 0, lzwOk, "ABCBC"},
        {"widening applies to the end code too", {'A', 257, 'B', 'C', 256}, 0, lzwOk,
         "ABC"},
        {"first code above 255 is its low byte", {256 + 'A', 256}, 0, lzwOk, "A"},
        {"first code 256 does not end", {256, 'x', 256}, 0, lzwOk, std::string("\0x", 2)},
        {"first code 258 does not reset", {258, 259, 256}, 0, lzwOk, std::string("\x02\x02\x02", 3)},
        {"no end code", {'A', 'B', 'C'}, 0, lzwBadStream, "AB"},
        // Cuts end the input on a byte boundary, so no padding bits follow.
        {"end code cut short", {'A', 'B', 256}, 3, lzwBadStream, "A"},
        // Width 11: code 512 cut by one bit leaves the 10 bits 0100000000 = 256.
        {"cut code whose bits read equal 256",
         {'A', 257, 257, 'B', 'C', 'D', 'E', 'F', 'G', 512}, 1, lzwOk, "ABCDEFG"},
        {"code above the next free code", {'A', 'B', 261, 256}, 0, lzwBadStream, "A"},
        {"code far above", {'A', 257, 257, 257, 4000, 256}, 0, lzwBadStream, ""},
        {"width beyond 32 bits", withWidening(24), 0, lzwBadStream, ""},
        {"width of exactly 32 bits", withWidening(23), 0, lzwOk, "AB"},
    };
    for (const StreamCase &c : cases) {
        Decoded decoded = decode(packCodes(c.codes, c.cutBits));
        EXPECT_EQ(decoded.result, c.result) << c.name;
        EXPECT_EQ(decoded.text, c.text) << c.name;
        EXPECT_TRUE(decoded.hasOutput) << c.name;
    }
}

TEST(LzwDecode, EmptyOrTooShortInputReadsNoFirstCode) {
    for (std::size_t size : {0u, 1u}) {
        std::vector<std::uint8_t> stream(size, 0x41);
        Decoded decoded = decode(stream);
        EXPECT_EQ(decoded.result, lzwEmptyInput) << size;
        EXPECT_EQ(decoded.text.size(), 0u);
    }
    std::uint8_t *output = reinterpret_cast<std::uint8_t *>(1);
    std::size_t length = 99;
    EXPECT_EQ(lzwDecode(nullptr, 0, &output, &length), lzwEmptyInput);
    EXPECT_EQ(length, 0u);
    heapFree(output);
}

TEST(LzwDecode, RefusesToGrowTheDictionaryPastItsLastCode) {
    // Every data code adds an entry: 3837 of them fill codes 259 to 4095.
    std::vector<int> codes = {'a', 257, 257, 257};
    for (int i = 0; i < 3837; ++i) codes.push_back('a' + i % 3);
    std::vector<int> full = codes;
    full.push_back(lzwEndCode);
    EXPECT_EQ(decode(packCodes(full)).result, lzwOk);

    codes.push_back('b');
    codes.push_back(lzwEndCode);
    Decoded decoded = decode(packCodes(codes));
    EXPECT_LT(decoded.result, 0);
    EXPECT_EQ(decoded.text.size(), 3837u);  // everything before the refused code
}

TEST(LzwDecode, RefusesOutputPastItsBuffer) {
    std::vector<std::uint8_t> exact(lzwOutputCapacity, 'z');
    Decoded fits = decode(lzwEncode(exact));
    EXPECT_EQ(fits.result, lzwOk);
    EXPECT_EQ(fits.text.size(), lzwOutputCapacity);

    std::vector<std::uint8_t> over(lzwOutputCapacity + 1, 'z');
    Decoded refused = decode(lzwEncode(over));
    EXPECT_LT(refused.result, 0);
    EXPECT_NE(refused.result, lzwOutOfMemory);
    EXPECT_LE(refused.text.size(), lzwOutputCapacity);
    EXPECT_EQ(refused.text, std::string(refused.text.size(), 'z'));
}

TEST(LzwDecode, OutOfMemoryReleasesEverything) {
    std::vector<std::uint8_t> stream = lzwEncode(std::vector<std::uint8_t>(500, 'q'));
    resetMessages();

    failHeapAllocations(0, 1);  // the dictionary itself
    Decoded tables = decode(stream);
    EXPECT_EQ(tables.result, lzwOutOfMemory);
    EXPECT_FALSE(tables.hasOutput);
    EXPECT_EQ(lastMessage().count, 0);

    failHeapAllocations(3 + 256, 1);  // the output buffer, after the tables
    Decoded outputBuffer = decode(stream);
    EXPECT_EQ(outputBuffer.result, lzwOutOfMemory);
    EXPECT_STREQ(lastMessage().text, "Impossible d'allouer la memoire");
    EXPECT_STREQ(lastMessage().caption, "Information");
    EXPECT_EQ(lastMessage().style, MB_OK);

    failHeapAllocations(3 + 256 + 1 + 5, 1);  // a dictionary string mid-stream
    Decoded midway = decode(stream);
    EXPECT_EQ(midway.result, lzwOutOfMemory);
    EXPECT_TRUE(midway.hasOutput);
    failHeapAllocations(0, 0);
}

namespace {

std::vector<std::uint8_t> randomBytes(std::size_t size, unsigned seed, int alphabet) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, alphabet - 1);
    std::vector<std::uint8_t> data(size);
    for (std::uint8_t &b : data) b = std::uint8_t(alphabet == 256 ? byte(generator) : 'a' + byte(generator));
    return data;
}

std::vector<std::uint8_t> quizLikeText(std::size_t size) {
    std::string text;
    const char *words[] = {"Quelle ", "est ", "la ", "capitale ", "de ", "la ", "France|",
                           "Paris|", "BRAVO\r\n", "Tour Eiffel|", "\xE9t\xE9|"};
    for (std::size_t i = 0; text.size() < size; ++i) text += words[(i * 7 + i / 3) % 11];
    text.resize(size);
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

}  // namespace

TEST(LzwRoundTrip, EncoderStreamsDecodeToTheirInput) {
    struct Case {
        const char *name;
        std::vector<std::uint8_t> data;
        int highestCode;
    };
    const Case cases[] = {
        {"one byte", {0x7F}, 4095},
        {"every byte value", randomBytes(256, 1, 256), 4095},
        {"a run (entries equal to the next code)", std::vector<std::uint8_t>(20000, 'A'), 4095},
        {"random bytes, resets at the full dictionary", randomBytes(60000, 2, 256), 4095},
        {"small alphabet, several widenings", randomBytes(50000, 3, 4), 4095},
        {"resets right at the widening boundary", randomBytes(30000, 4, 3), 511},
        {"a reset every few codes", randomBytes(20000, 5, 256), 262},
        {"a reset after a long string", std::vector<std::uint8_t>(60000, 'r'), 300},
        {"quiz-like text", quizLikeText(40000), 4095},
        {"the whole output buffer", quizLikeText(lzwOutputCapacity), 4095},
        {"the whole buffer of random bytes", randomBytes(lzwOutputCapacity, 6, 256), 4095},
    };
    for (const Case &c : cases) {
        LzwEncoderOptions options;
        options.highestCode = c.highestCode;
        std::vector<std::uint8_t> stream = lzwEncode(c.data, options);
        Decoded decoded = decode(stream);
        ASSERT_EQ(decoded.result, lzwOk) << c.name;
        EXPECT_TRUE(decoded.text == std::string(c.data.begin(), c.data.end())) << c.name;
    }
}

TEST(LzwRoundTrip, CompressesRepetitiveText) {
    std::vector<std::uint8_t> text = quizLikeText(40000);
    EXPECT_LT(lzwEncode(text).size(), text.size() / 4);
}

TEST(LzwRoundTrip, EmptyDataGivesTheStreamTheDecoderRefuses) {
    EXPECT_TRUE(lzwEncode(nullptr, 0).empty());
}
