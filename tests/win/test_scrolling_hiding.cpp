#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "quiz_window_fixture.h"
#include "shell/app_context.h"
#include "shell/header_panel.h"
#include "win_test_support.h"

namespace {

class ScrollingTest : public QuizWindowTest {
protected:
    SCROLLINFO bar(int which) const {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(questions(), which, &info);
        return info;
    }
    int position(int which) const { return GetScrollPos(questions(), which); }
    RECT boxRect() const { return childRect(GetDlgItem(questions(), 4001)); }
    void wheel(HWND target, int delta) {
        SendMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(delta))), 0);
        pumpMessages();
    }
};

// Every control of the panel by identifier and creation order.
std::vector<ChildControl> panelControls(HWND panel) { return childControls(panel); }

void expectSamePlaces(const std::vector<ChildControl> &now, const std::vector<ChildControl> &before) {
    ASSERT_EQ(now.size(), before.size());
    for (std::size_t i = 0; i < now.size(); ++i)
        EXPECT_TRUE(EqualRect(&now[i].rect, &before[i].rect))
            << "control " << now[i].id << " at " << describeRect(now[i].rect) << ", was "
            << describeRect(before[i].rect);
}

int topOf(HWND panel, int id) { return childRect(GetDlgItem(panel, id)).top; }
int bottomOf(HWND panel, int id) { return childRect(GetDlgItem(panel, id)).bottom; }

}  // namespace

