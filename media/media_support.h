// The control-hosting library and COM, for audio and video quizzes only.
#pragma once

#include "platform/platform.h"

void loadMediaSupport();
void releaseMediaSupport(HWND mainWindow);
