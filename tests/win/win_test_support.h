// Helpers for tests that drive real windows in this process.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

struct ShownMessage {
    std::string text, caption;
    unsigned style;
};

// Messages that showMessage would have put in a box, newest last.
std::vector<ShownMessage> &shownMessages();
void recordMessages();  // installs the recorder and clears the list

// A child's rectangle in its parent's client coordinates.
RECT childRect(HWND child);

std::string windowText(HWND window);

// Dispatches whatever is waiting in this thread's queue.
void pumpMessages();

// Resizes a top-level window so that its client area is width x height.
void setClientSize(HWND window, int width, int height);
