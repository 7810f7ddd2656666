// Pictures from the program's resources, fitted to their tile.
#pragma once

#include "platform/platform.h"

#ifdef _WIN32
// Picture resource `number` of type `typeName` fitted into the box with its
// proportions kept; the caller owns the bitmap. Null when there is none.
HBITMAP loadPictureResource(HINSTANCE module, int number, const char *typeName, int boxWidth,
                            int boxHeight);
#endif
