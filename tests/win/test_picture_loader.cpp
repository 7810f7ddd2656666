#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/picture_loader.h"
#include "quiz_window_fixture.h"
#include "shell/app_context.h"
#include "win_test_support.h"

namespace {

struct Size {
    int width, height;
};

Size bitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {-1, -1};
    return {info.bmWidth, info.bmHeight};
}

bool isGdiObject(HBITMAP bitmap) { return GetObjectType(bitmap) != 0; }

COLORREF pixelAt(HBITMAP bitmap, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Lossy formats and a display's colour depth move a colour a little.
bool nearColour(COLORREF a, COLORREF b) {
    auto close = [](int x, int y) { return x - y < 24 && y - x < 24; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
           close(GetBValue(a), GetBValue(b));
}

HBITMAP filledBitmap(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

std::vector<unsigned char> resourceBytes(int number) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), "IMG");
    if (!found) return {};
    const auto *bytes = static_cast<const unsigned char *>(LockResource(LoadResource(module, found)));
    return std::vector<unsigned char>(bytes, bytes + SizeofResource(module, found));
}

HBITMAP loadTestPicture(int number) {
    return loadPictureResource(GetModuleHandleA(nullptr), number, "IMG", 260, 260);
}

class PictureLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { recordMessages(); }
    void TearDown() override { setMessageSink(nullptr); }
};

}  // namespace

TEST_F(PictureLoaderTest, OleFormatsDecodeAtTheirOwnSizeAndColour) {
    struct Case {
        const char *name;
        int number;
        Size size;
        COLORREF colour;
    };
    const Case cases[] = {{"JPEG", 401, {400, 300}, RGB(0xC0, 0x30, 0x20)},
                          {"GIF", 402, {300, 400}, RGB(0x20, 0x40, 0xC0)},
                          {"BMP", 403, {100, 50}, RGB(0x20, 0xA0, 0x40)},
                          {"one-pixel BMP", 300, {1, 1}, RGB(0xE0, 0xC0, 0x20)}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<unsigned char> bytes = resourceBytes(c.number);
        ASSERT_FALSE(bytes.empty());
        HBITMAP bitmap = loadOlePicture(bytes.data(), bytes.size());
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmapSize(bitmap).width, c.size.width);
        EXPECT_EQ(bitmapSize(bitmap).height, c.size.height);
        EXPECT_TRUE(nearColour(pixelAt(bitmap, c.size.width / 2, c.size.height / 2), c.colour));
        DeleteObject(bitmap);
    }
    EXPECT_TRUE(shownMessages().empty());
}

// Wine's OLE loader would read the PNG; Windows' does not, and neither may we.
TEST_F(PictureLoaderTest, UnreadableBytesAndPngGiveNothingWithoutAMessage) {
    const std::vector<unsigned char> png = resourceBytes(404);
    ASSERT_GT(png.size(), 8u);
    const std::vector<unsigned char> garbage(300, 0x5A);
    const unsigned char oneByte = 0xFF;
    EXPECT_EQ(loadOlePicture(png.data(), png.size()), nullptr);
    EXPECT_EQ(loadOlePicture(garbage.data(), garbage.size()), nullptr);
    EXPECT_EQ(loadOlePicture(&oneByte, 1), nullptr);
    EXPECT_EQ(loadOlePicture(&oneByte, 0), nullptr);
    EXPECT_EQ(loadOlePicture(nullptr, 10), nullptr);
    EXPECT_EQ(loadTestPicture(404), nullptr);
    EXPECT_TRUE(shownMessages().empty());
}

// An icon loads as a picture, but its handle is no bitmap to copy.
TEST_F(PictureLoaderTest, AFailedBitmapCopyIsReported) {
    const std::vector<unsigned char> icon = resourceBytes(301);
    ASSERT_FALSE(icon.empty());
    EXPECT_EQ(loadOlePicture(icon.data(), icon.size()), nullptr);
    ASSERT_EQ(shownMessages().size(), 1u);
    const ShownMessage &shown = shownMessages().back();
    const std::string prefix = "CopyImageplante avec l'erreur : ";
    ASSERT_EQ(shown.text.compare(0, prefix.size(), prefix), 0) << shown.text;
    const std::string code = shown.text.substr(prefix.size());
    EXPECT_FALSE(code.empty());
    EXPECT_EQ(code.find_first_not_of("0123456789"), std::string::npos) << code;
    EXPECT_EQ(shown.caption, "Information");
    EXPECT_EQ(shown.style, unsigned(MB_OK | MB_ICONINFORMATION));
}

