#include "answers/judgement.h"

#include <cstring>

const char statusUnanswered[] = "?";
const char statusRight[] = "BRAVO";
const char statusWrong[] = "FAUX";
const char statusAnagram[] = "Anagramme";
const char statusOneEdit[] = "Quasiment";
const char statusTwoEdits[] = "Presque";
const char statusTooShort[] = "Trop court";
const char statusNotFar[] = "Pas loin";
const char statusTooLong[] = "Trop long";
const char statusSimilar[] = "y a de l'id\xE9" "e";

namespace {

// Answers of this length or less earn no near-miss word.
constexpr int shortAnswerLimit = 3;
// Pieces of the expected answer earn words only from this length on.
constexpr int pieceAnswerMinimum = 10;

int boundedLength(const char *text) {
    int length = 0;
    while (length < answerCapacity && text[length] != '\0') ++length;
    return length;
}

unsigned char raised(unsigned char byte) {
    bool lowerLetter = byte >= 0x61 && byte <= 0x7A;
    bool lowerAccented = byte >= 0xE0;  // the upper half of 1252, ÷ and ÿ included
    return lowerLetter || lowerAccented ? static_cast<unsigned char>(byte - 0x20) : byte;
}

// A normalised working copy with its length.
struct AnswerText {
    char bytes[answerCapacity + 1];
    int length;
};

AnswerText normalisedCopy(const char *text) {
    AnswerText copy;
    int length = boundedLength(text);
    std::memcpy(copy.bytes, text, length);
    copy.bytes[length] = '\0';
    normalizeAnswer(copy.bytes);
    copy.length = boundedLength(copy.bytes);
    return copy;
}

int smallest(int a, int b, int c) {
    int least = a < b ? a : b;
    return least < c ? least : c;
}

// Row by row over the expected text; only the previous row is needed, so two
// rows of the 260-by-260 table are kept instead of all of it.
int distanceOf(const char *a, int aLength, const char *b, int bLength) {
    int previous[answerCapacity + 1];
    int current[answerCapacity + 1];
    for (int j = 0; j <= bLength; ++j) previous[j] = j;
    for (int i = 1; i <= aLength; ++i) {
        current[0] = i;
        for (int j = 1; j <= bLength; ++j) {
            int substitution = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = smallest(previous[j] + 1, current[j - 1] + 1, substitution);
        }
        std::memcpy(previous, current, sizeof(int) * (bLength + 1));
    }
    return previous[bLength];
}

// Where the needle's first byte next occurs from `from` on, or -1.
int nextStart(const char *haystack, int haystackLength, char first, int from) {
    for (int p = from; p < haystackLength; ++p)
        if (haystack[p] == first) return p;
    return -1;
}

bool scanFinds(const char *needle, int needleLength, const char *haystack, int haystackLength) {
    if (needleLength == 0) return true;
    int i = 0;
    for (;;) {
        int p = nextStart(haystack, haystackLength, needle[0], i);
        if (p < 0) return false;
        int k = 0;
        while (k < needleLength && p + k < haystackLength && needle[k] == haystack[p + k]) ++k;
        if (k == needleLength) return true;
        i = p + k;  // k >= 1, so the scan always moves on
    }
}

int scanOf(const char *expected, int expectedLength, const char *typed, int typedLength) {
    if (typedLength < expectedLength)
        return scanFinds(typed, typedLength, expected, expectedLength) ? -2 : 0;
    return scanFinds(expected, expectedLength, typed, typedLength) ? 2 : 0;
}

bool sameBytes(const AnswerText &a, const AnswerText &b) {
    if (a.length != b.length) return false;
    int counts[256] = {};
    for (int i = 0; i < a.length; ++i) ++counts[static_cast<unsigned char>(a.bytes[i])];
    for (int i = 0; i < b.length; ++i)
        if (--counts[static_cast<unsigned char>(b.bytes[i])] < 0) return false;
    return true;
}

bool equalTexts(const AnswerText &a, const AnswerText &b) {
    return a.length == b.length && std::memcmp(a.bytes, b.bytes, a.length) == 0;
}

// Percentages of the lengths, kept in integers: 100·T/E > 70 is 10·T > 7·E.
const char *pieceWord(int expectedLength, int typedLength) {
    if (expectedLength < pieceAnswerMinimum) return statusWrong;
    if (10 * typedLength > 7 * expectedLength) return statusTooShort;
    if (2 * typedLength > expectedLength) return statusNotFar;
    return statusWrong;
}

const char *containingWord(int expectedLength, int typedLength) {
    return typedLength <= 4 * expectedLength ? statusTooLong : statusNotFar;
}

// 100·(m − D)/m > 80, with m the shorter length, is m > 5·D.
const char *similarityWord(int expectedLength, int typedLength, int distance) {
    int shorter = expectedLength < typedLength ? expectedLength : typedLength;
    return shorter > 5 * distance ? statusSimilar : statusWrong;
}

const char *shortAnswerWord(const AnswerText &expected, const AnswerText &typed) {
    if (typed.length == 0) return statusUnanswered;
    return equalTexts(expected, typed) ? statusRight : statusWrong;
}

Judgement judgeNormalised(const AnswerText &expected, const AnswerText &typed) {
    if (expected.length <= shortAnswerLimit) return {shortAnswerWord(expected, typed), false};
    if (typed.length == 0) return {statusUnanswered, false};
    int distance = distanceOf(expected.bytes, expected.length, typed.bytes, typed.length);
    if (distance == 0) return {statusRight, true};
    if (sameBytes(expected, typed)) return {statusAnagram, false};
    if (distance == 1) return {statusOneEdit, false};
    if (distance == 2) return {statusTwoEdits, false};
    switch (scanOf(expected.bytes, expected.length, typed.bytes, typed.length)) {
    case -2: return {pieceWord(expected.length, typed.length), false};
    case 2: return {containingWord(expected.length, typed.length), false};
    default: return {similarityWord(expected.length, typed.length, distance), false};
    }
}

}  // namespace

void normalizeAnswer(char *text) {
    int length = boundedLength(text);
    int read = 0;
    while (read < length && text[read] == ' ') ++read;
    int written = 0;
    for (; read < length; ++read) {
        char byte = text[read];
        if (byte == ' ' && text[written - 1] == ' ') continue;  // written > 0 after the leading spaces
        text[written++] = static_cast<char>(raised(static_cast<unsigned char>(byte)));
    }
    if (written > 0 && text[written - 1] == ' ') --written;
    text[written] = '\0';
}

int editDistance(const char *a, const char *b) {
    return distanceOf(a, boundedLength(a), b, boundedLength(b));
}

int containmentScan(const char *expected, const char *typed) {
    return scanOf(expected, boundedLength(expected), typed, boundedLength(typed));
}

Judgement judge(const char *expected, const char *typed) {
    return judgeNormalised(normalisedCopy(expected), normalisedCopy(typed));
}

const char *judgeAnswer(const char *expected, const char *typed) { return judge(expected, typed).word; }

bool answerMatches(const char *expected, const char *typed) {
    return equalTexts(normalisedCopy(expected), normalisedCopy(typed));
}

bool isRightWord(const char *labelText) { return std::strcmp(labelText, statusRight) == 0; }
