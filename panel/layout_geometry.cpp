#include "panel/layout_geometry.h"

#include <cstdio>

namespace {

constexpr int tileSpacing = 290;   // from one column's left edge to the next
constexpr int textRowAdvance = 25;
constexpr int textRowWidth = 880;  // up to the result label's right edge
constexpr int tileRowWidth = 890;

int answerSlots(int answersPerQuestion) { return answersPerQuestion == 2 ? 2 : 1; }

// The tile itself, and where the answer area starts below and beside it.
struct TileFrame {
    ControlRect tile;
    int dx, dy;
};

TileFrame tileFrame(QuizMode mode, int left, int rowTop, int rowHeight, PictureSize picture) {
    switch (mode) {
    case quizVideo:
        return {{left, rowTop, 260, 200}, 20, 210};
    case quizAudio:
        return {{left, rowTop, 0, 0}, 20, 0};
    default:
        // Centred in its column and in the row's height, in whole pixels.
        return {{left + (pictureBox - picture.width) / 2, rowTop + (rowHeight - picture.height) / 2,
                 picture.width, picture.height},
                0, rowHeight + 10};
    }
}

}  // namespace

TextRowPlaces textRowPlaces(int rowTop) {
    return {{26, rowTop + 2, 19, 17},
            {50, rowTop, 550, 20},
            {610, rowTop, 170, 20},
            {790, rowTop, 100, 20}};
}

int tileColumn(int questionNumber) { return (questionNumber + 2) % 3; }

int tileLeft(int column, int answersPerQuestion) {
    return tileSpacing * column + (answerSlots(answersPerQuestion) == 2 ? 106 : 46);
}

int rowHeight(const PictureSize rowPictures[3]) {
    int tallest = rowPictures[0].height;
    for (int i = 1; i < 3; ++i)
        if (rowPictures[i].height > tallest) tallest = rowPictures[i].height;
    return tallest;
}

bool hasHintLabel(int hintStyle) { return hintStyle > 1; }

TilePlaces tilePlaces(QuizMode mode, int answersPerQuestion, int hintStyle, int questionNumber,
                      int rowTop, int rowHeight, PictureSize picture) {
    TilePlaces places = {};
    const int column = tileColumn(questionNumber);
    const int left = tileLeft(column, answersPerQuestion);
    const int slots = answerSlots(answersPerQuestion);
    const bool media = mode == quizAudio || mode == quizVideo;
    const int answerWidth = media ? 240 : 260;  // box and result label

    TileFrame frame = tileFrame(mode, left, rowTop, rowHeight, picture);
    places.tile = frame.tile;
    const int top = rowTop + frame.dy;
    const int answerLeft = left + frame.dx;
    places.answerTop = top;

    places.hasNames = slots == 2 && column == 0;
    places.firstName = {4, top + 2, 95, 20};
    places.secondName = {3, top + 22, 95, 20};
    places.number = {left - 28, top + 2, 27, 17};
    places.hasHint = hasHintLabel(hintStyle);
    places.hint = {left, top + 46, 260, hintStyle == 5 ? 20 : 65};

    places.boxCount = slots;
    if (slots == 1) {
        places.boxes[0] = {answerLeft, top, answerWidth, 20};
        places.results[0] = {answerLeft, top + 19, answerWidth, 20};
    } else {
        for (int k = 0; k < 2; ++k) {
            int y = top + 19 * k;
            places.boxes[k] = {answerLeft, y, answerWidth - 59, 20};
            places.results[k] = {answerLeft + answerWidth - 60, y, 60, 20};
        }
    }
    places.play = {left, top, 20, 20};
    places.stop = {left, top + 20, 20, 19};
    return places;
}

LayoutCursor startLayout() { return {5, 0, 0, 0}; }

void advanceTextRow(LayoutCursor &cursor) {
    cursor.rowTop += textRowAdvance;
    cursor.contentWidth = textRowWidth;
    cursor.contentHeight = cursor.rowTop;
}

void advanceTile(LayoutCursor &cursor, int hintStyle, int column, int answerTop) {
    if (column == 0) {
        cursor.contentWidth = tileRowWidth;
        cursor.contentHeight = answerTop + (hasHintLabel(hintStyle) ? 140 : 60);
    } else if (column == 2) {
        int below = 60;
        if (hintStyle == 5)
            below = 80;
        else if (hasHintLabel(hintStyle))
            below = 140;
        cursor.rowTop = answerTop + below;
    }
}

void finishLayout(LayoutCursor &cursor, int answersPerQuestion) {
    cursor.contentWidth += answerSlots(answersPerQuestion) == 2 ? 80 : 20;
}

int countWords(const char *answer) {
    int words = 1;
    for (const char *c = answer; *c; ++c) {
        if (*c == '!') {
            if (!c[1]) break;
            ++c;  // the escaped character is passed over unseen
        } else if (*c == '\'' || *c == ' ' || *c == '-') {
            ++words;
        }
    }
    return words;
}

void wordCountText(const char *answer, char *text, int size) {
    if (size <= 0) return;
    int words = countWords(answer);
    std::snprintf(text, std::size_t(size), "en %d mot%s", words, words > 1 ? "s" : "");
}
