#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "quiz_window_fixture.h"
#include "resources/resource_ids.h"
#include "shell/app_context.h"
#include "shell/header_panel.h"
#include "win_test_support.h"

namespace {

bool writeText(const std::string &path, const std::string &text) {
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

std::string readText(const std::string &path) {
    std::string text;
    if (FILE *file = std::fopen(path.c_str(), "rb")) {
        char buffer[256];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
        std::fclose(file);
    }
    return text;
}

HGDIOBJ fontOf(HWND control) { return HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)); }

enum class Font { gui, title, score, link, none };

struct Expected {
    int id;
    const char *className;
    LONG style;
    const char *text;
    int x, y, width, height;
    Font font;
};

void fillHeaderQuiz(QuizContext *c, QuizMode mode) {
    c->mode = mode;
    copyText(c->title, textSize, "Capitales");
    copyText(c->author, textSize, "Marie");
    copyText(c->explanation, textSize, "Trouvez la capitale de chaque pays.");
    addQuestions(c, 12);
}

class HeaderPanelTest : public QuizWindowTest {
protected:
    // A header made on its own, never sized, keeps its controls in creation
    // order at their first places.
    HWND unsized = nullptr;
    void TearDown() override {
        if (unsized) DestroyWindow(unsized);
        QuizWindowTest::TearDown();
    }
    HWND createUnsizedHeader() {
        unsized = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_HEADER_PANEL),
                                     window, headerPanelProc, 0);
        return unsized;
    }
};

}  // namespace

TEST_F(HeaderPanelTest, CreatesItsControlsInOrderWithTheirTextsStylesAndFonts) {
    openQuiz([](QuizContext *c) { fillHeaderQuiz(c, quizPictures); });
    HWND panel = createUnsizedHeader();
    ASSERT_NE(panel, nullptr);
    const Expected expected[] = {
        {24, "Static", 0x50000100, "grelo.example", 736, 5, 115, 18, Font::link},
        {25, "Static", 0x50000000, "Par :", 736, 25, 27, 18, Font::gui},
        {26, "Static", 0x50000000, "Marie", 763, 25, 85, 18, Font::gui},
        {33, "Button", 0x50000003, "Cacher", 636, 5, 55, 18, Font::gui},
        {27, "Button", 0x50000000, "Sauver", 666, 25, 55, 18, Font::gui},
        {28, "Static", 0x50000000, "Trouvez la capitale de chaque pays.", 110, 19, 490, 27, Font::gui},
        {29, "Static", 0x50000000, "Capitales", 110, 3, 190, 18, Font::title},
        {31, "Static", 0x50000000, " Code :", 7, 29, 36, 15, Font::gui},
        {32, "Static", 0x50000001, " 0 / 12", 10, 1, 80, 20, Font::score},
        {30, "Edit", 0x50000800, "", 44, 29, 53, 16, Font::gui},
        {120, "Static", 0x50800000, "", 0, 26, 100, 1, Font::none},
        {121, "Static", 0x50800000, "", 100, 0, 1, 50, Font::none},
        {122, "Static", 0x50800000, "", 730, 0, 1, 50, Font::none},
    };
    std::vector<ChildControl> controls = childControls(panel);
    ASSERT_EQ(controls.size(), std::size(expected));
    HGDIOBJ linkFont = fontOf(GetDlgItem(panel, 24));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Expected &e = expected[i];
        const ChildControl &a = controls[i];
        SCOPED_TRACE("id " + std::to_string(e.id));
        EXPECT_EQ(a.id, e.id);
        EXPECT_EQ(_stricmp(a.className.c_str(), e.className), 0) << a.className;
        EXPECT_EQ(a.style & ~WS_BORDER, e.style & ~WS_BORDER) << std::hex << a.style;
        if (_stricmp(e.className, "Edit") != 0) {
            EXPECT_EQ(a.style, e.style) << std::hex << a.style;
        }
        EXPECT_EQ(a.text, e.text);
        EXPECT_TRUE(sameRect(a.rect, e.x, e.y, e.width, e.height)) << describeRect(a.rect);
        HGDIOBJ font = fontOf(GetDlgItem(panel, e.id));
        switch (e.font) {
        case Font::gui: EXPECT_EQ(font, GetStockObject(DEFAULT_GUI_FONT)); break;
        case Font::title: EXPECT_EQ(font, appContext->titleFont); break;
        case Font::score: EXPECT_EQ(font, appContext->scoreFont); break;
        case Font::link: EXPECT_NE(font, nullptr); break;
        case Font::none: EXPECT_EQ(font, nullptr); break;
        }
    }
    // The link font: underlined, three quarters of the 18-pixel label.
    LOGFONTA logical = {};
    ASSERT_TRUE(GetObjectA(linkFont, sizeof logical, &logical));
    EXPECT_EQ(logical.lfHeight, -13);
    EXPECT_EQ(logical.lfWeight, 400);
    EXPECT_TRUE(logical.lfUnderline);
    EXPECT_EQ(logical.lfFaceName[0], '\0');
    // The code field takes no typing.
    SendMessageA(GetDlgItem(panel, 30), WM_CHAR, 'a', 1);
    EXPECT_EQ(windowText(GetDlgItem(panel, 30)), "");
}

