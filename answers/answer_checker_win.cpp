#include "answers/answer_checker.h"

#include "answers/answer_slots.h"
#include "answers/hint_policy.h"
#include "answers/judgement.h"
#include "answers/score.h"
#include "answers/score_update.h"
#include "media/picture_loader.h"
#include "shell/header_panel.h"

namespace {

constexpr int answerPictureBox = 260;

// A control that does not exist (yet) reads as empty.
void controlText(HWND panel, int id, char *text, int size) {
    text[0] = '\0';
    HWND control = GetDlgItem(panel, id);
    if (control) GetWindowTextA(control, text, size);
}

void showControl(HWND panel, int id, int command) {
    HWND control = GetDlgItem(panel, id);
    if (control) ShowWindow(control, command);
}

bool hideBoxTicked(const QuizContext *context) {
    HWND box = context->headerPanel ? GetDlgItem(context->headerPanel, headerHideId) : nullptr;
    return box && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool questionFullyRight(const QuizContext *context, HWND panel, const QuestionNode *node, int question) {
    const int boxes = boxesPerQuestion(context);
    for (int slot = 1; slot <= boxes; ++slot) {
        char typed[textSize];
        controlText(panel, answerBoxId(boxes, question, slot), typed, textSize);
        if (!answerMatches(expectedAnswer(node, slot), typed)) return false;
    }
    return true;
}

// The tile owns nothing it shows: the old bitmap is ours to delete once the
// new one is in. Without an answer picture the question's own stays.
void putAnswerPicture(HWND panel, int question) {
    HBITMAP picture = loadPictureResource(GetModuleHandleA(nullptr), answerPictureNumber(question), "IMG",
                                          answerPictureBox, answerPictureBox);
    if (!picture) return;
    HWND tile = GetDlgItem(panel, pictureTileId(question));
    if (!tile) {
        DeleteObject(picture);
        return;
    }
    HGDIOBJ old = HGDIOBJ(SendMessageA(tile, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(picture)));
    if (old && old != picture) DeleteObject(old);
}

void revealForRightQuestion(const QuizContext *context, HWND panel, int question) {
    if (showsHintWhenRight(context->hintStyle)) showControl(panel, hintLabelId(question), SW_SHOW);
    if (putsAnswerPictureWhenRight(context->hintStyle)) putAnswerPicture(panel, question);
}

bool everyLabelRight(const QuizContext *context, HWND panel) {
    const int count = answerBoxCount(context);
    for (int boxId = answerBoxBase + 1; boxId <= answerBoxBase + count; ++boxId) {
        char label[labelReadSize];
        controlText(panel, resultLabelId(boxId), label, labelReadSize);
        if (!isRightWord(label)) return false;
    }
    return true;
}

// The latch is set even when "Cacher" keeps the hints out of sight, so that
// showing the tiles again later brings the hints with them.
void latchAllHints(QuizContext *context, HWND panel) {
    if (!showsAllHintsAtEnd(context->hintStyle) || context->allHintsShown) return;
    if (!everyLabelRight(context, panel)) return;
    context->allHintsShown = 1;
    if (hideBoxTicked(context)) return;
    for (int question = 0; question < context->questionCount; ++question)
        showControl(panel, hintLabelId(question), SW_SHOW);
}

}  // namespace

void checkAnswer(QuizContext *context, HWND panel, int boxId) {
    if (!context || !isAnswerBoxId(context, boxId)) return;
    const int boxes = boxesPerQuestion(context);
    const AnswerSlot where = answerSlotOfBox(boxes, boxId);
    QuestionNode *node = questionAt(context, where.question);
    if (!node) return;

    char typed[textSize], label[labelReadSize];
    controlText(panel, boxId, typed, textSize);
    controlText(panel, resultLabelId(boxId), label, labelReadSize);
    const Judgement judgement = judge(expectedAnswer(node, where.slot), typed);
    if (judgement.solvedAtOnce) node->solved = 1;
    if (lstrcmpA(judgement.word, label) == 0) return;

    HWND result = GetDlgItem(panel, resultLabelId(boxId));
    if (result) SetWindowTextA(result, judgement.word);
    if (!isRightWord(judgement.word)) {
        if (hidesHintWhenWrong(context->hintStyle)) showControl(panel, hintLabelId(where.question), SW_HIDE);
        context->allHintsShown = 0;
    } else if (questionFullyRight(context, panel, node, where.question)) {
        node->solved = 1;
        revealForRightQuestion(context, panel, where.question);
    }
    latchAllHints(context, panel);
    updateScore(context, panel);
}
