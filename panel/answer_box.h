// The answer boxes' own window procedure, shared by every box.
#pragma once

#include "platform/platform.h"

#ifdef _WIN32
// Replaces the box's window procedure with answerBoxProc and keeps the one
// it had: all boxes are of one class, so the latest value serves them all.
void subclassAnswerBox(HWND box);

LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// F1: the box's text goes into every box whose answer is not right yet,
// each judged in turn, and the focus comes back to this box.
void copyAnswerToUnsolved(HWND box);

// The procedure the boxes had before answerBoxProc; null before any box.
WNDPROC previousAnswerBoxProc();
#endif
