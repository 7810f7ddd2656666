#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "authoring/quiz_toml.h"
#include "grelo_pack_test_support.h"

namespace {

// A folder holding one file of each kind a description may name.
class QuizTomlTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    std::string path = folder.file("quiz.toml");

    void SetUp() override {
        writeTestFile(folder.file("a.jpg"), testJpeg());
        writeTestFile(folder.file("b.png"), testPng());
        writeTestFile(folder.file("notes.txt"), "not a picture");
        writeTestFile(folder.file("s.wav"), testWav());
        writeTestFile(folder.file("f.avi"), testAvi());
        writeTestFile(folder.file("bare.mp3"), std::string("\xFF\xFB\x90\x44\0\0", 6));
    }

    QuizTomlResult parse(const std::string &text) { return parseQuizToml(text, path); }
};

std::string joined(const std::vector<std::string> &errors) {
    std::string all;
    for (const std::string &error : errors) all += error + "\n";
    return all;
}

// n questions of a text quiz, each four lines long from line `first`.
std::string textQuestions(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "\n[[question]]\nprompt = \"Q" + std::to_string(i) + "\"\nanswer = \"R" + std::to_string(i) + "\"\n";
    return text;
}

const std::string textHeader = "kind = \"texte\"\ntitle = \"T\"\n";  // lines 1 and 2
const std::string pictureHeader = "kind = \"images\"\ntitle = \"T\"\n";

}  // namespace

TEST_F(QuizTomlTest, CompleteDescriptionIsRead) {
    QuizTomlResult result = parse(
        "kind = \"images\"\n"
        "title = \"Drapeaux d'Europe\"\n"
        "author = \"Mme Dupr\xC3\xA9\"\n"
        "explanation = \"Trouvez le pays \xE2\x80\x94 vite !\"\n"
        "answers = 2\n"
        "answer_labels = [\"Pays\", \"Capitale\"]\n"
        "hints = \"indice-puis-image\"\n"
        "background = \"#1a2B3c\"\n"
        "protect = true\n"
        "codes = [\"un\", \"deux | \xE2\x82\xAC\"]\n"
        "[[question]]\n"
        "answer = \"France\"\n"
        "second_answer = \"Paris\"\n"
        "hint = \"\xC5\x93uf\"\n"
        "picture = \"a.jpg\"\n"
        "answer_picture = \"b.png\"\n"
        "[[question]]\n"
        "prompt = \"Le second\"\n"
        "answer = \"Italie\"\n"
        "second_answer = \"Rome\"\n"
        "hint = \"\"\n"
        "picture = \"./b.png\"\n"
        "answer_picture = \"a.jpg\"\n");
    ASSERT_TRUE(result.ok) << joined(result.errors);
    const QuizDescription &quiz = result.quiz;
    EXPECT_EQ(quiz.kind, 1);
    EXPECT_EQ(quiz.title, "Drapeaux d'Europe");
    EXPECT_EQ(quiz.author, "Mme Dupr\xE9");
    EXPECT_EQ(quiz.explanation, "Trouvez le pays \x97 vite !");
    EXPECT_EQ(quiz.answersPerQuestion, 2);
    EXPECT_EQ(quiz.firstAnswerLabel, "Pays");
    EXPECT_EQ(quiz.secondAnswerLabel, "Capitale");
    EXPECT_EQ(quiz.hintStyle, 3);
    EXPECT_EQ(quiz.red, 0x1A);
    EXPECT_EQ(quiz.green, 0x2B);
    EXPECT_EQ(quiz.blue, 0x3C);
    EXPECT_TRUE(quiz.protect);
    EXPECT_EQ(quiz.codes, (std::vector<std::string>{"un", "deux | \x80"}));
    ASSERT_EQ(quiz.questions.size(), 2u);
    EXPECT_EQ(quiz.questions[0].prompt, "");
    EXPECT_EQ(quiz.questions[0].answer, "France");
    EXPECT_EQ(quiz.questions[0].secondAnswer, "Paris");
    EXPECT_EQ(quiz.questions[0].hint, "\x9C" "uf");
    EXPECT_EQ(quiz.questions[1].prompt, "Le second");
    // Paths are taken from the description's folder; one file read once.
    EXPECT_EQ(quiz.questions[0].picture, folder.file("a.jpg"));
    EXPECT_EQ(quiz.questions[1].picture, folder.file("b.png"));
    EXPECT_EQ(quiz.questions[0].answerPicture, folder.file("b.png"));
    EXPECT_EQ(result.files.size(), 2u);
    EXPECT_EQ(result.files[folder.file("a.jpg")], bytesOfText(testJpeg()));
}

