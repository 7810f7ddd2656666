#include "answers/saved_answers_reader.h"

#include <cstring>

namespace {

const char answersExtension[] = "txt";
constexpr int extensionLength = 3;

int boundedLength(const char *text, int limit) {
    int length = 0;
    while (length < limit && text[length] != '\0') ++length;
    return length;
}

int lastDot(const char *name, int length) {
    for (int i = length - 1; i >= 0; --i)
        if (name[i] == '.') return i;
    return -1;
}

// Copies up to CR, the end or the capacity, then skips the rest of the line
// (to its CR) so that an overlong line does not spill into the next box.
void copyLine(const char *data, std::size_t size, std::size_t *position, char *text) {
    int kept = 0;
    std::size_t at = *position;
    for (; at < size && data[at] != '\r'; ++at)
        if (kept < savedLineCapacity) text[kept++] = data[at];
    text[kept] = '\0';
    *position = at;
}

void skipPastLineFeed(const char *data, std::size_t size, std::size_t *position) {
    std::size_t at = *position;
    while (at < size && data[at] != '\n') ++at;
    *position = at < size ? at + 1 : size;
}

}  // namespace

void answersFileName(const char *executableName, char *buffer) {
    int length = boundedLength(executableName, answersFileNameSize - 1);
    int dot = lastDot(executableName, length);
    int stem = dot >= 0 ? dot : length;
    // The stem, the dot, "txt" and the terminator must fit.
    int longestStem = answersFileNameSize - 1 - 1 - extensionLength;
    if (stem > longestStem) stem = longestStem;
    std::memcpy(buffer, executableName, stem);
    buffer[stem] = '.';
    std::memcpy(buffer + stem + 1, answersExtension, extensionLength + 1);
}

void readSavedAnswerLine(const char *data, std::size_t size, std::size_t *position, char *text) {
    text[0] = '\0';
    if (data == nullptr || *position >= size) {
        if (*position > size) *position = size;
        return;
    }
    copyLine(data, size, position, text);
    skipPastLineFeed(data, size, position);
}

int formatSavedAnswerLine(const char *boxText, char *line) {
    int length = boundedLength(boxText, savedLineCapacity);
    std::memcpy(line, boxText, length);
    line[length] = '\r';
    line[length + 1] = '\n';
    return length + 2;
}

std::size_t formatSavedAnswers(const char *const *boxTexts, int count, char *bytes) {
    std::size_t written = 0;
    for (int i = 0; i < count; ++i) written += formatSavedAnswerLine(boxTexts[i], bytes + written);
    return written;
}
