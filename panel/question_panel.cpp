#include "panel/question_panel.h"

// The question layout arrives with the panel's own work; until then the
// panel is an empty dialog.
INT_PTR CALLBACK questionPanelProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}
