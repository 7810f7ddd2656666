#include "media/inflate.h"

#include <cstring>

namespace {

const int maxCodeBits = 15;
const int literalSymbolCount = 288;  // 286 and 287 take part in the fixed code only
const int distanceSymbolCount = 32;  // 30 and 31 likewise
const int endOfBlock = 256;

// Reads bits least significant first across the source's segments.
struct BitReader {
    InflateSource source;
    const std::uint8_t *next = nullptr;
    const std::uint8_t *end = nullptr;
    std::uint64_t buffer = 0;
    int count = 0;
    bool inputEnded = false;
};

bool fetchByte(BitReader &reader, std::uint8_t *byte) {
    while (reader.next == reader.end) {
        if (reader.inputEnded) return false;
        std::size_t length = 0;
        const std::uint8_t *segment = reader.source.nextSegment(reader.source.context, &length);
        if (!segment) {
            reader.inputEnded = true;
            return false;
        }
        reader.next = segment;
        reader.end = segment + length;
    }
    *byte = *reader.next++;
    return true;
}

// Tops the buffer up to at least `wanted` bits if the input allows.
void refill(BitReader &reader, int wanted) {
    std::uint8_t byte;
    while (reader.count < wanted && fetchByte(reader, &byte)) {
        reader.buffer |= std::uint64_t(byte) << reader.count;
        reader.count += 8;
    }
}

// The next `n` bits (n <= 32), or -1 when the input ends first.
long readBits(BitReader &reader, int n) {
    refill(reader, n);
    if (reader.count < n) return -1;
    long value = long(reader.buffer & ((std::uint64_t(1) << n) - 1));
    reader.buffer >>= n;
    reader.count -= n;
    return value;
}

void alignToByte(BitReader &reader) {
    int drop = reader.count % 8;
    reader.buffer >>= drop;
    reader.count -= drop;
}

// A canonical Huffman code as DEFLATE defines it: how many codes there are of
// each length, and the symbols in code order.
struct HuffmanCode {
    std::uint16_t countOfLength[maxCodeBits + 1];
    std::uint16_t symbols[literalSymbolCount];
    // Table-driven decoding: the next fastBits bits (least significant first)
    // index an entry holding symbol and length, or 0 for a code that is longer
    // or does not exist, which the bit-by-bit decoder then settles.
    static const int fastBits = 9;
    std::uint16_t fast[1 << fastBits];
};

unsigned reverseBits(unsigned code, int length) {
    unsigned reversed = 0;
    for (int i = 0; i < length; ++i, code >>= 1) reversed = (reversed << 1) | (code & 1);
    return reversed;
}

void buildFastTable(HuffmanCode &code, const std::uint8_t *lengths, int symbolCount) {
    std::memset(code.fast, 0, sizeof code.fast);
    // The canonical code of each length starts where the shorter ones end.
    unsigned nextCode[maxCodeBits + 1];
    unsigned value = 0;
    for (int length = 1; length <= maxCodeBits; ++length) {
        nextCode[length] = value;
        value = (value + code.countOfLength[length]) << 1;
    }
    for (int symbol = 0; symbol < symbolCount; ++symbol) {
        int length = lengths[symbol];
        if (length == 0) continue;
        unsigned canonical = nextCode[length]++;
        if (length > HuffmanCode::fastBits) continue;
        unsigned index = reverseBits(canonical, length);
        for (; index < (1u << HuffmanCode::fastBits); index += 1u << length)
            code.fast[index] = std::uint16_t((symbol << 4) | length);
    }
}

// Builds the code from the symbols' lengths; refuses lengths that promise more
// codes than the bits allow. An incomplete code is kept: a stream that sends
// one of its missing codes fails when it is decoded.
bool buildHuffmanCode(HuffmanCode &code, const std::uint8_t *lengths, int symbolCount) {
    std::memset(code.countOfLength, 0, sizeof code.countOfLength);
    for (int symbol = 0; symbol < symbolCount; ++symbol) ++code.countOfLength[lengths[symbol]];
    long codesLeft = 1;
    for (int length = 1; length <= maxCodeBits; ++length) {
        codesLeft = codesLeft * 2 - code.countOfLength[length];
        if (codesLeft < 0) return false;
    }
    std::uint16_t offset[maxCodeBits + 1];
    offset[1] = 0;
    for (int length = 1; length < maxCodeBits; ++length)
        offset[length + 1] = std::uint16_t(offset[length] + code.countOfLength[length]);
    for (int symbol = 0; symbol < symbolCount; ++symbol)
        if (lengths[symbol] != 0) code.symbols[offset[lengths[symbol]]++] = std::uint16_t(symbol);
    buildFastTable(code, lengths, symbolCount);
    return true;
}

// The reference decoder: one bit at a time, comparing the code read so far
// with the first code of each length. -1 for a missing code or ended input.
int decodeBitByBit(BitReader &reader, const HuffmanCode &code) {
    long value = 0;  // the code read so far
    long first = 0;  // the first code of the current length
    long index = 0;  // where the current length's symbols start
    for (int length = 1; length <= maxCodeBits; ++length) {
        long bit = readBits(reader, 1);
        if (bit < 0) return -1;
        value |= bit;
        long count = code.countOfLength[length];
        if (value - first < count) return code.symbols[index + value - first];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

// Looks several bits up at once; codes longer than the table, and the last
// few bits of the input, go through the reference decoder so that both
// accept and refuse exactly the same streams.
int decodeTableDriven(BitReader &reader, const HuffmanCode &code) {
    refill(reader, HuffmanCode::fastBits);
    if (reader.count >= HuffmanCode::fastBits) {
        unsigned entry = code.fast[reader.buffer & ((1u << HuffmanCode::fastBits) - 1)];
        if (entry != 0) {
            int length = int(entry & 15);
            reader.buffer >>= length;
            reader.count -= length;
            return int(entry >> 4);
        }
    }
    return decodeBitByBit(reader, code);
}

struct Inflater {
    BitReader reader;
    std::uint8_t *output;
    std::size_t outputSize;
    std::size_t produced = 0;
    HuffmanDecoderKind decoderKind;
    HuffmanCode literals;
    HuffmanCode distances;

    int decode(const HuffmanCode &code) {
        return decoderKind == huffmanTableDriven ? decodeTableDriven(reader, code)
                                                 : decodeBitByBit(reader, code);
    }
};

InflateResult readZlibHeader(BitReader &reader) {
    long methodAndWindow = readBits(reader, 8);
    long flags = readBits(reader, 8);
    if (methodAndWindow < 0 || flags < 0) return inflateInputEnded;
    bool presetDictionary = (flags & 0x20) != 0;
    if ((methodAndWindow & 15) != 8 || (methodAndWindow >> 4) > 7 || presetDictionary)
        return inflateBadHeader;
    return inflateOk;
}

InflateResult inflateStored(Inflater &inflater) {
    BitReader &reader = inflater.reader;
    alignToByte(reader);
    long length = readBits(reader, 16);
    long complement = readBits(reader, 16);
    if (length < 0 || complement < 0) return inflateInputEnded;
    if ((length ^ 0xFFFF) != complement) return inflateBadBlock;
    if (std::size_t(length) > inflater.outputSize - inflater.produced) return inflateOutputOverrun;
    for (long i = 0; i < length; ++i) {
        long byte = readBits(reader, 8);
        if (byte < 0) return inflateInputEnded;
        inflater.output[inflater.produced++] = std::uint8_t(byte);
    }
    return inflateOk;
}

const std::uint16_t lengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const std::uint8_t lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const std::uint16_t distanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                        33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                        1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const std::uint8_t distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

InflateResult copyMatch(Inflater &inflater, std::size_t length, std::size_t distance) {
    if (distance > inflater.produced) return inflateBadCode;
    if (length > inflater.outputSize - inflater.produced) return inflateOutputOverrun;
    std::uint8_t *to = inflater.output + inflater.produced;
    const std::uint8_t *from = to - distance;
    // Byte by byte: an overlapping match repeats what it has just written.
    for (std::size_t i = 0; i < length; ++i) to[i] = from[i];
    inflater.produced += length;
    return inflateOk;
}

// Decodes the symbols of one Huffman block with the codes in the inflater.
InflateResult inflateCodes(Inflater &inflater) {
    for (;;) {
        int symbol = inflater.decode(inflater.literals);
        if (symbol < 0) return inflater.reader.inputEnded ? inflateInputEnded : inflateBadCode;
        if (symbol < 256) {
            if (inflater.produced == inflater.outputSize) return inflateOutputOverrun;
            inflater.output[inflater.produced++] = std::uint8_t(symbol);
            continue;
        }
        if (symbol == endOfBlock) return inflateOk;
        symbol -= 257;
        if (symbol >= 29) return inflateBadCode;
        long extra = readBits(inflater.reader, lengthExtra[symbol]);
        if (extra < 0) return inflateInputEnded;
        std::size_t length = lengthBase[symbol] + std::size_t(extra);
        int distanceSymbol = inflater.decode(inflater.distances);
        if (distanceSymbol < 0) return inflater.reader.inputEnded ? inflateInputEnded : inflateBadCode;
        if (distanceSymbol >= 30) return inflateBadCode;
        extra = readBits(inflater.reader, distanceExtra[distanceSymbol]);
        if (extra < 0) return inflateInputEnded;
        std::size_t distance = distanceBase[distanceSymbol] + std::size_t(extra);
        InflateResult result = copyMatch(inflater, length, distance);
        if (result != inflateOk) return result;
    }
}

InflateResult inflateFixed(Inflater &inflater) {
    std::uint8_t lengths[literalSymbolCount];
    int symbol = 0;
    for (; symbol < 144; ++symbol) lengths[symbol] = 8;
    for (; symbol < 256; ++symbol) lengths[symbol] = 9;
    for (; symbol < 280; ++symbol) lengths[symbol] = 7;
    for (; symbol < 288; ++symbol) lengths[symbol] = 8;
    buildHuffmanCode(inflater.literals, lengths, literalSymbolCount);
    for (symbol = 0; symbol < distanceSymbolCount; ++symbol) lengths[symbol] = 5;
    buildHuffmanCode(inflater.distances, lengths, distanceSymbolCount);
    return inflateCodes(inflater);
}

// Reads the literal/length and distance code lengths, themselves coded with
// the code-length code, into `lengths`.
InflateResult readCodeLengths(Inflater &inflater, std::uint8_t *lengths, int total) {
    static const std::uint8_t order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    BitReader &reader = inflater.reader;
    long codeLengthCount = readBits(reader, 4);
    if (codeLengthCount < 0) return inflateInputEnded;
    codeLengthCount += 4;
    std::uint8_t codeLengthLengths[19] = {};
    for (long i = 0; i < codeLengthCount; ++i) {
        long length = readBits(reader, 3);
        if (length < 0) return inflateInputEnded;
        codeLengthLengths[order[i]] = std::uint8_t(length);
    }
    HuffmanCode codeLengthCode;
    if (!buildHuffmanCode(codeLengthCode, codeLengthLengths, 19)) return inflateBadBlock;
    int filled = 0;
    while (filled < total) {
        int symbol = inflater.decode(codeLengthCode);
        if (symbol < 0) return reader.inputEnded ? inflateInputEnded : inflateBadBlock;
        if (symbol < 16) {
            lengths[filled++] = std::uint8_t(symbol);
            continue;
        }
        std::uint8_t repeated = 0;
        long times;
        if (symbol == 16) {
            if (filled == 0) return inflateBadBlock;
            repeated = lengths[filled - 1];
            times = readBits(reader, 2);
            times = times < 0 ? -1 : times + 3;
        } else if (symbol == 17) {
            times = readBits(reader, 3);
            times = times < 0 ? -1 : times + 3;
        } else {
            times = readBits(reader, 7);
            times = times < 0 ? -1 : times + 11;
        }
        if (times < 0) return inflateInputEnded;
        if (filled + times > total) return inflateBadBlock;
        while (times-- > 0) lengths[filled++] = repeated;
    }
    return inflateOk;
}

InflateResult inflateDynamic(Inflater &inflater) {
    long literalCount = readBits(inflater.reader, 5);
    long distanceCount = readBits(inflater.reader, 5);
    if (literalCount < 0 || distanceCount < 0) return inflateInputEnded;
    literalCount += 257;
    distanceCount += 1;
    if (literalCount > 286 || distanceCount > 30) return inflateBadBlock;
    std::uint8_t lengths[286 + 30];
    InflateResult result = readCodeLengths(inflater, lengths, int(literalCount + distanceCount));
    if (result != inflateOk) return result;
    if (lengths[endOfBlock] == 0) return inflateBadBlock;  // the block could never end
    if (!buildHuffmanCode(inflater.literals, lengths, int(literalCount)) ||
        !buildHuffmanCode(inflater.distances, lengths + literalCount, int(distanceCount)))
        return inflateBadBlock;
    return inflateCodes(inflater);
}

InflateResult inflateBlocks(Inflater &inflater) {
    for (;;) {
        long final = readBits(inflater.reader, 1);
        long type = readBits(inflater.reader, 2);
        if (final < 0 || type < 0) return inflateInputEnded;
        InflateResult result;
        if (type == 0)
            result = inflateStored(inflater);
        else if (type == 1)
            result = inflateFixed(inflater);
        else if (type == 2)
            result = inflateDynamic(inflater);
        else
            result = inflateBadBlock;
        if (result != inflateOk) return result;
        if (final) return inflateOk;
    }
}

struct SingleBuffer {
    const std::uint8_t *bytes;
    std::size_t size;
    bool handedOut;
};

const std::uint8_t *nextOfSingleBuffer(void *context, std::size_t *length) {
    SingleBuffer *buffer = static_cast<SingleBuffer *>(context);
    if (buffer->handedOut) return nullptr;
    buffer->handedOut = true;
    *length = buffer->size;
    return buffer->bytes;
}

}  // namespace

InflateResult inflateZlib(const InflateSource &source, std::uint8_t *output, std::size_t outputSize,
                          HuffmanDecoderKind decoder) {
    Inflater inflater;
    inflater.reader.source = source;
    inflater.output = output;
    inflater.outputSize = outputSize;
    inflater.decoderKind = decoder;
    InflateResult result = readZlibHeader(inflater.reader);
    if (result == inflateOk) result = inflateBlocks(inflater);
    // The Adler-32 trailer follows; it is not checked, so it is not read.
    if (result == inflateOk && inflater.produced != outputSize) result = inflateOutputShort;
    return result;
}

InflateResult inflateZlibBuffer(const std::uint8_t *input, std::size_t inputSize, std::uint8_t *output,
                                std::size_t outputSize, HuffmanDecoderKind decoder) {
    SingleBuffer buffer = {input, inputSize, false};
    InflateSource source = {nextOfSingleBuffer, &buffer};
    return inflateZlib(source, output, outputSize, decoder);
}
