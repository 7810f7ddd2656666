// Showing the score and its reward code in the header.
#pragma once

#include "document/quiz_context.h"

#ifdef _WIN32
// Recounts the score from the result labels of `panel`, writes it and its
// reward code into the header, then redoes the hiding of solved tiles.
void updateScore(QuizContext *context, HWND panel);
#endif
