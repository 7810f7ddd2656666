// The strip across the top: title, explanation, author, link, score, code.
#pragma once

#include "platform/platform.h"

// Identifiers of the header's controls that other windows address.
constexpr int headerLinkId = 24;
constexpr int headerSaveId = 27;
constexpr int headerCodeId = 30;
constexpr int headerScoreId = 32;
constexpr int headerHideId = 33;

constexpr unsigned headerColour = 0xFF8080;  // COLORREF: R 128, G 128, B 255
constexpr unsigned linkColour = 0xFF3232;    // COLORREF: R 50, G 50, B 255

INT_PTR CALLBACK headerPanelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Underlines the label in a font sized to its height and gives every static
// control of the program the hand cursor.
HFONT styleLinkLabel(HWND label);  // the caller owns the font

// The header's brush while the panel exists; null otherwise.
HBRUSH headerBrush();
