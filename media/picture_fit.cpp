#include "media/picture_fit.h"

FittedSize fitToBox(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {0, 0};
    const double sx = double(boxWidth) / width;
    const double sy = double(boxHeight) / height;
    const double factor = sy > sx ? sx : sy;
    // Truncation, not rounding: a side that comes out at 195.99 is 195.
    return {int(width * factor), int(height * factor)};
}

bool isScrambledPictureNumber(int number) { return number > 10000; }

void exchangeByteHalves(const unsigned char *from, unsigned char *to, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) to[i] = (unsigned char)(((from[i] << 4) | (from[i] >> 4)) & 0xFF);
}

bool hasPngSignature(const unsigned char *bytes, std::size_t length) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (length < sizeof signature) return false;
    for (std::size_t i = 0; i < sizeof signature; ++i)
        if (bytes[i] != signature[i]) return false;
    return true;
}
