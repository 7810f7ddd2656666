#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "answers/answer_checker.h"
#include "answers/saved_answers.h"
#include "quiz_window_fixture.h"
#include "shell/app_context.h"
#include "shell/header_panel.h"
#include "win_test_support.h"

namespace {

const std::string noCode = "      ";

// Each test runs in a folder of its own, where the answers file is written.
class AnsweringTest : public QuizWindowTest {
protected:
    std::string folder, previousFolder;

    void SetUp() override {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        previousFolder = current;
        folder = makeTemporaryFolder("grelo-answers-");
        ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
        recordMessages();
    }
    void TearDown() override {
        QuizWindowTest::TearDown();
        setMessageSink(nullptr);
        SetCurrentDirectoryA(previousFolder.c_str());
    }

    std::string answersPath() const {
        char name[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, name, MAX_PATH);
        std::string file = name;
        file = file.substr(file.find_last_of('\\') + 1);
        return folder + "\\" + file.substr(0, file.find_last_of('.')) + ".txt";
    }
    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

    HWND box(int id) const { return GetDlgItem(questions(), id); }
    std::string label(int boxId) const { return windowText(GetDlgItem(questions(), boxId + 1000)); }
    std::string scoreText() const { return windowText(GetDlgItem(header(), headerScoreId)); }
    std::string codeText() const { return windowText(GetDlgItem(header(), headerCodeId)); }
    bool hintVisible(int j) const {
        HWND hint = GetDlgItem(questions(), 8000 + j);
        return hint && (GetWindowLongA(hint, GWL_STYLE) & WS_VISIBLE);
    }
    bool tileVisible(int j) const {
        return (GetWindowLongA(GetDlgItem(questions(), 9900 + j), GWL_STYLE) & WS_VISIBLE) != 0;
    }

    // Typing a text and releasing Enter in the box.
    void answer(int id, const char *text) {
        SetWindowTextA(box(id), text);
        EXPECT_EQ(SendMessageA(box(id), WM_KEYUP, VK_RETURN, 0), 1);
    }
    void releaseKey(int id, WPARAM key) { SendMessageA(box(id), WM_KEYUP, key, 0); }

