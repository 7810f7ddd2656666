#include <gtest/gtest.h>

#include <string>

#include "document/quiz_context.h"

namespace {

struct ContextFixture : ::testing::Test {
    QuizContext *context = new QuizContext();
    void SetUp() override { setContextDefaults(context); }
    void TearDown() override {
        freeQuestions(context);
        delete context;
    }
};

}  // namespace

TEST_F(ContextFixture, DefaultsAnnounceTwoTextQuestionsOverAnEmptyList) {
    EXPECT_STREQ(context->title, "Nom du grelo");
    EXPECT_STREQ(context->author, "Createur grelo");
    EXPECT_EQ(context->mode, quizText);
    EXPECT_EQ(context->questionCount, 2);
    EXPECT_EQ(context->answersPerQuestion, 1);
    EXPECT_EQ(context->hintStyle, 0);
    EXPECT_EQ(context->allHintsShown, 0);
    EXPECT_EQ(backgroundColour(context), 0x965F5Au);
    EXPECT_STREQ(context->mediaFolder, "");
    EXPECT_STREQ(context->explanation, "");  // zero-filled at creation
    EXPECT_STREQ(context->codes[95], "");
    for (int position : {0, 1, 6}) EXPECT_EQ(questionAt(context, position), nullptr);
}

TEST_F(ContextFixture, QuestionAtServesTheLastNodePastTheEnd) {
    appendQuestion(context, "Paris", "", "Capitale de la France ?");
    appendQuestion(context, "Rome", "Roma", "Capitale de l'Italie ?");
    QuestionNode *first = questionAt(context, 0);
    QuestionNode *second = questionAt(context, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(first->answer, "Paris");
    EXPECT_STREQ(second->secondAnswer, "Roma");
    EXPECT_STREQ(second->prompt, "Capitale de l'Italie ?");
    EXPECT_STREQ(second->hint, "");
    EXPECT_EQ(second->solved, 0);
    EXPECT_EQ(second->next, nullptr);
    EXPECT_EQ(questionAt(context, 6), second);
    EXPECT_EQ(questionAt(context, -1), first);
    EXPECT_EQ(context->firstQuestion, first);
    EXPECT_EQ(context->lastQuestion, second);
}

TEST_F(ContextFixture, AppendedTextsAreCutToTheirFields) {
    std::string longText(400, 'x');
    appendQuestion(context, longText.c_str(), nullptr, longText.c_str());
    QuestionNode *node = questionAt(context, 0);
    EXPECT_EQ(std::string(node->answer), std::string(259, 'x'));
    EXPECT_STREQ(node->secondAnswer, "");
    EXPECT_EQ(std::string(node->prompt).size(), 259u);
}

TEST_F(ContextFixture, FreeingTheListLeavesBothEndsNull) {
    for (int i = 0; i < 5; ++i) appendQuestion(context, "a", "b", "c");
    freeQuestions(context);
    EXPECT_EQ(context->firstQuestion, nullptr);
    EXPECT_EQ(context->lastQuestion, nullptr);
    freeQuestions(context);  // an empty list frees nothing
}

TEST(CopyText, CutsAndTerminates) {
    char field[5];
    struct Case {
        const char *from;
        const char *kept;
    } cases[] = {{"abc", "abc"}, {"abcd", "abcd"}, {"abcdef", "abcd"}, {"", ""}, {nullptr, ""}};
    for (const Case &c : cases) {
        copyText(field, sizeof field, c.from);
        EXPECT_STREQ(field, c.kept);
    }
}

TEST(KeepFileNamePart, LeavesTheNameAfterTheLastBackslash) {
    struct Case {
        const char *path;
        const char *name;
    } cases[] = {
        {"C:\\Jeux\\quiz.exe", "quiz.exe"},
        {"C:\\quiz.exe", "quiz.exe"},
        {"\\\\serveur\\partage\\Mon quiz.v2.exe", "Mon quiz.v2.exe"},
        {"quiz.exe", "quiz.exe"},
        {"C:\\Jeux\\", ""},
    };
    for (const Case &c : cases) {
        char buffer[260];
        copyText(buffer, sizeof buffer, c.path);
        keepFileNamePart(buffer);
        EXPECT_STREQ(buffer, c.name) << c.path;
    }
}
