// The scrollable panel of questions.
#pragma once

#include "platform/platform.h"

INT_PTR CALLBACK questionPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
