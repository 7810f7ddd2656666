// Hiding the tiles of solved questions while the header's "Cacher" box is
// ticked, and collapsing rows whose three tiles are all hidden.
#pragma once

#include "document/quiz_context.h"
#include "platform/platform.h"

// How far the rows below a collapsed row move up, and back down when it
// expands. Hint labels of styles 2 to 4 are 65 pixels high; a style-5 label
// is a one-line word count in a row 60 pixels shorter, so its row gives up
// only 20 pixels besides its picture, which leaves the rows below clear of
// the collapsed row's answers.
int rowCollapseAmount(int hintStyle, int rowHeight);

// Whether a hint label shown again with its tile should be visible: as the
// answer checker left it. Styles 2 and 3 show it for a question whose every
// answer is right, style 4 once every answer of the quiz is right, style 5
// always; the other styles have no label to show or never reveal it.
bool hintVisibleOnReshow(int hintStyle, bool questionRight, bool allHintsShown);

// What moveQuestionControls does with one question.
enum class TileAction {
    hide = 1,            // the tile goes, its answers slide up into its place
    collapseMove = 2,    // a later question moves up with its whole tile
    show = 3,            // the tile comes back, its answers slide down
    showRowEnd = 4,      // the same for the last question of a collapsed row
    expandMove = 5,      // a later question moves back down with its tile
};

#ifdef _WIN32
// Shows, hides or moves the controls of question j by amount * sign pixels.
void moveQuestionControls(QuizContext *context, TileAction action, int showCommand, HWND panel,
                          int amount, int sign, int j);
#endif
