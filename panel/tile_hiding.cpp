#include "panel/tile_hiding.h"

#include "answers/answer_slots.h"
#include "answers/judgement.h"
#include "panel/scrolling.h"

int rowCollapseAmount(int hintStyle, int rowHeight) {
    if (hintStyle == 5) return rowHeight + 20;
    return hintStyle > 1 ? rowHeight + 65 : rowHeight;
}

bool hintVisibleOnReshow(int hintStyle, bool questionRight, bool allHintsShown) {
    switch (hintStyle) {
    case 2:
    case 3: return questionRight;
    case 4: return allHintsShown;
    case 5: return true;
    default: return false;
    }
}

#ifdef _WIN32
#include "shell/header_panel.h"

namespace {

constexpr int numberLabelBase = 2000;

// Moves a control by delta pixels down (up when negative); a control that
// does not exist is passed over.
void moveControl(HWND panel, int id, int delta) {
    HWND control = GetDlgItem(panel, id);
    if (!control) return;
    RECT rect = {};
    GetWindowRect(control, &rect);
    POINT corner = {rect.left, rect.top + delta};
    HWND parent = GetParent(control);
    if (parent && parent != GetDesktopWindow()) ScreenToClient(parent, &corner);
    SetWindowPos(control, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void showControl(HWND panel, int id, int command) {
    HWND control = GetDlgItem(panel, id);
    if (control) ShowWindow(control, command);
}

bool questionRight(const QuizContext *context, HWND panel, int j) {
    const int boxes = boxesPerQuestion(context);
    for (int slot = 1; slot <= boxes; ++slot) {
        char label[256] = "";
        GetDlgItemTextA(panel, resultLabelId(answerBoxId(boxes, j - 1, slot)), label, sizeof label);
        if (!isRightWord(label)) return false;
    }
    return true;
}

// A hint label comes back as the checker had left it, not merely visible:
// a hidden tile may belong to a question whose answer was changed since.
void showOrHideHint(const QuizContext *context, HWND panel, TileAction action, int showCommand, int j) {
    const int hint = hintLabelBase + j;
    if (action == TileAction::hide) {
        showControl(panel, hint, showCommand);
        return;
    }
    bool visible = hintVisibleOnReshow(context->hintStyle, questionRight(context, panel, j),
                                       context->allHintsShown != 0);
    showControl(panel, hint, visible ? showCommand : SW_HIDE);
}

bool isTileShowOrHide(TileAction action) {
    return action == TileAction::hide || action == TileAction::show || action == TileAction::showRowEnd;
}

bool hideBoxTicked(const QuizContext *context) {
    HWND box = context->headerPanel ? GetDlgItem(context->headerPanel, headerHideId) : nullptr;
    return box && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The table of tile states and the rows hold at most 95 questions.
int hideableQuestions(const QuizContext *context) {
    int count = context->questionCount;
    if (count > tileCapacity - 1) count = tileCapacity - 1;
    if (count > rowCapacity * 3) count = rowCapacity * 3;
    return count < 0 ? 0 : count;
}

int rowHeightOf(const QuizContext *context, int j) { return context->rowHeights[(j - 1) / 3]; }
int rowAmountOf(const QuizContext *context, int j) {
    return rowCollapseAmount(context->hintStyle, rowHeightOf(context, j));
}

void moveLaterQuestions(QuizContext *context, TileAction action, int command, HWND panel, int amount,
                        int sign, int after, int count) {
    for (int k = after + 1; k <= count; ++k) moveQuestionControls(context, action, command, panel, amount, sign, k);
}

void hideSolvedTiles(QuizContext *context, HWND panel) {
    const int count = hideableQuestions(context);
    int hiddenInRow = 0;
    for (int j = 1; j <= count; ++j) {
        if (context->tileState[j] == 1) ++hiddenInRow;
        const QuestionNode *node = questionAt(context, j - 1);
        if (node && node->solved == 1 && context->tileState[j] == 0) {
            moveQuestionControls(context, TileAction::hide, SW_HIDE, panel, rowHeightOf(context, j), -1, j);
            ++hiddenInRow;
            context->tileState[j] = 1;
        }
        if (j % 3 != 0) continue;
        if (hiddenInRow == 3) {
            const int amount = rowAmountOf(context, j);
            moveLaterQuestions(context, TileAction::collapseMove, SW_HIDE, panel, amount, -1, j, count);
            context->contentHeight -= amount;
            context->tileState[j] = 2;
        }
        hiddenInRow = 0;
    }
}

void showAllTiles(QuizContext *context, HWND panel) {
    const int count = hideableQuestions(context);
    for (int d = 1; d <= count; ++d) {
        if (context->tileState[d] == 1) {
            moveQuestionControls(context, TileAction::show, SW_SHOWNORMAL, panel, rowHeightOf(context, d), 1, d);
        } else if (context->tileState[d] == 2) {
            const int amount = rowAmountOf(context, d);
            moveQuestionControls(context, TileAction::showRowEnd, SW_SHOWNORMAL, panel,
                                 rowHeightOf(context, d), 1, d);
            context->contentHeight += amount;
            moveLaterQuestions(context, TileAction::expandMove, SW_SHOWNORMAL, panel, amount, 1, d, count);
        }
        context->tileState[d] = 0;
    }
}

}  // namespace

void moveQuestionControls(QuizContext *context, TileAction action, int showCommand, HWND panel,
                          int amount, int sign, int j) {
    const int delta = amount * sign;
    if (isTileShowOrHide(action)) {
        showControl(panel, pictureTileBase + j, showCommand);
        showOrHideHint(context, panel, action, showCommand, j);
    } else {
        moveControl(panel, pictureTileBase + j, delta);
        moveControl(panel, hintLabelBase + j, delta);
    }
    const int boxes = boxesPerQuestion(context);
    for (int slot = 1; slot <= boxes; ++slot) {
        const int box = answerBoxId(boxes, j - 1, slot);
        moveControl(panel, box, delta);
        moveControl(panel, resultLabelId(box), delta);
    }
    moveControl(panel, numberLabelBase + j, delta);
}

void updateHiddenTiles(QuizContext *context) {
    if (!context || !context->questionPanel) return;
    HWND panel = context->questionPanel;
    if (hideBoxTicked(context))
        hideSolvedTiles(context, panel);
    else
        showAllTiles(context, panel);
    refreshScrollRanges(context, panel);
}
#endif
