// The DEFLATE decoder on its own: streams from zlib, bad streams, and the
// table-driven Huffman decoder against the bit-by-bit reference.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "media/inflate.h"
#include "png_test_support.h"

namespace {

Bytes sampleData(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = (i / 37) % 2 ? std::uint8_t(random() % 4) : std::uint8_t(i * 13 + (i >> 9));
    return data;
}

Bytes zlibCompress(const Bytes &data, int level, int strategy) {
    z_stream stream{};
    deflateInit2(&stream, level, Z_DEFLATED, 15, 8, strategy);
    Bytes out(deflateBound(&stream, uLong(data.size())) + 16);
    stream.next_in = const_cast<Bytef *>(data.data());
    stream.avail_in = uInt(data.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

InflateResult inflateInto(const Bytes &stream, Bytes &out, HuffmanDecoderKind kind) {
    return inflateZlibBuffer(stream.data(), stream.size(), out.data(), out.size(), kind);
}

TEST(Inflate, DecodesZlibStreamsOfEveryBlockKindWithBothDecoders) {
    struct Case {
        int level, strategy;
    };
    const Case cases[] = {{0, Z_DEFAULT_STRATEGY}, {1, Z_FIXED}, {6, Z_DEFAULT_STRATEGY},
                          {9, Z_HUFFMAN_ONLY},     {9, Z_RLE},   {9, Z_FILTERED}};
    for (std::size_t size : {std::size_t(1), std::size_t(300), std::size_t(70000)})
        for (const Case &c : cases) {
            Bytes data = sampleData(size, unsigned(size));
            Bytes stream = zlibCompress(data, c.level, c.strategy);
            for (HuffmanDecoderKind kind : {huffmanBitByBit, huffmanTableDriven}) {
                Bytes out(size);
                ASSERT_EQ(inflateInto(stream, out, kind), inflateOk) << size << " level " << c.level;
                ASSERT_EQ(out, data) << size << " level " << c.level;
            }
        }
}

TEST(Inflate, EmptyStoredBlockFillsNothing) {
    Bytes stream = zlibStored({});
    EXPECT_EQ(inflateZlibBuffer(stream.data(), stream.size(), nullptr, 0), inflateOk);
}

TEST(Inflate, RefusesBadStreams) {
    Bytes good = zlibStored({1, 2, 3});
    Bytes badLength = good;
    badLength[5] ^= 1;  // the complement no longer matches
    Bytes oversubscribed = {0x78, 0x01,
                            // final, dynamic; HLIT 0, HDIST 0, HCLEN 15 (19 lengths), every length 1 (19 codes of one bit)
                            0x05, 0xE0, 0x93, 0x24, 0x49, 0x92, 0x24, 0x49, 0x92, 0x00};
    struct Case {
        const char *name;
        Bytes stream;
        std::size_t outputSize;
        InflateResult result;
    };
    const Case cases[] = {
        {"method not 8", {0x79, 0x01, 0x01, 0, 0, 0xFF, 0xFF}, 0, inflateBadHeader},
        {"window field 8", {0x88, 0x01, 0x01, 0, 0, 0xFF, 0xFF}, 0, inflateBadHeader},
        {"preset dictionary", {0x78, 0x20, 0x01, 0, 0, 0xFF, 0xFF}, 0, inflateBadHeader},
        {"block type 3", {0x78, 0x01, 0x07}, 0, inflateBadBlock},
        {"stored length and complement differ", badLength, 3, inflateBadBlock},
        {"stored block longer than the output", good, 2, inflateOutputOverrun},
        {"stored block shorter than the output", good, 4, inflateOutputShort},
        {"stored data cut", Bytes(good.begin(), good.begin() + 8), 3, inflateInputEnded},
        {"empty input", {}, 0, inflateInputEnded},
        // Fixed codes: a match of 3 at distance 1 before any byte was written.
        {"distance before the start", {0x78, 0x01, 0x03, 0x02, 0x00}, 3, inflateBadCode},
        {"oversubscribed code lengths", oversubscribed, 1, inflateBadBlock},
        // Fixed code 11000110 is literal/length symbol 286.
        {"length symbol 286", {0x78, 0x01, 0x1B, 0x03}, 1, inflateBadCode},
    };
    for (const Case &c : cases)
        for (HuffmanDecoderKind kind : {huffmanBitByBit, huffmanTableDriven}) {
            Bytes out(c.outputSize);
            EXPECT_EQ(inflateZlibBuffer(c.stream.data(), c.stream.size(), out.data(), out.size(), kind), c.result)
                << c.name << " decoder " << kind;
        }
}

TEST(Inflate, ReadsAcrossSegments) {
    Bytes data = sampleData(5000, 3);
    Bytes stream = zlibCompress(data, 6, Z_DEFAULT_STRATEGY);
    struct Segments {
        const Bytes *stream;
        std::size_t at;
    } segments{&stream, 0};
    InflateSource source = {[](void *context, std::size_t *length) -> const std::uint8_t * {
                                Segments *s = static_cast<Segments *>(context);
                                if (s->at >= s->stream->size()) return nullptr;
                                std::size_t left = s->stream->size() - s->at;
                                *length = left < 7 ? left : 7;
                                const std::uint8_t *at = s->stream->data() + s->at;
                                s->at += *length;
                                return at;
                            },
                            &segments};
    Bytes out(data.size());
    ASSERT_EQ(inflateZlib(source, out.data(), out.size()), inflateOk);
    EXPECT_EQ(out, data);
}

// Damaged streams: both Huffman decoders must come to the same result and,
// where they succeed, the same bytes.
TEST(Inflate, TableDrivenDecoderAgreesWithTheReferenceOnDamagedStreams) {
    std::mt19937 random(99);
    int agreedFailures = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        Bytes data = sampleData(200 + trial % 700, unsigned(trial));
        Bytes stream = zlibCompress(data, trial % 10, trial % 3 == 0 ? Z_FIXED : Z_DEFAULT_STRATEGY);
        int flips = 1 + int(random() % 3);
        for (int i = 0; i < flips; ++i) stream[2 + random() % (stream.size() - 2)] ^= std::uint8_t(1u << (random() % 8));
        if (trial % 4 == 0) stream.resize(stream.size() - random() % stream.size() / 2);
        Bytes reference(data.size()), table(data.size());
        InflateResult expected = inflateInto(stream, reference, huffmanBitByBit);
        ASSERT_EQ(inflateInto(stream, table, huffmanTableDriven), expected) << trial;
        if (expected == inflateOk)
            ASSERT_EQ(table, reference) << trial;
        else
            ++agreedFailures;
    }
    EXPECT_GT(agreedFailures, 1000);  // the damage really was refused, not only passed through
}

}  // namespace
