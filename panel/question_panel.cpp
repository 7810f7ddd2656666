#include "panel/question_panel.h"

#include <cstdio>

#include "answers/answer_checker.h"
#include "answers/saved_answers.h"
#include "media/media_player.h"
#include "media/picture_loader.h"
#include "panel/answer_box.h"
#include "panel/label_colours.h"
#include "panel/layout_geometry.h"
#include "panel/scrolling.h"
#include "resources/resource_ids.h"
#include "shell/app_context.h"

namespace {

constexpr DWORD numberStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
constexpr DWORD framedLabelStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTERIMAGE | SS_CENTER;
constexpr DWORD textBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL |
                               ES_CENTER | 0x0200;
constexpr DWORD tileBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL |
                               ES_CENTER;
constexpr DWORD pictureTileStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_CENTERIMAGE | SS_BITMAP;
constexpr DWORD mediaTileStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr DWORD nameStyle = WS_CHILD | WS_VISIBLE;
constexpr DWORD hintStyleBits = WS_CHILD | WS_VISIBLE | SS_CENTER;
constexpr DWORD mediaButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON;
constexpr int boxTextLimit = 128;

HBRUSH greenBrush = nullptr;
HICON playIcon = nullptr, stopIcon = nullptr;

bool isMediaQuiz(const QuizContext *context) {
    return context->mode == quizAudio || context->mode == quizVideo;
}

// The tables of the panel and the context hold at most 95 questions.
int laidOutQuestions(const QuizContext *context) {
    int count = context->questionCount;
    if (count < 0) return 0;
    return count > maxQuestions ? maxQuestions : count;
}

int answerSlots(const QuizContext *context) { return context->answersPerQuestion == 2 ? 2 : 1; }

HWND addControl(HWND panel, const char *className, const char *text, DWORD style,
                const ControlRect &place, int id) {
    return CreateWindowExA(0, className, text, style, place.x, place.y, place.width, place.height,
                           panel, HMENU(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
}

void setFont(HWND control, HGDIOBJ font, bool redraw) {
    SendMessageA(control, WM_SETFONT, WPARAM(font), redraw ? TRUE : FALSE);
}

void setGuiFont(HWND control) { setFont(control, GetStockObject(DEFAULT_GUI_FONT), true); }

// Question j's texts; a list shorter than the count it announced repeats its
// last question, and an empty one gives empty texts.
const QuestionNode &question(const QuizContext *context, int j) {
    static const QuestionNode none = {};
    const QuestionNode *node = questionAt(context, j - 1);
    return node ? *node : none;
}

void numberText(int j, char *text, int size) { std::snprintf(text, std::size_t(size), "%d.", j); }

PictureSize bitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return missingPicture;
    return {info.bmWidth, info.bmHeight};
}

// One panel initialisation from the first question to the last.
struct Layout {
    QuizContext *context;
    HWND panel;
    SavedAnswersReader saved;
    LayoutCursor cursor;
    // The current picture row: its three pictures until their tiles take them.
    HBITMAP rowBitmaps[3];
    PictureSize rowPictures[3];
    int rowHeight;
};

void storeContentSize(Layout &layout) {
    layout.context->contentWidth = layout.cursor.contentWidth;
    layout.context->contentHeight = layout.cursor.contentHeight;
}

// Each box starts with its line of the saved answers file.
HWND addAnswerBox(Layout &layout, DWORD style, const ControlRect &place, int id) {
    char text[textSize];
    nextSavedAnswer(&layout.saved, text);
    HWND box = addControl(layout.panel, "Edit", text, style, place, id);
    setFont(box, layout.context->questionFont, false);
    return box;
}

void layTextRow(Layout &layout, int j) {
    TextRowPlaces places = textRowPlaces(layout.cursor.rowTop);
    char number[16];
    numberText(j, number, sizeof number);
    addControl(layout.panel, "Static", number, numberStyle, places.number, 2000);
    HWND prompt = addControl(layout.panel, "Static", question(layout.context, j).prompt,
                             framedLabelStyle, places.question, 3000);
    setFont(prompt, layout.context->questionFont, false);
    HWND box = addAnswerBox(layout, textBoxStyle, places.box, 4000 + j);
    addControl(layout.panel, "Static", "?", framedLabelStyle, places.result, 5000 + j);
    checkAnswer(layout.context, layout.panel, 4000 + j);
    subclassAnswerBox(box);
    advanceTextRow(layout.cursor);
}

void dropRowPictures(Layout &layout) {
    for (HBITMAP &bitmap : layout.rowBitmaps) {
        if (bitmap) DeleteObject(bitmap);
        bitmap = nullptr;
    }
}

// The first question of a row loads the row's three pictures, whether or not
// the row has three questions: the row is as tall as the tallest of them.
void loadRowPictures(Layout &layout, int j) {
    dropRowPictures(layout);
    for (int i = 0; i < 3; ++i) {
        layout.rowBitmaps[i] =
            loadPictureResource(GetModuleHandleA(nullptr), 400 + j + i, "IMG", pictureBox, pictureBox);
        layout.rowPictures[i] = bitmapSize(layout.rowBitmaps[i]);
    }
    layout.rowHeight = rowHeight(layout.rowPictures);
    if (layout.cursor.rowIndex < rowCapacity)
        layout.context->rowHeights[layout.cursor.rowIndex] = layout.rowHeight;
    ++layout.cursor.rowIndex;
}

void addHintLabel(Layout &layout, int j, const ControlRect &place) {
    const QuizContext *context = layout.context;
    char wordCount[32];
    const char *text = question(context, j).hint;
    if (context->hintStyle == 5) {
        wordCountText(question(context, j).answer, wordCount, sizeof wordCount);
        text = wordCount;
    }
    HWND hint = addControl(layout.panel, "Static", text, hintStyleBits, place, 8000 + j);
    setGuiFont(hint);
    // Revealed by the checker when the question is solved.
    if (context->hintStyle != 5) ShowWindow(hint, SW_HIDE);
}

// The panel takes the focus after each box so that no box holds it, and so
// none judges itself on losing it, before the user has typed anything.
void addTileAnswers(Layout &layout, int j, const TilePlaces &places) {
    const int slots = places.boxCount;
    for (int k = 1; k <= slots; ++k) {
        const int id = 4000 + (j - 1) * slots + k;
        HWND box = addAnswerBox(layout, tileBoxStyle, places.boxes[k - 1], id);
        SendMessageA(box, EM_LIMITTEXT, boxTextLimit, 0);
        HWND result =
            addControl(layout.panel, "Static", "?", framedLabelStyle, places.results[k - 1], id + 1000);
        if (slots == 2) setGuiFont(result);
        subclassAnswerBox(box);
        checkAnswer(layout.context, layout.panel, id);
        SetFocus(layout.panel);
    }
}

void addMediaButtons(Layout &layout, int j, const TilePlaces &places) {
    HWND play = addControl(layout.panel, "Button", "", mediaButtonStyle, places.play, 6000 + j);
    SendMessageA(play, BM_SETIMAGE, IMAGE_ICON, LPARAM(playIcon));
    HWND stop = addControl(layout.panel, "Button", "", mediaButtonStyle, places.stop, 7000 + j);
    SendMessageA(stop, BM_SETIMAGE, IMAGE_ICON, LPARAM(stopIcon));
}

// The checker may already have put the answer picture in (a saved answer
// that completes the question); then the question's own picture is not needed.
void showRowPicture(Layout &layout, HWND tile, int column) {
    HBITMAP &picture = layout.rowBitmaps[column];
    if (!picture) return;
    if (SendMessageA(tile, STM_GETIMAGE, IMAGE_BITMAP, 0)) {
        DeleteObject(picture);
    } else {
        SendMessageA(tile, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(picture));
    }
    picture = nullptr;
}

// False when the media host could not take a player: the layout ends there.
bool layTile(Layout &layout, int j) {
    QuizContext *context = layout.context;
    const bool media = isMediaQuiz(context);
    const int column = tileColumn(j);
    if (!media && column == 0) loadRowPictures(layout, j);
    PictureSize picture = media ? missingPicture : layout.rowPictures[column];
    TilePlaces places = tilePlaces(context->mode, context->answersPerQuestion, context->hintStyle, j,
                                   layout.cursor.rowTop, layout.rowHeight, picture);

    HWND tile = addControl(layout.panel, "Static", "", media ? mediaTileStyle : pictureTileStyle,
                           places.tile, 9900 + j);
    if (media && !attachMediaPlayer(j, tile)) return false;

    if (places.hasNames) {
        setGuiFont(addControl(layout.panel, "Static", context->firstAnswerLabel, nameStyle,
                              places.firstName, 156));
        setGuiFont(addControl(layout.panel, "Static", context->secondAnswerLabel, nameStyle,
                              places.secondName, 156));
    }
    char number[16];
    numberText(j, number, sizeof number);
    addControl(layout.panel, "Static", number, numberStyle, places.number, 2000 + j);
    if (places.hasHint) addHintLabel(layout, j, places.hint);
    addTileAnswers(layout, j, places);

    if (media)
        addMediaButtons(layout, j, places);
    else
        showRowPicture(layout, tile, column);
    advanceTile(layout.cursor, context->hintStyle, column, places.answerTop);
    return true;
}

void onInitDialog(HWND panel) {
    QuizContext *context = appContext;
    greenBrush = CreateSolidBrush(0x00FF00);
    if (!context) return;
    context->contentWidth = context->contentHeight = 0;
    if (isMediaQuiz(context)) {
        playIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PLAY));
        stopIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_STOP));
    }

    Layout layout = {};
    layout.context = context;
    layout.panel = panel;
    layout.cursor = startLayout();
    openSavedAnswers(&layout.saved);
    // A panel made again (tests do) must not leak the previous font.
    if (context->questionFont) DeleteObject(context->questionFont);
    createQuestionFont(context);

    const int count = laidOutQuestions(context);
    bool complete = true;
    for (int j = 1; j <= count && complete; ++j) {
        if (context->mode == quizText)
            layTextRow(layout, j);
        else
            complete = layTile(layout, j);
        storeContentSize(layout);
    }
    dropRowPictures(layout);
    // A layout cut short by the media host keeps the size of what it placed,
    // but still closes the file and lets that part scroll.
    if (complete) finishLayout(layout.cursor, context->answersPerQuestion);
    storeContentSize(layout);
    closeSavedAnswers(&layout.saved);
    setScrollRanges(context, panel);
}

