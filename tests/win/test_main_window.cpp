#include <gtest/gtest.h>

#include "shell/app_context.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "win_test_support.h"

namespace {

HINSTANCE instance() { return GetModuleHandleA(nullptr); }

void registerOnce() {
    static bool registered = registerMainWindowClass(instance());
    ASSERT_TRUE(registered);
}

void newAppContext() {
    ASSERT_NE(createAppContext(), nullptr);
    copyText(appContext->linkCaption, linkCaptionSize, "Grelo - quiz autonome");
}

void destroyPanels() {
    if (!appContext) return;
    if (IsWindow(appContext->headerPanel)) DestroyWindow(appContext->headerPanel);
    if (IsWindow(appContext->questionPanel)) DestroyWindow(appContext->questionPanel);
    appContext->headerPanel = appContext->questionPanel = nullptr;
}

void dropQuitMessages() {
    pumpMessages();
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// A main window of its own for each test, never shown.
struct MainWindowFixture : ::testing::Test {
    HWND window = nullptr;

    void SetUp() override {
        registerOnce();
        recordMessages();
        newAppContext();
        window = createMainWindow(instance(), appContext);
        ASSERT_NE(window, nullptr);
    }

    void TearDown() override {
        DestroyWindow(window);
        shutDown(nullptr);
        dropQuitMessages();
    }
};

// One main window for the whole suite, shown with its panels: without a
// window manager every destruction of a mapped window costs Wine two seconds.
struct ShownMainWindowFixture : ::testing::Test {
    static HWND window;

    static void SetUpTestSuite() {
        registerOnce();
        backgroundBrushMain = CreateSolidBrush(0xC8D0D4);
        newAppContext();
        window = createMainWindow(instance(), appContext);
    }

    static void TearDownTestSuite() {
        destroyPanels();
        shutDown(window);
        DestroyWindow(window);
        dropQuitMessages();
    }

    void SetUp() override {
        ASSERT_NE(window, nullptr);
        if (!appContext) newAppContext();
        if (!backgroundBrushMain) backgroundBrushMain = CreateSolidBrush(0xC8D0D4);
        ShowWindow(window, SW_RESTORE);
        SetWindowPos(window, nullptr, 0, 0, mainWindowWidth, mainWindowHeight,
                     SWP_NOMOVE | SWP_NOZORDER);
        createPanels(instance(), window, appContext);
    }

    void TearDown() override {
        destroyPanels();
        dropQuitMessages();
    }
};

HWND ShownMainWindowFixture::window = nullptr;

bool sameRect(RECT r, int x, int y, int width, int height) {
    return r.left == x && r.top == y && r.right - r.left == width && r.bottom - r.top == height;
}

std::string describe(RECT r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right - r.left) + ", " + std::to_string(r.bottom - r.top) + ")";
}

}  // namespace

TEST_F(MainWindowFixture, HasTheGreloClassAndTheQuizTitle) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "Grelo");
    EXPECT_EQ(GetClassLongA(window, GCL_STYLE), unsigned(CS_DBLCLKS));
    EXPECT_EQ(windowText(window), "Nom du grelo");
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_OVERLAPPEDWINDOW, LONG(WS_OVERLAPPEDWINDOW));
    EXPECT_FALSE(IsWindowVisible(window));  // created hidden
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    EXPECT_EQ(HICON(SendMessageA(window, WM_GETICON, ICON_BIG, 0)), LoadIconA(nullptr, IDI_QUESTION));
}

TEST_F(MainWindowFixture, IsCentredOnTheDesktop) {
    RECT desktop = {}, rect = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    ASSERT_EQ(desktop.right, 1024) << "the test display is 1024 x 768";
    ASSERT_EQ(desktop.bottom, 768) << "the test display is 1024 x 768";
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 112);
    EXPECT_EQ(rect.top, 84);
}

TEST_F(MainWindowFixture, CentringOverASmallerWindowGoesNegative) {
    HWND small = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                 instance(), nullptr);
    centreWindow(window, small);
    RECT rect = {};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, -80);
    EXPECT_EQ(rect.top, -60);
    EXPECT_EQ(rect.right - rect.left, 800);  // size kept
    DestroyWindow(small);
}

