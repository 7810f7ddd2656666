#include "media/png_pixels.h"

#include <cstdlib>
#include <cstring>

#include "media/png_image.h"
#include "platform/platform.h"

namespace {

const PngPass adam7Passes[7] = {
    {0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2},
};
const PngPass wholeImage[1] = {{0, 0, 1, 1}};

int paethPredictor(int left, int above, int upperLeft) {
    int estimate = left + above - upperLeft;
    int toLeft = std::abs(estimate - left);
    int toAbove = std::abs(estimate - above);
    int toUpperLeft = std::abs(estimate - upperLeft);
    if (toLeft <= toAbove && toLeft <= toUpperLeft) return left;
    if (toAbove <= toUpperLeft) return above;
    return upperLeft;
}

unsigned bitmapBitsPerPixel(const PngImage &image) {
    switch (image.colourType) {
    case 0: return image.bitDepth == 16 ? 8 : image.bitDepth == 2 ? 4 : image.bitDepth;
    case 3: return image.bitDepth == 2 ? 4 : image.bitDepth;
    case 2: return 24;
    case 4: return 8;
    default: return 32;
    }
}

void fillGreyRamp(PngBitmapFormat *format, unsigned entries) {
    for (unsigned i = 0; i < entries; ++i) {
        std::uint8_t level = std::uint8_t(i * 255 / (entries - 1));
        std::uint8_t *entry = format->colourTable + 4 * i;
        entry[0] = entry[1] = entry[2] = level;
        entry[3] = 0;
    }
    format->colourTableEntries = entries;
    format->coloursUsed = entries;
}

// Entries past a short PLTE stay zero, so no index reads beyond the palette.
void fillFromPalette(PngBitmapFormat *format, const PngImage &image) {
    unsigned entries = 1u << format->bitsPerPixel;
    unsigned taken = image.paletteSize < entries ? image.paletteSize : entries;
    for (unsigned i = 0; i < taken; ++i) {
        const std::uint8_t *rgb = image.palette + 3 * i;
        std::uint8_t *entry = format->colourTable + 4 * i;
        entry[0] = rgb[2];
        entry[1] = rgb[1];
        entry[2] = rgb[0];
        entry[3] = 0;
    }
    format->colourTableEntries = entries;
    format->coloursUsed = 0;
}

// How one kind's samples become bitmap pixels: a plain copy of the row, the
// widening of 2-bit samples to 4, or picking bytes out of each pixel.
struct RowConversion {
    enum { copy, widenTwoBits, pick } how;
    unsigned sourceBytes;  // per pixel, for picking
    unsigned pickedCount;
    unsigned picked[4];    // source byte offsets, in bitmap order
};

RowConversion rowConversionOf(const PngImage &image) {
    bool deep = image.bitDepth == 16;
    switch (image.colourType) {
    case 0:
    case 3:
        if (image.bitDepth == 2) return {RowConversion::widenTwoBits, 0, 0, {}};
        if (deep) return {RowConversion::pick, 2, 1, {0}};
        return {RowConversion::copy, 0, 0, {}};
    case 2: return deep ? RowConversion{RowConversion::pick, 6, 3, {4, 2, 0}} : RowConversion{RowConversion::pick, 3, 3, {2, 1, 0}};
    case 4: return deep ? RowConversion{RowConversion::pick, 4, 1, {0}} : RowConversion{RowConversion::pick, 2, 1, {0}};
    default:
        return deep ? RowConversion{RowConversion::pick, 8, 4, {4, 2, 0, 6}}
                    : RowConversion{RowConversion::pick, 4, 4, {2, 1, 0, 3}};
    }
}

void convertRow(const RowConversion &conversion, const std::uint8_t *from, std::uint8_t *to, std::uint32_t pixels,
                std::size_t rowBytes) {
    switch (conversion.how) {
    case RowConversion::copy: std::memcpy(to, from, rowBytes); break;
    case RowConversion::widenTwoBits:
        for (std::uint32_t x = 0; x < pixels; ++x) {
            unsigned sample = (from[x / 4] >> (6 - 2 * (x % 4))) & 3;
            if (x % 2 == 0)
                to[x / 2] = std::uint8_t(sample << 4);
            else
                to[x / 2] |= std::uint8_t(sample);
        }
        break;
    case RowConversion::pick:
        for (std::uint32_t x = 0; x < pixels; ++x)
            for (unsigned c = 0; c < conversion.pickedCount; ++c)
                to[std::size_t(x) * conversion.pickedCount + c] =
                    from[std::size_t(x) * conversion.sourceBytes + conversion.picked[c]];
        break;
    }
}

// Puts a pass's converted row at the pass's columns of a bitmap row: bits
// are OR-ed into the cleared bitmap below 8 bits per pixel, whole pixels
// are copied from 8 up.
void placePassRow(const std::uint8_t *passRow, std::uint8_t *bitmapRow, const PngPass &pass, std::uint32_t columns,
                  unsigned bitsPerPixel) {
    if (pass.columnStep == 1) {
        std::memcpy(bitmapRow, passRow, std::size_t(pngRowBytes(columns, bitsPerPixel)));
        return;
    }
    if (bitsPerPixel < 8) {
        unsigned mask = (1u << bitsPerPixel) - 1;
        unsigned perByte = 8 / bitsPerPixel;
        for (std::uint32_t i = 0; i < columns; ++i) {
            unsigned value = (passRow[i / perByte] >> (8 - bitsPerPixel * (i % perByte + 1))) & mask;
            std::uint32_t x = pass.columnStart + i * pass.columnStep;
            bitmapRow[x / perByte] |= std::uint8_t(value << (8 - bitsPerPixel * (x % perByte + 1)));
        }
        return;
    }
    unsigned bytes = bitsPerPixel / 8;
    for (std::uint32_t i = 0; i < columns; ++i)
        std::memcpy(bitmapRow + std::size_t(pass.columnStart + i * pass.columnStep) * bytes,
                    passRow + std::size_t(i) * bytes, bytes);
}

struct RowBuffers {
    std::uint8_t *previous = nullptr;
    std::uint8_t *current = nullptr;
    std::uint8_t *converted = nullptr;  // a pass's row in bitmap format
    ~RowBuffers() {
        heapFree(previous);
        heapFree(current);
        heapFree(converted);
    }
};

}  // namespace

