// Small owners for the GDI and COM objects of picture loading: each gives its
// object back on every path out of a function, early returns included.
#pragma once

#include "platform/platform.h"

#ifdef _WIN32
#include <objbase.h>

// The screen's device context, released when the owner goes.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc &) = delete;
    ScreenDc &operator=(const ScreenDc &) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A memory device context compatible with another one, deleted when it goes.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : dc_(compatibleWith ? CreateCompatibleDC(compatibleWith) : nullptr) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc &) = delete;
    MemoryDc &operator=(const MemoryDc &) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// An object selected into a context; the context's previous one goes back
// in when the owner goes, so the context can be deleted and the object used.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject &) = delete;
    SelectedObject &operator=(const SelectedObject &) = delete;
    bool selected() const { return previous_ && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A bitmap deleted when the owner goes, unless handed on with release().
class OwnedBitmap {
public:
    explicit OwnedBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
    ~OwnedBitmap() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    OwnedBitmap(const OwnedBitmap &) = delete;
    OwnedBitmap &operator=(const OwnedBitmap &) = delete;
    HBITMAP get() const { return bitmap_; }
    HBITMAP release() {
        HBITMAP bitmap = bitmap_;
        bitmap_ = nullptr;
        return bitmap;
    }

private:
    HBITMAP bitmap_;
};

// COM on this thread for the owner's lifetime. Only a successful CoInitialize
// (S_OK, or S_FALSE when the thread already had it, as in a media quiz) is
// matched by CoUninitialize: a thread that is already in another apartment
// refuses, and uninitialising there would take COM away from its owner.
class ComApartment {
public:
    ComApartment() : result_(CoInitialize(nullptr)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

private:
    HRESULT result_;
};

// One reference to a COM object, released when the owner goes.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(Interface *object) : object_(object) {}
    ~ComRef() {
        if (object_) object_->Release();
    }
    ComRef(const ComRef &) = delete;
    ComRef &operator=(const ComRef &) = delete;
    Interface *get() const { return object_; }
    Interface *operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    Interface *object_ = nullptr;
};
#endif
