#include "authoring/quiz_dump.h"

#include <cstdio>
#include <memory>

#include "authoring/file_kinds.h"
#include "authoring/quiz_package.h"
#include "authoring/quiz_toml.h"
#include "authoring/text_1252.h"
#include "document/lzw_decoder.h"
#include "document/quiz_context.h"
#include "document/quiz_stream.h"
#include "platform/platform.h"

namespace {

bool decode(const std::vector<std::uint8_t> &input, std::vector<std::uint8_t> &decoded) {
    std::uint8_t *output = nullptr;
    std::size_t length = 0;
    int result = lzwDecode(input.data(), input.size(), &output, &length);
    if (result == lzwOk) decoded.assign(output, output + length);
    heapFree(output);
    return result == lzwOk;
}

// As the player does: a quiz stream that does not decode as it stands is
// taken as protected, and its codes are unscrambled too.
bool decodeQuizStream(std::vector<std::uint8_t> stream, std::vector<std::uint8_t> &decoded,
                      bool &isProtected) {
    isProtected = false;
    if (decode(stream, decoded)) return true;
    unscramble(stream.data(), stream.size());
    isProtected = true;
    return decode(stream, decoded);
}

bool decodeCodesStream(std::vector<std::uint8_t> stream, bool isProtected,
                       std::vector<std::uint8_t> &decoded) {
    if (isProtected) unscramble(stream.data(), stream.size());
    return decode(stream, decoded);
}

struct ContextDeleter {
    void operator()(QuizContext *context) const {
        freeQuestions(context);
        delete context;
    }
};

void copyQuiz(const QuizContext &context, QuizDescription &quiz) {
    quiz.kind = context.mode;
    quiz.answersPerQuestion = context.answersPerQuestion;
    quiz.title = context.title;
    quiz.author = context.author;
    quiz.explanation = context.explanation;
    quiz.firstAnswerLabel = context.firstAnswerLabel;
    quiz.secondAnswerLabel = context.secondAnswerLabel;
    quiz.hintStyle = context.hintStyle;
    quiz.red = context.backgroundRed;
    quiz.green = context.backgroundGreen;
    quiz.blue = context.backgroundBlue;
    int count = 0;
    for (const QuestionNode *node = context.firstQuestion; node && count < context.questionCount;
         node = node->next, ++count)
        quiz.questions.push_back({node->prompt, node->answer, node->secondAnswer, node->hint, "", ""});
    for (int k = 0; k < count && k < codeCapacity; ++k) quiz.codes.push_back(context.codes[k]);
    // Trailing empty codes are what a shorter list gives anyway.
    while (!quiz.codes.empty() && quiz.codes.back().empty()) quiz.codes.pop_back();
}

std::optional<DumpedFile> findFile(const std::vector<PeResource> &resources, std::uint16_t number,
                                   bool isPicture) {
    DumpedFile file;
    if (const PeResource *image = findPeResource(resources, imageType(), resourceNumber(number))) {
        file.bytes = image->data;
        if (number > exchangedPictureThreshold) exchangeNibbles(file.bytes);
        file.resource = "IMG " + std::to_string(number);
    } else if (const PeResource *raw = isPicture ? findPeResource(resources, resourceNumber(resourceTypeRcData),
                                                                  resourceNumber(number))
                                                 : nullptr) {
        file.bytes = raw->data;
        file.resource = "RT_RCDATA " + std::to_string(number);
    } else {
        return std::nullopt;
    }
    if (isPicture) {
        PictureFormat format = pictureFormatOf(file.bytes);
        file.format = pictureFormatName(format);
        file.extension = pictureExtension(format);
    } else {
        MediaFormat format = mediaFormatOf(file.bytes);
        file.format = mediaFormatName(format);
        file.extension = mediaExtension(format);
    }
    return file;
}

std::string tomlString(const std::string &windows1252) {
    std::string out = "\"";
    for (char byte : windows1252) {
        char32_t character = windows1252Character(std::uint8_t(byte));
        if (character == '"' || character == '\\') {
            out += '\\';
            out += char(character);
        } else if (character < 0x20 || (character >= 0x7F && character < 0xA0)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", unsigned(character));
            out += escape;
        } else {
            out += windows1252ToUtf8(std::string(1, byte));
        }
    }
    return out + "\"";
}

std::string colourText(const QuizDescription &quiz) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", quiz.red, quiz.green, quiz.blue);
    return text;
}

void appendFileLine(std::string &toml, const char *key, const std::string &path,
                    const std::optional<DumpedFile> &file) {
    if (!file) return;
    std::string about = file->resource + ", " + file->format + ", " + std::to_string(file->bytes.size()) + " octets";
    if (!path.empty())
        toml += std::string(key) + " = " + tomlString(path) + "  # " + about + "\n";
    else
        toml += "# " + std::string(key) + " : " + about + " (non extrait : grelo-pack dump --extract DOSSIER)\n";
}

}  // namespace