TEST_F(QuizTomlTest, DefaultsAndOtherSpellings) {
    QuizTomlResult result = parse("kind = \"audio\"\ntitle = \"Sons\"\nhints = 5\n"
                                  "[[question]]\nanswer = \"la\"\nmedia = \"s.wav\"\n");
    ASSERT_TRUE(result.ok) << joined(result.errors);
    EXPECT_EQ(result.quiz.kind, 2);
    EXPECT_EQ(result.quiz.hintStyle, 5);
    EXPECT_EQ(result.quiz.answersPerQuestion, 1);
    EXPECT_EQ(result.quiz.red, 90);
    EXPECT_EQ(result.quiz.green, 95);
    EXPECT_EQ(result.quiz.blue, 150);
    EXPECT_FALSE(result.quiz.protect);
    EXPECT_TRUE(result.quiz.codes.empty());
    EXPECT_EQ(result.quiz.questions[0].picture, folder.file("s.wav"));

    struct Spelling {
        const char *word;
        int kind;
        const char *file;
    } spellings[] = {{"text", 0, ""}, {"pictures", 1, "picture = \"a.jpg\"\n"},
                     {"image", 1, "picture = \"b.png\"\n"}, {"video", 3, "media = \"f.avi\"\n"},
                     {"vid\xC3\xA9o", 3, "media = \"f.avi\"\n"}};
    for (const Spelling &s : spellings) {
        QuizTomlResult spelled = parse(std::string("kind = \"") + s.word + "\"\ntitle = \"T\"\n[[question]]\n"
                                       "prompt = \"Q\"\nanswer = \"R\"\n" + s.file);
        EXPECT_TRUE(spelled.ok) << s.word << joined(spelled.errors);
        EXPECT_EQ(spelled.quiz.kind, s.kind) << s.word;
    }
    // Hint styles by number, 6 included; texts where the style carries them.
    for (int style = 0; style <= 6; ++style) {
        std::string hint = style >= 2 && style <= 4 ? "hint = \"h\"\n" : "";
        std::string answerPicture = style == 1 || style == 3 ? "answer_picture = \"b.png\"\n" : "";
        QuizTomlResult styled = parse(pictureHeader + "hints = " + std::to_string(style) +
                                      "\n[[question]]\nanswer = \"R\"\npicture = \"a.jpg\"\n" + hint + answerPicture);
        EXPECT_TRUE(styled.ok) << style << joined(styled.errors);
        EXPECT_EQ(styled.quiz.hintStyle, style);
    }
    // 95 questions fit, and 259 characters fit even when UTF-8 needs more bytes.
    EXPECT_TRUE(parse(textHeader + textQuestions(95)).ok);
    std::string longest;
    for (int i = 0; i < 259; ++i) longest += "\xC3\xA9";
    QuizTomlResult longText = parse(textHeader + "explanation = \"" + longest + "\"\n" + textQuestions(1));
    ASSERT_TRUE(longText.ok) << joined(longText.errors);
    EXPECT_EQ(longText.quiz.explanation, std::string(259, '\xE9'));
}

