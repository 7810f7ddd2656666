// Decoded quiz and codes bytes into the parsers: whatever they hold, the
// context's tables are never overrun and nothing past the input is read.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "document/quiz_context.h"
#include "document/quiz_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    // The first byte splits the input into a quiz stream and a codes stream.
    std::size_t split = size ? std::size_t(data[0]) * size / 256 : 0;
    const std::uint8_t *rest = size ? data + 1 : data;
    std::size_t restSize = size ? size - 1 : 0;
    if (split > restSize) split = restSize;
    std::vector<std::uint8_t> quiz(rest, rest + split), codes(rest + split, rest + restSize);

    QuizContext *context = new QuizContext();
    setContextDefaults(context);
    parseLinkStream(context, codes.data(), codes.size());
    if (parseQuizStream(context, quiz.data(), quiz.size()) == quizStreamOk) {
        if (context->questionCount > maxQuestions) std::abort();
        parseCodesStream(context, codes.data(), codes.size());
        for (const auto &code : context->codes)
            if (std::memchr(code, 0, textSize) == nullptr) std::abort();
    } else if (context->firstQuestion != nullptr || context->questionCount != 0) {
        std::abort();
    }
    freeQuestions(context);
    delete context;
    return 0;
}
