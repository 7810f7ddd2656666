#include "document/quiz_loader.h"

#include "document/link_stream.h"
#include "document/quiz_loading.h"

namespace {

// The bytes of one of the program's own resources; size 0 when it is missing.
ResourceBytes programResource(const char *type, int number) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), type);
    if (!found) return {nullptr, 0};
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void *bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {nullptr, 0};
    return {static_cast<const std::uint8_t *>(bytes), size};
}

void replaceBackgroundBrush(QuizContext *context) {
    if (context->backgroundBrush) DeleteObject(context->backgroundBrush);
    context->backgroundBrush = CreateSolidBrush(backgroundColour(context));
}

}  // namespace

void loadQuiz(QuizContext *context) {
    QuizLoadEnd end = loadQuizFromStreams(context, {linkStream, linkStreamSize},
                                          programResource("PATCH", 104),
                                          programResource("PATCH", 105));
    if (end == quizLoadDemo || end == quizLoadCodesUndecodable || end == quizLoadComplete)
        replaceBackgroundBrush(context);
}
