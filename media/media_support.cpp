#include "media/media_support.h"

#include "shell/app_context.h"

namespace {
bool isMediaQuiz() {
    return appContext && (appContext->mode == quizAudio || appContext->mode == quizVideo);
}
}  // namespace

// The media player arrives with the media work; a media quiz then loads its
// hosting library here.
void loadMediaSupport() {}

// For a media quiz the main window goes first, taking its players with it.
void releaseMediaSupport(HWND mainWindow) {
    if (isMediaQuiz() && mainWindow) DestroyWindow(mainWindow);
}
