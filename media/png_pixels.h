// From decompressed PNG rows to bitmap rows: the Adam7 passes, the five
// filters, and the conversion of every accepted kind to a bitmap format a
// DIB section takes (top-down rows, each on a 4-byte boundary).
#pragma once

#include <cstddef>
#include <cstdint>

struct PngImage;

struct PngPass {
    std::uint32_t columnStart, rowStart, columnStep, rowStep;
};

struct PngPassList {
    const PngPass *first;
    int count;
    const PngPass *begin() const { return first; }
    const PngPass *end() const { return first + count; }
};

// The seven Adam7 passes, or one pass covering every pixel.
PngPassList pngPasses(bool interlaced);

struct PngPassSize {
    std::uint32_t columns, rows;
};
PngPassSize pngPassSize(const PngPass &pass, std::uint32_t width, std::uint32_t height);

// Bytes of a row of `pixels` pixels at `bitsPerPixel`, the filter byte not
// included.
std::uint64_t pngRowBytes(std::uint64_t pixels, unsigned bitsPerPixel);

// Undoes one row's filter in place: `row` holds the filtered bytes, `above`
// the previous unfiltered row of the same pass (zeros for its first row).
// False for a filter type above 4.
bool unfilterPngRow(std::uint8_t filterType, std::uint8_t *row, const std::uint8_t *above, std::size_t length,
                    std::size_t leftDistance);

// The bitmap an image becomes: what the bitmap header and colour table say.
struct PngBitmapFormat {
    std::uint32_t width, height;  // the header's height is -height: rows run top-down
    std::uint16_t bitsPerPixel;   // 1, 4, 8, 24 or 32
    std::uint32_t rowStride;      // bytes from one row to the next
    std::size_t imageSize;        // rowStride * height
    std::uint32_t coloursUsed;    // the header's count: the grey ramp's size, 0 for a palette
    std::uint32_t colourTableEntries;
    std::uint8_t colourTable[256 * 4];  // blue, green, red, 0 per entry
};

// Describes the bitmap of a decoded image. Fails with 0x2003 before
// decompression, and with 0x2006 for a palette image without palette.
int describePngBitmap(PngImage *image, PngBitmapFormat *format);

// Unfilters every row and converts it into `bits`, which holds
// format.imageSize bytes. Fails (0x2006) on a filter type above 4 or when
// the row buffers cannot be had; `bits` may then be partly written.
int convertPngRows(PngImage *image, const PngBitmapFormat &format, std::uint8_t *bits);
