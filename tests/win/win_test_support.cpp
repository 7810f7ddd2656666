#include "win_test_support.h"

std::vector<ShownMessage> &shownMessages() {
    static std::vector<ShownMessage> messages;
    return messages;
}

void recordMessages() {
    shownMessages().clear();
    setMessageSink([](const char *text, const char *caption, unsigned style) {
        shownMessages().push_back({text, caption, style});
    });
}

RECT childRect(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

std::string windowText(HWND window) {
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, LPARAM(text));
    return text;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void setClientSize(HWND window, int width, int height) {
    RECT outer = {}, inner = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    int frameWidth = (outer.right - outer.left) - inner.right;
    int frameHeight = (outer.bottom - outer.top) - inner.bottom;
    SetWindowPos(window, nullptr, 0, 0, width + frameWidth, height + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
}
