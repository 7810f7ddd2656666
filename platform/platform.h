// The few seams that let the portable core build off Windows.
//
// On Windows the handle types are the real ones; elsewhere they are opaque
// pointers, so records such as QuizContext keep their fields and compile
// natively. Heap allocation goes through the process heap on Windows and
// malloc elsewhere. The message box used by portable code is MessageBoxA on
// Windows; natively it records the last message so tests can look at it.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
struct HWND__;
struct HFONT__;
struct HBRUSH__;
struct HBITMAP__;
struct HICON__;
struct HINSTANCE__;
typedef HWND__ *HWND;
typedef HFONT__ *HFONT;
typedef HBRUSH__ *HBRUSH;
typedef HBITMAP__ *HBITMAP;
typedef HICON__ *HICON;
typedef HINSTANCE__ *HINSTANCE;
#ifndef MB_OK
#define MB_OK 0x00000000u
#define MB_ICONINFORMATION 0x00000040u
#endif
#endif

// Process-heap allocation. heapAlloc returns zero-filled memory or null.
void *heapAlloc(std::size_t size);
void heapFree(void *block);

// A message box without owner window.
void showMessage(const char *text, const char *caption, unsigned style);

// Where showMessage sends its messages instead of a message box; null (the
// default) shows the box. Tests under Wine record messages this way.
typedef void (*MessageSink)(const char *text, const char *caption, unsigned style);
void setMessageSink(MessageSink sink);

#ifndef _WIN32
// Native builds only: what showMessage saw, for tests.
struct RecordedMessage {
    char text[512];
    char caption[64];
    unsigned style;
    int count;  // messages shown since the last reset
};
const RecordedMessage &lastMessage();
void resetMessages();
// Makes the next `count` heapAlloc calls after `skip` successful ones fail.
void failHeapAllocations(int skip, int count);
#endif
