#include <gtest/gtest.h>

#include <string>

#include "authoring/lzw_encoder.h"
#include "document/link_stream.h"
#include "document/lzw_decoder.h"
#include "document/quiz_loading.h"
#include "document/quiz_stream.h"
#include "quiz_test_support.h"

namespace {

struct PackedQuiz {
    std::vector<std::uint8_t> quiz, codes;
};

PackedQuiz pack(const QuizDescription &description) {
    return {packStream(quizStreamBytes(description), description.protect),
            packStream(codesStreamBytes(description), description.protect)};
}

ResourceBytes resource(const std::vector<std::uint8_t> &bytes) { return {bytes.data(), bytes.size()}; }

const ResourceBytes theLinkStream = {linkStream, linkStreamSize};
const ResourceBytes missing = {nullptr, 0};

QuizLoadEnd load(QuizContext *context, const PackedQuiz &packed) {
    resetMessages();
    return loadQuizFromStreams(context, theLinkStream, resource(packed.quiz), resource(packed.codes));
}

std::vector<std::string> hints(const QuizContext *context) {
    std::vector<std::string> texts;
    for (QuestionNode *node = context->firstQuestion; node; node = node->next) texts.push_back(node->hint);
    return texts;
}

}  // namespace

TEST(QuizLoading, LoadsWhatTheWriterWrote) {
    struct Case {
        const char *name;
        int questions, answers, hintStyle;
        bool protect;
        std::vector<std::string> hintsLoaded;
    } cases[] = {
        {"plain, one answer, no hints", 2, 1, 0, false, {"", ""}},
        {"protected, one answer", 2, 1, 0, true, {"", ""}},
        {"two answers, protected", 3, 2, 2, true, {"Indice 1", "Indice 2", "Indice 3"}},
        {"hint style 1", 2, 1, 1, false, {"Indice 1", "Indice 2"}},
        {"hint style 3 keeps the first of two texts", 2, 2, 3, false, {"Indice 1", "Indice 2"}},
        {"hint style 4", 2, 1, 4, true, {"Indice 1", "Indice 2"}},
        {"hint style 5 carries no texts", 2, 1, 5, false, {"", ""}},
        {"hint style 6 carries no texts", 2, 1, 6, false, {"", ""}},
        {"hint style 255", 1, 1, 255, false, {""}},
        {"zero questions", 0, 1, 2, false, {}},
    };
    for (const Case &c : cases) {
        QuizDescription description = sampleQuiz(c.questions, c.answers, c.hintStyle);
        description.protect = c.protect;
        ContextPointer context = newContext();
        ASSERT_EQ(load(context.get(), pack(description)), quizLoadComplete) << c.name;
        EXPECT_EQ(lastMessage().count, 0) << c.name;
        EXPECT_EQ(context->mode, QuizMode(description.kind)) << c.name;
        EXPECT_EQ(context->questionCount, c.questions) << c.name;
        EXPECT_EQ(context->answersPerQuestion, c.answers) << c.name;
        EXPECT_EQ(context->hintStyle, c.hintStyle) << c.name;
        EXPECT_STREQ(context->title, "Capitales");
        EXPECT_STREQ(context->author, "Mme Dupr\xE9");
        EXPECT_STREQ(context->explanation, "Trouvez la capitale de chaque pays.");
        EXPECT_STREQ(context->firstAnswerLabel, "Ville");
        EXPECT_STREQ(context->secondAnswerLabel, "Pays");
        EXPECT_EQ(hints(context.get()), c.hintsLoaded) << c.name;
        EXPECT_EQ(backgroundColour(context.get()), 0x1E140Au) << c.name;
        for (int q = 0; q < c.questions; ++q) {
            QuestionNode *node = questionAt(context.get(), q);
            std::string n = std::to_string(q + 1);
            EXPECT_EQ(node->prompt, "Question " + n);
            EXPECT_EQ(node->answer, "R\xE9ponse " + n);
            EXPECT_EQ(node->secondAnswer, c.answers == 2 ? "Seconde " + n : "");
            EXPECT_EQ(std::string(context->codes[q]), "CODE-" + n);
        }
        EXPECT_STREQ(context->linkTarget, GRELO_LINK_TARGET);
        EXPECT_STREQ(context->linkCaption, GRELO_LINK_CAPTION);
    }
}

