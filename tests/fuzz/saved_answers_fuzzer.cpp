// Any file as the saved answers: the reader keeps inside the data and the
// text, always moves on, and every text it gives is written and read back
// unchanged. The same bytes also serve as an executable name.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "answers/saved_answers_reader.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void checkRoundTrip(const char *text) {
    char line[savedLineBytesSize];
    int size = formatSavedAnswerLine(text, line);
    std::size_t position = 0;
    char again[savedLineCapacity + 1];
    readSavedAnswerLine(line, std::size_t(size), &position, again);
    check(std::strcmp(again, text) == 0 && position == std::size_t(size));
}

void readEveryLine(const char *data, std::size_t size) {
    std::size_t position = 0;
    for (;;) {
        std::size_t before = position;
        char text[savedLineCapacity + 1];
        readSavedAnswerLine(data, size, &position, text);
        check(position <= size);
        check(std::strlen(text) <= std::size_t(savedLineCapacity));
        check(std::strchr(text, '\r') == nullptr);
        checkRoundTrip(text);
        if (before == size) {
            check(position == size && text[0] == '\0');
            return;
        }
        check(position > before);
    }
}

void checkFileName(const char *data, std::size_t size) {
    char executable[answersFileNameSize] = {};
    std::memcpy(executable, data, size < answersFileNameSize - 1 ? size : answersFileNameSize - 1);
    char name[answersFileNameSize];
    answersFileName(executable, name);
    std::size_t length = std::strlen(name);
    check(length >= 4 && length < std::size_t(answersFileNameSize));
    check(std::strcmp(name + length - 4, ".txt") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const char *bytes = reinterpret_cast<const char *>(data);
    readEveryLine(bytes, size);
    checkFileName(bytes, size);
    return 0;
}
