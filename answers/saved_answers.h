// The saved answers file beside the program.
#pragma once

#include <cstddef>

#include "document/quiz_context.h"

// Writes every answer box's text to the answers file.
void saveAnswers(QuizContext *context);

// Reading the file back, one line per answer box, while the question panel
// is being built.
struct SavedAnswersReader {
    const char *data;  // the file's bytes, mapped read-only, or null
    std::size_t size;
    std::size_t position;
    void *file;     // what the mapping needs released
    void *mapping;
};

void openSavedAnswers(SavedAnswersReader *reader);
// The next line into `text` (textSize characters); empty once the file is used up.
void nextSavedAnswer(SavedAnswersReader *reader, char *text);
void closeSavedAnswers(SavedAnswersReader *reader);
