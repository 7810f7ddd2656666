#include "shell/main_window.h"

#include "answers/saved_answers.h"
#include "panel/scrolling.h"
#include "shell/app_context.h"

HBRUSH backgroundBrushMain = nullptr;

namespace {

RECT clientRect(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

void onCreate(HWND window) {
    RECT client = clientRect(window);
    createLabel(window, appContext ? appContext->linkCaption : "", 720, client.bottom - 16, 140,
                15, linkCaptionLabelId);
    SendMessageA(window, WM_SETICON, ICON_BIG, LPARAM(LoadIconA(nullptr, IDI_QUESTION)));
}

// Saving comes first: the answer boxes live in the question panel.
void onClose() {
    if (appContext) saveAnswers(appContext);
}

void onDestroy() {
    if (appContext && appContext->questionPanel) DestroyWindow(appContext->questionPanel);
    PostQuitMessage(0);
}

LRESULT onCtlColorStatic(HWND control) {
    if (GetWindowLongA(control, GWL_ID) == linkCaptionLabelId) return LRESULT(backgroundBrushMain);
    return 0;
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = HBRUSH(COLOR_SCROLLBAR + 1);
    windowClass.lpszClassName = "Grelo";
    return RegisterClassExA(&windowClass) != 0;
}

void centreWindow(HWND window, HWND over) {
    RECT outer = {}, inner = {};
    GetWindowRect(over, &outer);
    GetWindowRect(window, &inner);
    int x = outer.left + ((outer.right - outer.left) - (inner.right - inner.left)) / 2;
    int y = outer.top + ((outer.bottom - outer.top) - (inner.bottom - inner.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void createLabel(HWND parent, const char *text, int x, int y, int width, int height, int id) {
    HWND label = CreateWindowExA(0, "Static", text, WS_CHILD | WS_VISIBLE, x, y, width, height,
                                 parent, HMENU(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(label, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

void layoutMainWindow(HWND window) {
    RECT client = clientRect(window);
    int width = client.right, height = client.bottom;
    HWND questionPanel = appContext ? appContext->questionPanel : nullptr;
    HWND headerPanel = appContext ? appContext->headerPanel : nullptr;
    if (questionPanel)
        SetWindowPos(questionPanel, nullptr, 5, 50, width - 11, height - 68, SWP_NOZORDER);
    if (headerPanel) SetWindowPos(headerPanel, nullptr, 5, 2, width - 11, 49, SWP_NOZORDER);
    SetWindowPos(GetDlgItem(window, linkCaptionLabelId), nullptr, width - 145, height - 16, 150, 15,
                 SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        onCreate(window);
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) layoutMainWindow(window);
        return 0;
    case WM_CLOSE:
        onClose();
        onDestroy();
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_CTLCOLORSTATIC:
        return onCtlColorStatic(HWND(lParam));
    case WM_MOUSEWHEEL:
        if (appContext) forwardWheel(appContext->questionPanel, wParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
