// The PNG decoder's working record and the steps that need no screen:
// attaching the file's bytes and walking its chunks, decompressing the image
// data, and describing and filling the bitmap the picture becomes. The Win32
// side finds the resource and creates the DIB section around these steps.
#pragma once

#include <cstddef>
#include <cstdint>

enum PngResultCode : std::uint32_t {
    pngOk = 0,
    pngRecordNotEmpty = 0x1002,
    pngInvalid = 0x2000,      // not a PNG, invalid IHDR or compressed data, absurd size
    pngUnsupported = 0x2001,  // unknown critical chunk, kind outside the accepted ones
    pngWrongState = 0x2003,
    pngBitmapFailed = 0x2006,
    pngResourceMissing = 0x3001,
    pngResourceUnloadable = 0x3002,
};

enum PngState : std::uint32_t { pngEmpty = 0, pngLoaded = 1, pngDecoded = 2 };

// One per decoding, owned by the caller and zeroed before use.
struct PngImage {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t lastError;
    std::uint32_t paletteSize;
    std::uint8_t colourType;
    std::uint8_t bitDepth;
    std::uint8_t interlace;
    const std::uint8_t *data;  // the file's bytes, not owned
    std::uint32_t dataSize;
    const std::uint8_t *chunkCursor;
    std::uint8_t *pixels;  // decompressed rows, filter bytes included (owned)
    std::uint32_t pixelsSize;
    const std::uint8_t *palette;  // the first PLTE chunk's data, or null
    std::uint32_t source;         // 2 once bytes are attached
    const std::uint8_t *header;   // the IHDR chunk's data
    const std::uint8_t *firstImageChunk;  // the first IDAT chunk, from its length field
    std::uint32_t state;
};

const std::uint32_t pngSourceResource = 2;

// Pictures larger than this much decompressed data are refused before any
// allocation: a quiz tile shows 260 by 260 pixels, and a 32-bit process
// should not be asked for a buffer on the word of a file's header.
const std::uint64_t pngMaxPixelsSize = 128u << 20;
const std::uint32_t pngMaxSide = 16384;

// Attaches the file's bytes (kept in place, not copied) and parses the
// header. Returns 1 or 0, the reason in lastError.
int attachPngBytes(PngImage *image, const std::uint8_t *bytes, std::uint32_t size);

// Decompresses all image data into `pixels`. Returns 1 or 0.
int inflatePngImage(PngImage *image);

// Releases `pixels` and zeroes the record.
void clearPngImage(PngImage *image);

// The exact size of the filtered image data, or 0 when it would be absurd
// (larger than pngMaxPixelsSize) or the header is not one we accept.
std::uint64_t pngFilteredSize(const PngImage &image);

// Samples per pixel times bit depth.
unsigned pngBitsPerPixel(const PngImage &image);
