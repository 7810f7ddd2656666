// PNG pictures, which travel as raw-data resources rather than IMG ones.
#pragma once

#include "platform/platform.h"

#ifdef _WIN32
// Raw-data resource `number` decoded as PNG and fitted into the box with its
// proportions kept; the caller owns the bitmap. Null when there is none.
HBITMAP loadPngResource(HINSTANCE module, int number, int boxWidth, int boxHeight);
#endif
