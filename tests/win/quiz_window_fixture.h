// One shown main window for a whole suite, and a fresh quiz in it for each
// test: the context is filled in place, then the real panels are created.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/quiz_context.h"
#include "platform/platform.h"

// What a direct child of a window shows.
struct ChildControl {
    int id;
    std::string className;
    LONG style;
    std::string text;
    RECT rect;  // in the parent's client coordinates
};

// The direct children in creation order (the z-order from the top).
std::vector<ChildControl> childControls(HWND parent);

// Every direct child with this identifier, in creation order.
std::vector<HWND> childrenWithId(HWND parent, int id);

std::string describeRect(RECT rect);
bool sameRect(RECT rect, int x, int y, int width, int height);

class QuizWindowTest : public ::testing::Test {
protected:
    static HWND window;
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void TearDown() override;

    // Replaces the quiz with a fresh context that `fill` sets up (after the
    // defaults), then creates and shows the header and question panels.
    void openQuiz(const std::function<void(QuizContext *)> &fill);

    HWND header() const;
    HWND questions() const;
};

// `count` questions whose expected answers are "reponse1", "reponse2"... and
// prompts "Question 1"...; second answers "second1"... when answers is 2.
void addQuestions(QuizContext *context, int count);