HBRUSH brushFor(const QuizContext *context, LabelBrush brush) {
    switch (brush) {
    case LabelBrush::background: return context->backgroundBrush;
    case LabelBrush::green: return greenBrush;
    case LabelBrush::wrong: return context->wrongBrush;
    case LabelBrush::anagram: return context->anagramBrush;
    case LabelBrush::nearMiss: return context->nearMissBrush;
    case LabelBrush::prompt: return context->promptBrush;
    default: return nullptr;
    }
}

// A result label is painted by the status word it holds, so the colour of a
// judgement needs no record besides the label's text.
INT_PTR onCtlColorStatic(HDC dc, HWND control) {
    const QuizContext *context = appContext;
    if (!context) return FALSE;
    const int id = GetDlgCtrlID(control);
    const int count = laidOutQuestions(context), slots = answerSlots(context);
    char text[textSize] = "";
    if (isResultLabel(id, count, slots)) GetWindowTextA(control, text, textSize);
    LabelColours colours =
        labelColours(id, text, count, slots, context->backgroundRed, context->backgroundGreen);
    if (colours.brush == LabelBrush::none) return FALSE;
    if (colours.transparent) SetBkMode(dc, TRANSPARENT);
    if (colours.setsTextColour) SetTextColor(dc, colours.textColour);
    if (colours.setsBackColour) SetBkColor(dc, colours.backColour);
    return INT_PTR(brushFor(context, colours.brush));
}

