// The Windows half of the context: its fonts and brushes, and the module name.
#include "document/quiz_context.h"

namespace {

HFONT createFont(int height, int weight, bool italic, const char *face) {
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfItalic = italic ? TRUE : FALSE;
    if (face) lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}

void deleteObject(HGDIOBJ object) {
    if (object) DeleteObject(object);
}

}  // namespace

void initQuizContext(QuizContext *context) {
    setContextDefaults(context);
    context->scoreFont = createFont(25, 400, false, "Arial");
    context->titleFont = createFont(-15, 700, true, nullptr);
    context->backgroundBrush = CreateSolidBrush(backgroundColour(context));
    context->wrongBrush = CreateSolidBrush(0x0000FF);
    context->anagramBrush = CreateSolidBrush(0x0064FF);
    context->nearMissBrush = CreateSolidBrush(0x26CBFF);
    context->promptBrush = CreateSolidBrush(0xC0FFFF);
}

void releaseQuizContext(QuizContext *context) {
    deleteObject(context->backgroundBrush);
    deleteObject(context->wrongBrush);
    deleteObject(context->anagramBrush);
    deleteObject(context->nearMissBrush);
    deleteObject(context->promptBrush);
    deleteObject(context->titleFont);
    deleteObject(context->questionFont);
    deleteObject(context->scoreFont);
    freeQuestions(context);
}

void createQuestionFont(QuizContext *context) {
    context->questionFont = createFont(15, 100, false, nullptr);
}

void executableFileName(char *buffer, int size) {
    if (size <= 0) return;
    DWORD length = GetModuleFileNameA(nullptr, buffer, DWORD(size));
    if (length >= DWORD(size)) length = DWORD(size) - 1;
    buffer[length] = '\0';
    keepFileNamePart(buffer);
}
