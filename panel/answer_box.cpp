#include "panel/answer_box.h"

namespace {
WNDPROC boxesOwnProc = nullptr;
}

void subclassAnswerBox(HWND box) {
    LONG_PTR previous = SetWindowLongPtrA(box, GWLP_WNDPROC, LONG_PTR(answerBoxProc));
    if (previous) boxesOwnProc = WNDPROC(previous);
}

// Until the boxes' keys arrive with the keyboard work, the box behaves as an
// ordinary edit control: every message goes to its own procedure.
LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!boxesOwnProc) return DefWindowProcA(box, message, wParam, lParam);
    return CallWindowProcA(boxesOwnProc, box, message, wParam, lParam);
}

WNDPROC previousAnswerBoxProc() { return boxesOwnProc; }
