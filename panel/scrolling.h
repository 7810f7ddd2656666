// Scrolling the question panel.
#pragma once

#include "document/quiz_context.h"
#include "platform/platform.h"

// Private WM_VSCROLL request codes: one wheel notch down or up.
constexpr int scrollWheelDown = 500;
constexpr int scrollWheelUp = 501;

// The request code for a wheel message's wParam: 500, 501, or 0 for none.
int wheelScrollCode(unsigned long long wParam);

// One scroll bar's range for a content size shown in a client size (pixels):
// range 0 to content - 2, page client - 1, or content - 1 when it fits,
// which leaves the bar present but disabled and its position back at 0.
struct ScrollExtent {
    int maximum;
    int page;
    bool fits;
};
ScrollExtent scrollExtent(int contentSize, int clientSize);

// What a scroll request needs of its bar (pixels).
struct ScrollState {
    int minimum, maximum, page, position, trackPosition;
};

// The position a request code asks for, before it is kept within the range:
// the system's codes and the wheel's private ones on the vertical bar, the
// system's on the horizontal bar.
int verticalScrollTarget(int code, const ScrollState &bar);
int horizontalScrollTarget(int code, const ScrollState &bar);
int clampToRange(int position, const ScrollState &bar);

#ifdef _WIN32
// Posts the wheel's scroll request to the panel.
void forwardWheel(HWND panel, WPARAM wParam);

// Sets both scroll bars from the content size and the panel's client size.
void setScrollRanges(QuizContext *context, HWND panel);

// setScrollRanges, then scrolls the content by however far the positions
// moved, so that nothing stays out of view when the panel grows.
void refreshScrollRanges(QuizContext *context, HWND panel);

// Scroll requests of the panel's WM_VSCROLL and WM_HSCROLL: the content
// moves by however far the bar's position moved.
void scrollVertically(HWND panel, int code);
void scrollHorizontally(HWND panel, int code);

// Hides solved tiles while the header's "Cacher" box is ticked, shows them
// again when it is not, then refreshes the scroll bars.
void updateHiddenTiles(QuizContext *context);
#endif
