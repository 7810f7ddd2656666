// The strip across the top: title, explanation, author, link, score, code.
#pragma once

#include "platform/platform.h"

INT_PTR CALLBACK headerPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