bool dumpQuizResources(const std::vector<PeResource> &resources, DumpedQuiz &dumped,
                       std::string &problem) {
    dumped = {};
    const PeResource *quizResource = findPeResource(resources, patchType(), resourceNumber(quizStreamNumber));
    if (!quizResource || quizResource->data.empty()) {
        problem = "ce programme ne porte pas de quiz (pas de ressource PATCH 104)";
        return false;
    }
    std::vector<std::uint8_t> quizStream;
    bool isProtected = false;
    if (!decodeQuizStream(quizResource->data, quizStream, isProtected)) {
        problem = "le quiz (PATCH 104) ne se d\xC3\xA9" "code pas, ni tel quel ni d\xC3\xA9" "brouill\xC3\xA9";
        return false;
    }
    std::unique_ptr<QuizContext, ContextDeleter> context(new QuizContext());
    setContextDefaults(context.get());
    if (parseQuizStream(context.get(), quizStream.data(), quizStream.size()) != quizStreamOk) {
        problem = "le quiz (PATCH 104) se d\xC3\xA9" "code mais son contenu est incomplet ou invalide";
        return false;
    }
    if (quizStream.size() > 2 && quizStream[2] > maxQuestions)
        dumped.warnings.push_back("le quiz annonce " + std::to_string(quizStream[2]) +
                                  " questions ; le lecteur n'en montre que " + std::to_string(maxQuestions));

    const PeResource *codesResource = findPeResource(resources, patchType(), resourceNumber(codesStreamNumber));
    std::vector<std::uint8_t> codesStream;
    if (!codesResource || !decodeCodesStream(codesResource->data, isProtected, codesStream))
        dumped.warnings.push_back("les codes (PATCH 105) manquent ou ne se d\xC3\xA9" "codent pas : "
                                  "le lecteur afficherait \xC2\xAB Erreur dans le d\xC3\xA9" "cryptage des codes \xC2\xBB");
    else
        parseCodesStream(context.get(), codesStream.data(), codesStream.size());

    copyQuiz(*context, dumped.quiz);
    dumped.quiz.protect = isProtected;
    bool isPictureQuiz = dumped.quiz.kind == quizPictures;
    for (std::size_t index = 0; index < dumped.quiz.questions.size(); ++index) {
        std::uint16_t n = std::uint16_t(index + 1);
        DumpedQuestion files;
        if (dumped.quiz.kind != quizText) files.picture = findFile(resources, questionPictureBase + n, isPictureQuiz);
        if (isPictureQuiz) files.answerPicture = findFile(resources, answerPictureBase + n, true);
        dumped.files.push_back(std::move(files));
    }
    return true;
}

void nameDumpedFiles(DumpedQuiz &dumped) {
    for (std::size_t index = 0; index < dumped.files.size(); ++index) {
        char number[8];
        std::snprintf(number, sizeof number, "%02u", unsigned(index + 1));
        const DumpedQuestion &files = dumped.files[index];
        QuizQuestionDescription &question = dumped.quiz.questions[index];
        if (files.picture) question.picture = "question-" + std::string(number) + "." + files.picture->extension;
        if (files.answerPicture)
            question.answerPicture = "reponse-" + std::string(number) + "." + files.answerPicture->extension;
    }
}

std::string dumpedQuizToml(const DumpedQuiz &dumped, const std::string &programName) {
    const QuizDescription &quiz = dumped.quiz;
    std::string toml = "# Quiz lu dans " + programName + " par grelo-pack dump.\n";
    for (const std::string &warning : dumped.warnings) toml += "# Attention : " + warning + "\n";
    toml += "\nkind = " + tomlString(quizKindWord(quiz.kind)) + "\n";
    toml += "title = " + tomlString(quiz.title) + "\n";
    if (!quiz.author.empty()) toml += "author = " + tomlString(quiz.author) + "\n";
    if (!quiz.explanation.empty()) toml += "explanation = " + tomlString(quiz.explanation) + "\n";
    toml += "answers = " + std::to_string(quiz.answersPerQuestion) + "\n";
    if (!quiz.firstAnswerLabel.empty() || !quiz.secondAnswerLabel.empty())
        toml += "answer_labels = [" + tomlString(quiz.firstAnswerLabel) + ", " + tomlString(quiz.secondAnswerLabel) + "]\n";
    const char *style = hintStyleWord(quiz.hintStyle);
    toml += "hints = " + (style ? tomlString(style) : std::to_string(quiz.hintStyle)) + "\n";
    toml += "background = " + tomlString(colourText(quiz)) + "\n";
    toml += std::string("protect = ") + (quiz.protect ? "true" : "false") + "\n";
    if (!quiz.codes.empty()) {
        toml += "codes = [\n";
        for (std::size_t k = 0; k < quiz.codes.size(); ++k)
            toml += "  " + tomlString(quiz.codes[k]) + ",  # " + std::to_string(k + 1) + (k == 0 ? " point\n" : " points\n");
        toml += "]\n";
    }
    bool hintCarried = quiz.hintStyle >= 1 && quiz.hintStyle <= 4;
    for (std::size_t index = 0; index < quiz.questions.size(); ++index) {
        const QuizQuestionDescription &question = quiz.questions[index];
        toml += "\n[[question]]  # " + std::to_string(index + 1) + "\n";
        // Tiles do not show the question text; a text row always does.
        if (quiz.kind == quizText || !question.prompt.empty())
            toml += "prompt = " + tomlString(question.prompt) + "\n";
        toml += "answer = " + tomlString(question.answer) + "\n";
        if (quiz.answersPerQuestion == 2) toml += "second_answer = " + tomlString(question.secondAnswer) + "\n";
        // Style 1 carries a text that nothing shows; only a real one is kept.
        if (hintCarried && (quiz.hintStyle != 1 || !question.hint.empty()))
            toml += "hint = " + tomlString(question.hint) + "\n";
        if (index < dumped.files.size()) {
            const DumpedQuestion &files = dumped.files[index];
            appendFileLine(toml, quiz.kind == quizPictures ? "picture" : "media", question.picture, files.picture);
            appendFileLine(toml, "answer_picture", question.answerPicture, files.answerPicture);
        }
    }
    return toml;
}
