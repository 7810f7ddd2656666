#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "answers/answer_slots.h"
#include "answers/hint_policy.h"
#include "answers/judgement.h"

namespace {

// Longer texts are passed whole, to see them cut.
std::string normalised(const std::string &text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.resize(text.size() > std::size_t(answerCapacity) ? text.size() + 1 : std::size_t(answerCapacity) + 1, '\0');
    normalizeAnswer(buffer.data());
    return buffer.data();
}

// A pattern repeated and cut to `length` characters.
std::string filled(int length, const std::string &pattern = "a") {
    std::string text;
    while (int(text.size()) < length) text += pattern;
    return text.substr(0, length);
}

}  // namespace

TEST(Normalisation, SpacesAndCapitals) {
    struct Case {
        std::string text, expected;
    } cases[] = {
        {"  paris ", "PARIS"},
        {"   ", ""},
        {"", ""},
        {"Tour   Eiffel", "TOUR EIFFEL"},
        {" a  b   c  ", "A B C"},
        {"\ta", "\tA"},                        // only byte 0x20 is a space
        {"a\t ", "A\t"},
        {"l'\xE9t\xE9-ci", "L'\xC9T\xC9-CI"},  // punctuation and accents stay
        {"\xE0\xE7\xEF", "\xC0\xC7\xCF"},
        {"\xF7\xFF", "\xD7\xDF"},              // ÷ becomes ×, ÿ becomes ß
        {"\xC9\xDF\x9C", "\xC9\xDF\x9C"},      // below 0xE0 nothing is raised
        {"{|}~`@[", "{|}~`@["},
        {filled(300), filled(259, "A")},
    };
    for (const Case &c : cases) EXPECT_EQ(normalised(c.text), c.expected) << c.text;
}

TEST(EditDistance, Levenshtein) {
    struct Case {
        std::string a, b;
        int distance;
    } cases[] = {
        {"", "", 0},
        {"ABC", "", 3},
        {"", "AB", 2},
        {"PARIS", "PARI", 1},
        {"PARIS", "PRAIS", 2},  // a swap costs two: no transposition
        {"KITTEN", "SITTING", 3},
        {"NAPOLEON BONAPARTE", "NAPOLEAN BONEPARTI", 3},
        {"NAPOLEON BONAPARTE", "NAPOLEAN BONEPARTU Z", 5},
        {filled(259, "a"), filled(259, "b"), 259},
        {filled(259, "ab"), filled(259, "ba"), 2},
        {filled(300, "a"), filled(259, "a"), 0},  // judged on the first 259
    };
    for (const Case &c : cases) {
        EXPECT_EQ(editDistance(c.a.c_str(), c.b.c_str()), c.distance) << c.a << " / " << c.b;
        EXPECT_EQ(editDistance(c.b.c_str(), c.a.c_str()), c.distance) << c.b << " / " << c.a;
    }
}

TEST(ContainmentScan, ResumesAtTheMismatch) {
    struct Case {
        std::string expected, typed;
        int result;
    } cases[] = {
        {"TOUR EIFFEL", "EIFFEL", -2},
        {"TOUR EIFFEL", "R EIFFEL", -2},
        {"PARIS", "PARIS FRANCE", 2},
        {"PARIS", "PARIS", 2},          // as long: the expected one is the needle
        {"ANANAS", "BANANAS", 2},
        {"ANANAS", "BANANANAS", 0},     // the partial match ANANA hides the occurrence
        {"AAB", "AAAB", 0},
        {"AAAB", "AAB", 0},             // shorter typed text, same miss
        {"AAB", "XAAB", 2},
        {"MONTAGNE", "MONT", -2},
        {"PARIS", "PRAIS", 0},
        {"ABCD", "", -2},               // an empty needle is found
    };
    for (const Case &c : cases)
        EXPECT_EQ(containmentScan(c.expected.c_str(), c.typed.c_str()), c.result)
            << c.expected << " / " << c.typed;
}

