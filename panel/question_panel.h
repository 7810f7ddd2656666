// The scrollable panel of questions.
#pragma once

#include "platform/platform.h"

INT_PTR CALLBACK questionPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The brush behind a result label reading "BRAVO"; it exists while the panel does.
HBRUSH questionPanelGreenBrush();
