#include "shell/header_panel.h"

#include <shellapi.h>

#include <cstdio>

#include "answers/saved_answers.h"
#include "panel/scrolling.h"
#include "resources/resource_ids.h"
#include "shell/app_context.h"

namespace {

constexpr int authorLabelId = 26, byLabelId = 25, explanationId = 28, titleId = 29;
constexpr int codeCaptionId = 31, leftRuleId = 120, middleRuleId = 121, rightRuleId = 122;
constexpr DWORD labelStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD ruleStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;

HBRUSH brush = nullptr;
HFONT linkFont = nullptr;

HWND addControl(HWND dialog, const char *className, const char *text, DWORD style, int x, int y,
                int width, int height, int id) {
    return CreateWindowExA(0, className, text, style, x, y, width, height, dialog,
                           HMENU(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
}

void setFont(HWND control, HGDIOBJ font, bool redraw) {
    SendMessageA(control, WM_SETFONT, WPARAM(font), redraw ? TRUE : FALSE);
}

void setGuiFont(HWND control) { setFont(control, GetStockObject(DEFAULT_GUI_FONT), true); }

void onInitDialog(HWND dialog) {
    static const QuizContext empty = {};
    const QuizContext *context = appContext ? appContext : &empty;

    HWND link = addControl(dialog, "Static", context->linkTarget, labelStyle | SS_NOTIFY, 736, 5,
                           115, 18, headerLinkId);
    linkFont = styleLinkLabel(link);
    setGuiFont(addControl(dialog, "Static", "Par :", labelStyle, 736, 25, 27, 18, byLabelId));
    setGuiFont(addControl(dialog, "Static", context->author, labelStyle, 763, 25, 85, 18,
                          authorLabelId));
    if (context->mode == quizPictures)
        setGuiFont(addControl(dialog, "button", "Cacher", labelStyle | BS_AUTOCHECKBOX, 636, 5, 55,
                              18, headerHideId));
    setGuiFont(addControl(dialog, "button", "Sauver", labelStyle, 666, 25, 55, 18, headerSaveId));
    setGuiFont(addControl(dialog, "Static", context->explanation, labelStyle, 110, 19, 490, 27,
                          explanationId));
    setFont(addControl(dialog, "Static", context->title, labelStyle, 110, 3, 190, 18, titleId),
            context->titleFont, false);
    setGuiFont(addControl(dialog, "Static", " Code :", labelStyle, 7, 29, 36, 15, codeCaptionId));

    char score[32];
    std::snprintf(score, sizeof score, " 0 / %d", int(context->questionCount));
    setFont(addControl(dialog, "Static", score, labelStyle | SS_CENTER, 10, 1, 80, 20,
                       headerScoreId),
            context->scoreFont, false);
    setGuiFont(addControl(dialog, "edit", "", labelStyle | ES_READONLY, 44, 29, 53, 16,
                          headerCodeId));

    addControl(dialog, "Static", "", ruleStyle, 0, 26, 100, 1, leftRuleId);
    addControl(dialog, "Static", "", ruleStyle, 100, 0, 1, 50, middleRuleId);
    addControl(dialog, "Static", "", ruleStyle, 730, 0, 1, 50, rightRuleId);

    brush = CreateSolidBrush(headerColour);
}

// Moving without SWP_NOZORDER also brings each control to the top.
void place(HWND dialog, int id, int x, int y, int width, int height, bool invalidate) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return;
    SetWindowPos(control, nullptr, x, y, width, height, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
    if (invalidate) InvalidateRect(control, nullptr, FALSE);
}

// The title and explanation stretch; the right-hand block follows the right edge.
void onSize(HWND dialog) {
    RECT client = {};
    GetClientRect(dialog, &client);
    const int w = client.right;
    place(dialog, headerHideId, w - 204, 0, 55, 18, false);
    place(dialog, titleId, 110, 3, w - 350, 18, false);
    place(dialog, headerLinkId, w - 134, 0, 115, 18, false);
    place(dialog, byLabelId, w - 134, 25, 26, 18, false);
    place(dialog, authorLabelId, w - 107, 25, 105, 18, true);
    place(dialog, headerSaveId, w - 204, 25, 55, 18, true);
    place(dialog, explanationId, 110, 19, w - 324, 28, true);
    place(dialog, rightRuleId, w - 145, 0, 1, 50, true);
}

// Only a plain click counts: a double click's second notification differs.
void onCommand(WPARAM wParam) {
    if (!appContext) return;
    switch (wParam) {
    case headerLinkId:
        ShellExecuteA(nullptr, "open", appContext->linkTarget, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case headerSaveId:
        saveAnswers(appContext);
        break;
    case headerHideId:
        updateHiddenTiles(appContext);
        break;
    default:
        break;
    }
}

// Labels, the read-only code field and the check box all sit on the header's
// colour; the rules keep the system's.
INT_PTR onCtlColorStatic(HDC dc, HWND control) {
    int id = GetWindowLongA(control, GWL_ID);
    if (id == headerLinkId) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, linkColour);
        return INT_PTR(brush);
    }
    if (id >= 20 && id <= 33) {
        SetBkMode(dc, TRANSPARENT);
        return INT_PTR(brush);
    }
    return 0;
}

void onDestroy() {
    if (brush) DeleteObject(brush);
    if (linkFont) DeleteObject(linkFont);
    brush = nullptr;
    linkFont = nullptr;
}

}  // namespace

HFONT styleLinkLabel(HWND label) {
    RECT client = {};
    GetClientRect(label, &client);
    LOGFONTA logical = {};
    logical.lfHeight = -(client.bottom * 3 / 4);
    logical.lfWeight = 400;
    logical.lfUnderline = TRUE;
    HFONT font = CreateFontIndirectA(&logical);
    setFont(label, font, false);
    // The class is the system's "Static": every label of the program gets the hand.
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_HAND));
    SetClassLongPtrA(label, GCLP_HCURSOR, LONG_PTR(hand));
    return font;
}

HBRUSH headerBrush() { return brush; }

INT_PTR CALLBACK headerPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog);
        return TRUE;
    case WM_SIZE:
        onSize(dialog);
        return 0;
    case WM_COMMAND:
        onCommand(wParam);
        return 0;
    case WM_CTLCOLORDLG:
        return INT_PTR(brush);
    case WM_CTLCOLORSTATIC:
        return onCtlColorStatic(HDC(wParam), HWND(lParam));
    case WM_DESTROY:
        onDestroy();
        return 0;
    default:
        return 0;
    }
}
