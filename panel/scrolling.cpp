#include "panel/scrolling.h"

int wheelScrollCode(unsigned long long wParam) {
    unsigned delta = unsigned(wParam >> 16) & 0xFFFFu;
    if (delta == 120) return scrollWheelUp;
    if (delta == 0xFF88) return scrollWheelDown;
    return 0;
}

#ifdef _WIN32
// Posting, not sending: the scroll happens in turn with the panel's other messages.
void forwardWheel(HWND panel, WPARAM wParam) {
    int code = wheelScrollCode(wParam);
    if (code && panel) PostMessageA(panel, WM_VSCROLL, WPARAM(code), 0);
}
#endif