TEST_F(PictureLoaderTest, ResourcesAreFittedAndAnswerPicturesRestored) {
    struct Case {
        const char *what;
        int number;
        Size fitted;  // -1 x -1 when nothing loads
    };
    const Case cases[] = {
        {"JPEG 400 x 300", 401, {260, 195}},
        {"GIF 300 x 400", 402, {195, 260}},
        {"BMP 100 x 50", 403, {260, 130}},
        {"BMP 1 x 1", 300, {260, 260}},
        {"10000 read as stored: JPEG 333 x 777", 10000, {111, 260}},
        {"10001 restored: GIF 7 x 3", 10001, {260, 111}},
        {"PNG in an IMG resource", 404, {-1, -1}},
        {"PNG as raw data, 120 x 60", 406, {260, 130}},
        {"no resource at all", 999, {-1, -1}},
        {"not a 16-bit resource number", 65536 + 401, {-1, -1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        HBITMAP bitmap = loadTestPicture(c.number);
        EXPECT_EQ(bitmapSize(bitmap).width, c.fitted.width);
        EXPECT_EQ(bitmapSize(bitmap).height, c.fitted.height);
        if (bitmap) DeleteObject(bitmap);
    }
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(PictureLoaderTest, ARawDataPngIsDecodedAndFitted) {
    HBITMAP bitmap = loadTestPicture(406);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_TRUE(nearColour(pixelAt(bitmap, 130, 65), RGB(128, 64, 128)));
    DeleteObject(bitmap);
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(PictureLoaderTest, ARawDataPngThatDoesNotDecodeIsReported) {
    EXPECT_EQ(loadTestPicture(407), nullptr);
    ASSERT_EQ(shownMessages().size(), 1u);
    EXPECT_EQ(shownMessages()[0].text, "Error: couldn't decode PNG resource");
    EXPECT_EQ(shownMessages()[0].caption, "Information");
    EXPECT_EQ(shownMessages()[0].style, unsigned(MB_OK | MB_ICONERROR));
}

TEST_F(PictureLoaderTest, TheSameAnswerPictureLoadsTheSameTwice) {
    const std::vector<unsigned char> stored = resourceBytes(10001);
    HBITMAP first = loadTestPicture(10001);
    HBITMAP second = loadTestPicture(10001);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(bitmapSize(second).width, bitmapSize(first).width);
    EXPECT_EQ(bitmapSize(second).height, bitmapSize(first).height);
    EXPECT_EQ(pixelAt(second, 130, 55), pixelAt(first, 130, 55));
    EXPECT_TRUE(nearColour(pixelAt(second, 130, 55), RGB(0xF0, 0xF0, 0xF0)));
    EXPECT_EQ(resourceBytes(10001), stored) << "the resource stays as stored";
    DeleteObject(first);
    DeleteObject(second);
}

TEST_F(PictureLoaderTest, ScalingKeepsProportionsAndTheColourAndDeletesTheSource) {
    const struct {
        Size source, fitted;
    } cases[] = {{{400, 300}, {260, 195}}, {{300, 400}, {195, 260}}, {{100, 50}, {260, 130}},
                 {{1, 1}, {260, 260}},     {{333, 777}, {111, 260}}, {{260, 260}, {260, 260}}};
    const COLORREF colour = RGB(0x00, 0x80, 0xFF);
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.source.width) + " x " + std::to_string(c.source.height));
        HBITMAP source = filledBitmap(c.source.width, c.source.height, colour);
        HBITMAP fitted = scaleBitmapToBox(source, 260, 260);
        EXPECT_FALSE(isGdiObject(source));
        ASSERT_NE(fitted, nullptr);
        EXPECT_NE(fitted, source);
        EXPECT_EQ(bitmapSize(fitted).width, c.fitted.width);
        EXPECT_EQ(bitmapSize(fitted).height, c.fitted.height);
        EXPECT_TRUE(nearColour(pixelAt(fitted, c.fitted.width - 1, c.fitted.height - 1), colour));
        DeleteObject(fitted);
    }
    EXPECT_EQ(scaleBitmapToBox(nullptr, 260, 260), nullptr);
}

namespace {

class PictureQuizTest : public QuizWindowTest {
protected:
    HWND tile(int j) const { return GetDlgItem(questions(), 9900 + j); }
    HBITMAP tileBitmap(int j) const {
        return HBITMAP(SendMessageA(tile(j), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    RECT place(int id) const { return childRect(GetDlgItem(questions(), id)); }
};

}  // namespace

// Row 1: 260 x 195, 195 x 260 and 260 x 130, so 260 high. Row 2: a PNG in an
// IMG resource that does not load, 260 x 130, and a raw-data PNG fitted to
// 260 x 130, so 130 high.
TEST_F(PictureQuizTest, TilesTakeTheirPicturesSizeAndRowsTheTallest) {
    openQuiz([](QuizContext *c) {
        c->mode = quizPictures;
        c->hintStyle = 0;
        addQuestions(c, 6);
    });
    const Size expected[] = {{260, 195}, {195, 260}, {260, 130}, {260, 0}, {260, 130}, {260, 130}};
    for (int j = 1; j <= 6; ++j) {
        SCOPED_TRACE("question " + std::to_string(j));
        const RECT rect = place(9900 + j);
        EXPECT_EQ(rect.right - rect.left, expected[j - 1].width);
        EXPECT_EQ(rect.bottom - rect.top, expected[j - 1].height);
        const Size shown = tileBitmap(j) ? bitmapSize(tileBitmap(j)) : Size{260, 0};
        EXPECT_EQ(shown.width, expected[j - 1].width);
        EXPECT_EQ(shown.height, expected[j - 1].height);
    }
    EXPECT_EQ(appContext->rowHeights[0], 260);
    EXPECT_EQ(appContext->rowHeights[1], 130);

    // Centred in the row's height; the answers start 10 below the row.
    const int firstTop = place(9902).top;
    EXPECT_EQ(place(9901).top, firstTop + (260 - 195) / 2);
    EXPECT_EQ(place(9903).top, firstTop + (260 - 130) / 2);
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(place(4000 + j).top, firstTop + 260 + 10) << j;
    const int secondTop = place(9905).top;
    EXPECT_GT(secondTop, firstTop + 260);
    for (int j = 4; j <= 6; ++j) EXPECT_EQ(place(4000 + j).top, secondTop + 130 + 10) << j;
}

TEST_F(PictureQuizTest, ARightAnswerPutsTheAnswerPictureInAndDeletesTheOldOne) {
    openQuiz([](QuizContext *c) {
        c->mode = quizPictures;
        c->hintStyle = 1;
        addQuestions(c, 1);
    });
    HWND box = GetDlgItem(questions(), 4001);
    HBITMAP question = tileBitmap(1);
    ASSERT_NE(question, nullptr);
    ASSERT_EQ(bitmapSize(question).width, 260);
    ASSERT_EQ(bitmapSize(question).height, 195);

    SetWindowTextA(box, "reponse1");
    SendMessageA(box, WM_KEYUP, VK_RETURN, 0);
    HBITMAP answer = tileBitmap(1);
    ASSERT_NE(answer, nullptr);
    EXPECT_NE(answer, question);
    EXPECT_EQ(bitmapSize(answer).width, 260);
    EXPECT_EQ(bitmapSize(answer).height, 111);
    EXPECT_FALSE(isGdiObject(question)) << "the question's picture is deleted";

    // Judged right again: the same answer picture loads a second time.
    SendMessageA(box, WM_KEYUP, VK_RETURN, 0);
    HBITMAP again = tileBitmap(1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(bitmapSize(again).width, 260);
    EXPECT_EQ(bitmapSize(again).height, 111);
    EXPECT_TRUE(nearColour(pixelAt(again, 130, 55), RGB(0xF0, 0xF0, 0xF0)));
    if (again != answer) {
        EXPECT_FALSE(isGdiObject(answer));
    }
}
