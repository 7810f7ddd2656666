#include "document/quiz_stream.h"

#include <cstring>
#include <initializer_list>

const char scrambleKey[] = "Fichier vide \xE0 relire";

void unscramble(std::uint8_t *bytes, std::size_t size) {
    for (std::size_t p = 1; p < size; ++p)
        bytes[p] ^= std::uint8_t(scrambleKey[(p - 1) % scrambleKeyLength]);
}

int hintTextsPerQuestion(int hintStyle) {
    switch (hintStyle) {
    case 1:
    case 2:
    case 4:
        return 1;
    case 3:
        return 2;
    default:
        return 0;
    }
}

namespace {

// Reads a decoded stream, which carries no terminator of its own: every step
// checks the end first.
struct StreamReader {
    const std::uint8_t *bytes;
    std::size_t size;
    std::size_t position;

    bool readByte(std::uint8_t &value) {
        if (position >= size) return false;
        value = bytes[position++];
        return true;
    }

    // A text runs up to "|" or NUL; the terminator is stepped over. The part
    // that does not fit `capacity` (with its terminator) is passed over. A
    // text that reaches the end of the stream unterminated fails.
    bool readText(char *to, int capacity) {
        int kept = 0;
        while (position < size) {
            std::uint8_t byte = bytes[position++];
            if (byte == '|' || byte == '\0') {
                if (to) to[kept] = '\0';
                return true;
            }
            if (to && kept < capacity - 1) to[kept++] = char(byte);
        }
        if (to) to[kept] = '\0';
        return false;
    }

    bool skipText() { return readText(nullptr, 0); }

    // A line runs up to CR or the end; the reader then steps over CR LF.
    void readLine(char *to, int capacity) {
        int kept = 0;
        while (position < size && bytes[position] != '\r') {
            if (kept < capacity - 1) to[kept++] = char(bytes[position]);
            ++position;
        }
        to[kept] = '\0';
        position = position + 2 < size ? position + 2 : size;
    }
};

// What an undecodable quiz leaves: the defaults, without questions.
void clearQuizFields(QuizContext *context) {
    freeQuestions(context);
    setContextDefaults(context);
    context->explanation[0] = context->firstAnswerLabel[0] = context->secondAnswerLabel[0] = '\0';
    context->questionCount = 0;
}

QuizStreamResult readHeader(StreamReader &reader, QuizContext *context, int &announced) {
    std::uint8_t ignored, kind, count, answers;
    if (!reader.readByte(ignored) || !reader.readByte(kind) || !reader.readByte(count) ||
        !reader.readByte(answers))
        return quizStreamTruncated;
    if (kind < 1 || kind > 4) return quizStreamBadKind;
    if (answers != 1 && answers != 2) return quizStreamBadAnswers;
    context->mode = QuizMode(kind - 1);
    announced = count;
    context->questionCount = count < maxQuestions ? count : maxQuestions;
    context->answersPerQuestion = answers;
    for (char *text : {context->title, context->author, context->explanation,
                       context->firstAnswerLabel, context->secondAnswerLabel})
        if (!reader.readText(text, textSize)) return quizStreamTruncated;
    return quizStreamOk;
}

// Groups past the 95th are read only to stay in step with the stream.
bool readQuestions(StreamReader &reader, QuizContext *context, int announced) {
    for (int index = 0; index < announced; ++index) {
        char answer[textSize], secondAnswer[textSize] = "", prompt[textSize];
        if (!reader.readText(answer, textSize)) return false;
        if (context->answersPerQuestion == 2 && !reader.readText(secondAnswer, textSize))
            return false;
        if (!reader.readText(prompt, textSize)) return false;
        if (index < maxQuestions) appendQuestion(context, answer, secondAnswer, prompt);
    }
    return true;
}

bool readHints(StreamReader &reader, QuizContext *context, int announced) {
    std::uint8_t style;
    if (!reader.readByte(style)) return false;
    context->hintStyle = style;
    int texts = hintTextsPerQuestion(style);
    for (int index = 0; index < announced; ++index) {
        if (texts == 0) break;
        QuestionNode *node = index < maxQuestions ? questionAt(context, index) : nullptr;
        if (!reader.readText(node ? node->hint : nullptr, textSize)) return false;
        for (int skipped = 1; skipped < texts; ++skipped)
            if (!reader.skipText()) return false;
    }
    return true;
}

bool readColour(StreamReader &reader, QuizContext *context) {
    return reader.readByte(context->backgroundRed) && reader.readByte(context->backgroundGreen) &&
           reader.readByte(context->backgroundBlue);
}

}  // namespace

void parseLinkStream(QuizContext *context, const std::uint8_t *bytes, std::size_t size) {
    StreamReader reader{bytes, size, size < 2 ? size : 2};
    reader.readText(context->linkTarget, linkTargetSize);
    reader.readText(context->linkCaption, linkCaptionSize);
}

QuizStreamResult parseQuizStream(QuizContext *context, const std::uint8_t *bytes,
                                 std::size_t size) {
    StreamReader reader{bytes, size, 0};
    int announced = 0;
    QuizStreamResult result = readHeader(reader, context, announced);
    if (result == quizStreamOk &&
        !(readQuestions(reader, context, announced) && readHints(reader, context, announced) &&
          readColour(reader, context)))
        result = quizStreamTruncated;
    if (result != quizStreamOk) clearQuizFields(context);
    return result;
}

void parseCodesStream(QuizContext *context, const std::uint8_t *bytes, std::size_t size) {
    StreamReader reader{bytes, size, 0};
    int lines = context->questionCount < codeCapacity ? context->questionCount : codeCapacity;
    for (int k = 0; k < lines; ++k) reader.readLine(context->codes[k], textSize);
}

void loadDemoQuiz(QuizContext *context) {
    copyText(context->title, textSize, "Nom du grelo");
    copyText(context->author, textSize, "Createur grelo");
    copyText(context->explanation, textSize, "Explications du grelo");
    copyText(context->firstAnswerLabel, textSize, "TEST");
    copyText(context->secondAnswerLabel, textSize, "TEST");
    context->backgroundRed = 51;
    context->backgroundGreen = 102;
    context->backgroundBlue = 255;
    context->questionCount = 7;
    context->hintStyle = 3;
    context->mode = quizPictures;
    context->answersPerQuestion = 2;
    appendQuestion(context, "TEST", "TEST", "emplacement");
    appendQuestion(context, "TEST", "TEST", "emplacement");
}
