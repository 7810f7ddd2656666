// The PNG decoder against libpng: every accepted kind, plain and Adam7, with
// every filter type and the three kinds of DEFLATE block; then the odd files
// a quiz might carry, and the result codes.
#include <gtest/gtest.h>

#include <random>

#include "platform/platform.h"
#include "png_test_support.h"

namespace {

struct Kind {
    int colourType, bitDepth;
};

const Kind acceptedKinds[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                              {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};

unsigned samplesOf(int colourType) { return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1; }

unsigned packedSample(const std::uint8_t *row, std::uint32_t x, unsigned bits) {
    std::size_t bit = std::size_t(x) * bits;
    return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

// What the bitmap must hold at column x, from libpng's row: the index or
// grey level, or the channel bytes in bitmap order.
std::uint32_t expectedPixel(const LibpngImage &image, const Bytes &row, std::uint32_t x) {
    if (image.bitDepth < 8) return packedSample(row.data(), x, unsigned(image.bitDepth));
    unsigned sampleBytes = unsigned(image.bitDepth) / 8;
    unsigned pixelBytes = samplesOf(image.colourType) * sampleBytes;
    const std::uint8_t *pixel = row.data() + std::size_t(x) * pixelBytes;
    switch (image.colourType) {
    case 0:
    case 3:
    case 4: return pixel[0];
    case 2: return std::uint32_t(pixel[2 * sampleBytes]) << 16 | pixel[sampleBytes] << 8 | pixel[0];
    default:
        return std::uint32_t(pixel[2 * sampleBytes]) << 24 | pixel[sampleBytes] << 16 | pixel[0] << 8 |
               pixel[3 * sampleBytes];
    }
}

std::uint32_t bitmapPixel(const OurDecoding &ours, std::uint32_t x, std::uint32_t y) {
    const std::uint8_t *row = ours.bits.data() + std::size_t(y) * ours.format.rowStride;
    unsigned bpp = ours.format.bitsPerPixel;
    if (bpp < 8) return packedSample(row, x, bpp);
    std::uint32_t value = 0;
    for (unsigned i = 0; i < bpp / 8; ++i) value = value << 8 | row[std::size_t(x) * (bpp / 8) + i];
    return value;
}

LibpngImage noisyImage(const Kind &kind, std::uint32_t width, std::uint32_t height, bool interlace,
                       unsigned seed) {
    LibpngImage image;
    image.width = width;
    image.height = height;
    image.bitDepth = kind.bitDepth;
    image.colourType = kind.colourType;
    image.interlace = interlace;
    std::mt19937 random(seed);
    std::size_t rowBytes = (std::size_t(width) * samplesOf(kind.colourType) * unsigned(kind.bitDepth) + 7) / 8;
    for (std::uint32_t y = 0; y < height; ++y) {
        Bytes row(rowBytes);
        // Runs of a repeated byte between noise, so that matches and every
        // filter's predictions occur.
        for (std::size_t i = 0; i < rowBytes; ++i)
            row[i] = (i / 5 + y) % 3 == 0 ? std::uint8_t(y * 7 + i / 5) : std::uint8_t(random());
        image.rows.push_back(row);
    }
    if (kind.colourType == 3)
        for (int i = 0; i < (1 << kind.bitDepth); ++i)
            image.palette.push_back(png_color{std::uint8_t(i * 3), std::uint8_t(255 - i), std::uint8_t(i * 11)});
    return image;
}

void expectSamePixels(const Bytes &file, const std::string &label) {
    LibpngImage theirs;
    ASSERT_TRUE(decodeWithLibpng(file, &theirs)) << label;
    OurDecoding ours = decodeWithOurs(file);
    ASSERT_TRUE(ours.converted) << label << " error 0x" << std::hex << ours.lastError;
    ASSERT_EQ(ours.format.width, theirs.width);
    ASSERT_EQ(ours.format.height, theirs.height);
    for (std::uint32_t y = 0; y < theirs.height; ++y)
        for (std::uint32_t x = 0; x < theirs.width; ++x)
            ASSERT_EQ(bitmapPixel(ours, x, y), expectedPixel(theirs, theirs.rows[y], x))
                << label << " at " << x << "," << y;
    for (std::size_t i = 0; i < theirs.palette.size(); ++i) {
        const std::uint8_t *entry = ours.format.colourTable + 4 * i;
        EXPECT_EQ(entry[0], theirs.palette[i].blue) << label;
        EXPECT_EQ(entry[1], theirs.palette[i].green) << label;
        EXPECT_EQ(entry[2], theirs.palette[i].red) << label;
    }
}

TEST(PngDecoder, EveryKindFilterAndBlockTypeMatchesLibpng) {
    const int filters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH,
                           PNG_ALL_FILTERS};
    const int strategies[] = {0, 1, 4};  // stored, dynamic codes, fixed codes
    unsigned seed = 1;
    for (const Kind &kind : acceptedKinds)
        for (int interlace = 0; interlace <= 1; ++interlace)
            for (int filter : filters)
                for (int strategy : strategies) {
                    LibpngImage image = noisyImage(kind, 13, 11, interlace != 0, seed++);
                    Bytes file = encodeWithLibpng(image, filter, strategy);
                    ASSERT_FALSE(file.empty());
                    expectSamePixels(file, "kind " + std::to_string(kind.colourType) + "/" +
                                               std::to_string(kind.bitDepth) + " interlace " +
                                               std::to_string(interlace) + " filter " + std::to_string(filter) +
                                               " strategy " + std::to_string(strategy));
                }
}

TEST(PngDecoder, OddSizesAndAdam7PassesWithoutColumnsMatchLibpng) {
    const std::uint32_t sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 3}, {5, 5}, {8, 8}, {17, 3}, {260, 7}};
    unsigned seed = 1000;
    for (const auto &size : sizes)
        for (const Kind &kind : {Kind{0, 1}, Kind{0, 2}, Kind{3, 4}, Kind{2, 16}, Kind{6, 8}})
            for (int interlace = 0; interlace <= 1; ++interlace) {
                LibpngImage image = noisyImage(kind, size[0], size[1], interlace != 0, seed++);
                expectSamePixels(encodeWithLibpng(image, PNG_ALL_FILTERS, 1),
                                 std::to_string(size[0]) + "x" + std::to_string(size[1]));
            }
}

