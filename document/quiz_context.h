// The one application record and the question list.
#pragma once

#include <cstdint>

#include "platform/platform.h"

enum QuizMode : std::int32_t {
    quizText = 0,
    quizPictures = 1,
    quizAudio = 2,
    quizVideo = 3,
};

constexpr int textSize = 260;          // 259 characters and the terminator
constexpr int codeCapacity = 96;       // reward codes, one per score from 1
constexpr int rowCapacity = 32;        // rows of three picture tiles
constexpr int tileCapacity = 96;       // tileState, indexed by question number from 1
constexpr int maxQuestions = 95;       // what all three tables hold
constexpr int linkTargetSize = 25;
constexpr int linkCaptionSize = 43;
constexpr int mediaFolderSize = 512;

struct QuestionNode {
    char answer[textSize];
    char secondAnswer[textSize];
    char prompt[textSize];
    char hint[textSize];
    std::int32_t solved;
    QuestionNode *next;
};

struct QuizContext {
    std::int32_t contentWidth;
    std::int32_t contentHeight;
    QuizMode mode;
    char title[textSize];
    char author[textSize];
    char explanation[textSize];
    char firstAnswerLabel[textSize];
    char secondAnswerLabel[textSize];
    std::int32_t questionCount;
    std::int32_t answersPerQuestion;
    char codes[codeCapacity][textSize];
    std::int32_t hintStyle;
    HFONT questionFont;
    HFONT scoreFont;
    HFONT titleFont;
    std::int32_t allHintsShown;
    HWND questionPanel;
    std::int32_t rowHeights[rowCapacity];
    std::int32_t tileState[tileCapacity];
    std::uint8_t backgroundRed;
    std::uint8_t backgroundBlue;
    std::uint8_t backgroundGreen;
    HBRUSH backgroundBrush;
    HBRUSH wrongBrush;
    HBRUSH anagramBrush;
    HBRUSH nearMissBrush;
    HBRUSH promptBrush;
    HWND headerPanel;
    char mediaFolder[mediaFolderSize];
    char linkTarget[linkTargetSize];
    char linkCaption[linkCaptionSize];
    QuestionNode *firstQuestion;
    QuestionNode *lastQuestion;
};

// COLORREF layout of the quiz's background colour: red | green << 8 | blue << 16.
std::uint32_t backgroundColour(const QuizContext *context);

// The portable half of initQuizContext: every default but the GDI objects.
void setContextDefaults(QuizContext *context);

// Sets the defaults on a new record and creates its fonts and brushes.
void initQuizContext(QuizContext *context);

// Deletes the fonts and brushes (Windows) and frees the question list.
void releaseQuizContext(QuizContext *context);

// Frees every node and empties the list.
void freeQuestions(QuizContext *context);

// Appends a zero-filled node with the three texts (cut to fit). Nothing is
// appended when the node cannot be allocated.
void appendQuestion(QuizContext *context, const char *answer, const char *secondAnswer,
                    const char *prompt);

// The node at `position` (0 for the first); the last node for a position at
// or past the end; null for an empty list.
QuestionNode *questionAt(const QuizContext *context, int position);

// Creates questionFont: height 15, weight 100, no face name.
void createQuestionFont(QuizContext *context);

// Copies at most size - 1 characters and always terminates (size > 0).
void copyText(char *to, int size, const char *from);

// Moves the part of `path` after its last backslash to the start of it.
void keepFileNamePart(char *path);

// The running executable's file name without its folder (quiz.exe).
void executableFileName(char *buffer, int size);
