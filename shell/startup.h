// Start-up and shutdown of the player, step by step.
#pragma once

#include "document/quiz_context.h"

// Allocates the context, sets its defaults and stores it in appContext.
QuizContext *createAppContext();

// The main window, hidden, centred on the desktop.
HWND createMainWindow(HINSTANCE instance, const QuizContext *context);

// The header and question panels, the first showing and the scroll to the top.
void createPanels(HINSTANCE instance, HWND mainWindow, QuizContext *context);

// Runs until the quit message; each message is first offered to the question
// panel's dialog keyboard handling. Returns the quit message's code.
int runMessageLoop(const QuizContext *context);

// The exit sequence after the loop.
void shutDown(HWND mainWindow);

// The whole program: the entry point calls this.
int runGrelo(HINSTANCE instance);