TEST_F(ScrollingTest, ThirtyTextQuestionsScrollByLinePageAndWheel) {
    openQuiz([](QuizContext *c) {
        c->mode = quizText;
        addQuestions(c, 30);
    });
    setClientSize(questions(), 800, 500);
    ASSERT_EQ(appContext->contentHeight, 755);
    EXPECT_EQ(bar(SB_VERT).nMax, 753);
    EXPECT_EQ(bar(SB_VERT).nPage, 499u);
    EXPECT_EQ(position(SB_VERT), 0);

    struct Step {
        int code, position;
    };
    const Step steps[] = {{SB_LINEDOWN, 255}, {SB_LINEUP, 0},  {SB_PAGEDOWN, 255}, {SB_TOP, 0},
                          {500, 50},          {500, 100},      {501, 50},          {SB_THUMBPOSITION, 50},
                          {SB_BOTTOM, 255},   {SB_PAGEUP, 0},  {99, 0}};
    for (const Step &step : steps) {
        SendMessageA(questions(), WM_VSCROLL, step.code, 0);
        EXPECT_EQ(position(SB_VERT), step.position) << "code " << step.code;
        EXPECT_EQ(boxRect().top, 5 - step.position) << "code " << step.code;
    }

    // One notch scrolls 50 pixels once: the panel's default processing must
    // not hand it on to the main window, which would forward it again.
    wheel(questions(), -120);
    EXPECT_EQ(position(SB_VERT), 50);
    wheel(questions(), 120);
    EXPECT_EQ(position(SB_VERT), 0);
    wheel(questions(), 240);
    EXPECT_EQ(position(SB_VERT), 0);
    wheel(window, -120);
    EXPECT_EQ(position(SB_VERT), 50) << "the main window forwards its own wheel";

    // Page and arrow keys released in a box page the panel.
    SendMessageA(GetDlgItem(questions(), 4001), WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(position(SB_VERT), 0);
    SendMessageA(GetDlgItem(questions(), 4001), WM_KEYUP, VK_NEXT, 0);
    EXPECT_EQ(position(SB_VERT), 255);
}

TEST_F(ScrollingTest, HorizontalArrowsMoveOnePixelAndLeftRightDoNothing) {
    openQuiz([](QuizContext *c) {
        c->mode = quizText;
        addQuestions(c, 30);
    });
    setClientSize(questions(), 800, 500);
    EXPECT_EQ(bar(SB_HORZ).nMax, 898);
    EXPECT_EQ(bar(SB_HORZ).nPage, 799u);
    struct Step {
        int code, position;
    };
    const Step steps[] = {{SB_LINERIGHT, 1}, {SB_RIGHT, 1}, {SB_LEFT, 1},     {SB_PAGERIGHT, 100},
                          {SB_LINELEFT, 99}, {SB_PAGELEFT, 0}, {SB_LINELEFT, 0}};
    for (const Step &step : steps) {
        SendMessageA(questions(), WM_HSCROLL, step.code, 0);
        EXPECT_EQ(position(SB_HORZ), step.position) << "code " << step.code;
        EXPECT_EQ(boxRect().left, 610 - step.position) << "code " << step.code;
    }
}

TEST_F(ScrollingTest, GrowingTheScrolledPanelUntilTheContentFitsBringsItBack) {
    openQuiz([](QuizContext *c) {
        c->mode = quizText;
        addQuestions(c, 30);
    });
    setClientSize(questions(), 800, 500);
    SendMessageA(questions(), WM_VSCROLL, SB_BOTTOM, 0);
    SendMessageA(questions(), WM_HSCROLL, SB_PAGERIGHT, 0);
    setClientSize(questions(), 1000, 800);
    EXPECT_EQ(position(SB_VERT), 0);
    EXPECT_EQ(position(SB_HORZ), 0);
    EXPECT_TRUE(sameRect(boxRect(), 610, 5, 170, 20)) << describeRect(boxRect());
}

namespace {

class HidingTest : public QuizWindowTest {
protected:
    HWND box(int id) const { return GetDlgItem(questions(), id); }
    void answer(int id, const char *text) {
        SetWindowTextA(box(id), text);
        SendMessageA(box(id), WM_KEYUP, VK_RETURN, 0);
    }
    void tickHideBox(bool ticked) {
        SendDlgItemMessageA(header(), headerHideId, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(header(), WM_COMMAND, MAKEWPARAM(headerHideId, BN_CLICKED), 0);
    }
    bool visible(int id) const { return (GetWindowLongA(box(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void openPictureQuiz(int hintStyle, int count) {
        openQuiz([&](QuizContext *c) {
            c->mode = quizPictures;
            c->hintStyle = hintStyle;
            addQuestions(c, count);
        });
        // Taller panel than content: no scrolling gets in the way of positions.
        setClientSize(questions(), 1000, 700);
    }
};

}  // namespace

TEST_F(HidingTest, SolvedTilesHideAndAFullRowCollapsesThenAllComesBack) {
    openPictureQuiz(2, 6);
    // Without a picture loader the layout records rows of height 0; these
    // stand for rows of 100-pixel pictures, as the hiding reads them.
    appContext->rowHeights[0] = appContext->rowHeights[1] = 100;
    const std::vector<ChildControl> before = panelControls(questions());
    const int height = appContext->contentHeight;
    std::map<int, int> top;
    for (int id : {4001, 5001, 2001, 4003, 4004, 5004, 2004, 9904, 8004}) top[id] = topOf(questions(), id);

    tickHideBox(true);
    answer(4001, "reponse1");
    answer(4002, "reponse2");
    EXPECT_FALSE(visible(9901));
    EXPECT_FALSE(visible(9902));
    EXPECT_FALSE(visible(8001)) << "a hidden tile takes its hint along";
    EXPECT_TRUE(visible(9903));
    for (int id : {4001, 5001, 2001}) EXPECT_EQ(topOf(questions(), id), top[id] - 100) << id;
    for (int id : {4003, 4004, 9904}) EXPECT_EQ(topOf(questions(), id), top[id]) << id;
    EXPECT_EQ(appContext->contentHeight, height);
    EXPECT_EQ(appContext->tileState[1], 1);

    answer(4003, "reponse3");
    for (int id : {4004, 5004, 2004, 9904, 8004}) EXPECT_EQ(topOf(questions(), id), top[id] - 165) << id;
    EXPECT_EQ(topOf(questions(), 4003), top[4003] - 100);
    EXPECT_EQ(appContext->contentHeight, height - 165);
    EXPECT_EQ(appContext->tileState[3], 2);

    // A hidden question stays hidden whatever its answer becomes; its hint
    // comes back as the checker left it.
    answer(4002, "faux");
    EXPECT_FALSE(visible(9902));
    tickHideBox(false);
    expectSamePlaces(panelControls(questions()), before);
    EXPECT_EQ(appContext->contentHeight, height);
    for (int j = 1; j <= 3; ++j) {
        EXPECT_TRUE(visible(9900 + j)) << j;
        EXPECT_EQ(appContext->tileState[j], 0) << j;
    }
    EXPECT_TRUE(visible(8001));
    EXPECT_FALSE(visible(8002)) << "its answer is wrong now";
    EXPECT_TRUE(visible(8003));

    // Ticked again, the rows hide and collapse afresh from the solved flags.
    tickHideBox(true);
    EXPECT_EQ(appContext->contentHeight, height - 165);
    tickHideBox(false);
    expectSamePlaces(panelControls(questions()), before);
}

TEST_F(HidingTest, HintsOfAllSolvedQuizComeBackOnlyWithTheLatch) {
    openPictureQuiz(4, 3);
    tickHideBox(true);
    answer(4001, "reponse1");
    answer(4002, "reponse2");
    answer(4003, "reponse3");
    EXPECT_EQ(appContext->allHintsShown, 1);
    for (int j = 1; j <= 3; ++j) EXPECT_FALSE(visible(8000 + j)) << j;
    tickHideBox(false);
    for (int j = 1; j <= 3; ++j) EXPECT_TRUE(visible(8000 + j)) << j;
}

TEST_F(HidingTest, WordCountRowsCollapseWithoutOverlapAndWrongHintsStayHiddenInOtherStyles) {
    struct Case {
        int style, amount;
    };
    for (const Case &c : {Case{5, 20}, Case{7, 65}, Case{0, 0}}) {
        SCOPED_TRACE("hint style " + std::to_string(c.style));
        openPictureQuiz(c.style, 6);
        const std::vector<ChildControl> before = panelControls(questions());
        const int height = appContext->contentHeight, tileTop = topOf(questions(), 9904);
        tickHideBox(true);
        for (int j = 1; j <= 3; ++j) answer(4000 + j, ("reponse" + std::to_string(j)).c_str());
        EXPECT_EQ(appContext->contentHeight, height - c.amount);
        EXPECT_EQ(topOf(questions(), 9904), tileTop - c.amount);
        EXPECT_GE(topOf(questions(), 9904), bottomOf(questions(), 5003)) << "rows overlap";
        if (c.style == 5) {
            EXPECT_FALSE(visible(8001));
        }
        tickHideBox(false);
        expectSamePlaces(panelControls(questions()), before);
        EXPECT_EQ(appContext->contentHeight, height);
        // Style 5 shows its word count again; style 7 never reveals a hint.
        if (c.style == 5) {
            EXPECT_TRUE(visible(8001));
        }
        if (c.style == 7) {
            EXPECT_FALSE(visible(8001));
        }
    }
}