// Every mistake: the one message it gives, with file, line and question.
TEST_F(QuizTomlTest, EveryMistakeIsNamedWithItsPlace) {
    std::string tooLong(260, 'x');
    struct Case {
        std::string description;
        std::vector<std::string> expected;  // fragments of the one error
    } cases[] = {
        {"kind = \"texte\"\ntitle = \n", {"quiz.toml:2:", "syntaxe TOML"}},
        {"kind = \"texte\"\ntitle = \"a\"\ntitle = \"b\"\n" + textQuestions(1), {"quiz.toml:3:", "syntaxe TOML"}},
        // A non-ASCII bare key: toml++ asks whether its letters are whitespace.
        {textHeader + "r\xC3\xA9ponse = \"x\"\n" + textQuestions(1), {"quiz.toml:3:", "syntaxe TOML"}},
        {textHeader + "titel = \"x\"\n" + textQuestions(1),
         {"quiz.toml:3: ", "inconnue \xC2\xAB titel \xC2\xBB", "\xC2\xAB title \xC2\xBB ?"}},
        {textHeader + textQuestions(1) + "anwser = \"x\"\n",
         {"quiz.toml:7: question 1 : ", "inconnue \xC2\xAB anwser \xC2\xBB", "answer"}},
        {textHeader + "[question.sub]\nx = 1\n", {"quiz.toml:3: ", "[[question]]"}},
        {textHeader + "question = \"x\"\n", {"quiz.toml:3: ", "[[question]]"}},
        {textHeader, {"quiz.toml: ", "aucune question"}},
        {"title = \"T\"\n" + textQuestions(1), {"quiz.toml: ", "\xC2\xAB kind \xC2\xBB manquant"}},
        {"kind = \"quiz\"\ntitle = \"T\"\n" + textQuestions(1), {"quiz.toml:1: ", "kind"}},
        {"kind = \"texte\"\n" + textQuestions(1), {"quiz.toml: ", "\xC2\xAB title \xC2\xBB manquant"}},
        {"kind = \"texte\"\ntitle = 3\n" + textQuestions(1), {"quiz.toml:2: ", "title", "un texte"}},
        // Answers.
        {textHeader + "\n[[question]]\nprompt = \"Q\"\n", {"quiz.toml:4: question 1 : ", "answer", "manquant"}},
        {textHeader + textQuestions(1) + "\n[[question]]\nprompt = \"Q\"\nanswer = \"   \"\n",
         {"quiz.toml:10: question 2 : ", "answer", "vide"}},
        {pictureHeader + "answers = 2\n[[question]]\nanswer = \"R\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:4: question 1 : ", "second_answer", "manquant"}},
        {pictureHeader + "[[question]]\nanswer = \"R\"\nsecond_answer = \"S\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:5: question 1 : ", "answers = 2"}},
        {textHeader + "answers = 2\n" + textQuestions(1), {"quiz.toml:3: ", "un quiz texte", "answers = 2"}},
        {textHeader + "answers = 3\n" + textQuestions(1), {"quiz.toml:3: ", "1 ou 2"}},
        {pictureHeader + "[[question]]\nanswer = \"" + std::string(129, 'a') + "\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:4: question 1 : ", "129", "128 au plus"}},
        {textHeader + std::string("[[question]]\nanswer = \"R\"\n"), {"quiz.toml:3: question 1 : ", "prompt", "manquant"}},
        // Counts.
        {textHeader + textQuestions(96), {"quiz.toml:", "trop de questions : 96, 95 au plus"}},
        {textHeader + "codes = [\"a\", \"b\", \"c\"]\n" + textQuestions(2),
         {"quiz.toml:3: ", "plus de codes (3) que de questions (2)"}},
        // Texts.
        {textHeader + "author = \"" + tooLong + "\"\n" + textQuestions(1),
         {"quiz.toml:3: ", "author", "trop long : 260", "259 au plus"}},
        {textHeader + textQuestions(1) + "\n[[question]]\nprompt = \"a|b\"\nanswer = \"R\"\n",
         {"quiz.toml:9: question 2 : ", "prompt", "\xC2\xAB | \xC2\xBB"}},
        {textHeader + "explanation = \"caf\xC3\xA9 \xE2\x98\x95\"\n" + textQuestions(1),
         {"quiz.toml:3: ", "explanation", "U+2615", "Windows-1252"}},
        {textHeader + "\n[[question]]\nprompt = \"Q\"\nanswer = \"a\\tb\"\n",
         {"quiz.toml:6: question 1 : ", "answer", "contr\xC3\xB4le"}},
        {textHeader + "codes = [\"" + tooLong + "\"]\n" + textQuestions(1), {"quiz.toml:3: ", "code 1", "trop long"}},
        {textHeader + "codes = [\"ok\", \"a\\r\\nb\"]\n" + textQuestions(2), {"quiz.toml:3: ", "code 2", "la ligne"}},
        {textHeader + "codes = \"abc\"\n" + textQuestions(1), {"quiz.toml:3: ", "codes", "liste"}},
        {textHeader + "answer_labels = [\"a\"]\n" + textQuestions(1), {"quiz.toml:3: ", "answer_labels", "deux textes"}},
        // Hints.
        {textHeader + "hints = \"indice\"\n" + textQuestions(1), {"quiz.toml:3: ", "quiz texte", "indices"}},
        {pictureHeader + "hints = \"bof\"\n[[question]]\nanswer = \"R\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:3: ", "hints", "de 0 \xC3\xA0 6"}},
        {pictureHeader + "hints = 7\n[[question]]\nanswer = \"R\"\npicture = \"a.jpg\"\n", {"quiz.toml:3: ", "hints"}},
        {pictureHeader + "hints = \"indice\"\n[[question]]\nanswer = \"R\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:4: question 1 : ", "hint", "manquant"}},
        {pictureHeader + "hints = \"indices-a-la-fin\"\n[[question]]\nanswer = \"R\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:4: question 1 : ", "hint", "manquant"}},
        {pictureHeader + "hints = 3\n[[question]]\nanswer = \"R\"\nhint = \"h\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:4: question 1 : ", "answer_picture", "manquant"}},
        {pictureHeader + "hints = \"image-reponse\"\n[[question]]\nanswer = \"R\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:4: question 1 : ", "answer_picture", "manquant"}},
        {pictureHeader + "[[question]]\nanswer = \"R\"\nhint = \"h\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:5: question 1 : ", "hint", "styles"}},
        {pictureHeader + "hints = 2\n[[question]]\nanswer = \"R\"\nhint = \"h\"\npicture = \"a.jpg\"\n"
                         "answer_picture = \"b.png\"\n",
         {"quiz.toml:8: question 1 : ", "answer_picture", "styles"}},
        {"kind = \"audio\"\ntitle = \"T\"\nhints = 1\n[[question]]\nanswer = \"R\"\nmedia = \"s.wav\"\n",
         {"quiz.toml:3: ", "image-reponse", "quiz d'images"}},
        // Files.
        {pictureHeader + "[[question]]\nanswer = \"R\"\npicture = \"absent.jpg\"\n",
         {"quiz.toml:5: question 1 : ", "introuvable", "absent.jpg"}},
        {pictureHeader + "[[question]]\nanswer = \"R\"\npicture = \"notes.txt\"\n",
         {"quiz.toml:5: question 1 : ", "format d'image inconnu", "notes.txt"}},
        {pictureHeader + "[[question]]\nanswer = \"R\"\n", {"quiz.toml:3: question 1 : ", "picture", "manquant"}},
        {pictureHeader + "[[question]]\nanswer = \"R\"\npicture = \"a.jpg\"\nmedia = \"s.wav\"\n",
         {"quiz.toml:6: question 1 : ", "media"}},
        {textHeader + textQuestions(1) + "picture = \"a.jpg\"\n", {"quiz.toml:7: question 1 : ", "quiz texte", "picture"}},
        {"kind = \"audio\"\ntitle = \"T\"\n[[question]]\nanswer = \"R\"\nmedia = \"notes.txt\"\n",
         {"quiz.toml:5: question 1 : ", "format de m\xC3\xA9" "dia inconnu"}},
        {"kind = \"audio\"\ntitle = \"T\"\n[[question]]\nanswer = \"R\"\nmedia = \"bare.mp3\"\n",
         {"quiz.toml:5: question 1 : ", "ID3"}},
        {"kind = \"video\"\ntitle = \"T\"\n[[question]]\nanswer = \"R\"\nmedia = \"s.wav\"\n",
         {"quiz.toml:5: question 1 : ", "WAV", "vid\xC3\xA9o"}},
        {"kind = \"audio\"\ntitle = \"T\"\n[[question]]\nanswer = \"R\"\n", {"quiz.toml:3: question 1 : ", "media", "manquant"}},
        {"kind = \"audio\"\ntitle = \"T\"\n[[question]]\nanswer = \"R\"\nmedia = \"s.wav\"\npicture = \"a.jpg\"\n",
         {"quiz.toml:6: question 1 : ", "picture"}},
        // Colour and protection.
        {textHeader + "background = \"#12345G\"\n" + textQuestions(1), {"quiz.toml:3: ", "background", "#RRVVBB"}},
        {textHeader + "background = \"blue\"\n" + textQuestions(1), {"quiz.toml:3: ", "couleur"}},
        {textHeader + "background = 0x123456\n" + textQuestions(1), {"quiz.toml:3: ", "couleur"}},
        {textHeader + "protect = \"oui\"\n" + textQuestions(1), {"quiz.toml:3: ", "true ou false"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.description);
        QuizTomlResult result = parse(c.description);
        EXPECT_FALSE(result.ok);
        ASSERT_EQ(result.errors.size(), 1u) << joined(result.errors);
        for (const std::string &fragment : c.expected)
            EXPECT_NE(result.errors[0].find(fragment), std::string::npos) << fragment << " in " << result.errors[0];
    }
}

TEST_F(QuizTomlTest, AllMistakesAreReportedAtOnce) {
    QuizTomlResult result = parse(textHeader + "colour = \"#000000\"\n" +
                                  "\n[[question]]\nprompt = \"Q\"\n" +
                                  "\n[[question]]\nprompt = \"Q\"\nanswer = \"a|b\"\n");
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.errors.size(), 3u) << joined(result.errors);
    EXPECT_NE(result.errors[0].find(":3: "), std::string::npos);
    EXPECT_NE(result.errors[1].find(":5: question 1 : "), std::string::npos);
    EXPECT_NE(result.errors[2].find(":10: question 2 : "), std::string::npos);
}

TEST_F(QuizTomlTest, MissingDescriptionFile) {
    QuizTomlResult result = readQuizToml(folder.file("none.toml"));
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_NE(result.errors[0].find("introuvable"), std::string::npos);
}
