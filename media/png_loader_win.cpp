#include "media/png_loader.h"

// Placeholder until the PNG decoder lands: no raw-data picture loads yet.
HBITMAP loadPngResource(HINSTANCE, int, int, int) { return nullptr; }
