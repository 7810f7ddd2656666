#include "media/png_loader.h"

#include <cstring>
#include <new>

#include "media/picture_loader.h"
#include "media/png_image.h"
#include "media/png_pixels.h"

namespace {

// The bitmap header with room for the largest colour table.
struct PngBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

void reportPngFailure(const char *text) {
    showMessage(text, "Information", MB_OK | MB_ICONERROR);
}

int openPngResource(PngImage *image, HINSTANCE module, int number) {
    if (image->state != pngEmpty || image->source != 0) {
        image->lastError = pngRecordNotEmpty;
        return 0;
    }
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), MAKEINTRESOURCEA(10));
    if (!found) {
        image->lastError = pngResourceMissing;
        return 0;
    }
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void *bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) {
        image->lastError = pngResourceUnloadable;
        return 0;
    }
    return attachPngBytes(image, static_cast<const std::uint8_t *>(bytes), size);
}

// The DIB section is deleted when the rows cannot be converted: no bitmap
// outlives a failed conversion.
HBITMAP convertPngToBitmap(PngImage *image, HWND window) {
    PngBitmapFormat *format = new (std::nothrow) PngBitmapFormat();
    if (!format) return nullptr;
    HBITMAP bitmap = nullptr;
    if (describePngBitmap(image, format)) {
        PngBitmapInfo info = {};
        info.header.biSize = sizeof info.header;
        info.header.biWidth = LONG(format->width);
        info.header.biHeight = -LONG(format->height);
        info.header.biPlanes = 1;
        info.header.biBitCount = format->bitsPerPixel;
        info.header.biCompression = BI_RGB;
        info.header.biClrUsed = format->coloursUsed;
        std::memcpy(info.colours, format->colourTable, std::size_t(format->colourTableEntries) * 4);
        HDC context = GetDC(window);
        void *bits = nullptr;
        bitmap = CreateDIBSection(context, reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS,
                                  &bits, nullptr, 0);
        if (!bitmap) {
            image->lastError = pngBitmapFailed;
        } else if (!convertPngRows(image, *format, static_cast<std::uint8_t *>(bits))) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
        ReleaseDC(window, context);
    }
    delete format;
    return bitmap;
}

}  // namespace

HBITMAP loadPngResource(HINSTANCE module, int number, int boxWidth, int boxHeight) {
    PngImage image = {};
    if (!openPngResource(&image, module, number)) return nullptr;  // usually: no such picture
    HBITMAP bitmap = nullptr;
    if (!inflatePngImage(&image))
        reportPngFailure("Error: couldn't decode PNG resource");
    else if (!(bitmap = convertPngToBitmap(&image, nullptr)))
        reportPngFailure("Error: couldn't create bitmap");
    clearPngImage(&image);
    return bitmap ? scaleBitmapToBox(bitmap, boxWidth, boxHeight) : nullptr;
}