PngPassList pngPasses(bool interlaced) {
    return interlaced ? PngPassList{adam7Passes, 7} : PngPassList{wholeImage, 1};
}

PngPassSize pngPassSize(const PngPass &pass, std::uint32_t width, std::uint32_t height) {
    PngPassSize size;
    size.columns = width > pass.columnStart ? (width - pass.columnStart + pass.columnStep - 1) / pass.columnStep : 0;
    size.rows = height > pass.rowStart ? (height - pass.rowStart + pass.rowStep - 1) / pass.rowStep : 0;
    return size;
}

std::uint64_t pngRowBytes(std::uint64_t pixels, unsigned bitsPerPixel) { return (pixels * bitsPerPixel + 7) / 8; }

bool unfilterPngRow(std::uint8_t filterType, std::uint8_t *row, const std::uint8_t *above, std::size_t length,
                    std::size_t leftDistance) {
    switch (filterType) {
    case 0: return true;
    case 1:
        for (std::size_t i = leftDistance; i < length; ++i) row[i] = std::uint8_t(row[i] + row[i - leftDistance]);
        return true;
    case 2:
        for (std::size_t i = 0; i < length; ++i) row[i] = std::uint8_t(row[i] + above[i]);
        return true;
    case 3:
        for (std::size_t i = 0; i < length; ++i) {
            unsigned left = i >= leftDistance ? row[i - leftDistance] : 0;
            row[i] = std::uint8_t(row[i] + ((left + above[i]) >> 1));
        }
        return true;
    case 4:
        for (std::size_t i = 0; i < length; ++i) {
            int left = i >= leftDistance ? row[i - leftDistance] : 0;
            int upperLeft = i >= leftDistance ? above[i - leftDistance] : 0;
            row[i] = std::uint8_t(row[i] + paethPredictor(left, above[i], upperLeft));
        }
        return true;
    default: return false;
    }
}

