#include "document/quiz_loading.h"

#include <cstring>

#include "document/lzw_decoder.h"
#include "document/quiz_stream.h"
#include "platform/platform.h"

namespace {

// A decoded stream and the buffer behind it, released on every path.
struct DecodedStream {
    std::uint8_t *bytes = nullptr;
    std::size_t size = 0;
    int result = lzwEmptyInput;

    DecodedStream() = default;
    DecodedStream(const DecodedStream &) = delete;
    DecodedStream &operator=(const DecodedStream &) = delete;
    ~DecodedStream() { heapFree(bytes); }

    bool decode(const std::uint8_t *input, std::size_t length) {
        heapFree(bytes);
        bytes = nullptr;
        size = 0;
        result = lzwDecode(input, length, &bytes, &size);
        return result == lzwOk;
    }
};

// The loader never writes into the resource section: it unscrambles a copy.
struct PrivateCopy {
    std::uint8_t *bytes = nullptr;
    std::size_t size = 0;

    explicit PrivateCopy(ResourceBytes resource) {
        if (resource.size == 0 || !resource.bytes) return;
        bytes = static_cast<std::uint8_t *>(heapAlloc(resource.size));
        if (!bytes) return;
        std::memcpy(bytes, resource.bytes, resource.size);
        size = resource.size;
    }
    PrivateCopy(const PrivateCopy &) = delete;
    PrivateCopy &operator=(const PrivateCopy &) = delete;
    ~PrivateCopy() { heapFree(bytes); }
};

void report(const char *text) { showMessage(text, "Grelo", MB_OK); }

bool decodeQuiz(ResourceBytes quiz, DecodedStream &decoded, bool &isProtected) {
    isProtected = false;
    if (decoded.decode(quiz.bytes, quiz.size)) return true;
    PrivateCopy copy(quiz);
    if (!copy.bytes) return false;
    unscramble(copy.bytes, copy.size);
    isProtected = true;
    return decoded.decode(copy.bytes, copy.size);
}

bool decodeCodes(ResourceBytes codes, bool isProtected, DecodedStream &decoded) {
    if (codes.size == 0 || !codes.bytes) return false;
    if (!isProtected) return decoded.decode(codes.bytes, codes.size);
    PrivateCopy copy(codes);
    if (!copy.bytes) return false;
    unscramble(copy.bytes, copy.size);
    return decoded.decode(copy.bytes, copy.size);
}

}  // namespace

QuizLoadEnd loadQuizFromStreams(QuizContext *context, ResourceBytes link, ResourceBytes quiz,
                                ResourceBytes codes) {
    DecodedStream linkText;
    if (!linkText.decode(link.bytes, link.size)) {
        report("Erreur dans le d\xE9" "cryptage");
        context->questionCount = 0;
        return quizLoadLinkUndecodable;
    }
    parseLinkStream(context, linkText.bytes, linkText.size);

    if (quiz.size == 0 || !quiz.bytes) {
        report(scrambleKey);  // "Fichier vide à relire"
        loadDemoQuiz(context);
        return quizLoadDemo;
    }

    DecodedStream quizText;
    bool isProtected = false;
    // A stream that decodes but cannot be laid out (it ends early, or names an
    // unknown kind or answer count) is as undecodable as one that does not.
    if (!decodeQuiz(quiz, quizText, isProtected) ||
        parseQuizStream(context, quizText.bytes, quizText.size) != quizStreamOk) {
        report("Erreur dans le d\xE9" "cryptage des reponses");
        context->questionCount = 0;
        return quizLoadQuizUndecodable;
    }

    DecodedStream codesText;
    if (!decodeCodes(codes, isProtected, codesText)) {
        report("Erreur dans le d\xE9" "cryptage des codes");
        return quizLoadCodesUndecodable;
    }
    parseCodesStream(context, codesText.bytes, codesText.size);
    return quizLoadComplete;
}
