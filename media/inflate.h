// A zlib/DEFLATE decompressor of our own for the image data of PNG files.
//
// Format notes (zlib, RFC 1950; DEFLATE, RFC 1951):
// - A zlib stream is a 2-byte header (compression method 8, window size
//   field 0..7, a flag for a preset dictionary), the DEFLATE blocks and a
//   4-byte Adler-32 of the uncompressed data. We refuse a preset dictionary
//   (a PNG never has one) and read neither the header check bits nor the
//   Adler-32: a picture with a damaged checksum still shows.
// - Each block starts with a final-block bit and a 2-bit type: 0 stored
//   (byte-aligned length, its one's complement, raw bytes), 1 fixed Huffman
//   codes, 2 dynamic Huffman codes sent ahead of the block, 3 reserved.
// - Bits are packed from the least significant bit of each byte; Huffman
//   codes are sent most significant bit first, other fields least first.
// - Literal/length symbols 0..255 are bytes, 256 ends the block, 257..285
//   are lengths 3..258 with extra bits; distance symbols 0..29 reach back
//   1..32768 bytes with extra bits.
//
// The output buffer has the exact size the caller expects and also serves as
// the history for back-references, so no separate window is kept. Anything
// that would write past it, reach before its start, or leave it short fails.
#pragma once

#include <cstddef>
#include <cstdint>

// Hands out the compressed bytes one segment after another (a PNG spreads
// them over IDAT chunks). Returns null when there are no more.
struct InflateSource {
    const std::uint8_t *(*nextSegment)(void *context, std::size_t *length);
    void *context;
};

enum InflateResult {
    inflateOk = 0,
    inflateBadHeader,      // not method 8, window too large, or a preset dictionary
    inflateBadBlock,       // block type 3, stored length mismatch, bad code lengths
    inflateBadCode,        // a code no table holds, symbol out of range, distance too far
    inflateInputEnded,     // the data end before the final block
    inflateOutputOverrun,  // the data would write beyond the output
    inflateOutputShort,    // the final block ends before the output is full
};

// Which Huffman decoder inflateZlib uses: the reference decodes one bit at a
// time against first-code tables; the table-driven one looks up several bits
// at once. Both decode the same streams and refuse the same bad ones.
enum HuffmanDecoderKind { huffmanBitByBit, huffmanTableDriven };

InflateResult inflateZlib(const InflateSource &source, std::uint8_t *output, std::size_t outputSize,
                          HuffmanDecoderKind decoder = huffmanBitByBit);

// The same over one contiguous buffer, for callers whose data are not split.
InflateResult inflateZlibBuffer(const std::uint8_t *input, std::size_t inputSize, std::uint8_t *output,
                                std::size_t outputSize, HuffmanDecoderKind decoder = huffmanBitByBit);
