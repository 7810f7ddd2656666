// Pictures from the program's resources, fitted to their tile.
#pragma once

#include <cstddef>

#include "platform/platform.h"

#ifdef _WIN32
// Picture resource `number` of type `typeName` fitted into the box with its
// proportions kept; the caller owns the bitmap. Null when there is none.
// Without such a resource, the raw-data resource of that number is read as
// PNG.
HBITMAP loadPictureResource(HINSTANCE module, int number, const char *typeName, int boxWidth,
                            int boxHeight);

// A picture file that the system's OLE loader reads (JPEG, GIF, BMP) as a
// screen-compatible bitmap of its own size; the bytes are left as they are.
// PNG is refused here on every system, so that it only ever takes the PNG
// road. Null when the bytes do not decode.
HBITMAP loadOlePicture(const unsigned char *bytes, std::size_t length);

// A new bitmap holding `bitmap` fitted into the box. Always deletes `bitmap`;
// null when given null or when the new bitmap cannot be made.
HBITMAP scaleBitmapToBox(HBITMAP bitmap, int boxWidth, int boxHeight);
#endif
