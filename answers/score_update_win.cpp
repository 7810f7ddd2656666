#include "answers/score_update.h"

#include "answers/score.h"
#include "panel/scrolling.h"
#include "shell/header_panel.h"

namespace {

// A label that does not exist (yet) reads as empty and so does not count.
void readPanelLabel(void *state, int labelId, char *text, int size) {
    text[0] = '\0';
    HWND label = GetDlgItem(HWND(state), labelId);
    if (label) GetWindowTextA(label, text, size);
}

void setHeaderText(const QuizContext *context, int id, const char *text) {
    if (context->headerPanel) SetDlgItemTextA(context->headerPanel, id, text);
}

}  // namespace

void updateScore(QuizContext *context, HWND panel) {
    const int score = countScore(context, readPanelLabel, panel);
    char scoreText[scoreTextSize];
    formatScoreText(score, context->questionCount, scoreText);
    setHeaderText(context, headerScoreId, scoreText);
    setHeaderText(context, headerCodeId, rewardCodeText(context, score));
    updateHiddenTiles(context);
}