int describePngBitmap(PngImage *image, PngBitmapFormat *format) {
    if (image->state != pngDecoded) {
        image->lastError = pngWrongState;
        return 0;
    }
    if (image->colourType == 3 && !image->palette) {
        image->lastError = pngBitmapFailed;
        return 0;
    }
    std::memset(format, 0, sizeof *format);
    format->width = image->width;
    format->height = image->height;
    format->bitsPerPixel = std::uint16_t(bitmapBitsPerPixel(*image));
    format->rowStride = std::uint32_t((pngRowBytes(image->width, format->bitsPerPixel) + 3) / 4 * 4);
    format->imageSize = std::size_t(format->rowStride) * image->height;
    if (image->colourType == 3)
        fillFromPalette(format, *image);
    else if (format->bitsPerPixel <= 8)
        fillGreyRamp(format, 1u << (image->bitDepth == 16 ? 8 : image->bitDepth));
    return 1;
}

int convertPngRows(PngImage *image, const PngBitmapFormat &format, std::uint8_t *bits) {
    if (image->state != pngDecoded) {
        image->lastError = pngWrongState;
        return 0;
    }
    unsigned bpp = pngBitsPerPixel(*image);
    std::size_t longestRow = std::size_t(pngRowBytes(image->width, bpp));
    std::size_t leftDistance = bpp >= 8 ? bpp / 8 : 1;
    RowBuffers buffers;
    buffers.previous = static_cast<std::uint8_t *>(heapAlloc(longestRow));
    buffers.current = static_cast<std::uint8_t *>(heapAlloc(longestRow));
    buffers.converted = static_cast<std::uint8_t *>(heapAlloc(format.rowStride));
    if (!buffers.previous || !buffers.current || !buffers.converted) {
        image->lastError = pngBitmapFailed;
        return 0;
    }
    bool interlaced = image->interlace != 0;
    if (interlaced && format.bitsPerPixel < 8) std::memset(bits, 0, format.imageSize);
    RowConversion conversion = rowConversionOf(*image);
    const std::uint8_t *next = image->pixels;
    for (const PngPass &pass : pngPasses(interlaced)) {
        PngPassSize size = pngPassSize(pass, image->width, image->height);
        if (size.columns == 0 || size.rows == 0) continue;
        std::size_t rowBytes = std::size_t(pngRowBytes(size.columns, bpp));
        std::memset(buffers.previous, 0, longestRow);
        for (std::uint32_t y = 0; y < size.rows; ++y) {
            std::uint8_t filterType = *next++;
            std::memcpy(buffers.current, next, rowBytes);
            next += rowBytes;
            if (!unfilterPngRow(filterType, buffers.current, buffers.previous, rowBytes, leftDistance)) {
                image->lastError = pngBitmapFailed;
                return 0;
            }
            std::uint8_t *bitmapRow = bits + std::size_t(pass.rowStart + y * pass.rowStep) * format.rowStride;
            if (!interlaced) {
                convertRow(conversion, buffers.current, bitmapRow, size.columns, rowBytes);
            } else {
                convertRow(conversion, buffers.current, buffers.converted, size.columns, rowBytes);
                placePassRow(buffers.converted, bitmapRow, pass, size.columns, format.bitsPerPixel);
            }
            std::uint8_t *swap = buffers.previous;
            buffers.previous = buffers.current;
            buffers.current = swap;
        }
    }
    return 1;
}
