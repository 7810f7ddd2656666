#include <gtest/gtest.h>

#include <vector>

#include "media/picture_fit.h"

namespace {

struct FitCase {
    int width, height, fittedWidth, fittedHeight;
};

TEST(PictureFit, KeepsProportionsAndTruncatesInA260Box) {
    const FitCase cases[] = {
        {400, 300, 260, 195}, {300, 400, 195, 260}, {100, 50, 260, 130}, {1, 1, 260, 260},
        {333, 777, 111, 260}, {260, 260, 260, 260},
        // 260 * 3 / 7 = 111.43 and 260 * 2 / 3 = 173.33: truncated, never rounded up.
        {7, 3, 260, 111},     {3, 2, 260, 173},     {2, 3, 173, 260},
    };
    for (const FitCase &c : cases) {
        const FittedSize fitted = fitToBox(c.width, c.height, 260, 260);
        EXPECT_EQ(fitted.width, c.fittedWidth) << c.width << " x " << c.height;
        EXPECT_EQ(fitted.height, c.fittedHeight) << c.width << " x " << c.height;
    }
}

TEST(PictureFit, TheLimitingSideReachesTheBoxExactlyUpTo3000Pixels) {
    for (int side = 1; side <= 3000; ++side) {
        ASSERT_EQ(fitToBox(side, 3000, 260, 260).height, 260) << side;
        ASSERT_EQ(fitToBox(3000, side, 260, 260).width, 260) << side;
        ASSERT_EQ(fitToBox(side, side, 260, 260).width, 260) << side;
    }
}

TEST(PictureFit, ABoxThatIsNotSquareLimitsBySmallerFactor) {
    const FittedSize wide = fitToBox(100, 100, 300, 150);
    EXPECT_EQ(wide.width, 150);
    EXPECT_EQ(wide.height, 150);
}

TEST(PictureFit, NoAreaFitsToNothing) {
    const FitCase cases[] = {{0, 10, 0, 0}, {10, 0, 0, 0}, {-5, 10, 0, 0}};
    for (const FitCase &c : cases) {
        const FittedSize fitted = fitToBox(c.width, c.height, 260, 260);
        EXPECT_EQ(fitted.width, 0);
        EXPECT_EQ(fitted.height, 0);
    }
    EXPECT_EQ(fitToBox(10, 10, 0, 260).width, 0);
}

TEST(PictureBytes, OnlyNumbersAbove10000AreScrambled) {
    EXPECT_FALSE(isScrambledPictureNumber(401));
    EXPECT_FALSE(isScrambledPictureNumber(10000));
    EXPECT_TRUE(isScrambledPictureNumber(10001));
    EXPECT_TRUE(isScrambledPictureNumber(10401));
}

TEST(PictureBytes, ExchangingHalvesTwiceGivesTheBytesBack) {
    const std::vector<unsigned char> plain = {0x12, 0x00, 0xFF, 0xA5, 0x0F, 0xF0};
    std::vector<unsigned char> stored(plain.size()), restored(plain.size());
    exchangeByteHalves(plain.data(), stored.data(), plain.size());
    EXPECT_EQ(stored, (std::vector<unsigned char>{0x21, 0x00, 0xFF, 0x5A, 0xF0, 0x0F}));
    exchangeByteHalves(stored.data(), restored.data(), stored.size());
    EXPECT_EQ(restored, plain);
}

TEST(PictureBytes, RecognisesThePngSignatureOnly) {
    const unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0};
    const unsigned char jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F'};
    EXPECT_TRUE(hasPngSignature(png, sizeof png));
    EXPECT_TRUE(hasPngSignature(png, 8));
    EXPECT_FALSE(hasPngSignature(png, 7));  // cut short
    EXPECT_FALSE(hasPngSignature(jpeg, sizeof jpeg));
}

}  // namespace
