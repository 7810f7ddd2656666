#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "panel/answer_box.h"
#include "panel/question_panel.h"
#include "quiz_window_fixture.h"
#include "resources/resource_ids.h"
#include "shell/app_context.h"
#include "win_test_support.h"

namespace {

struct Expected {
    int id;
    const char *className;
    LONG style;
    std::string text;
    int x, y, width, height;
};

// Wine reports an edit control's WS_BORDER as an edge instead.
LONG comparableStyle(const std::string &className, LONG style) {
    return _stricmp(className.c_str(), "Edit") == 0 ? (style & ~WS_BORDER) : style;
}

void expectControls(const std::vector<ChildControl> &actual, const std::vector<Expected> &expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ChildControl &a = actual[i];
        const Expected &e = expected[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(e.id));
        EXPECT_EQ(a.id, e.id);
        EXPECT_EQ(_stricmp(a.className.c_str(), e.className), 0) << a.className;
        EXPECT_EQ(comparableStyle(a.className, a.style), comparableStyle(e.className, e.style))
            << std::hex << a.style;
        EXPECT_EQ(a.text, e.text);
        EXPECT_TRUE(sameRect(a.rect, e.x, e.y, e.width, e.height)) << describeRect(a.rect);
    }
}

HGDIOBJ fontOf(HWND control) { return HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)); }

HWND item(HWND panel, int id) { return GetDlgItem(panel, id); }

const LONG numberStyle = 0x50000002, framedLabel = 0x50800201, hiddenHint = 0x40000001,
           shownHint = 0x50000001, nameStyle = 0x50000000, mediaButton = 0x50010041;

class QuestionPanelTest : public QuizWindowTest {};

}  // namespace

TEST_F(QuestionPanelTest, TextQuizRowsHoldNumberQuestionBoxAndResult) {
    openQuiz([](QuizContext *c) {
        c->mode = quizText;
        addQuestions(c, 3);
    });
    std::vector<Expected> expected;
    for (int j = 1; j <= 3; ++j) {
        int y = 5 + 25 * (j - 1);
        std::string n = std::to_string(j);
        expected.push_back({2000, "Static", numberStyle, n + ".", 26, y + 2, 19, 17});
        expected.push_back({3000, "Static", framedLabel, "Question " + n, 50, y, 550, 20});
        expected.push_back({4000 + j, "Edit", 0x50810281, "", 610, y, 170, 20});
        expected.push_back({5000 + j, "Static", framedLabel, "?", 790, y, 100, 20});
    }
    expectControls(childControls(questions()), expected);
    EXPECT_EQ(appContext->contentWidth, 900);
    EXPECT_EQ(appContext->contentHeight, 80);

    ASSERT_NE(appContext->questionFont, nullptr);
    for (HWND prompt : childrenWithId(questions(), 3000)) EXPECT_EQ(fontOf(prompt), appContext->questionFont);
    EXPECT_EQ(fontOf(item(questions(), 4002)), appContext->questionFont);
    for (HWND number : childrenWithId(questions(), 2000)) EXPECT_EQ(fontOf(number), nullptr);
    EXPECT_EQ(fontOf(item(questions(), 5002)), nullptr);
    // A text quiz sets no length limit on its boxes.
    EXPECT_GT(SendMessageA(item(questions(), 4001), EM_GETLIMITTEXT, 0, 0), 128);
}

TEST_F(QuestionPanelTest, ContentSizeOfTextQuizzesAndEmptyQuizzes) {
    struct Case {
        QuizMode mode;
        int count, answers, width, height;
        std::size_t controls;
    } cases[] = {
        {quizText, 2, 2, 960, 55, 8},  // one box a row whatever A is
        {quizText, 0, 1, 20, 0, 0},
        {quizPictures, 0, 2, 80, 0, 0},
        {quizAudio, 0, 1, 20, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " with " + std::to_string(c.count));
        openQuiz([&](QuizContext *q) {
            q->mode = c.mode;
            q->answersPerQuestion = c.answers;
            addQuestions(q, c.count);
        });
        EXPECT_EQ(appContext->contentWidth, c.width);
        EXPECT_EQ(appContext->contentHeight, c.height);
        EXPECT_EQ(childControls(questions()).size(), c.controls);
    }
    // The two-answer text quiz above numbered its boxes by question.
    openQuiz([](QuizContext *q) {
        q->answersPerQuestion = 2;
        addQuestions(q, 2);
    });
    EXPECT_NE(item(questions(), 4002), nullptr);
    EXPECT_EQ(item(questions(), 4003), nullptr);
}