TEST(PngDecoder, BitmapFormatOfEachKind) {
    struct Case {
        Kind kind;
        unsigned bitsPerPixel, coloursUsed, tableEntries;
    };
    const Case cases[] = {{{0, 1}, 1, 2, 2},     {{0, 2}, 4, 4, 4},     {{0, 4}, 4, 16, 16},
                          {{0, 8}, 8, 256, 256}, {{0, 16}, 8, 256, 256}, {{2, 8}, 24, 0, 0},
                          {{2, 16}, 24, 0, 0},   {{3, 1}, 1, 0, 2},     {{3, 2}, 4, 0, 16},
                          {{3, 8}, 8, 0, 256},   {{4, 16}, 8, 256, 256}, {{6, 16}, 32, 0, 0}};
    for (const Case &c : cases) {
        Bytes file = encodeWithLibpng(noisyImage(c.kind, 3, 2, false, 7), PNG_FILTER_NONE, 1);
        OurDecoding ours = decodeWithOurs(file);
        ASSERT_TRUE(ours.converted);
        EXPECT_EQ(ours.format.bitsPerPixel, c.bitsPerPixel) << c.kind.colourType << "/" << c.kind.bitDepth;
        EXPECT_EQ(ours.format.coloursUsed, c.coloursUsed) << c.kind.colourType << "/" << c.kind.bitDepth;
        EXPECT_EQ(ours.format.colourTableEntries, c.tableEntries) << c.kind.colourType << "/" << c.kind.bitDepth;
        EXPECT_EQ(ours.format.rowStride % 4, 0u);
    }
}

// A one-pixel-wide image of filter-0 rows stored plainly: the fixture for
// the hand-made cases below.
Bytes plainRows(std::uint32_t width, const std::vector<Bytes> &rows) {
    (void)width;
    Bytes raw;
    for (const Bytes &row : rows) {
        raw.push_back(0);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    return raw;
}

TEST(PngDecoder, TwoBitGreyBecomesFourBitsWithItsRamp) {
    Bytes file = pngFile({ihdrChunk(4, 1, 2, 0), idatChunk(zlibStored(plainRows(4, {{0x1B}}))), iendChunk()});
    OurDecoding ours = decodeWithOurs(file);
    ASSERT_TRUE(ours.converted);
    EXPECT_EQ(ours.format.bitsPerPixel, 4);
    EXPECT_EQ(ours.bits[0], 0x01);  // samples 0, 1, 2, 3 keep their order
    EXPECT_EQ(ours.bits[1], 0x23);
    const std::uint8_t ramp[4] = {0, 85, 170, 255};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ours.format.colourTable[4 * i], ramp[i]);
        EXPECT_EQ(ours.format.colourTable[4 * i + 1], ramp[i]);
        EXPECT_EQ(ours.format.colourTable[4 * i + 2], ramp[i]);
        EXPECT_EQ(ours.format.colourTable[4 * i + 3], 0);
    }
}

