#include "answers/answer_slots.h"

int boxesPerQuestion(const QuizContext *context) {
    return context->mode == quizText ? 1 : context->answersPerQuestion;
}

int answerBoxCount(const QuizContext *context) {
    return context->questionCount * boxesPerQuestion(context);
}

bool isAnswerBoxId(const QuizContext *context, int boxId) {
    return boxId > answerBoxBase && boxId <= answerBoxBase + answerBoxCount(context);
}

AnswerSlot answerSlotOfBox(int boxesPerQuestion, int boxId) {
    int index = boxId - answerBoxBase - 1;
    return {index / boxesPerQuestion, index % boxesPerQuestion + 1};
}

int answerBoxId(int boxesPerQuestion, int question, int slot) {
    return answerBoxBase + question * boxesPerQuestion + slot;
}

int resultLabelId(int boxId) { return boxId + resultLabelOffset; }
int hintLabelId(int question) { return hintLabelBase + 1 + question; }
int pictureTileId(int question) { return pictureTileBase + 1 + question; }
int answerPictureNumber(int question) { return answerPictureBase + 1 + question; }

const char *expectedAnswer(const QuestionNode *node, int slot) {
    return slot == 2 ? node->secondAnswer : node->answer;
}