TEST_F(QuestionPanelTest, TwoAnswerPictureQuizNumbersBoxesBySlotAndNamesEachRow) {
    openQuiz([](QuizContext *c) {
        c->mode = quizPictures;
        c->answersPerQuestion = 2;
        c->hintStyle = 2;
        copyText(c->firstAnswerLabel, textSize, "Titre");
        copyText(c->secondAnswerLabel, textSize, "Auteur");
        addQuestions(c, 4);
        for (int j = 1; j <= 4; ++j)
            copyText(questionAt(c, j - 1)->hint, textSize, ("indice " + std::to_string(j)).c_str());
    });
    // No picture loads: every tile is 260 x 0 and the answers start 10 lower.
    std::vector<Expected> expected;
    for (int j = 1; j <= 4; ++j) {
        int column = (j + 2) % 3, left = 106 + 290 * column;
        int top = j <= 3 ? 5 : 155, answers = top + 10;
        std::string n = std::to_string(j);
        expected.push_back({9900 + j, "Static", 0x5080020E, "", left, top, 260, 0});
        if (column == 0) {
            expected.push_back({156, "Static", nameStyle, "Titre", 4, answers + 2, 95, 20});
            expected.push_back({156, "Static", nameStyle, "Auteur", 3, answers + 22, 95, 20});
        }
        expected.push_back({2000 + j, "Static", numberStyle, n + ".", left - 28, answers + 2, 27, 17});
        expected.push_back({8000 + j, "Static", hiddenHint, "indice " + n, left, answers + 46, 260, 65});
        for (int k = 1; k <= 2; ++k) {
            int id = 4000 + 2 * (j - 1) + k, y = answers + 19 * (k - 1);
            expected.push_back({id, "Edit", 0x50810081, "", left, y, 201, 20});
            expected.push_back({id + 1000, "Static", framedLabel, "?", left + 200, y, 60, 20});
        }
    }
    expectControls(childControls(questions()), expected);
    EXPECT_EQ(childrenWithId(questions(), 156).size(), 4u);  // once per row
    EXPECT_EQ(appContext->contentWidth, 970);
    EXPECT_EQ(appContext->contentHeight, 305);
    EXPECT_EQ(appContext->rowHeights[0], 0);
    EXPECT_EQ(appContext->rowHeights[1], 0);

    const HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
    for (HWND name : childrenWithId(questions(), 156)) EXPECT_EQ(fontOf(name), gui);
    EXPECT_EQ(fontOf(item(questions(), 5004)), gui);
    EXPECT_EQ(fontOf(item(questions(), 8001)), gui);
    EXPECT_EQ(fontOf(item(questions(), 4003)), appContext->questionFont);
    EXPECT_EQ(fontOf(item(questions(), 2001)), nullptr);
    for (int id = 4001; id <= 4008; ++id) {
        EXPECT_EQ(SendMessageA(item(questions(), id), EM_GETLIMITTEXT, 0, 0), 128) << id;
        EXPECT_EQ(WNDPROC(GetWindowLongPtrA(item(questions(), id), GWLP_WNDPROC)), answerBoxProc) << id;
    }
    EXPECT_EQ(SendMessageA(item(questions(), 9901), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

TEST_F(QuestionPanelTest, AnswerBoxesPassTypingOnToTheEditControl) {
    openQuiz([](QuizContext *c) {
        c->mode = quizPictures;
        addQuestions(c, 2);
    });
    HWND box = item(questions(), 4002);
    ASSERT_NE(previousAnswerBoxProc(), nullptr);
    EXPECT_NE(previousAnswerBoxProc(), WNDPROC(answerBoxProc));
    for (char c : std::string("chat")) SendMessageA(box, WM_CHAR, WPARAM(c), 1);
    EXPECT_EQ(windowText(box), "chat");
    SendMessageA(box, EM_SETSEL, 0, -1);
    SendMessageA(box, WM_CHAR, 'x', 1);
    EXPECT_EQ(windowText(box), "x");
}

TEST_F(QuestionPanelTest, WordCountHintsStayVisible) {
    struct Case {
        const char *answer, *text;
    } cases[] = {{"l'eau", "en 2 mots"}, {"rock!-n", "en 1 mot"}, {"a - b", "en 4 mots"}, {"", "en 1 mot"}};
    openQuiz([&](QuizContext *c) {
        c->mode = quizPictures;
        c->hintStyle = 5;
        for (const Case &q : cases) appendQuestion(c, q.answer, "", "");
        c->questionCount = 4;
    });
    for (int j = 1; j <= 4; ++j) {
        HWND hint = item(questions(), 8000 + j);
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(windowText(hint), cases[j - 1].text);
        EXPECT_EQ(GetWindowLongA(hint, GWL_STYLE), shownHint);
        EXPECT_TRUE(sameRect(childRect(hint), childRect(item(questions(), 9900 + j)).left,
                             childRect(item(questions(), 4000 + j)).top + 46, 260, 20))
            << describeRect(childRect(hint));
    }
    // Row 1 starts 80 below row 0's answer area (15).
    EXPECT_EQ(childRect(item(questions(), 9904)).top, 95);
}

TEST_F(QuestionPanelTest, AudioTilesAreFlatWithPlayAndStopBeside) {
    openQuiz([](QuizContext *c) {
        c->mode = quizAudio;
        addQuestions(c, 2);
    });
    std::vector<Expected> expected;
    for (int j = 1; j <= 2; ++j) {
        int left = 46 + 290 * (j - 1);
        std::string n = std::to_string(j);
        expected.push_back({9900 + j, "Static", 0x50800000, "", left, 5, 0, 0});
        expected.push_back({2000 + j, "Static", numberStyle, n + ".", left - 28, 7, 27, 17});
        expected.push_back({4000 + j, "Edit", 0x50810081, "", left + 20, 5, 240, 20});
        expected.push_back({5000 + j, "Static", framedLabel, "?", left + 20, 24, 240, 20});
        expected.push_back({6000 + j, "Button", mediaButton, "", left, 5, 20, 20});
        expected.push_back({7000 + j, "Button", mediaButton, "", left, 25, 20, 19});
    }
    expectControls(childControls(questions()), expected);
    EXPECT_EQ(appContext->contentWidth, 910);
    EXPECT_EQ(appContext->contentHeight, 65);

    HICON play = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PLAY));
    HICON stop = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_STOP));
    ASSERT_NE(play, nullptr);
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(HICON(SendMessageA(item(questions(), 6002), BM_GETIMAGE, IMAGE_ICON, 0)), play);
    EXPECT_EQ(HICON(SendMessageA(item(questions(), 7002), BM_GETIMAGE, IMAGE_ICON, 0)), stop);
    EXPECT_EQ(fontOf(item(questions(), 5001)), nullptr);  // one answer: no font set
}

