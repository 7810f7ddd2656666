// The main window: lays out its three children, paints the link caption's
// corner, saves on close and passes wheel turns to the question panel.
#pragma once

#include "platform/platform.h"

constexpr int mainWindowWidth = 800;
constexpr int mainWindowHeight = 600;
constexpr int linkCaptionLabelId = 8000;

extern HBRUSH backgroundBrushMain;

bool registerMainWindowClass(HINSTANCE instance);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Moves `window`, keeping its size and z-order, so that it is centred on `over`.
void centreWindow(HWND window, HWND over);

// A visible "Static" child in the default GUI font.
void createLabel(HWND parent, const char *text, int x, int y, int width, int height, int id);

// Places the header, the question panel and the caption label for the client size.
void layoutMainWindow(HWND window);
