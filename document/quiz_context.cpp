#include "document/quiz_context.h"

#include <cstring>
#include <new>

std::uint32_t backgroundColour(const QuizContext *context) {
    return std::uint32_t(context->backgroundRed) | std::uint32_t(context->backgroundGreen) << 8 |
           std::uint32_t(context->backgroundBlue) << 16;
}

void copyText(char *to, int size, const char *from) {
    if (size <= 0) return;
    int i = 0;
    if (from) {
        for (; i < size - 1 && from[i] != '\0'; ++i) to[i] = from[i];
    }
    to[i] = '\0';
}

void setContextDefaults(QuizContext *context) {
    context->firstQuestion = nullptr;
    context->lastQuestion = nullptr;
    copyText(context->title, textSize, "Nom du grelo");
    copyText(context->author, textSize, "Createur grelo");
    context->mode = quizText;
    context->questionCount = 2;
    context->answersPerQuestion = 1;
    context->hintStyle = 0;
    context->allHintsShown = 0;
    context->backgroundRed = 90;
    context->backgroundGreen = 95;
    context->backgroundBlue = 150;
    for (std::int32_t &state : context->tileState) state = 0;
    context->mediaFolder[0] = '\0';
}

void freeQuestions(QuizContext *context) {
    QuestionNode *node = context->firstQuestion;
    while (node) {
        QuestionNode *next = node->next;
        delete node;
        node = next;
    }
    context->firstQuestion = nullptr;
    context->lastQuestion = nullptr;
}

void appendQuestion(QuizContext *context, const char *answer, const char *secondAnswer,
                    const char *prompt) {
    QuestionNode *node = new (std::nothrow) QuestionNode();
    if (!node) return;
    copyText(node->answer, textSize, answer);
    copyText(node->secondAnswer, textSize, secondAnswer);
    copyText(node->prompt, textSize, prompt);
    if (context->lastQuestion)
        context->lastQuestion->next = node;
    else
        context->firstQuestion = node;
    context->lastQuestion = node;
}

QuestionNode *questionAt(const QuizContext *context, int position) {
    QuestionNode *node = context->firstQuestion;
    for (int reached = 0; node && node->next && reached < position; ++reached) node = node->next;
    return node;
}

void keepFileNamePart(char *path) {
    const char *lastSlash = std::strrchr(path, '\\');
    if (!lastSlash) return;
    std::memmove(path, lastSlash + 1, std::strlen(lastSlash + 1) + 1);
}