TEST_F(QuestionPanelTest, VideoTilesHostTheFilmAboveTheAnswers) {
    openQuiz([](QuizContext *c) {
        c->mode = quizVideo;
        c->answersPerQuestion = 2;
        c->hintStyle = 5;
        copyText(c->firstAnswerLabel, textSize, "Film");
        copyText(c->secondAnswerLabel, textSize, "Ann\xE9" "e");
        appendQuestion(c, "l'eau vive", "1998", "");
        c->questionCount = 1;
    });
    std::vector<Expected> expected = {
        {9901, "Static", 0x50800000, "", 106, 5, 260, 200},
        {156, "Static", nameStyle, "Film", 4, 217, 95, 20},
        {156, "Static", nameStyle, "Ann\xE9" "e", 3, 237, 95, 20},
        {2001, "Static", numberStyle, "1.", 78, 217, 27, 17},
        {8001, "Static", shownHint, "en 3 mots", 106, 261, 260, 20},
        {4001, "Edit", 0x50810081, "", 126, 215, 181, 20},
        {5001, "Static", framedLabel, "?", 306, 215, 60, 20},
        {4002, "Edit", 0x50810081, "", 126, 234, 181, 20},
        {5002, "Static", framedLabel, "?", 306, 234, 60, 20},
        {6001, "Button", mediaButton, "", 106, 215, 20, 20},
        {7001, "Button", mediaButton, "", 106, 235, 20, 19},
    };
    expectControls(childControls(questions()), expected);
    EXPECT_EQ(appContext->contentWidth, 970);
    EXPECT_EQ(appContext->contentHeight, 355);
}

namespace {

// What the panel's procedure does to a device context for one label.
struct Painted {
    INT_PTR brush;
    int mode;
    COLORREF text, back;
};

Painted paint(HWND panel, HWND label) {
    HDC dc = CreateCompatibleDC(nullptr);
    const COLORREF textMark = 0x123456, backMark = 0x654321;
    SetTextColor(dc, textMark);
    SetBkColor(dc, backMark);
    SetBkMode(dc, OPAQUE);
    Painted painted = {questionPanelProc(panel, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(label)),
                       GetBkMode(dc), GetTextColor(dc), GetBkColor(dc)};
    DeleteDC(dc);
    return painted;
}

constexpr COLORREF untouchedText = 0x123456, untouchedBack = 0x654321;

}  // namespace

