// The saved answers file beside the program.
#pragma once

#include "document/quiz_context.h"

// Writes every answer box's text to the answers file.
void saveAnswers(QuizContext *context);