TEST(QuizLoading, EveryEndStateWithItsMessage) {
    PackedQuiz good = pack(sampleQuiz(2));
    std::vector<std::uint8_t> badLink = {0xFF, 0xFF, 0xFF};
    std::vector<std::uint8_t> garbage = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    struct Case {
        const char *name;
        ResourceBytes link, quiz, codes;
        QuizLoadEnd end;
        const char *message;
        int questionCount;
        const char *title;
    } cases[] = {
        {"link undecodable", resource(badLink), resource(good.quiz), resource(good.codes),
         quizLoadLinkUndecodable, "Erreur dans le d\xE9" "cryptage", 0, "Nom du grelo"},
        {"quiz missing", theLinkStream, missing, resource(good.codes), quizLoadDemo,
         "Fichier vide \xE0 relire", 7, "Nom du grelo"},
        {"quiz undecodable", theLinkStream, resource(garbage), resource(good.codes),
         quizLoadQuizUndecodable, "Erreur dans le d\xE9" "cryptage des reponses", 0, "Nom du grelo"},
        {"codes missing", theLinkStream, resource(good.quiz), missing, quizLoadCodesUndecodable,
         "Erreur dans le d\xE9" "cryptage des codes", 2, "Capitales"},
        {"codes undecodable", theLinkStream, resource(good.quiz), resource(garbage),
         quizLoadCodesUndecodable, "Erreur dans le d\xE9" "cryptage des codes", 2, "Capitales"},
        {"complete", theLinkStream, resource(good.quiz), resource(good.codes), quizLoadComplete,
         nullptr, 2, "Capitales"},
    };
    for (const Case &c : cases) {
        ContextPointer context = newContext();
        resetMessages();
        EXPECT_EQ(loadQuizFromStreams(context.get(), c.link, c.quiz, c.codes), c.end) << c.name;
        if (c.message) {
            EXPECT_EQ(lastMessage().count, 1) << c.name;
            EXPECT_STREQ(lastMessage().text, c.message) << c.name;
            EXPECT_STREQ(lastMessage().caption, "Grelo") << c.name;
            EXPECT_EQ(lastMessage().style, MB_OK) << c.name;
        } else {
            EXPECT_EQ(lastMessage().count, 0) << c.name;
        }
        EXPECT_EQ(context->questionCount, c.questionCount) << c.name;
        EXPECT_STREQ(context->title, c.title) << c.name;
        EXPECT_STREQ(context->codes[0], c.end == quizLoadComplete ? "CODE-1" : "") << c.name;
    }
}

TEST(QuizLoading, TheDemoQuizServesSevenTilesFromTwoNodes) {
    ContextPointer context = newContext();
    ASSERT_EQ(loadQuizFromStreams(context.get(), theLinkStream, missing, missing), quizLoadDemo);
    EXPECT_EQ(lastMessage().count, 1);  // the codes are not read at all
    EXPECT_EQ(context->mode, quizPictures);
    EXPECT_EQ(context->questionCount, 7);
    EXPECT_EQ(context->answersPerQuestion, 2);
    EXPECT_EQ(context->hintStyle, 3);
    EXPECT_STREQ(context->author, "Createur grelo");
    EXPECT_STREQ(context->explanation, "Explications du grelo");
    EXPECT_EQ(backgroundColour(context.get()), 0xFF6633u);
    EXPECT_EQ(questionAt(context.get(), 6), questionAt(context.get(), 1));
    EXPECT_NE(questionAt(context.get(), 1), questionAt(context.get(), 0));
    EXPECT_EQ(questionAt(context.get(), 1)->next, nullptr);
    EXPECT_STREQ(questionAt(context.get(), 0)->prompt, "emplacement");
}

TEST(QuizLoading, AStreamThatDecodesDirectlyIsNotProtected) {
    // Plain quiz with scrambled codes: the codes are decoded as they stand and fail.
    QuizDescription description = sampleQuiz(2);
    std::vector<std::uint8_t> quiz = packStream(quizStreamBytes(description), false);
    std::vector<std::uint8_t> codes = packStream(codesStreamBytes(description), true);
    ContextPointer context = newContext();
    EXPECT_EQ(loadQuizFromStreams(context.get(), theLinkStream, resource(quiz), resource(codes)),
              quizLoadCodesUndecodable);
}