TEST_F(QuestionPanelTest, ResultLabelsArePaintedByTheirStatusWord) {
    openQuiz([](QuizContext *c) { addQuestions(c, 2); });
    HWND label = item(questions(), 5002);
    struct Case {
        const char *text;
        INT_PTR brush;
        COLORREF back;
    } cases[] = {
        {"BRAVO", INT_PTR(questionPanelGreenBrush()), 0x00FF00},
        {"FAUX", INT_PTR(appContext->wrongBrush), 0x0000FF},
        {"Anagramme", INT_PTR(appContext->anagramBrush), 0x0000FF},
        {"Presque", INT_PTR(appContext->nearMissBrush), 0x0000FF},
        {"y a de l'id\xE9" "e", INT_PTR(appContext->nearMissBrush), 0x0000FF},
        {"?", FALSE, untouchedBack},
    };
    ASSERT_NE(questionPanelGreenBrush(), nullptr);
    for (const Case &c : cases) {
        SetWindowTextA(label, c.text);
        Painted painted = paint(questions(), label);
        EXPECT_EQ(painted.brush, c.brush) << c.text;
        EXPECT_EQ(painted.back, c.back) << c.text;
        EXPECT_EQ(painted.text, untouchedText) << c.text;
        EXPECT_EQ(painted.mode, OPAQUE) << c.text;
    }
    // The question labels of a text quiz sit on their pale yellow.
    Painted prompt = paint(questions(), childrenWithId(questions(), 3000)[1]);
    EXPECT_EQ(prompt.brush, INT_PTR(appContext->promptBrush));
    EXPECT_EQ(prompt.back, COLORREF(0xC0FFFF));
    // The panel itself.
    EXPECT_EQ(SendMessageA(questions(), WM_CTLCOLORDLG, 0, 0), LRESULT(appContext->backgroundBrush));
}

TEST_F(QuestionPanelTest, NumberNameAndHintLabelsTakeTextThatShowsOnTheBackground) {
    struct Case {
        std::uint8_t red, green;
        COLORREF text;
    } cases[] = {{90, 95, 0x000000}, {40, 60, 0xFFFFFF}};
    for (const Case &c : cases) {
        openQuiz([&](QuizContext *q) {
            q->mode = quizPictures;
            q->answersPerQuestion = 2;
            q->hintStyle = 3;
            q->backgroundRed = c.red;
            q->backgroundGreen = c.green;
            q->backgroundBlue = 200;
            addQuestions(q, 2);
        });
        for (HWND label : {item(questions(), 2001), item(questions(), 2002), item(questions(), 156),
                           item(questions(), 8002)}) {
            Painted painted = paint(questions(), label);
            EXPECT_EQ(painted.brush, INT_PTR(appContext->backgroundBrush)) << GetDlgCtrlID(label);
            EXPECT_EQ(painted.mode, TRANSPARENT) << GetDlgCtrlID(label);
            EXPECT_EQ(painted.text, c.text) << int(c.red) << "," << int(c.green);
        }
        // A tile is not coloured.
        EXPECT_EQ(paint(questions(), item(questions(), 9901)).brush, FALSE);
    }
}

// The colours must reach the screen, not only the device context.
TEST_F(QuestionPanelTest, ABravoLabelIsGreenOnTheScreen) {
    openQuiz([](QuizContext *c) {
        c->mode = quizPictures;
        addQuestions(c, 1);
    });
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    HWND label = item(questions(), 5001);
    auto pixelInside = [&]() {
        RECT rect = {};
        GetWindowRect(label, &rect);
        HDC screen = GetDC(nullptr);
        COLORREF pixel = GetPixel(screen, rect.left + 4, rect.top + 4);  // inside the border, left of the text
        ReleaseDC(nullptr, screen);
        return pixel;
    };
    struct Case {
        const char *text;
        COLORREF pixel;
    } cases[] = {{"BRAVO", 0x00FF00}, {"FAUX", 0x0000FF}, {"Trop long", 0x26CBFF}};
    for (const Case &c : cases) {
        SetWindowTextA(label, c.text);
        InvalidateRect(label, nullptr, TRUE);
        UpdateWindow(label);
        pumpMessages();
        EXPECT_EQ(pixelInside(), c.pixel) << c.text;
    }
}
