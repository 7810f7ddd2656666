#include "panel/scrolling.h"

int wheelScrollCode(unsigned long long wParam) {
    unsigned delta = unsigned(wParam >> 16) & 0xFFFFu;
    if (delta == 120) return scrollWheelUp;
    if (delta == 0xFF88) return scrollWheelDown;
    return 0;
}

ScrollExtent scrollExtent(int contentSize, int clientSize) {
    bool fits = contentSize <= clientSize;
    int maximum = contentSize - 2, page = (fits ? contentSize : clientSize) - 1;
    // An empty panel has nothing to scroll; keep the bar's numbers sane.
    return {maximum < 0 ? 0 : maximum, page < 0 ? 0 : page, fits};
}

#ifdef _WIN32
// Posting, not sending: the scroll happens in turn with the panel's other messages.
void forwardWheel(HWND panel, WPARAM wParam) {
    int code = wheelScrollCode(wParam);
    if (code && panel) PostMessageA(panel, WM_VSCROLL, WPARAM(code), 0);
}

namespace {

void setBar(HWND panel, int bar, int contentSize, int clientSize) {
    ScrollExtent extent = scrollExtent(contentSize, clientSize);
    if (extent.fits) SetScrollPos(panel, bar, 0, FALSE);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = extent.maximum;
    info.nPage = UINT(extent.page);
    SetScrollInfo(panel, bar, &info, TRUE);
}

}  // namespace

void setScrollRanges(QuizContext *context, HWND panel) {
    RECT client = {};
    GetClientRect(panel, &client);
    setBar(panel, SB_HORZ, context->contentWidth, client.right);
    setBar(panel, SB_VERT, context->contentHeight, client.bottom);
}

void refreshScrollRanges(QuizContext *context, HWND panel) {
    int oldX = GetScrollPos(panel, SB_HORZ), oldY = GetScrollPos(panel, SB_VERT);
    setScrollRanges(context, panel);
    int newX = GetScrollPos(panel, SB_HORZ), newY = GetScrollPos(panel, SB_VERT);
    if (oldX != newX || oldY != newY) ScrollWindow(panel, oldX - newX, oldY - newY, nullptr, nullptr);
}

// Placeholder until the hiding work lands: no tile is ever hidden, so this
// only refreshes the scroll bars, as it does in a quiz without "Cacher".
void updateHiddenTiles(QuizContext *context) {
    if (context && context->questionPanel) refreshScrollRanges(context, context->questionPanel);
}
#endif
