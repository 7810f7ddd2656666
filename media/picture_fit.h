// The arithmetic of fitting a picture into its box, and of the bytes a
// picture resource holds. Portable so that it is tested without a screen.
#pragma once

#include <cstddef>

struct FittedSize {
    int width, height;
};

// The picture enlarged or reduced by one factor, the smaller of the two that
// would make each side reach the box, so that its proportions stay and one
// side touches the box. Each side is truncated toward zero. A picture
// without area fits to nothing.
FittedSize fitToBox(int width, int height, int boxWidth, int boxHeight);

// Answer pictures are stored with the two halves of every byte exchanged, so
// that the answer cannot be read out of the executable with a picture viewer.
bool isScrambledPictureNumber(int number);
void exchangeByteHalves(const unsigned char *from, unsigned char *to, std::size_t length);

// PNG files begin with these eight bytes.
bool hasPngSignature(const unsigned char *bytes, std::size_t length);
