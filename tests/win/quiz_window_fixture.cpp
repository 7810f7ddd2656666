#include "quiz_window_fixture.h"

#include "shell/app_context.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "win_test_support.h"

namespace {

HINSTANCE instance() { return GetModuleHandleA(nullptr); }

void destroyPanels() {
    if (!appContext) return;
    if (IsWindow(appContext->headerPanel)) DestroyWindow(appContext->headerPanel);
    if (IsWindow(appContext->questionPanel)) DestroyWindow(appContext->questionPanel);
    appContext->headerPanel = appContext->questionPanel = nullptr;
}

void releaseContext() {
    destroyPanels();
    if (!appContext) return;
    releaseQuizContext(appContext);
    delete appContext;
    appContext = nullptr;
}

}  // namespace

std::vector<ChildControl> childControls(HWND parent) {
    std::vector<ChildControl> controls;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        controls.push_back({GetDlgCtrlID(child), className, GetWindowLongA(child, GWL_STYLE),
                            windowText(child), childRect(child)});
    }
    return controls;
}

std::vector<HWND> childrenWithId(HWND parent, int id) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == id) found.push_back(child);
    return found;
}

std::string describeRect(RECT r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right - r.left) + ", " + std::to_string(r.bottom - r.top) + ")";
}

bool sameRect(RECT r, int x, int y, int width, int height) {
    return r.left == x && r.top == y && r.right - r.left == width && r.bottom - r.top == height;
}

HWND QuizWindowTest::window = nullptr;

void QuizWindowTest::SetUpTestSuite() {
    static bool registered = registerMainWindowClass(instance());
    ASSERT_TRUE(registered);
    if (!backgroundBrushMain) backgroundBrushMain = CreateSolidBrush(0xC8D0D4);
    ASSERT_NE(createAppContext(), nullptr);
    window = createMainWindow(instance(), appContext);
    ASSERT_NE(window, nullptr);
}

void QuizWindowTest::TearDownTestSuite() {
    destroyPanels();
    shutDown(window);
    DestroyWindow(window);
    pumpMessages();
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void QuizWindowTest::TearDown() { destroyPanels(); }

void QuizWindowTest::openQuiz(const std::function<void(QuizContext *)> &fill) {
    releaseContext();
    ASSERT_NE(createAppContext(), nullptr);
    copyText(appContext->linkTarget, linkTargetSize, "grelo.example");
    fill(appContext);
    ShowWindow(window, SW_RESTORE);
    SetWindowPos(window, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    createPanels(instance(), window, appContext);
    pumpMessages();
}

HWND QuizWindowTest::header() const { return appContext->headerPanel; }
HWND QuizWindowTest::questions() const { return appContext->questionPanel; }

void addQuestions(QuizContext *context, int count) {
    for (int j = 1; j <= count; ++j) {
        std::string n = std::to_string(j);
        appendQuestion(context, ("reponse" + n).c_str(),
                       context->answersPerQuestion == 2 ? ("second" + n).c_str() : "",
                       ("Question " + n).c_str());
    }
    context->questionCount = count;
}