TEST(PngDecoder, SixteenBitRgbKeepsTheHighBytesAsBlueGreenRed) {
    Bytes row = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    Bytes file = pngFile({ihdrChunk(1, 1, 16, 2), idatChunk(zlibStored(plainRows(1, {row}))), iendChunk()});
    OurDecoding ours = decodeWithOurs(file);
    ASSERT_TRUE(ours.converted);
    EXPECT_EQ(ours.format.bitsPerPixel, 24);
    EXPECT_EQ(Bytes(ours.bits.begin(), ours.bits.begin() + 3), (Bytes{0x9A, 0x56, 0x12}));
}

TEST(PngDecoder, OnePixelAdam7ImageHasOnlyTheFirstPass) {
    Bytes file = pngFile({ihdrChunk(1, 1, 8, 0, 1), idatChunk(zlibStored({0, 0x42})), iendChunk()});
    OurDecoding ours = decodeWithOurs(file);
    ASSERT_TRUE(ours.converted);
    EXPECT_EQ(ours.bits[0], 0x42);
}

TEST(PngDecoder, WrongCrcAndWrongAdlerStillDecode) {
    Bytes file = pngFile({ihdrChunk(2, 1, 8, 0), idatChunk(zlibStored(plainRows(2, {{7, 9}}), true)), iendChunk()},
                         true);
    OurDecoding ours = decodeWithOurs(file);
    ASSERT_TRUE(ours.converted);
    EXPECT_EQ(ours.bits[0], 7);
    EXPECT_EQ(ours.bits[1], 9);
}

