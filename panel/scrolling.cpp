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

// A line of the vertical bar is about a row of tiles; a wheel notch is 50.
int verticalScrollTarget(int code, const ScrollState &bar) {
    switch (code) {
    case 0: return bar.position - 310;          // SB_LINEUP
    case 1: return bar.position + 310;          // SB_LINEDOWN
    case 2: return bar.position - bar.page;     // SB_PAGEUP
    case 3: return bar.position + bar.page;     // SB_PAGEDOWN
    case 5: return bar.trackPosition;           // SB_THUMBTRACK
    case 6: return 0;                           // SB_TOP
    case 7: return bar.maximum;                 // SB_BOTTOM
    case scrollWheelDown: return bar.position + 50;
    case scrollWheelUp: return bar.position - 50;
    default: return bar.position;               // SB_THUMBPOSITION and the rest
    }
}

// The horizontal arrows move a single pixel; SB_LEFT and SB_RIGHT do nothing.
int horizontalScrollTarget(int code, const ScrollState &bar) {
    switch (code) {
    case 0: return bar.position - 1;
    case 1: return bar.position + 1;
    case 2: return bar.position - bar.page;
    case 3: return bar.position + bar.page;
    case 5: return bar.trackPosition;
    default: return bar.position;
    }
}

int clampToRange(int position, const ScrollState &bar) {
    if (position < bar.minimum) return bar.minimum;
    if (position > bar.maximum) return bar.maximum;
    return position;
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

namespace {

ScrollState readBar(HWND panel, int bar) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(panel, bar, &info);
    return {info.nMin, info.nMax, int(info.nPage), info.nPos, info.nTrackPos};
}

// The bar keeps the position at most maximum - page + 1, so the content is
// scrolled by what the bar took, not by what was asked.
void scrollBar(HWND panel, int bar, int target) {
    ScrollState before = readBar(panel, bar);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = clampToRange(target, before);
    SetScrollInfo(panel, bar, &info, TRUE);
    int moved = before.position - GetScrollPos(panel, bar);
    if (!moved) return;
    if (bar == SB_VERT)
        ScrollWindow(panel, 0, moved, nullptr, nullptr);
    else
        ScrollWindow(panel, moved, 0, nullptr, nullptr);
}

}  // namespace

void scrollVertically(HWND panel, int code) {
    scrollBar(panel, SB_VERT, verticalScrollTarget(code, readBar(panel, SB_VERT)));
}

void scrollHorizontally(HWND panel, int code) {
    scrollBar(panel, SB_HORZ, horizontalScrollTarget(code, readBar(panel, SB_HORZ)));
}
#endif
