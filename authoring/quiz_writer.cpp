#include "authoring/quiz_writer.h"

#include <initializer_list>

#include "authoring/lzw_encoder.h"
#include "document/lzw_decoder.h"
#include "document/quiz_stream.h"
#include "platform/platform.h"

namespace {

// Byte 0 is not read by the player; it is never scrambled either.
constexpr std::uint8_t streamMark = 'G';

void appendText(std::vector<std::uint8_t> &stream, const std::string &text) {
    stream.insert(stream.end(), text.begin(), text.end());
    stream.push_back('|');
}

}  // namespace

std::vector<std::uint8_t> quizStreamBytes(const QuizDescription &quiz) {
    std::vector<std::uint8_t> stream = {streamMark, std::uint8_t(quiz.kind + 1),
                                        std::uint8_t(quiz.questions.size()),
                                        std::uint8_t(quiz.answersPerQuestion)};
    for (const std::string *text : {&quiz.title, &quiz.author, &quiz.explanation,
                                    &quiz.firstAnswerLabel, &quiz.secondAnswerLabel})
        appendText(stream, *text);
    for (const QuizQuestionDescription &question : quiz.questions) {
        appendText(stream, question.answer);
        if (quiz.answersPerQuestion == 2) appendText(stream, question.secondAnswer);
        appendText(stream, question.prompt);
    }
    stream.push_back(std::uint8_t(quiz.hintStyle));
    int hintTexts = hintTextsPerQuestion(quiz.hintStyle);
    for (const QuizQuestionDescription &question : quiz.questions) {
        if (hintTexts >= 1) appendText(stream, question.hint);
        if (hintTexts >= 2) appendText(stream, "");  // style 3's second text, never read
    }
    stream.push_back(quiz.red);
    stream.push_back(quiz.green);
    stream.push_back(quiz.blue);
    return stream;
}

std::vector<std::uint8_t> codesStreamBytes(const QuizDescription &quiz) {
    std::vector<std::uint8_t> stream;
    for (std::size_t k = 0; k < quiz.questions.size(); ++k) {
        if (k < quiz.codes.size()) stream.insert(stream.end(), quiz.codes[k].begin(), quiz.codes[k].end());
        stream.push_back('\r');
        stream.push_back('\n');
    }
    // No stream decodes to nothing: a quiz without questions still carries a line.
    if (stream.empty()) stream = {'\r', '\n'};
    return stream;
}

namespace {

bool decodesDirectly(const std::vector<std::uint8_t> &stream) {
    std::uint8_t *output = nullptr;
    std::size_t length = 0;
    int result = lzwDecode(stream.data(), stream.size(), &output, &length);
    heapFree(output);
    return result == lzwOk;
}

}  // namespace

// The player takes a quiz as protected only when it does not decode as it
// stands: a scrambled stream that happened to decode would be read as
// garbage. An early widening changes every later bit, so a few tries find
// an encoding whose scrambled form fails.
std::vector<std::uint8_t> packStream(const std::vector<std::uint8_t> &bytes, bool protect) {
    if (bytes.empty() || bytes.size() > lzwOutputCapacity) return {};
    for (int widenings = 0; widenings <= 3; ++widenings) {
        LzwEncoderOptions options;
        options.extraWidenings = widenings;
        std::vector<std::uint8_t> packed = lzwEncode(bytes, options);
        if (!protect) return packed;
        unscramble(packed.data(), packed.size());
        if (!decodesDirectly(packed)) return packed;
    }
    return {};
}
