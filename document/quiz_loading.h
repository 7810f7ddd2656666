// The order of loading: link stream, quiz resource, codes resource, with the
// message for each failure. Portable: the Win32 loader finds the resources.
#pragma once

#include <cstddef>
#include <cstdint>

#include "document/quiz_context.h"

struct ResourceBytes {
    const std::uint8_t *bytes;
    std::size_t size;  // 0 for a missing resource
};

enum QuizLoadEnd {
    quizLoadLinkUndecodable,
    quizLoadDemo,
    quizLoadQuizUndecodable,
    quizLoadCodesUndecodable,
    quizLoadComplete,
};

// Fills the context and reports each failure with showMessage. The resource
// bytes are not changed: a protected resource is unscrambled in a private copy.
QuizLoadEnd loadQuizFromStreams(QuizContext *context, ResourceBytes link, ResourceBytes quiz,
                                ResourceBytes codes);