TEST(Judgement, StatusWords) {
    struct Case {
        std::string expected, typed;
        const char *word;
    } cases[] = {
        // Paris
        {"Paris", "  paris ", "BRAVO"},
        {"Paris", "   ", "?"},
        {"Paris", "", "?"},
        {"Paris", "Pari", "Quasiment"},
        {"Paris", "Pris", "Quasiment"},
        {"Paris", "Par", "Presque"},
        {"Paris", "Prais", "Anagramme"},
        {"Paris", "Paris France", "Trop long"},
        {"Paris", "C'est la ville de Paris", "Pas loin"},
        {"Paris", "\tParis", "Quasiment"},  // a tab is not a space
        // Tour Eiffel, 11 characters
        {"Tour Eiffel", "Eiffel", "Pas loin"},
        {"Tour Eiffel", "r Eiffel", "Trop court"},
        {"Tour Eiffel", "Tour", "FAUX"},
        {"Tour Eiffel", "Tour  Eiffel", "BRAVO"},
        {"Tour Eiffel", "  TOUR    eiffel  ", "BRAVO"},
        {"Tour Eiffel", "Tour\tEiffel", "Quasiment"},
        // pieces earn words only from 10 characters on
        {"Montagne", "Mont", "FAUX"},
        {"ABCDEFGHI", "ABCDEF", "FAUX"},
        {"ABCDEFGHIJ", "ABCDEF", "Pas loin"},
        // the 70 % and 50 % limits are strict
        {filled(20, "ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNO", "Trop court"},  // 75 %
        {filled(20, "ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMN", "Pas loin"},     // 70 %
        {filled(20, "ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJK", "Pas loin"},        // 55 %
        {filled(20, "ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJ", "FAUX"},             // 50 %
        // four times the expected length
        {"ABCD", "ABCD" + filled(12, "x"), "Trop long"},
        {"ABCD", "ABCD" + filled(13, "x"), "Pas loin"},
        // the 80 % similarity limit is strict
        {"Napoleon Bonaparte", "Napolean Boneparti", "y a de l'id\xE9" "e"},
        {"Napoleon Bonaparte", "Napolean Bonepartu Z", "FAUX"},
        {"ABCDEFGHIJKLMNOP", "XBCDEFGXIJKLMNOX", "y a de l'id\xE9" "e"},  // 16 > 5·3
        {"ABCDEFGHIJKLMNO", "XBCDEFGXIJKLMNX", "FAUX"},                 // 80 % exactly
        // three characters or fewer: no near-miss words
        {"abc", "ABC", "BRAVO"},
        {"abc", "abd", "FAUX"},
        {"abc", "", "?"},
        {"abc", "bca", "FAUX"},
        {"abc", "abcd", "FAUX"},
        {"", "x", "FAUX"},
        {"", " ", "?"},
        // from four characters on they start
        {"abcd", "abce", "Quasiment"},
        {"abcd", "bacd", "Anagramme"},
        // accents count, and only 0xE0 to 0xFF are raised
        {"L\xE9on", "LEON", "Quasiment"},
        {"L\xE9on", "L\xC9ON", "BRAVO"},
        {"a\xF7" "bcd", "A\xD7" "BCD", "BRAVO"},
        {"\xFF" "abc", "\xDF" "ABC", "BRAVO"},
        {"c\x9C" "ur", "C\x8C" "UR", "Quasiment"},
        {"Chien", "Niche", "Anagramme"},
        {"Ananas", "banananas", "FAUX"},
        // 259-character texts, and longer ones judged on their first 259
        {filled(259), filled(259, "A"), "BRAVO"},
        {filled(259), filled(300), "BRAVO"},
        {filled(259), filled(258), "Quasiment"},
        {filled(259, "ab"), filled(259, "ba"), "Presque"},
        {filled(259), filled(259, "b"), "FAUX"},
        {filled(259, "abcdefghij"), filled(259, "abcdefghij").replace(100, 3, "xyz"),
         "y a de l'id\xE9" "e"},
    };
    for (const Case &c : cases)
        EXPECT_STREQ(judgeAnswer(c.expected.c_str(), c.typed.c_str()), c.word)
            << "expected \"" << c.expected << "\", typed \"" << c.typed << "\"";
}

TEST(Judgement, StatusWordBytes) {
    EXPECT_STREQ(statusSimilar, "y a de l\x27id\xE9\x65");
    EXPECT_EQ(std::string(statusSimilar).size(), 13u);
}

TEST(Judgement, SolvedAtOnceOnlyForAnExactLongerAnswer) {
    struct Case {
        const char *expected, *typed;
        bool solvedAtOnce;
    } cases[] = {
        {"Paris", " PARIS", true},
        {"abc", "ABC", false},  // short answers wait for the whole question
        {"Paris", "Pari", false},
        {"Paris", "", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(judge(c.expected, c.typed).solvedAtOnce, c.solvedAtOnce) << c.expected << " / " << c.typed;
}

TEST(Judgement, ReadsNoFurtherThan259Characters) {
    // Neither text is terminated: a read past either one is an overread.
    std::vector<char> expected(259, 'a'), typed(259, 'a');
    EXPECT_STREQ(judgeAnswer(expected.data(), typed.data()), statusRight);
    typed[258] = 'b';
    EXPECT_STREQ(judgeAnswer(expected.data(), typed.data()), statusOneEdit);
    EXPECT_EQ(editDistance(expected.data(), typed.data()), 1);
    EXPECT_EQ(containmentScan(expected.data(), typed.data()), 0);
    EXPECT_FALSE(answerMatches(expected.data(), typed.data()));
}

TEST(Judgement, WholeQuestionMatch) {
    EXPECT_TRUE(answerMatches("Paris", "  paris "));
    EXPECT_TRUE(answerMatches("abc", "ABC"));
    EXPECT_FALSE(answerMatches("Paris", "Pari"));
    EXPECT_FALSE(answerMatches("L\xE9on", "LEON"));
}

TEST(AnswerSlots, BoxesOfTextAndTileQuizzes) {
    struct Case {
        QuizMode mode;
        int answersPerQuestion, boxId;
        int boxes, question, slot;
    } cases[] = {
        {quizText, 1, 4001, 1, 0, 1},
        {quizText, 1, 4005, 1, 4, 1},
        {quizText, 2, 4002, 1, 1, 1},  // one box per question whatever the byte says
        {quizText, 2, 4005, 1, 4, 1},
        {quizPictures, 1, 4003, 1, 2, 1},
        {quizPictures, 2, 4001, 2, 0, 1},
        {quizPictures, 2, 4002, 2, 0, 2},
        {quizAudio, 2, 4003, 2, 1, 1},
        {quizVideo, 2, 4190, 2, 94, 2},
    };
    for (const Case &c : cases) {
        QuizContext context{};
        context.mode = c.mode;
        context.answersPerQuestion = c.answersPerQuestion;
        int boxes = boxesPerQuestion(&context);
        EXPECT_EQ(boxes, c.boxes) << c.boxId;
        AnswerSlot slot = answerSlotOfBox(boxes, c.boxId);
        EXPECT_EQ(slot.question, c.question) << c.boxId;
        EXPECT_EQ(slot.slot, c.slot) << c.boxId;
        EXPECT_EQ(answerBoxId(boxes, slot.question, slot.slot), c.boxId);
    }
}

TEST(AnswerSlots, BoxRangeAndNeighbours) {
    QuizContext context{};
    context.mode = quizText;
    context.questionCount = 5;
    context.answersPerQuestion = 2;
    EXPECT_EQ(answerBoxCount(&context), 5);
    EXPECT_TRUE(isAnswerBoxId(&context, 4005));
    EXPECT_FALSE(isAnswerBoxId(&context, 4006));
    EXPECT_FALSE(isAnswerBoxId(&context, 4000));
    context.mode = quizPictures;
    EXPECT_EQ(answerBoxCount(&context), 10);
    EXPECT_TRUE(isAnswerBoxId(&context, 4010));

    EXPECT_EQ(resultLabelId(4001), 5001);
    EXPECT_EQ(hintLabelId(0), 8001);
    EXPECT_EQ(pictureTileId(0), 9901);
    EXPECT_EQ(answerPictureNumber(0), 10401);

    QuestionNode node{};
    EXPECT_EQ(expectedAnswer(&node, 1), node.answer);
    EXPECT_EQ(expectedAnswer(&node, 2), node.secondAnswer);
}

TEST(HintPolicy, WhatEachStyleDoes) {
    struct Case {
        int style;
        bool picture, hint, allAtEnd, hidesOnWrong;
    } cases[] = {
        {0, false, false, false, true}, {1, true, false, false, true},
        {2, false, true, false, true},  {3, true, true, false, true},
        {4, false, false, true, true},  {5, false, false, false, false},
        {6, false, false, false, true}, {255, false, false, false, true},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(putsAnswerPictureWhenRight(c.style), c.picture) << c.style;
        EXPECT_EQ(showsHintWhenRight(c.style), c.hint) << c.style;
        EXPECT_EQ(showsAllHintsAtEnd(c.style), c.allAtEnd) << c.style;
        EXPECT_EQ(hidesHintWhenWrong(c.style), c.hidesOnWrong) << c.style;
    }
}