TEST_F(HeaderPanelTest, HideBoxOnlyInAPictureQuiz) {
    for (QuizMode mode : {quizText, quizPictures, quizAudio, quizVideo}) {
        openQuiz([&](QuizContext *c) { fillHeaderQuiz(c, mode); });
        EXPECT_EQ(GetDlgItem(header(), 33) != nullptr, mode == quizPictures) << mode;
        EXPECT_NE(GetDlgItem(header(), 27), nullptr) << mode;
    }
}

TEST_F(HeaderPanelTest, SizingMovesTheRightBlockAndStretchesTitleAndExplanation) {
    openQuiz([](QuizContext *c) { fillHeaderQuiz(c, quizPictures); });
    // Give the header a client area 781 pixels wide.
    RECT outer = {}, inner = {};
    GetWindowRect(header(), &outer);
    GetClientRect(header(), &inner);
    int border = (outer.right - outer.left) - inner.right;
    SetWindowPos(header(), nullptr, 0, 0, 781 + border, 49, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(header(), &inner);
    ASSERT_EQ(inner.right, 781);

    struct Case {
        int id, x, y, width, height;
    } cases[] = {
        {33, 577, 0, 55, 18}, {29, 110, 3, 431, 18}, {24, 647, 0, 115, 18},  {25, 647, 25, 26, 18},
        {26, 674, 25, 105, 18}, {27, 577, 25, 55, 18}, {28, 110, 19, 457, 28}, {122, 636, 0, 1, 50},
        // These keep their places on the left.
        {31, 7, 29, 36, 15}, {32, 10, 1, 80, 20}, {30, 44, 29, 53, 16}, {120, 0, 26, 100, 1},
        {121, 100, 0, 1, 50},
    };
    for (const Case &c : cases) {
        RECT rect = childRect(GetDlgItem(header(), c.id));
        EXPECT_TRUE(sameRect(rect, c.x, c.y, c.width, c.height)) << c.id << " " << describeRect(rect);
    }
    // "Cacher" sits directly above "Sauver".
    EXPECT_EQ(childRect(GetDlgItem(header(), 33)).left, childRect(GetDlgItem(header(), 27)).left);
}

TEST_F(HeaderPanelTest, InTheMainWindowTheHeaderFollowsItsClientWidth) {
    openQuiz([](QuizContext *c) { fillHeaderQuiz(c, quizPictures); });
    for (int width : {792, 640}) {
        setClientSize(window, width, 500);
        RECT client = {};
        GetClientRect(header(), &client);
        int w = client.right;
        ASSERT_GT(w, 0);
        EXPECT_TRUE(sameRect(childRect(GetDlgItem(header(), 24)), w - 134, 0, 115, 18)) << w;
        EXPECT_TRUE(sameRect(childRect(GetDlgItem(header(), 29)), 110, 3, w - 350, 18)) << w;
        EXPECT_TRUE(sameRect(childRect(GetDlgItem(header(), 122)), w - 145, 0, 1, 50)) << w;
    }
}

TEST_F(HeaderPanelTest, LabelsSitOnTheHeaderColourAndTheLinkIsBlue) {
    openQuiz([](QuizContext *c) { fillHeaderQuiz(c, quizPictures); });
    HBRUSH brush = headerBrush();
    ASSERT_NE(brush, nullptr);
    LOGBRUSH logical = {};
    GetObjectA(brush, sizeof logical, &logical);
    EXPECT_EQ(logical.lbColor, COLORREF(0xFF8080));

    struct Case {
        int id;
        bool coloured;
        bool link;
    } cases[] = {{24, true, true},  {25, true, false}, {26, true, false},  {28, true, false},
                 {29, true, false}, {30, true, false}, {31, true, false},  {32, true, false},
                 {33, true, false}, {120, false, false}, {122, false, false}};
    for (const Case &c : cases) {
        HDC dc = CreateCompatibleDC(nullptr);
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, 0x123456);
        INT_PTR result = headerPanelProc(header(), WM_CTLCOLORSTATIC, WPARAM(dc),
                                         LPARAM(GetDlgItem(header(), c.id)));
        EXPECT_EQ(result, c.coloured ? INT_PTR(brush) : 0) << c.id;
        EXPECT_EQ(GetBkMode(dc), c.coloured ? TRANSPARENT : OPAQUE) << c.id;
        EXPECT_EQ(GetTextColor(dc), c.link ? COLORREF(0xFF3232) : COLORREF(0x123456)) << c.id;
        DeleteDC(dc);
    }
    EXPECT_EQ(SendMessageA(header(), WM_CTLCOLORDLG, 0, 0), LRESULT(brush));
}

