#include "shell/header_panel.h"

// The header's controls arrive with the header layout; until then the panel
// is an empty dialog.
INT_PTR CALLBACK headerPanelProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}
