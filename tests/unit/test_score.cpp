#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "answers/score.h"

namespace {

// The question panel's result labels by identifier; a missing one reads empty.
struct Labels {
    std::map<int, std::string> texts;

    static void read(void *state, int labelId, char *text, int size) {
        const auto &texts = static_cast<Labels *>(state)->texts;
        auto found = texts.find(labelId);
        std::snprintf(text, size, "%s", found == texts.end() ? "" : found->second.c_str());
    }
};

struct ScoreFixture : ::testing::Test {
    std::unique_ptr<QuizContext> context = std::make_unique<QuizContext>();
    Labels labels;

    void SetUp() override {
        setContextDefaults(context.get());
        context->questionCount = 12;
        for (int k = 0; k < 12; ++k) std::snprintf(context->codes[k], textSize, "CODE%d", k + 1);
    }
    void allLabels(int count, const char *word) {
        for (int id = 5001; id <= 5000 + count; ++id) labels.texts[id] = word;
    }
    int score() { return countScore(context.get(), Labels::read, &labels); }
    std::string scoreText() {
        char text[scoreTextSize];
        formatScoreText(score(), context->questionCount, text);
        return text;
    }
};

}  // namespace

TEST_F(ScoreFixture, NothingRightShowsNoCode) {
    allLabels(12, "FAUX");
    EXPECT_EQ(scoreText(), " 0 / 12");
    EXPECT_EQ(std::string(rewardCodeText(context.get(), 0)), "      ");
}

TEST_F(ScoreFixture, CountsFromTheLabels) {
    allLabels(12, "?");
    labels.texts[5001] = "BRAVO";
    EXPECT_EQ(scoreText(), " 1 / 12");
    EXPECT_STREQ(rewardCodeText(context.get(), 1), "CODE1");

    labels.texts[5001] = "Presque";  // a question that counted stops counting
    EXPECT_EQ(score(), 0);

    allLabels(12, "BRAVO");
    EXPECT_EQ(scoreText(), " 12 / 12");
    EXPECT_STREQ(rewardCodeText(context.get(), 12), "CODE12");
}

TEST_F(ScoreFixture, OnlyTheExactWordCounts) {
    labels.texts = {{5001, "bravo"}, {5002, "BRAVO "}, {5003, " BRAVO"}, {5004, "BRAVOS"}, {5005, "BRAVO"}};
    EXPECT_EQ(score(), 1);
}

TEST_F(ScoreFixture, MissingLabelsDoNotCount) {
    labels.texts = {{5001, "BRAVO"}, {5002, "BRAVO"}};  // the rest not created yet
    EXPECT_EQ(score(), 2);
}

TEST_F(ScoreFixture, TwoAnswersPerTileQuestion) {
    context->mode = quizPictures;
    context->answersPerQuestion = 2;
    labels.texts = {{5001, "BRAVO"}, {5002, "FAUX"}, {5003, "BRAVO"}};
    EXPECT_EQ(score(), 0);  // question 1 half right, question 2 half answered
    labels.texts[5002] = "BRAVO";
    EXPECT_EQ(score(), 1);
    labels.texts[5004] = "BRAVO";
    EXPECT_EQ(score(), 2);
}

TEST_F(ScoreFixture, TextQuizCountsOneBoxPerQuestion) {
    context->mode = quizText;
    context->answersPerQuestion = 2;  // the layout still makes one box per question
    labels.texts = {{5001, "BRAVO"}, {5002, "BRAVO"}, {5003, "FAUX"}};
    EXPECT_EQ(score(), 2);
}

TEST_F(ScoreFixture, CodeField) {
    context->codes[2][0] = '\0';
    EXPECT_STREQ(rewardCodeText(context.get(), 3), "");  // left empty by the codes
    EXPECT_STREQ(rewardCodeText(context.get(), codeCapacity + 1), "      ");
    EXPECT_STREQ(rewardCodeText(context.get(), -1), "      ");
}

TEST(ScoreText, Format) {
    char text[scoreTextSize];
    formatScoreText(3, 12, text);
    EXPECT_STREQ(text, " 3 / 12");
    formatScoreText(95, 95, text);
    EXPECT_STREQ(text, " 95 / 95");
    formatScoreText(0, 0, text);
    EXPECT_STREQ(text, " 0 / 0");
}
