// The saved answers file as bytes: its name, how its lines are read back and
// how they are written.
//
// One line per answer box, in the order of the box identifiers, each the
// box's text as typed followed by CR LF.
#pragma once

#include <cstddef>

constexpr int answersFileNameSize = 260;
constexpr int savedLineCapacity = 259;                   // characters of one answer
constexpr int savedLineBytesSize = savedLineCapacity + 2; // an answer and its CR LF

// The answers file's name for the executable's file name (no folder): the
// part after the last dot becomes "txt" ("quiz.exe" gives "quiz.txt"), and a
// name without a dot gets ".txt" appended. When the result would not fit in
// answersFileNameSize characters, the part before the dot is shortened so
// that the name still ends in ".txt".
void answersFileName(const char *executableName, char *buffer);

// Reads the line at `*position` of `data` into `text` (savedLineCapacity + 1
// characters) and moves `*position` past it. A line runs to its CR; whatever
// lies between that CR and the next LF is skipped, so an LF alone does not end
// a line. The text stops at a NUL byte, and a line longer than
// savedLineCapacity characters is cut there, the rest of it skipped, so the
// lines after it still meet their boxes. Once the data is used up every call
// gives an empty text; `*position` never passes `size`.
void readSavedAnswerLine(const char *data, std::size_t size, std::size_t *position, char *text);

// One box's line as written: its text (up to savedLineCapacity characters)
// and CR LF, without terminator, into `line` (savedLineBytesSize bytes).
// Returns the number of bytes.
int formatSavedAnswerLine(const char *boxText, char *line);

// The whole file for `count` box texts, into `bytes` (count times
// savedLineBytesSize is always enough). Returns the number of bytes.
std::size_t formatSavedAnswers(const char *const *boxTexts, int count, char *bytes);
