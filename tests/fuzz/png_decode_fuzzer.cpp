// Any bytes as a PNG file through every step of the decoder: each step must
// end with a result and never touch memory outside the file, the image data
// or the bitmap it was given.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "media/inflate.h"
#include "media/png_image.h"
#include "media/png_pixels.h"
#include "platform/platform.h"

namespace {

const std::uint8_t *nextOfWholeFile(void *context, std::size_t *length) {
    const std::uint8_t **file = static_cast<const std::uint8_t **>(context);
    if (!file[0]) return nullptr;
    const std::uint8_t *segment = file[0];
    *length = std::size_t(file[1] - file[0]);
    file[0] = nullptr;
    return segment;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size > 0xFFFFFFFFu) return 0;
    PngImage image;
    std::memset(&image, 0, sizeof image);
    if (attachPngBytes(&image, data, std::uint32_t(size))) {
        if (inflatePngImage(&image)) {
            if (image.lastError != 0 || image.pixelsSize != pngFilteredSize(image)) std::abort();
            PngBitmapFormat format;
            if (describePngBitmap(&image, &format)) {
                std::uint8_t *bits = static_cast<std::uint8_t *>(heapAlloc(format.imageSize));
                if (bits) convertPngRows(&image, format, bits);
                heapFree(bits);
            }
        } else if (image.pixels || image.lastError != pngInvalid) {
            std::abort();
        }
    }
    clearPngImage(&image);
    // The same bytes as a bare zlib stream, through both Huffman decoders.
    static std::uint8_t reference[1 << 16], table[1 << 16];
    std::size_t outputSize = size > 0 ? data[0] * 256u % sizeof reference : 0;
    const std::uint8_t *file[2] = {data, data + size};
    InflateSource source = {nextOfWholeFile, file};
    InflateResult expected = inflateZlib(source, reference, outputSize, huffmanBitByBit);
    InflateResult got = inflateZlibBuffer(data, size, table, outputSize, huffmanTableDriven);
    if (got != expected || (expected == inflateOk && std::memcmp(reference, table, outputSize) != 0)) std::abort();
    return 0;
}
