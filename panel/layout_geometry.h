// Where the question panel puts each control: the rows of a text quiz, the
// tiles of a picture, audio or video quiz, the content size that the scroll
// bars cover, and the word-count hint. Pure arithmetic, so that it can be
// tested without a window; the panel's window code places controls from it.
#pragma once

#include "document/quiz_context.h"

struct ControlRect {
    int x, y, width, height;
};

inline bool operator==(const ControlRect &a, const ControlRect &b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The size of a picture fitted to its tile; one that did not load is 260 x 0.
struct PictureSize {
    int width, height;
};
constexpr PictureSize missingPicture = {260, 0};
constexpr int pictureBox = 260;  // every picture is fitted into 260 x 260

// One row of a text quiz.
struct TextRowPlaces {
    ControlRect number, question, box, result;
};
TextRowPlaces textRowPlaces(int rowTop);

// Question j's column in its row of three (question 1 is in column 0).
int tileColumn(int questionNumber);

// The tile's left edge; two answers leave room on the left for their names.
int tileLeft(int column, int answersPerQuestion);

// The tallest of a row's three pictures.
int rowHeight(const PictureSize rowPictures[3]);

// Hint labels exist from hint style 2 up; style 5 shows a word count.
bool hasHintLabel(int hintStyle);

// Everything of one tile question. Only what the quiz kind has is meaningful:
// names for the first column of a two-answer quiz, the hint when the hint
// style has one, play and stop for audio and video.
struct TilePlaces {
    ControlRect tile;
    int answerTop;  // the row top plus the tile's own height and gap
    bool hasNames;
    ControlRect firstName, secondName;
    ControlRect number;
    bool hasHint;
    ControlRect hint;
    int boxCount;  // answers per question
    ControlRect boxes[2], results[2];
    ControlRect play, stop;
};

// `picture` and `rowHeight` matter only in a picture quiz.
TilePlaces tilePlaces(QuizMode mode, int answersPerQuestion, int hintStyle, int questionNumber,
                      int rowTop, int rowHeight, PictureSize picture);

// The running state of the layout: the top of the row being filled and the
// extent of what has been placed so far.
struct LayoutCursor {
    int rowTop;
    int rowIndex;  // picture rows whose height has been noted
    int contentWidth;
    int contentHeight;
};
LayoutCursor startLayout();

// After a text row: the next row starts 25 pixels lower.
void advanceTextRow(LayoutCursor &cursor);

// After a tile: the first column of a row sets the content size, the last
// one moves to the next row.
void advanceTile(LayoutCursor &cursor, int hintStyle, int column, int answerTop);

// After the last question: room on the right, more of it for two answers.
void finishLayout(LayoutCursor &cursor, int answersPerQuestion);

// The number of words of an expected answer: one more than its apostrophes,
// spaces and hyphens; "!" makes the next character ordinary.
int countWords(const char *answer);

// "en 1 mot", "en 3 mots": the text of a style-5 hint label.
void wordCountText(const char *answer, char *text, int size);
