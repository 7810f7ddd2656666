// The one context every window procedure reaches, valid from start-up until
// the context is released after the message loop.
#pragma once

#include "document/quiz_context.h"

extern QuizContext *appContext;
