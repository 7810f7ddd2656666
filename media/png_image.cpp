#include "media/png_image.h"

#include <cstring>

#include "media/inflate.h"
#include "media/png_pixels.h"
#include "platform/platform.h"

namespace {

const std::uint8_t pngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
const std::uint32_t chunkOverhead = 12;  // length, type, CRC
const std::uint32_t headerDataSize = 13;

std::uint32_t readBigEndian32(const std::uint8_t *bytes) {
    return (std::uint32_t(bytes[0]) << 24) | (std::uint32_t(bytes[1]) << 16) | (std::uint32_t(bytes[2]) << 8) |
           bytes[3];
}

bool typeIs(const std::uint8_t *chunk, const char *type) { return std::memcmp(chunk + 4, type, 4) == 0; }

// The length of the chunk at `chunk` when all of it (data and CRC) lies
// within the file; false when it does not fit, which ends every walk.
bool chunkFits(const PngImage &image, const std::uint8_t *chunk, std::uint32_t *dataLength) {
    std::uint64_t offset = std::uint64_t(chunk - image.data);
    if (offset > image.dataSize || image.dataSize - offset < chunkOverhead) return false;
    std::uint32_t length = readBigEndian32(chunk);
    if (std::uint64_t(length) + chunkOverhead > image.dataSize - offset) return false;
    *dataLength = length;
    return true;
}

const std::uint8_t *chunkAfter(const std::uint8_t *chunk, std::uint32_t dataLength) {
    return chunk + chunkOverhead + dataLength;
}

bool isAcceptedKind(std::uint8_t colourType, std::uint8_t bitDepth) {
    switch (colourType) {
    case 0: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case 3: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case 2:
    case 4:
    case 6: return bitDepth == 8 || bitDepth == 16;
    default: return false;
    }
}

bool fail(PngImage *image, std::uint32_t code) {
    image->lastError = code;
    return false;
}

bool readHeaderChunk(PngImage *image) {
    const std::uint8_t *first = image->data + sizeof pngSignature;
    std::uint32_t length;
    if (!chunkFits(*image, first, &length) || !typeIs(first, "IHDR") || length < headerDataSize)
        return fail(image, pngInvalid);
    image->header = first + 8;
    image->width = readBigEndian32(image->header);
    image->height = readBigEndian32(image->header + 4);
    if (image->width == 0 || image->height == 0) return fail(image, pngInvalid);
    image->bitDepth = image->header[8];
    image->colourType = image->header[9];
    image->interlace = image->header[12];
    image->chunkCursor = chunkAfter(first, length);
    return true;
}

// Every chunk after IHDR, IEND included and whatever follows it, until one
// does not fit in the file.
bool walkChunks(PngImage *image) {
    std::uint32_t length;
    for (; chunkFits(*image, image->chunkCursor, &length); image->chunkCursor = chunkAfter(image->chunkCursor, length)) {
        const std::uint8_t *chunk = image->chunkCursor;
        if (typeIs(chunk, "PLTE")) {
            if (!image->palette) {
                image->palette = chunk + 8;
                image->paletteSize = length / 3;
            }
        } else if (typeIs(chunk, "IDAT")) {
            if (!image->firstImageChunk) image->firstImageChunk = chunk;
        } else if (!typeIs(chunk, "IHDR") && !typeIs(chunk, "IEND")) {
            bool critical = (chunk[4] & 0x20) == 0;
            if (critical) return fail(image, pngUnsupported);
        }
    }
    return true;
}

bool parseHeader(PngImage *image) {
    if (image->dataSize < 16 || std::memcmp(image->data, pngSignature, sizeof pngSignature) != 0)
        return fail(image, pngInvalid);
    if (!readHeaderChunk(image) || !walkChunks(image)) return false;
    bool methodsKnown = image->header[10] == 0 && image->header[11] == 0 && image->interlace <= 1;
    if (!isAcceptedKind(image->colourType, image->bitDepth) || !methodsKnown) return fail(image, pngUnsupported);
    return true;
}

// Hands the IDAT chunks' data to the decompressor, from the first one for
// as long as the next chunk is an IDAT that fits in the file.
struct ImageChunks {
    const PngImage *image;
    const std::uint8_t *next;
};

const std::uint8_t *nextImageChunk(void *context, std::size_t *length) {
    ImageChunks *chunks = static_cast<ImageChunks *>(context);
    std::uint32_t dataLength;
    if (!chunks->next || !chunkFits(*chunks->image, chunks->next, &dataLength) || !typeIs(chunks->next, "IDAT"))
        return nullptr;
    const std::uint8_t *data = chunks->next + 8;
    chunks->next = chunkAfter(chunks->next, dataLength);
    *length = dataLength;
    return data;
}

}  // namespace

unsigned pngBitsPerPixel(const PngImage &image) {
    unsigned samples = 1;
    if (image.colourType == 2) samples = 3;
    if (image.colourType == 4) samples = 2;
    if (image.colourType == 6) samples = 4;
    return samples * image.bitDepth;
}

std::uint64_t pngFilteredSize(const PngImage &image) {
    if (!isAcceptedKind(image.colourType, image.bitDepth) || image.width > pngMaxSide ||
        image.height > pngMaxSide)
        return 0;
    unsigned bpp = pngBitsPerPixel(image);
    std::uint64_t total = 0;
    for (const PngPass &pass : pngPasses(image.interlace != 0)) {
        PngPassSize size = pngPassSize(pass, image.width, image.height);
        if (size.columns == 0 || size.rows == 0) continue;
        total += std::uint64_t(size.rows) * (pngRowBytes(size.columns, bpp) + 1);
    }
    return total > pngMaxPixelsSize ? 0 : total;
}

int attachPngBytes(PngImage *image, const std::uint8_t *bytes, std::uint32_t size) {
    if (image->state != pngEmpty || image->source != 0) return fail(image, pngRecordNotEmpty);
    image->data = bytes;
    image->dataSize = size;
    image->source = pngSourceResource;
    if (!parseHeader(image)) {
        image->source = 0;
        return 0;
    }
    image->state = pngLoaded;
    return 1;
}

int inflatePngImage(PngImage *image) {
    if (image->state != pngLoaded) return fail(image, pngWrongState);
    std::uint64_t size = pngFilteredSize(*image);
    if (size == 0 || !image->firstImageChunk) return fail(image, pngInvalid);
    image->pixels = static_cast<std::uint8_t *>(heapAlloc(std::size_t(size)));
    if (!image->pixels) return fail(image, pngInvalid);
    image->pixelsSize = std::uint32_t(size);
    ImageChunks chunks = {image, image->firstImageChunk};
    InflateSource source = {nextImageChunk, &chunks};
    // The table-driven Huffman decoder: the bit-by-bit one is its reference
    // and refuses the same streams, at about half the speed.
    if (inflateZlib(source, image->pixels, image->pixelsSize, huffmanTableDriven) != inflateOk) {
        heapFree(image->pixels);
        image->pixels = nullptr;
        image->pixelsSize = 0;
        return fail(image, pngInvalid);
    }
    image->state = pngDecoded;
    image->lastError = pngOk;
    return 1;
}

void clearPngImage(PngImage *image) {
    heapFree(image->pixels);
    std::memset(image, 0, sizeof *image);
}
