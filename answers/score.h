// The score (questions whose every answer is judged right), its text in the
// header and the reward code shown beside it.
#pragma once

#include "document/quiz_context.h"

constexpr int scoreTextSize = 32;   // " 95 / 95" and room to spare
constexpr int labelReadSize = 255;  // result labels are read up to 254 characters

// Reads the text of result label `labelId` into `text` (labelReadSize
// characters); a label that does not exist (yet) reads as empty.
typedef void (*ReadLabelText)(void *state, int labelId, char *text, int size);

// Questions 1 to N whose result labels 5001 + (n − 1)·B to 5000 + n·B all
// read the right-answer word, B being the boxes per question.
int countScore(const QuizContext *context, ReadLabelText readLabel, void *state);

// " 3 / 12": a space, the score, " / " and the question count.
void formatScoreText(int score, int questionCount, char *text);

// The author's code for `score`, or six spaces for a score of 0.
const char *rewardCodeText(const QuizContext *context, int score);
