#include "shell/startup.h"

#include <new>

#include "document/quiz_loader.h"
#include "media/media_support.h"
#include "panel/question_panel.h"
#include "resources/resource_ids.h"
#include "shell/app_context.h"
#include "shell/header_panel.h"
#include "shell/main_window.h"

QuizContext *appContext = nullptr;

QuizContext *createAppContext() {
    QuizContext *context = new (std::nothrow) QuizContext();  // zero-filled
    if (context) initQuizContext(context);
    appContext = context;
    return context;
}

HWND createMainWindow(HINSTANCE instance, const QuizContext *context) {
    HWND window = CreateWindowExA(0, "Grelo", context ? context->title : "", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, mainWindowWidth, mainWindowHeight,
                                  nullptr, nullptr, instance, nullptr);
    centreWindow(window, GetDesktopWindow());
    return window;
}

void createPanels(HINSTANCE instance, HWND mainWindow, QuizContext *context) {
    HWND header = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_HEADER_PANEL), mainWindow,
                                     headerPanelProc, 0);
    ShowWindow(header, SW_SHOWNORMAL);
    context->headerPanel = header;

    // The panel lays out its questions inside its creation, before it is recorded.
    HWND questions = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_QUESTION_PANEL),
                                        mainWindow, questionPanelProc, 0);
    context->questionPanel = questions;

    ShowWindow(mainWindow, SW_SHOWNORMAL);
    ShowWindow(questions, SW_SHOWNORMAL);
    // The first showing normally brings the WM_SIZE that places the children;
    // laying them out once more costs nothing and holds where it does not.
    layoutMainWindow(mainWindow);
    SendMessageA(questions, WM_VSCROLL, SB_TOP, 0);
}

int runMessageLoop(const QuizContext *context) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (context->questionPanel && IsDialogMessageA(context->questionPanel, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}

void shutDown(HWND mainWindow) {
    QuizContext *context = appContext;
    if (context && context->questionPanel) EndDialog(context->questionPanel, 0);
    if (context && context->headerPanel) DestroyWindow(context->headerPanel);
    releaseMediaSupport(mainWindow);
    if (backgroundBrushMain) DeleteObject(backgroundBrushMain);
    backgroundBrushMain = nullptr;
    if (context) {
        releaseQuizContext(context);
        delete context;
    }
    appContext = nullptr;
}

int runGrelo(HINSTANCE instance) {
    if (!registerMainWindowClass(instance)) {
        showMessage("Erreur dans la cr\xE9" "ation de la fen\xEAtre principale", "Grelo",
                    MB_ICONINFORMATION);
        return 0;
    }
    backgroundBrushMain = CreateSolidBrush(0xC8D0D4);
    QuizContext *context = createAppContext();
    if (!context) return 0;
    loadQuiz(context);
    loadMediaSupport();
    HWND mainWindow = createMainWindow(instance, context);
    createPanels(instance, mainWindow, context);
    int exitCode = runMessageLoop(context);
    shutDown(mainWindow);
    return exitCode;
}
