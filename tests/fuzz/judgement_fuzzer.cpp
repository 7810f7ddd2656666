// Two texts, expected and typed, split at the input's first LF. A text of
// 259 bytes or more is handed over cut to 259 bytes with no terminator, so a
// read past the 259-character limit is an overread. The status word is
// always one of the ten and agrees with the plain equality of the
// normalised texts.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "answers/judgement.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// Exactly as many bytes as the judge may read.
std::vector<char> boundedText(const std::uint8_t *from, std::size_t size) {
    if (size >= std::size_t(answerCapacity)) return std::vector<char>(from, from + answerCapacity);
    std::vector<char> text(from, from + size);
    text.push_back('\0');
    return text;
}

bool isStatusWord(const char *word) {
    for (const char *known : {statusUnanswered, statusRight, statusWrong, statusAnagram, statusOneEdit,
                              statusTwoEdits, statusTooShort, statusNotFar, statusTooLong, statusSimilar})
        if (word == known) return true;
    return false;
}

std::vector<char> normalised(const std::vector<char> &text) {
    std::vector<char> copy(text);
    copy.resize(answerCapacity + 1, '\0');
    normalizeAnswer(copy.data());
    return copy;
}

void checkNormalised(const char *text) {
    std::size_t length = std::strlen(text);
    check(length <= std::size_t(answerCapacity));
    if (length == 0) return;
    check(text[0] != ' ' && text[length - 1] != ' ' && std::strstr(text, "  ") == nullptr);
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char byte = static_cast<unsigned char>(text[i]);
        check(!(byte >= 'a' && byte <= 'z') && byte < 0xE0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::uint8_t *lineFeed = static_cast<const std::uint8_t *>(std::memchr(data, '\n', size));
    std::size_t split = lineFeed ? std::size_t(lineFeed - data) : size;
    std::vector<char> expected = boundedText(data, split);
    std::vector<char> typed = lineFeed ? boundedText(data + split + 1, size - split - 1) : boundedText(data, 0);

    Judgement judgement = judge(expected.data(), typed.data());
    check(isStatusWord(judgement.word));

    std::vector<char> e = normalised(expected), t = normalised(typed);
    checkNormalised(e.data());
    checkNormalised(t.data());
    std::vector<char> twice(e);
    normalizeAnswer(twice.data());
    check(std::strcmp(twice.data(), e.data()) == 0);

    bool equal = std::strcmp(e.data(), t.data()) == 0;
    check(answerMatches(expected.data(), typed.data()) == equal);
    check((judgement.word == statusRight) == (equal && t[0] != '\0'));
    check((judgement.word == statusUnanswered) == (t[0] == '\0'));
    check(!judgement.solvedAtOnce || (equal && std::strlen(e.data()) > 3));

    int distance = editDistance(e.data(), t.data());
    check(distance == editDistance(t.data(), e.data()));
    check((distance == 0) == equal);
    int scan = containmentScan(e.data(), t.data());
    check(scan == -2 || scan == 0 || scan == 2);
    return 0;
}
