#include "panel/answer_box.h"

#include "answers/answer_checker.h"
#include "answers/answer_slots.h"
#include "answers/judgement.h"
#include "answers/saved_answers.h"
#include "shell/app_context.h"

namespace {

WNDPROC boxesOwnProc = nullptr;
constexpr int selectAll = 260;  // past the end of any box's text

LRESULT passOn(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!boxesOwnProc) return DefWindowProcA(box, message, wParam, lParam);
    return CallWindowProcA(boxesOwnProc, box, message, wParam, lParam);
}

void judgeBox(HWND box) {
    if (appContext) checkAnswer(appContext, GetParent(box), GetDlgCtrlID(box));
}

// Enter, Tab and NUL would otherwise be typed into the box (or beep).
bool isSwallowedCharacter(WPARAM character) { return character == 13 || character == 9 || character == 0; }

// Keys act on release, or on their press together with Alt.
LRESULT onKey(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
    case VK_RETURN:
        judgeBox(box);
        return 1;
    case VK_PRIOR:
    case VK_UP:
        SendMessageA(GetParent(box), WM_VSCROLL, SB_PAGEUP, 0);
        break;
    case VK_NEXT:
    case VK_DOWN:
        SendMessageA(GetParent(box), WM_VSCROLL, SB_PAGEDOWN, 0);
        break;
    case VK_F1:
        copyAnswerToUnsolved(box);
        break;
    case VK_F2:
        if (appContext) saveAnswers(appContext);
        break;
    default:
        break;
    }
    return passOn(box, message, wParam, lParam);
}

}  // namespace

void subclassAnswerBox(HWND box) {
    LONG_PTR previous = SetWindowLongPtrA(box, GWLP_WNDPROC, LONG_PTR(answerBoxProc));
    if (previous) boxesOwnProc = WNDPROC(previous);
}

LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        SendMessageA(box, EM_SETSEL, 0, selectAll);
        break;
    case WM_KILLFOCUS:
        judgeBox(box);
        break;
    case WM_CHAR:
        if (isSwallowedCharacter(wParam)) return 0;
        break;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
        return onKey(box, message, wParam, lParam);
    default:
        break;
    }
    return passOn(box, message, wParam, lParam);
}

// Every focus change makes the box left behind judge itself, so each
// unsolved box is judged in turn, the last when the focus comes back here.
void copyAnswerToUnsolved(HWND box) {
    if (!appContext) return;
    char text[textSize] = "";
    GetWindowTextA(box, text, textSize);
    HWND panel = GetParent(box);
    const int count = answerBoxCount(appContext);
    for (int boxId = answerBoxBase + 1; boxId <= answerBoxBase + count; ++boxId) {
        char label[256] = "";
        GetDlgItemTextA(panel, resultLabelId(boxId), label, sizeof label);
        if (isRightWord(label)) continue;
        HWND target = GetDlgItem(panel, boxId);
        if (!target) continue;
        SetWindowTextA(target, text);
        SetFocus(target);
    }
    SetFocus(box);
}

WNDPROC previousAnswerBoxProc() { return boxesOwnProc; }