    void tickHideBox(bool ticked) {
        SendDlgItemMessageA(header(), headerHideId, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(header(), WM_COMMAND, MAKEWPARAM(headerHideId, BN_CLICKED), 0);
    }
};

void fillCodes(QuizContext *c, int count) {
    for (int k = 0; k < count; ++k) copyText(c->codes[k], textSize, ("CODE" + std::to_string(k + 1)).c_str());
}

void textQuiz(QuizContext *c, int count) {
    c->mode = quizText;
    addQuestions(c, count);
    fillCodes(c, count);
}

}  // namespace

TEST_F(AnsweringTest, EnterAndLeavingABoxJudgeItAndEnterTabNulNeverReachIt) {
    openQuiz([](QuizContext *c) { textQuiz(c, 2); });
    answer(4001, "  REPONSE1 ");
    EXPECT_EQ(label(4001), "BRAVO");
    EXPECT_EQ(windowText(box(4001)), "  REPONSE1 ") << "the box keeps what was typed";

    SetFocus(box(4002));
    SetWindowTextA(box(4002), "repons");
    SetFocus(box(4001));
    EXPECT_EQ(label(4002), "Presque");

    for (WPARAM character : {WPARAM(13), WPARAM(9), WPARAM(0)}) {
        EXPECT_EQ(SendMessageA(box(4002), WM_CHAR, character, 0), 0);
        EXPECT_EQ(windowText(box(4002)), "repons") << character;
    }
    SendMessageA(box(4002), EM_SETSEL, 6, 6);
    SendMessageA(box(4002), WM_CHAR, 'e', 0);
    EXPECT_EQ(windowText(box(4002)), "repons" "e");

    // An empty box judged by Enter reads "?", and a key press alone does nothing.
    SetWindowTextA(box(4001), "");
    SendMessageA(box(4001), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(label(4001), "BRAVO");
    releaseKey(4001, VK_RETURN);
    EXPECT_EQ(label(4001), "?");
}

TEST_F(AnsweringTest, ScoreAndCodeFollowRightWrongAndCorrectedAnswers) {
    openQuiz([](QuizContext *c) { textQuiz(c, 3); });
    EXPECT_EQ(scoreText(), " 0 / 3");
    answer(4001, "reponse1");
    EXPECT_EQ(scoreText(), " 1 / 3");
    EXPECT_EQ(codeText(), "CODE1");
    answer(4002, "reponse2");
    EXPECT_EQ(scoreText(), " 2 / 3");
    EXPECT_EQ(codeText(), "CODE2");
    answer(4001, "reponse");
    EXPECT_EQ(label(4001), "Quasiment");
    EXPECT_EQ(scoreText(), " 1 / 3");
    EXPECT_EQ(codeText(), "CODE1");
    answer(4002, "faux");
    EXPECT_EQ(scoreText(), " 0 / 3");
    EXPECT_EQ(codeText(), noCode);
    answer(4001, "reponse1");
    answer(4002, "reponse2");
    answer(4003, "reponse3");
    EXPECT_EQ(scoreText(), " 3 / 3");
    EXPECT_EQ(codeText(), "CODE3");
    EXPECT_EQ(questionAt(appContext, 0)->solved, 1);

    // An unchanged judgement does not recount: the header keeps what it shows.
    SetDlgItemTextA(header(), headerScoreId, "marker");
    answer(4003, "reponse3");
    EXPECT_EQ(scoreText(), "marker");
}

TEST_F(AnsweringTest, HintLabelsFollowTheHintStyle) {
    struct Case {
        int style;
        bool shownWhenRight, shownAfterWrong;
    };
    const Case cases[] = {{2, true, false}, {3, true, false}, {4, false, false}, {5, true, true}, {7, false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE("hint style " + std::to_string(c.style));
        openQuiz([&](QuizContext *q) {
            q->mode = quizPictures;
            q->hintStyle = c.style;
            addQuestions(q, 3);
        });
        answer(4001, "reponse1");
        EXPECT_EQ(hintVisible(1), c.shownWhenRight);
        EXPECT_EQ(questionAt(appContext, 0)->solved, 1);
        answer(4001, "reponse");
        EXPECT_EQ(hintVisible(1), c.shownAfterWrong);
        EXPECT_EQ(questionAt(appContext, 0)->solved, 1) << "solved is never cleared";
    }
}

TEST_F(AnsweringTest, AllHintsShowOnceEveryAnswerIsRightUnlessTilesAreHidden) {
    for (bool hiding : {false, true}) {
        SCOPED_TRACE(hiding ? "Cacher ticked" : "Cacher not ticked");
        openQuiz([](QuizContext *q) {
            q->mode = quizPictures;
            q->hintStyle = 4;
            q->answersPerQuestion = 2;
            addQuestions(q, 2);
        });
        if (hiding) SendDlgItemMessageA(header(), headerHideId, BM_SETCHECK, BST_CHECKED, 0);
        answer(4001, "reponse1");
        answer(4002, "second1");
        answer(4003, "reponse2");
        EXPECT_EQ(appContext->allHintsShown, 0);
        EXPECT_FALSE(hintVisible(1));
        answer(4004, "second2");
        EXPECT_EQ(appContext->allHintsShown, 1);
        EXPECT_EQ(hintVisible(1), !hiding);
        EXPECT_EQ(hintVisible(2), !hiding);
        answer(4004, "second");
        EXPECT_EQ(appContext->allHintsShown, 0);
        EXPECT_FALSE(hintVisible(2));
    }
    // Corrected with the box unticked, every hint comes back.
    SendDlgItemMessageA(header(), headerHideId, BM_SETCHECK, BST_UNCHECKED, 0);
    answer(4004, "second2");
    EXPECT_TRUE(hintVisible(1));
    EXPECT_TRUE(hintVisible(2));
}

TEST_F(AnsweringTest, TwoAnswersCountOnlyWhenBothAreRight) {
    openQuiz([](QuizContext *q) {
        q->mode = quizPictures;
        q->hintStyle = 2;
        q->answersPerQuestion = 2;
        addQuestions(q, 2);
        fillCodes(q, 2);
    });
    answer(4001, "reponse1");
    answer(4002, "faux");
    EXPECT_EQ(label(4001), "BRAVO");
    EXPECT_EQ(label(4002), "FAUX");
    EXPECT_FALSE(hintVisible(1));
    EXPECT_EQ(questionAt(appContext, 0)->solved, 1) << "a right answer of four letters or more";
    EXPECT_EQ(scoreText(), " 0 / 2");
    answer(4002, "second1");
    EXPECT_TRUE(hintVisible(1));
    EXPECT_EQ(scoreText(), " 1 / 2");
    EXPECT_EQ(codeText(), "CODE1");
}

TEST_F(AnsweringTest, F1CopiesIntoUnsolvedBoxesOnlyAndJudgesThem) {
    openQuiz([](QuizContext *c) { textQuiz(c, 5); });
    for (int j : {1, 3, 4}) answer(4000 + j, ("reponse" + std::to_string(j)).c_str());
    SetWindowTextA(box(4002), "autre");  // typed but not judged yet
    SetFocus(box(4003));
    releaseKey(4003, VK_F1);
    EXPECT_EQ(windowText(box(4001)), "reponse1");
    EXPECT_EQ(windowText(box(4004)), "reponse4");
    EXPECT_EQ(windowText(box(4002)), "reponse3");
    EXPECT_EQ(windowText(box(4005)), "reponse3");
    EXPECT_EQ(label(4002), "Quasiment");
    EXPECT_EQ(label(4005), "Quasiment");
    EXPECT_EQ(label(4003), "BRAVO");
    EXPECT_EQ(GetFocus(), box(4003));
}

TEST_F(AnsweringTest, F2AndSauverWriteEveryBoxAsTyped) {
    openQuiz([](QuizContext *c) {
        c->mode = quizText;
        appendQuestion(c, "Paris", "", "Capitale");
        appendQuestion(c, "Rome", "", "Autre");
        c->questionCount = 2;
    });
    SetWindowTextA(box(4001), "Paris");
    releaseKey(4001, VK_F2);
    const std::vector<unsigned char> expected = {'P', 'a', 'r', 'i', 's', 13, 10, 13, 10};
    EXPECT_EQ(readFileBytes(answersPath()), expected);

    SetWindowTextA(box(4002), " caf\xE9  ");
    SendMessageA(header(), WM_COMMAND, MAKEWPARAM(headerSaveId, BN_CLICKED), 0);
    const std::vector<unsigned char> typed = {'P', 'a', 'r', 'i', 's', 13, 10, ' ', 'c', 'a', 'f', 0xE9, ' ', ' ', 13, 10};
    EXPECT_EQ(readFileBytes(answersPath()), typed);
    SendMessageA(header(), WM_COMMAND, MAKEWPARAM(headerSaveId, BN_CLICKED), 0);
    EXPECT_EQ(readFileBytes(answersPath()), typed);
    // The temporary file is gone once it has replaced the answers file.
    EXPECT_EQ(folderEntries().size(), 1u);
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(AnsweringTest, SavedAnswersComeBackJudgedAtTheNextStart) {
    const std::string saved = "reponse1\r\nrepons\r\n\r\nreponse4\r\nextra\r\n";
    ASSERT_TRUE(writeFileBytes(answersPath(), std::vector<unsigned char>(saved.begin(), saved.end())));
    openQuiz([](QuizContext *c) { textQuiz(c, 4); });
    EXPECT_EQ(windowText(box(4001)), "reponse1");
    EXPECT_EQ(windowText(box(4002)), "repons");
    EXPECT_EQ(windowText(box(4003)), "");
    EXPECT_EQ(label(4001), "BRAVO");
    EXPECT_EQ(label(4002), "Presque");
    EXPECT_EQ(label(4003), "?");
    EXPECT_EQ(label(4004), "BRAVO");
    EXPECT_EQ(scoreText(), " 2 / 4");
    EXPECT_EQ(codeText(), "CODE2");
    // Reading held no handle: the file can be replaced at once.
    releaseKey(4001, VK_F2);
    const std::string written = "reponse1\r\nrepons\r\n\r\nreponse4\r\n";
    EXPECT_EQ(readFileBytes(answersPath()), std::vector<unsigned char>(written.begin(), written.end()));
}

TEST_F(AnsweringTest, NoFileLeavesEveryBoxEmpty) {
    openQuiz([](QuizContext *c) { textQuiz(c, 2); });
    EXPECT_EQ(windowText(box(4001)), "");
    EXPECT_EQ(label(4002), "?");
}

TEST_F(AnsweringTest, SavingKeepsTheLinesOfBoxesThatDoNotExist) {
    const std::string saved = "un\r\ndeux\r\ntrois\r\n";
    ASSERT_TRUE(writeFileBytes(answersPath(), std::vector<unsigned char>(saved.begin(), saved.end())));
    openQuiz([](QuizContext *c) { textQuiz(c, 3); });
    // As when the layout stops early: the later boxes were never made.
    DestroyWindow(box(4002));
    DestroyWindow(box(4003));
    SetWindowTextA(box(4001), "nouveau");
    saveAnswers(appContext);
    const std::string written = "nouveau\r\ndeux\r\ntrois\r\n";
    EXPECT_EQ(readFileBytes(answersPath()), std::vector<unsigned char>(written.begin(), written.end()));
}

TEST_F(AnsweringTest, AFailedSaveIsReportedAndLeavesTheOldFileWhole) {
    const std::string saved = "ancien\r\n";
    ASSERT_TRUE(writeFileBytes(answersPath(), std::vector<unsigned char>(saved.begin(), saved.end())));
    openQuiz([](QuizContext *c) { textQuiz(c, 1); });
    SetWindowTextA(box(4001), "nouveau");
    {
        // Held open without sharing, the answers file cannot be replaced.
        HANDLE held = CreateFileA(answersPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        saveAnswers(appContext);
        CloseHandle(held);
    }
    EXPECT_EQ(readFileBytes(answersPath()), std::vector<unsigned char>(saved.begin(), saved.end()));
    ASSERT_EQ(shownMessages().size(), 1u);
    EXPECT_EQ(shownMessages()[0].caption, "Grelo");
    const std::string name = answersPath().substr(folder.size() + 1);
    EXPECT_NE(shownMessages()[0].text.find(name), std::string::npos) << shownMessages()[0].text;
    EXPECT_EQ(folderEntries(), std::vector<std::string>{name}) << "no temporary file left behind";

    // A folder in the file's place fails the same way.
    DeleteFileA(answersPath().c_str());
    ASSERT_TRUE(CreateDirectoryA(answersPath().c_str(), nullptr));
    releaseKey(4001, VK_F2);
    EXPECT_EQ(shownMessages().size(), 2u);
    EXPECT_EQ(folderEntries().size(), 1u);
    RemoveDirectoryA(answersPath().c_str());
}

TEST_F(AnsweringTest, AFocusedBoxSelectsItsTextAndAltKeysActOnPress) {
    openQuiz([](QuizContext *c) { textQuiz(c, 2); });
    SetWindowTextA(box(4002), "reponse2");
    SetFocus(box(4002));
    DWORD start = 1, end = 0;
    SendMessageA(box(4002), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u);

    // Alt with Enter judges on the press; Alt with F2 saves on the press.
    SendMessageA(box(4002), WM_SYSKEYDOWN, VK_RETURN, LPARAM(1) << 29);
    EXPECT_EQ(label(4002), "BRAVO");
    SendMessageA(box(4002), WM_SYSKEYDOWN, VK_F2, LPARAM(1) << 29);
    const std::string written = "\r\nreponse2\r\n";
    EXPECT_EQ(readFileBytes(answersPath()), std::vector<unsigned char>(written.begin(), written.end()));
}