TEST(PngDecoder, ChunkWalkAndResultCodes) {
    Bytes pixels = zlibStored(plainRows(1, {{5}}));
    Bytes good = pngFile({ihdrChunk(1, 1, 8, 0), idatChunk(pixels), iendChunk()});
    Bytes truncatedLast = good;
    truncatedLast.insert(truncatedLast.end(), {0, 0, 0, 40, 't', 'E', 'X', 't', 'a'});
    Bytes shortIhdr(good.begin(), good.begin() + 20);
    Bytes badSignature = good;
    badSignature[1] = 'Q';
    Bytes huge = pngFile({ihdrChunk(16384, 16384, 16, 6), idatChunk(pixels), iendChunk()});
    Bytes overflowing = pngFile({ihdrChunk(0xFFFFFFFFu, 0xFFFFFFFFu, 16, 6), idatChunk(pixels), iendChunk()});
    Bytes paletteWithoutPlte = pngFile({ihdrChunk(1, 1, 8, 3), idatChunk(pixels), iendChunk()});
    Bytes splitIdat = pngFile({ihdrChunk(1, 1, 8, 0), idatChunk(Bytes(pixels.begin(), pixels.begin() + 3)),
                               idatChunk(Bytes(pixels.begin() + 3, pixels.end())), iendChunk()});
    Bytes idatAfterOther = pngFile({ihdrChunk(1, 1, 8, 0), idatChunk(Bytes(pixels.begin(), pixels.begin() + 3)),
                                    Chunk{"tEXt", {'a'}}, idatChunk(Bytes(pixels.begin() + 3, pixels.end())),
                                    iendChunk()});
    Bytes shortImage = pngFile({ihdrChunk(1, 2, 8, 0), idatChunk(pixels), iendChunk()});
    Bytes longImage = pngFile({ihdrChunk(1, 1, 8, 0), idatChunk(zlibStored({0, 5, 0, 6})), iendChunk()});
    Bytes cutStream = pngFile({ihdrChunk(1, 1, 8, 0), idatChunk(Bytes(pixels.begin(), pixels.begin() + 5)),
                               iendChunk()});

    struct Case {
        const char *name;
        Bytes file;
        bool attached, inflated, converted;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"plain", good, true, true, true, 0},
        {"ancillary unknown skipped", pngFile({ihdrChunk(1, 1, 8, 0), Chunk{"zzZz", {1}}, idatChunk(pixels), iendChunk()}), true, true, true, 0},
        {"critical unknown", pngFile({ihdrChunk(1, 1, 8, 0), Chunk{"ZzZz", {1}}, idatChunk(pixels), iendChunk()}), false, false, false, 0x2001},
        {"critical unknown after IEND", pngFile({ihdrChunk(1, 1, 8, 0), idatChunk(pixels), iendChunk(), Chunk{"QQQQ", {}}}), false, false, false, 0x2001},
        {"IDAT after IEND found", pngFile({ihdrChunk(1, 1, 8, 0), iendChunk(), idatChunk(pixels)}), true, true, true, 0},
        {"truncated last chunk ends the walk", truncatedLast, true, true, true, 0},
        {"too short", Bytes(good.begin(), good.begin() + 15), false, false, false, 0x2000},
        {"file too short for IHDR data", shortIhdr, false, false, false, 0x2000},
        {"bad signature", badSignature, false, false, false, 0x2000},
        {"first chunk not IHDR", pngFile({Chunk{"tEXt", {}}, ihdrChunk(1, 1, 8, 0), idatChunk(pixels)}), false, false, false, 0x2000},
        {"zero width", pngFile({ihdrChunk(0, 1, 8, 0), idatChunk(pixels)}), false, false, false, 0x2000},
        {"zero height", pngFile({ihdrChunk(1, 0, 8, 0), idatChunk(pixels)}), false, false, false, 0x2000},
        {"bit depth 3", pngFile({ihdrChunk(1, 1, 3, 0), idatChunk(pixels)}), false, false, false, 0x2001},
        {"16-bit palette", pngFile({ihdrChunk(1, 1, 16, 3), idatChunk(pixels)}), false, false, false, 0x2001},
        {"colour type 5", pngFile({ihdrChunk(1, 1, 8, 5), idatChunk(pixels)}), false, false, false, 0x2001},
        {"interlace 2", pngFile({ihdrChunk(1, 1, 8, 0, 2), idatChunk(pixels)}), false, false, false, 0x2001},
        {"no IDAT", pngFile({ihdrChunk(1, 1, 8, 0), iendChunk()}), true, false, false, 0x2000},
        {"absurd size refused before allocation", huge, true, false, false, 0x2000},
        {"sizes overflowing 32 bits", overflowing, true, false, false, 0x2000},
        {"palette image without PLTE", paletteWithoutPlte, true, true, false, 0x2006},
        {"IDAT split over two chunks", splitIdat, true, true, true, 0},
        {"IDAT data end at the first other chunk", idatAfterOther, true, false, false, 0x2000},
        {"data decode short", shortImage, true, false, false, 0x2000},
        {"data decode long", longImage, true, false, false, 0x2000},
        {"data end before the final block", cutStream, true, false, false, 0x2000},
        {"filter byte 5", pngFile({ihdrChunk(1, 1, 8, 0), idatChunk(zlibStored({5, 1})), iendChunk()}), true, true, false, 0x2006},
        {"preset dictionary", pngFile({ihdrChunk(1, 1, 8, 0), idatChunk({0x78, 0x20, 0, 0, 0, 1, 3, 0}), iendChunk()}), true, false, false, 0x2000},
        {"block type 3", pngFile({ihdrChunk(1, 1, 8, 0), idatChunk({0x78, 0x01, 0x07, 0, 0}), iendChunk()}), true, false, false, 0x2000},
    };
    for (const Case &c : cases) {
        OurDecoding ours = decodeWithOurs(c.file);
        EXPECT_EQ(ours.attached, c.attached) << c.name;
        EXPECT_EQ(ours.inflated, c.inflated) << c.name;
        EXPECT_EQ(ours.converted, c.converted) << c.name;
        if (!c.converted) {
            EXPECT_EQ(ours.lastError, c.code) << c.name;
        }
    }
}

TEST(PngDecoder, ShortPaletteLeavesTheRestOfTheTableZero) {
    Chunk plte{"PLTE", {10, 20, 30}};
    Bytes file = pngFile({ihdrChunk(2, 1, 8, 3), plte, idatChunk(zlibStored({0, 0, 200})), iendChunk()});
    OurDecoding ours = decodeWithOurs(file);
    ASSERT_TRUE(ours.converted);
    EXPECT_EQ(ours.format.colourTableEntries, 256u);
    EXPECT_EQ(Bytes(ours.format.colourTable, ours.format.colourTable + 4), (Bytes{30, 20, 10, 0}));
    for (unsigned i = 4; i < 256 * 4; ++i) ASSERT_EQ(ours.format.colourTable[i], 0) << i;
    EXPECT_EQ(ours.bits[1], 200);  // the index is kept; the table answers it with black
}

