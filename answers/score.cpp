#include "answers/score.h"

#include <cstdio>

#include "answers/answer_slots.h"
#include "answers/judgement.h"

namespace {

const char noCode[] = "      ";

bool questionIsRight(int question, int boxes, ReadLabelText readLabel, void *state) {
    for (int slot = 1; slot <= boxes; ++slot) {
        char text[labelReadSize] = "";
        readLabel(state, resultLabelId(answerBoxId(boxes, question, slot)), text, labelReadSize);
        text[labelReadSize - 1] = '\0';
        if (!isRightWord(text)) return false;
    }
    return true;
}

}  // namespace

int countScore(const QuizContext *context, ReadLabelText readLabel, void *state) {
    int boxes = boxesPerQuestion(context);
    int score = 0;
    for (int question = 0; question < context->questionCount; ++question)
        if (questionIsRight(question, boxes, readLabel, state)) ++score;
    return score;
}

void formatScoreText(int score, int questionCount, char *text) {
    std::snprintf(text, scoreTextSize, " %d / %d", score, questionCount);
}

// Scores above the table cannot come from a loaded quiz (at most 95
// questions); they read as no code rather than past the table.
const char *rewardCodeText(const QuizContext *context, int score) {
    if (score < 1 || score > codeCapacity) return noCode;
    return context->codes[score - 1];
}
