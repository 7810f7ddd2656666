// The formats of the three streams the program carries, once decoded:
// the link stream, the quiz stream (PATCH 104) and the codes stream (PATCH 105).
//
// Format notes. A text runs up to "|" or NUL, whichever comes first, and the
// reader steps over that one byte. The quiz stream: byte 0 not interpreted,
// byte 1 the kind plus one, byte 2 the question count, byte 3 the answers per
// question; five header texts (title, author, explanation, two answer
// captions); per question the answer, the second answer when there are two,
// the question text; one hint-style byte; the hint texts the style calls for
// (styles 1, 2, 4: one per question; 3: two, the second skipped); three
// colour bytes red, green, blue. The codes stream: one line per question,
// each ended by CR LF. Protected resources are XORed from their second byte
// with a fixed 21-character key.
#pragma once

#include <cstddef>
#include <cstdint>

#include "document/quiz_context.h"

// The scrambling key, which is also the message for a missing quiz.
extern const char scrambleKey[];
constexpr int scrambleKeyLength = 21;

// XORs bytes 1 to size - 1 with the key, in place; the same call undoes it.
void unscramble(std::uint8_t *bytes, std::size_t size);

enum QuizStreamResult {
    quizStreamOk,
    quizStreamTruncated,    // ended before its announced content
    quizStreamBadKind,      // kind byte outside 1 to 4
    quizStreamBadAnswers,   // answers per question other than 1 and 2
};

// Hint texts a question group carries in the stream for a hint style.
int hintTextsPerQuestion(int hintStyle);

// Copies the link target and caption from a decoded link stream (from byte 2),
// cut to their fields. Missing texts stay empty.
void parseLinkStream(QuizContext *context, const std::uint8_t *bytes, std::size_t size);

// Fills the quiz fields, the question list and the colour bytes of the
// context from a decoded quiz stream. Nothing is read past `size`; texts are
// cut to their fields; a stream announcing more than 95 questions loads the
// first 95. On a failure the caller treats the quiz as undecodable.
QuizStreamResult parseQuizStream(QuizContext *context, const std::uint8_t *bytes,
                                 std::size_t size);

// Copies one code line per question into `codes`; lines the stream does not
// hold stay empty.
void parseCodesStream(QuizContext *context, const std::uint8_t *bytes, std::size_t size);

// The built-in quiz shown when the program carries none.
void loadDemoQuiz(QuizContext *context);