TEST(QuizLoading, ResourceBytesAreLeftAsTheyWere) {
    QuizDescription description = sampleQuiz(3);
    description.protect = true;
    PackedQuiz packed = pack(description);
    PackedQuiz before = packed;
    ContextPointer context = newContext();
    EXPECT_EQ(load(context.get(), packed), quizLoadComplete);
    EXPECT_EQ(packed.quiz, before.quiz);
    EXPECT_EQ(packed.codes, before.codes);
}

TEST(Unscramble, XorsFromTheSecondByteWithTheKeyAgainFromItsStart) {
    std::vector<std::uint8_t> bytes(45, 0);
    unscramble(bytes.data(), bytes.size());
    EXPECT_EQ(bytes[0], 0);
    const std::string key = "Fichier vide \xE0 relire";
    ASSERT_EQ(key.size(), std::size_t(scrambleKeyLength));
    for (std::size_t p = 1; p < bytes.size(); ++p) EXPECT_EQ(bytes[p], std::uint8_t(key[(p - 1) % 21])) << p;
    unscramble(bytes.data(), bytes.size());
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(45, 0));
}

TEST(ParseQuizStream, RefusesWhatCannotBeLaidOut) {
    struct Case {
        const char *name;
        std::string stream;
        QuizStreamResult result;
    } cases[] = {
        {"kind byte 0", std::string("G\x00\x01\x01t|a|e|1|2|r|q|\x00\x01\x02\x03", 19), quizStreamBadKind},
        {"kind byte 5", "G\x05\x01\x01t|a|e|1|2|r|q|\x00\x01\x02\x03", quizStreamBadKind},
        {"three answers", "G\x01\x01\x03t|a|e|1|2|r|q|\x00\x01\x02\x03", quizStreamBadAnswers},
        {"zero answers", std::string("G\x01\x01\x00t|a|e|1|2|r|q|\x00\x01\x02\x03", 19), quizStreamBadAnswers},
        {"no colour", std::string("G\x01\x01\x01t|a|e|1|2|r|q|\x00\x01\x02", 18), quizStreamTruncated},
        {"fewer groups than announced", std::string("G\x01\x03\x01t|a|e|1|2|r|q|\x00\x01\x02\x03", 19),
         quizStreamTruncated},
        {"header only", "G\x01\x01", quizStreamTruncated},
        {"empty", "", quizStreamTruncated},
    };
    for (const Case &c : cases) {
        ContextPointer context = newContext();
        std::vector<std::uint8_t> bytes = bytesOf(c.stream);
        EXPECT_EQ(parseQuizStream(context.get(), bytes.data(), bytes.size()), c.result) << c.name;
        EXPECT_EQ(context->questionCount, 0) << c.name;
        EXPECT_EQ(context->firstQuestion, nullptr) << c.name;
        EXPECT_STREQ(context->title, "Nom du grelo") << c.name;
        EXPECT_EQ(context->mode, quizText) << c.name;
    }
}

TEST(ParseQuizStream, NeverReadsPastAnyCut) {
    std::vector<std::uint8_t> whole = quizStreamBytes(sampleQuiz(4, 2, 3));
    for (std::size_t size = 0; size < whole.size(); ++size) {
        // A copy of exactly `size` bytes, so the sanitizers see any overread.
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(size));
        ContextPointer context = newContext();
        EXPECT_NE(parseQuizStream(context.get(), cut.data(), cut.size()), quizStreamOk) << size;
        EXPECT_EQ(context->firstQuestion, nullptr) << size;
    }
    ContextPointer context = newContext();
    EXPECT_EQ(parseQuizStream(context.get(), whole.data(), whole.size()), quizStreamOk);
}

