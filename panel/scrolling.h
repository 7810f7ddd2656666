// Scrolling the question panel.
#pragma once

#include "platform/platform.h"

// Private WM_VSCROLL request codes: one wheel notch down or up.
constexpr int scrollWheelDown = 500;
constexpr int scrollWheelUp = 501;

// The request code for a wheel message's wParam: 500, 501, or 0 for none.
int wheelScrollCode(unsigned long long wParam);

#ifdef _WIN32
// Posts the wheel's scroll request to the panel.
void forwardWheel(HWND panel, WPARAM wParam);
#endif