TEST_F(ShownMainWindowFixture, CaptionLabelShowsTheLinkCaptionOnItsBrush) {
    HWND label = GetDlgItem(window, linkCaptionLabelId);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(windowText(label), "Grelo - quiz autonome");
    EXPECT_EQ(GetWindowLongA(label, GWL_STYLE), LONG(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(HGDIOBJ(SendMessageA(label, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));

    HDC dc = GetDC(label);
    EXPECT_EQ(HBRUSH(SendMessageA(window, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(label))),
              backgroundBrushMain);
    createLabel(window, "autre", 0, 0, 10, 10, 77);
    EXPECT_EQ(SendMessageA(window, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(GetDlgItem(window, 77))), 0);
    ReleaseDC(label, dc);
}

TEST_F(ShownMainWindowFixture, PanelsComeFromTheirTemplates) {
    HWND header = appContext->headerPanel, questions = appContext->questionPanel;
    ASSERT_NE(header, nullptr);
    ASSERT_NE(questions, nullptr);
    EXPECT_EQ(GetParent(header), window);
    EXPECT_EQ(GetParent(questions), window);
    const LONG headerStyle = WS_CHILD | WS_BORDER;
    const LONG panelStyle = WS_CHILD | WS_BORDER | WS_VSCROLL | WS_HSCROLL;
    EXPECT_EQ(GetWindowLongA(header, GWL_STYLE) & headerStyle, headerStyle);
    EXPECT_EQ(GetWindowLongA(questions, GWL_STYLE) & panelStyle, panelStyle);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowVisible(header));
    EXPECT_TRUE(IsWindowVisible(questions));
}

TEST_F(ShownMainWindowFixture, SizingPlacesThePanelsAndTheCaption) {
    struct Case {
        int width, height;
    } cases[] = {{792, 566}, {600, 400}};
    for (const Case &c : cases) {
        setClientSize(window, c.width, c.height);
        RECT client = {};
        GetClientRect(window, &client);
        ASSERT_EQ(client.right, c.width);
        ASSERT_EQ(client.bottom, c.height);
        int w = c.width, h = c.height;
        RECT header = childRect(appContext->headerPanel);
        RECT questions = childRect(appContext->questionPanel);
        RECT caption = childRect(GetDlgItem(window, linkCaptionLabelId));
        EXPECT_TRUE(sameRect(header, 5, 2, w - 11, 49)) << describe(header);
        EXPECT_TRUE(sameRect(questions, 5, 50, w - 11, h - 68)) << describe(questions);
        EXPECT_TRUE(sameRect(caption, w - 145, h - 16, 150, 15)) << describe(caption);
    }
    // The values of a framed 792 x 566 client area, spelt out.
    setClientSize(window, 792, 566);
    EXPECT_TRUE(sameRect(childRect(appContext->questionPanel), 5, 50, 781, 498));
    EXPECT_TRUE(sameRect(childRect(GetDlgItem(window, linkCaptionLabelId)), 647, 550, 150, 15));
}

TEST_F(ShownMainWindowFixture, MinimisingLeavesTheChildrenWhereTheyAre) {
    setClientSize(window, 792, 566);
    RECT before = childRect(appContext->questionPanel);
    SendMessageA(window, WM_SIZE, SIZE_MINIMIZED, 0);
    ShowWindow(window, SW_MINIMIZE);
    RECT during = childRect(appContext->questionPanel);
    EXPECT_EQ(during.right - during.left, before.right - before.left);
    EXPECT_EQ(during.bottom - during.top, before.bottom - before.top);
    ShowWindow(window, SW_RESTORE);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_TRUE(sameRect(childRect(appContext->questionPanel), 5, 50, client.right - 11,
                         client.bottom - 68));
}

TEST_F(ShownMainWindowFixture, ClosingEndsTheLoopAndShutdownReleasesEverything) {
    HWND questions = appContext->questionPanel, header = appContext->headerPanel;
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(runMessageLoop(appContext), 0);
    EXPECT_FALSE(IsWindow(questions));  // destroyed on close
    EXPECT_TRUE(IsWindow(window));      // a text quiz keeps its main window
    shutDown(window);
    EXPECT_EQ(appContext, nullptr);
    EXPECT_FALSE(IsWindow(header));
    EXPECT_EQ(backgroundBrushMain, nullptr);
}

TEST_F(ShownMainWindowFixture, WheelTurnsOverTheMainWindowReachTheQuestionPanel) {
    SendMessageA(window, WM_MOUSEWHEEL, WPARAM(0xFF88u << 16), 0);
    MSG posted;
    ASSERT_TRUE(PeekMessageA(&posted, appContext->questionPanel, WM_VSCROLL, WM_VSCROLL, PM_REMOVE));
    EXPECT_EQ(posted.wParam, 500u);
}

TEST_F(MainWindowFixture, RefusedRegistrationIsReportedAndOpensNothing) {
    // The class exists already, so registering it again is refused.
    EXPECT_EQ(runGrelo(instance()), 0);
    ASSERT_EQ(shownMessages().size(), 1u);
    EXPECT_EQ(shownMessages()[0].text, "Erreur dans la cr\xE9" "ation de la fen\xEAtre principale");
    EXPECT_EQ(shownMessages()[0].caption, "Grelo");
    EXPECT_EQ(shownMessages()[0].style, unsigned(MB_ICONINFORMATION));
}
