#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "answers/saved_answers_reader.h"

namespace {

// What `boxes` answer boxes receive from a file holding `bytes`.
std::vector<std::string> boxTexts(const std::string &bytes, int boxes) {
    std::vector<std::string> texts;
    std::size_t position = 0;
    for (int i = 0; i < boxes; ++i) {
        char text[savedLineCapacity + 1];
        readSavedAnswerLine(bytes.data(), bytes.size(), &position, text);
        EXPECT_LE(position, bytes.size());
        texts.push_back(text);
    }
    return texts;
}

std::string fileOf(const std::vector<std::string> &texts) {
    std::vector<const char *> pointers;
    for (const std::string &text : texts) pointers.push_back(text.c_str());
    std::vector<char> bytes(texts.size() * savedLineBytesSize + 1);
    std::size_t size = formatSavedAnswers(pointers.data(), int(pointers.size()), bytes.data());
    return std::string(bytes.data(), size);
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(SavedAnswersReader, LinesAsTheBoxesReceiveThem) {
    const std::string longLine(300, 'x');
    struct Case {
        const char *name;
        std::string bytes;
        int boxes;
        Texts texts;
    } cases[] = {
        {"CR LF lines", "Paris\r\n\r\nLyon\r\n", 3, {"Paris", "", "Lyon"}},
        {"fewer lines than boxes", "Paris\r\n", 3, {"Paris", "", ""}},
        {"more lines than boxes", "a\r\nb\r\nc\r\n", 2, {"a", "b"}},
        {"LF alone does not end a line", "a\nb\r\nc\r\n", 2, {"a\nb", "c"}},
        {"LF-only file", "a\nb\nc\n", 2, {"a\nb\nc\n", ""}},
        {"bytes between CR and LF skipped", "a\rb\r\nc\r\n", 2, {"a", "c"}},
        {"CR without LF swallows the rest", "a\rb\rc", 2, {"a", ""}},
        {"NUL cuts its line only", std::string("ab\0cd\r\nef\r\n", 11), 2, {"ab", "ef"}},
        {"NUL first", std::string("\0x\r\ny\r\n", 7), 2, {"", "y"}},
        {"last line without CR LF", "a\r\nlast", 3, {"a", "last", ""}},
        {"last line ending in CR", "a\r", 2, {"a", ""}},
        {"empty file", "", 2, {"", ""}},
        {"accented bytes kept", "L\xE9on\r\n", 1, {"L\xE9on"}},
        {"a long line is cut, the next stays in step", longLine + "\r\nnext\r\n", 2,
         {longLine.substr(0, 259), "next"}},
        {"259 characters fit", longLine.substr(0, 259) + "\r\nnext\r\n", 2,
         {longLine.substr(0, 259), "next"}},
    };
    for (const Case &c : cases) EXPECT_EQ(boxTexts(c.bytes, c.boxes), c.texts) << c.name;
}

TEST(SavedAnswersReader, LongLfOnlyFileFillsOneBox) {
    std::string bytes;
    for (int i = 0; i < 100; ++i) bytes += "abc\n";
    EXPECT_EQ(boxTexts(bytes, 2), (Texts{bytes.substr(0, 259), ""}));
}

TEST(SavedAnswersReader, NoDataReadsEmpty) {
    std::size_t position = 0;
    char text[savedLineCapacity + 1] = "stale";
    readSavedAnswerLine(nullptr, 0, &position, text);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(position, 0u);
}

TEST(SavedAnswersWriter, OneLinePerBoxWithCrLf) {
    EXPECT_EQ(fileOf({"Paris", ""}), std::string("Paris\r\n\r\n"));
    EXPECT_EQ(fileOf({"Paris", ""}).size(), 9u);
    EXPECT_EQ(fileOf({}), "");
    EXPECT_EQ(fileOf({std::string(300, 'x')}), std::string(259, 'x') + "\r\n");
}

TEST(SavedAnswersWriter, WhatIsWrittenReadsBack) {
    const Texts texts = {"  paris ", "", "L\xE9on", "a\nb", std::string(259, 'z'), "\t-'"};
    EXPECT_EQ(boxTexts(fileOf(texts), int(texts.size()) + 1),
              [&] { Texts withEmpty = texts; withEmpty.push_back(""); return withEmpty; }());
}

TEST(AnswersFileName, ExtensionBecomesTxt) {
    struct Case {
        std::string executable, answers;
    } cases[] = {
        {"quiz.exe", "quiz.txt"},
        {"a.b.exe", "a.b.txt"},
        {"QUIZ.EXE", "QUIZ.txt"},
        {"quiz", "quiz.txt"},
        {"quiz.", "quiz.txt"},
        {".exe", ".txt"},
        {"", ".txt"},
        {std::string(255, 'q') + ".exe", std::string(255, 'q') + ".txt"},
        {std::string(257, 'q') + ".e", std::string(255, 'q') + ".txt"},
        {std::string(259, 'q'), std::string(255, 'q') + ".txt"},
    };
    for (const Case &c : cases) {
        char name[answersFileNameSize];
        answersFileName(c.executable.c_str(), name);
        EXPECT_EQ(std::string(name), c.answers) << c.executable;
    }
}
