// Writes the quiz and codes streams that the player's loader reads.
#pragma once

#include <cstdint>
#include <vector>

#include "authoring/quiz_description.h"

// The quiz stream before compression; the description must be valid
// (texts without "|" or NUL, at most 259 characters, at most 255 questions).
std::vector<std::uint8_t> quizStreamBytes(const QuizDescription &quiz);

// One line per question, each ended by CR LF; missing codes are empty lines.
std::vector<std::uint8_t> codesStreamBytes(const QuizDescription &quiz);

// Compresses a stream and scrambles it when the quiz is protected. A stream
// that would not decode into the player's 120,000-byte buffer gives nothing.
std::vector<std::uint8_t> packStream(const std::vector<std::uint8_t> &bytes, bool protect);
