// Judging one typed answer against its expected answer: normalisation, edit
// distance, the containment scan and the status word they lead to.
//
// Every function here reads at most 259 characters of each text (the answer
// boxes' and the question list's limit) and stops earlier at a NUL, so a full
// 260-character buffer may be passed even when nothing terminates it. Nothing
// is allocated on the heap: the working copies and the distance rows are
// fixed arrays on the stack.
#pragma once

// The status words written into the result labels, byte for byte.
extern const char statusUnanswered[];  // "?"
extern const char statusRight[];       // "BRAVO"
extern const char statusWrong[];       // "FAUX"
extern const char statusAnagram[];     // "Anagramme"
extern const char statusOneEdit[];     // "Quasiment"
extern const char statusTwoEdits[];    // "Presque"
extern const char statusTooShort[];    // "Trop court"
extern const char statusNotFar[];      // "Pas loin"
extern const char statusTooLong[];     // "Trop long"
extern const char statusSimilar[];     // "y a de l'idée" in Windows-1252

constexpr int answerCapacity = 259;  // characters judged of any text

// Normalises `text` in place: leading spaces dropped, a-z and 0xE0-0xFF
// raised to their capitals, runs of spaces made one, a trailing space
// dropped. `text` is a buffer of at least answerCapacity + 1 characters; only
// its first answerCapacity characters are kept.
void normalizeAnswer(char *text);

// Levenshtein distance of two normalised texts (insertion, deletion and
// substitution cost 1; no transposition).
int editDistance(const char *a, const char *b);

// +2 when the typed text is at least as long as the expected one and contains
// it, -2 when it is shorter and found inside the expected one, 0 otherwise.
// The scan resumes at the first mismatching byte rather than one past the
// start of the partial match, so ANANAS is not found in BANANANAS.
int containmentScan(const char *expected, const char *typed);

struct Judgement {
    const char *word;   // one of the status words above
    bool solvedAtOnce;  // an expected answer of four characters or more typed
                        // exactly: the question's solved flag is set right away
};

// Normalises copies of both texts and judges them.
Judgement judge(const char *expected, const char *typed);

// The status word alone.
const char *judgeAnswer(const char *expected, const char *typed);

// Whether the two texts are equal once normalised: the whole-question check
// made when an answer becomes right.
bool answerMatches(const char *expected, const char *typed);

// Whether a result label's text is the right-answer word.
bool isRightWord(const char *labelText);
