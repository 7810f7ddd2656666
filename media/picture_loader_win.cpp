#include "media/picture_loader.h"

#include <olectl.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include "media/picture_fit.h"
#include "media/png_loader.h"
#include "media/scoped_handles.h"

namespace {

struct HeapBlockFree {
    void operator()(unsigned char *block) const { heapFree(block); }
};
using HeapBytes = std::unique_ptr<unsigned char, HeapBlockFree>;

// Resource identifiers are 16-bit: a larger number would wrap round to
// another picture's.
bool isResourceNumber(int number) { return number > 0 && number <= 0xFFFF; }

// A stream that owns a global copy of the bytes; releasing it frees the copy.
IStream *streamOverCopy(const unsigned char *bytes, std::size_t length) {
    HGLOBAL block = GlobalAlloc(0, length);
    if (!block) return nullptr;
    std::memcpy(block, bytes, length);  // a fixed block's handle is its address
    IStream *stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        GlobalFree(block);
        return nullptr;
    }
    return stream;
}

IPicture *readPicture(IStream *stream, std::size_t length) {
    IPicture *picture = nullptr;
    if (FAILED(OleLoadPicture(stream, LONG(length), FALSE, IID_IPicture, reinterpret_cast<void **>(&picture))))
        return nullptr;
    return picture;
}

void reportCopyFailure(DWORD error) {
    char text[64];
    std::snprintf(text, sizeof text, "CopyImageplante avec l'erreur : %lu", static_cast<unsigned long>(error));
    showMessage(text, "Information", MB_OK | MB_ICONINFORMATION);
}

// The picture's bitmap dies with the picture object: the caller gets a copy.
HBITMAP copyPictureBitmap(IPicture *picture) {
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Handle(&handle))) handle = 0;
    HANDLE copy = CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0);
    if (!copy) reportCopyFailure(GetLastError());
    return static_cast<HBITMAP>(copy);
}

// Answer pictures get their bytes restored in a private copy: the resource
// stays as stored, so the same picture loads again the same way.
HBITMAP decodeStoredPicture(int number, const unsigned char *stored, std::size_t size) {
    if (!isScrambledPictureNumber(number)) return loadOlePicture(stored, size);
    HeapBytes restored(static_cast<unsigned char *>(heapAlloc(size)));
    if (!restored) return nullptr;
    exchangeByteHalves(stored, restored.get(), size);
    return loadOlePicture(restored.get(), size);
}

// The result is deselected before the contexts go, so it leaves them usable.
HBITMAP stretchInto(HDC screen, HBITMAP source, int width, int height, FittedSize fitted) {
    MemoryDc from(screen), to(screen);
    if (!from.get() || !to.get()) return nullptr;
    OwnedBitmap result(CreateCompatibleBitmap(screen, fitted.width, fitted.height));
    if (!result.get()) return nullptr;
    SelectedObject sourceIn(from.get(), source), resultIn(to.get(), result.get());
    if (!sourceIn.selected() || !resultIn.selected()) return nullptr;
    SetStretchBltMode(to.get(), HALFTONE);
    if (!StretchBlt(to.get(), 0, 0, fitted.width, fitted.height, from.get(), 0, 0, width, height, SRCCOPY))
        return nullptr;
    return result.release();
}

}  // namespace

HBITMAP loadPictureResource(HINSTANCE module, int number, const char *typeName, int boxWidth,
                            int boxHeight) {
    if (!isResourceNumber(number)) return nullptr;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), typeName);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (!loaded) return loadPngResource(module, number, boxWidth, boxHeight);
    const auto *stored = static_cast<const unsigned char *>(LockResource(loaded));
    const DWORD size = SizeofResource(module, found);
    if (!stored || size == 0) return nullptr;
    return scaleBitmapToBox(decodeStoredPicture(number, stored, size), boxWidth, boxHeight);
}

HBITMAP loadOlePicture(const unsigned char *bytes, std::size_t length) {
    if (!bytes || length == 0 || length > std::size_t(LONG_MAX)) return nullptr;
    // Wine's OLE loader reads PNG and Windows' does not; refusing it here
    // keeps one behaviour everywhere.
    if (hasPngSignature(bytes, length)) return nullptr;
    ComApartment com;
    ComRef<IStream> stream(streamOverCopy(bytes, length));
    if (!stream) return nullptr;
    // Declared after the stream so that the picture is released first.
    ComRef<IPicture> picture(readPicture(stream.get(), length));
    if (!picture) return nullptr;
    return copyPictureBitmap(picture.get());
}

HBITMAP scaleBitmapToBox(HBITMAP bitmap, int boxWidth, int boxHeight) {
    if (!bitmap) return nullptr;
    ScreenDc screen;
    OwnedBitmap source(bitmap);  // goes after the contexts that hold it
    BITMAP info = {};
    if (!GetObjectA(bitmap, sizeof info, &info)) return nullptr;
    const FittedSize fitted = fitToBox(info.bmWidth, info.bmHeight, boxWidth, boxHeight);
    if (fitted.width <= 0 || fitted.height <= 0 || !screen.get()) return nullptr;
    return stretchInto(screen.get(), bitmap, info.bmWidth, info.bmHeight, fitted);
}