TEST_F(HeaderPanelTest, EveryStaticOfTheProgramShowsTheHand) {
    openQuiz([](QuizContext *c) { fillHeaderQuiz(c, quizText); });
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_HAND));
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(HCURSOR(GetClassLongPtrA(GetDlgItem(header(), 24), GCLP_HCURSOR)), hand);
    // The class is shared: the question panel's labels have it too.
    HWND result = GetDlgItem(questions(), 5001);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(HCURSOR(GetClassLongPtrA(result, GCLP_HCURSOR)), hand);
}

TEST_F(HeaderPanelTest, AClickOnTheLinkOpensItOnceAndADoubleClickAddsNothing) {
    // The link opens a batch file that appends a line for each opening.
    // The link target holds 24 characters: a short folder at the root.
    std::string folder = "C:\\glk" + std::to_string(GetCurrentProcessId() % 10000);
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string batch = folder + "\\o.bat", log = folder + "\\o.log";
    ASSERT_LT(batch.size(), std::size_t(linkTargetSize)) << batch;
    DeleteFileA(log.c_str());
    ASSERT_TRUE(writeText(batch, "@echo x>>\"" + log + "\"\r\n"));
    openQuiz([&](QuizContext *c) {
        fillHeaderQuiz(c, quizText);
        copyText(c->linkTarget, linkTargetSize, batch.c_str());
    });
    SendMessageA(header(), WM_COMMAND, MAKEWPARAM(24, STN_CLICKED), LPARAM(GetDlgItem(header(), 24)));
    SendMessageA(header(), WM_COMMAND, MAKEWPARAM(24, STN_DBLCLK), LPARAM(GetDlgItem(header(), 24)));
    std::string written;
    for (int waited = 0; waited < 10000 && written.empty(); waited += 100) {
        Sleep(100);
        written = readText(log);
    }
    Sleep(1000);  // a second opening would have had time to write too
    EXPECT_EQ(readText(log), "x\r\n");
    DeleteFileA(log.c_str());
    DeleteFileA(batch.c_str());
    RemoveDirectoryA(folder.c_str());
}