TEST(ParseQuizStream, EmptyTextsAndNulTerminatorsAndLongTexts) {
    std::string longText(300, 'L');
    std::string stream = std::string("G\x01\x01\x01", 4) + longText + "|" + std::string("a\0e|", 4) +
                         "|2|" + "||" + std::string("\x02", 1) + "indice|" + "\x05\x06\x07";
    std::vector<std::uint8_t> bytes = bytesOf(stream);
    ContextPointer context = newContext();
    ASSERT_EQ(parseQuizStream(context.get(), bytes.data(), bytes.size()), quizStreamOk);
    EXPECT_EQ(std::string(context->title), std::string(259, 'L'));
    EXPECT_STREQ(context->author, "a");  // NUL ends a text like "|"
    EXPECT_STREQ(context->explanation, "e");
    EXPECT_STREQ(context->firstAnswerLabel, "");
    EXPECT_STREQ(context->secondAnswerLabel, "2");
    EXPECT_STREQ(questionAt(context.get(), 0)->answer, "");
    EXPECT_STREQ(questionAt(context.get(), 0)->prompt, "");
    EXPECT_STREQ(questionAt(context.get(), 0)->hint, "indice");
    EXPECT_EQ(backgroundColour(context.get()), 0x070605u);
}

TEST(ParseQuizStream, MoreThan95QuestionsLoadTheFirst95AndStayInStep) {
    QuizDescription description = sampleQuiz(120, 1, 2);
    description.red = 1;
    description.green = 2;
    description.blue = 3;
    std::vector<std::uint8_t> bytes = quizStreamBytes(description);
    ContextPointer context = newContext();
    ASSERT_EQ(parseQuizStream(context.get(), bytes.data(), bytes.size()), quizStreamOk);
    EXPECT_EQ(context->questionCount, 95);
    EXPECT_STREQ(context->lastQuestion->prompt, "Question 95");
    EXPECT_STREQ(context->lastQuestion->hint, "Indice 95");
    EXPECT_EQ(context->hintStyle, 2);
    EXPECT_EQ(backgroundColour(context.get()), 0x030201u);
}

TEST(ParseCodesStream, OneLinePerQuestion) {
    struct Case {
        const char *name;
        std::string stream;
        std::vector<std::string> codes;
    } cases[] = {
        {"CR LF lines", "UN\r\nDEUX\r\nTROIS\r\n", {"UN", "DEUX", "TROIS"}},
        {"last line without CR LF", "UN\r\nDEUX\r\nTROIS", {"UN", "DEUX", "TROIS"}},
        {"fewer lines than questions", "UN\r\n", {"UN", "", ""}},
        {"more lines than questions", "UN\r\nDEUX\r\nTROIS\r\nQUATRE\r\n", {"UN", "DEUX", "TROIS"}},
        {"empty lines", "\r\n\r\nTROIS\r\n", {"", "", "TROIS"}},
        {"a lone CR at the end", "UN\r", {"UN", "", ""}},
        {"a line longer than its field", std::string(300, 'c') + "\r\nDEUX\r\n",
         {std::string(259, 'c'), "DEUX", ""}},
    };
    for (const Case &c : cases) {
        ContextPointer context = newContext();
        context->questionCount = 3;
        std::vector<std::uint8_t> bytes = bytesOf(c.stream);
        parseCodesStream(context.get(), bytes.data(), bytes.size());
        for (int k = 0; k < 3; ++k) EXPECT_EQ(context->codes[k], c.codes[std::size_t(k)]) << c.name << " " << k;
        EXPECT_STREQ(context->codes[3], "") << c.name;
    }
}

TEST(ParseLinkStream, TextsAreCutToTheirFields) {
    std::vector<std::uint8_t> bytes = bytesOf("GL" + std::string(30, 't') + "|" + std::string(50, 'c') + "|");
    ContextPointer context = newContext();
    parseLinkStream(context.get(), bytes.data(), bytes.size());
    EXPECT_EQ(std::string(context->linkTarget), std::string(24, 't'));
    EXPECT_EQ(std::string(context->linkCaption), std::string(42, 'c'));
    std::vector<std::uint8_t> shortStream = bytesOf("G");
    ContextPointer other = newContext();
    parseLinkStream(other.get(), shortStream.data(), shortStream.size());
    EXPECT_STREQ(other->linkTarget, "");
}

TEST(PackStream, AProtectedStreamNeverDecodesAsItStands) {
    for (int questions : {0, 1, 5, 40}) {
        QuizDescription description = sampleQuiz(questions);
        std::vector<std::uint8_t> packed = packStream(quizStreamBytes(description), true);
        ASSERT_FALSE(packed.empty());
        std::uint8_t *output = nullptr;
        std::size_t length = 0;
        EXPECT_NE(lzwDecode(packed.data(), packed.size(), &output, &length), lzwOk) << questions;
        heapFree(output);
    }
}
