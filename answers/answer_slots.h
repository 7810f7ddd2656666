// Which question and answer slot an answer box stands for, and the
// identifiers of the controls that belong to it.
#pragma once

#include "document/quiz_context.h"

constexpr int answerBoxBase = 4000;      // boxes are 4001 on
constexpr int resultLabelOffset = 1000;  // a box's label is its identifier + 1000
constexpr int hintLabelBase = 8000;      // question q (from 0) has hint label 8001 + q
constexpr int pictureTileBase = 9900;    // and picture tile 9901 + q
constexpr int answerPictureBase = 10400; // and answer picture "IMG" 10401 + q

// Boxes per question: a text quiz lays out one per question whatever its
// answers-per-question byte says, so it is judged, counted and saved that way
// too; a tile quiz has answersPerQuestion.
int boxesPerQuestion(const QuizContext *context);

// N times the boxes per question: boxes 4001 to 4000 + answerBoxCount.
int answerBoxCount(const QuizContext *context);

bool isAnswerBoxId(const QuizContext *context, int boxId);

struct AnswerSlot {
    int question;  // from 0
    int slot;      // 1 or 2
};

// For a box from 4001 to 4000 + answerBoxCount.
AnswerSlot answerSlotOfBox(int boxesPerQuestion, int boxId);
int answerBoxId(int boxesPerQuestion, int question, int slot);

int resultLabelId(int boxId);
int hintLabelId(int question);
int pictureTileId(int question);
int answerPictureNumber(int question);

// The expected answer of a slot: `answer` for slot 1, `secondAnswer` for 2.
const char *expectedAnswer(const QuestionNode *node, int slot);