TEST(PngDecoder, OperationsInTheWrongStateChangeNothing) {
    Bytes file = pngFile({ihdrChunk(1, 1, 8, 0), idatChunk(zlibStored({0, 5})), iendChunk()});
    PngImage image;
    std::memset(&image, 0, sizeof image);
    PngBitmapFormat format;
    EXPECT_EQ(inflatePngImage(&image), 0);
    EXPECT_EQ(image.lastError, 0x2003u);
    ASSERT_EQ(attachPngBytes(&image, file.data(), std::uint32_t(file.size())), 1);
    EXPECT_EQ(image.state, 1u);
    EXPECT_EQ(image.source, 2u);
    EXPECT_EQ(describePngBitmap(&image, &format), 0);
    EXPECT_EQ(image.lastError, 0x2003u);
    EXPECT_EQ(attachPngBytes(&image, file.data(), std::uint32_t(file.size())), 0);
    EXPECT_EQ(image.lastError, 0x1002u);
    ASSERT_EQ(inflatePngImage(&image), 1);
    EXPECT_EQ(image.lastError, 0u);
    EXPECT_EQ(image.state, 2u);
    EXPECT_EQ(image.pixelsSize, 2u);
    EXPECT_EQ(inflatePngImage(&image), 0);
    EXPECT_EQ(image.lastError, 0x2003u);
    EXPECT_EQ(image.state, 2u);
    ASSERT_EQ(describePngBitmap(&image, &format), 1);
    std::uint8_t bits[4];
    EXPECT_EQ(convertPngRows(&image, format, bits), 1);
    EXPECT_EQ(convertPngRows(&image, format, bits), 1);  // can run again
    clearPngImage(&image);
    EXPECT_EQ(image.state, 0u);
    EXPECT_EQ(image.pixels, nullptr);
}

TEST(PngDecoder, FailedParseLeavesTheRecordEmpty) {
    Bytes file = pngFile({ihdrChunk(1, 1, 8, 0), Chunk{"ABCD", {}}});
    PngImage image;
    std::memset(&image, 0, sizeof image);
    EXPECT_EQ(attachPngBytes(&image, file.data(), std::uint32_t(file.size())), 0);
    EXPECT_EQ(image.source, 0u);
    EXPECT_EQ(image.state, 0u);
}

TEST(PngDecoder, FilteredSizeOfAdam7PassesWithoutColumns) {
    PngImage image;
    std::memset(&image, 0, sizeof image);
    image.colourType = 0;
    image.bitDepth = 8;
    image.width = 1;
    image.height = 1;
    image.interlace = 1;
    EXPECT_EQ(pngFilteredSize(image), 2u);
    image.width = 3;
    image.height = 2;  // passes 1 (1 px), 4 (1 px), 6 (1 px)... row 1 by pass 7 (3 px)
    EXPECT_EQ(pngFilteredSize(image), 2u + 2u + 2u + 4u);
}

}  // namespace

namespace {

TEST(PngDecoder, AllocationFailuresFailCleanly) {
    Bytes file = pngFile({ihdrChunk(2, 2, 8, 0), idatChunk(zlibStored({0, 1, 2, 0, 3, 4})), iendChunk()});
    PngImage image;
    std::memset(&image, 0, sizeof image);
    ASSERT_EQ(attachPngBytes(&image, file.data(), std::uint32_t(file.size())), 1);
    failHeapAllocations(0, 1);  // the image data
    EXPECT_EQ(inflatePngImage(&image), 0);
    EXPECT_EQ(image.lastError, 0x2000u);
    EXPECT_EQ(image.pixels, nullptr);
    ASSERT_EQ(inflatePngImage(&image), 1);
    PngBitmapFormat format;
    ASSERT_EQ(describePngBitmap(&image, &format), 1);
    Bytes bits(format.imageSize);
    for (int skip = 0; skip < 3; ++skip) {  // each of the row buffers
        failHeapAllocations(skip, 1);
        EXPECT_EQ(convertPngRows(&image, format, bits.data()), 0) << skip;
        EXPECT_EQ(image.lastError, 0x2006u);
    }
    failHeapAllocations(0, 0);
    EXPECT_EQ(convertPngRows(&image, format, bits.data()), 1);
    EXPECT_EQ(bits[4], 3);
    clearPngImage(&image);
}

}  // namespace
