// Fills the context from the program's own resources.
#pragma once

#include "document/quiz_context.h"

void loadQuiz(QuizContext *context);