void onDestroy() {
    if (greenBrush) DeleteObject(greenBrush);
    greenBrush = nullptr;
    deleteLastMediaFile();
}

}  // namespace

HBRUSH questionPanelGreenBrush() { return greenBrush; }

INT_PTR CALLBACK questionPanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(panel);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return onCtlColorStatic(HDC(wParam), HWND(lParam));
    case WM_CTLCOLORDLG:
        return appContext ? INT_PTR(appContext->backgroundBrush) : FALSE;
    case WM_DESTROY:
    case WM_CLOSE:
        onDestroy();
        return FALSE;
    case WM_SIZE:
        if (appContext) refreshScrollRanges(appContext, panel);
        return FALSE;
    case WM_VSCROLL:
        scrollVertically(panel, LOWORD(wParam));
        return FALSE;
    case WM_HSCROLL:
        scrollHorizontally(panel, LOWORD(wParam));
        return FALSE;
    case WM_MOUSEWHEEL:
        // Handled here: left to the dialog's default processing, the notch
        // would also reach the main window, which forwards it once more.
        forwardWheel(panel, wParam);
        return TRUE;
    case WM_COMMAND:
        if (appContext && isMediaQuiz(appContext))
            return handleMediaCommand(appContext, LOWORD(wParam)) ? TRUE : FALSE;
        return FALSE;
    default:
        return FALSE;
    }
}
