// Judging one answer box and writing its status word into its result label.
#pragma once

#include "document/quiz_context.h"

#ifdef _WIN32
// Judges answer box `boxId` of the question panel `panel`.
void checkAnswer(QuizContext *context, HWND panel, int boxId);
#endif
