#include "answers/saved_answers.h"

#include <cstdio>

#include "answers/answer_slots.h"
#include "answers/saved_answers_reader.h"

namespace {

void buildAnswersFileName(char *name) {
    char executable[answersFileNameSize];
    executableFileName(executable, answersFileNameSize);
    answersFileName(executable, name);
}

// The box's text, or the line the file held for it when the box does not
// exist: a layout that stopped early must not blank the answers it never showed.
void lineForBox(HWND panel, int boxId, SavedAnswersReader *previous, char *text) {
    char kept[textSize];
    nextSavedAnswer(previous, kept);
    HWND box = panel ? GetDlgItem(panel, boxId) : nullptr;
    if (box) {
        text[0] = '\0';
        GetWindowTextA(box, text, textSize);
    } else {
        copyText(text, textSize, kept);
    }
}

bool writeAll(HANDLE file, const char *bytes, int count) {
    DWORD written = 0;
    return WriteFile(file, bytes, DWORD(count), &written, nullptr) && written == DWORD(count);
}

bool writeLines(QuizContext *context, HANDLE file) {
    SavedAnswersReader previous;
    openSavedAnswers(&previous);
    bool ok = true;
    const int count = answerBoxCount(context);
    for (int i = 1; i <= count && ok; ++i) {
        char text[textSize], line[savedLineBytesSize];
        lineForBox(context->questionPanel, answerBoxBase + i, &previous, text);
        ok = writeAll(file, line, formatSavedAnswerLine(text, line));
    }
    closeSavedAnswers(&previous);
    return ok && FlushFileBuffers(file);
}

// The new answers go to a temporary file beside the old one, which is only
// replaced once they are all written: a crash or a full disk leaves the old
// file whole.
bool writeAnswersFile(QuizContext *context, const char *name) {
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(".", "grl", 0, temporary)) return false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    bool ok = file != INVALID_HANDLE_VALUE;
    if (ok) {
        ok = writeLines(context, file);
        ok = CloseHandle(file) && ok;
    }
    if (ok) ok = MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileA(temporary);
    return ok;
}

void reportFailedSave(const char *name) {
    char message[answersFileNameSize + 128];
    std::snprintf(message, sizeof message,
                  "Les r\xE9ponses n'ont pas pu \xEAtre enregistr\xE9" "es dans le fichier %s.", name);
    showMessage(message, "Grelo", MB_OK | MB_ICONEXCLAMATION);
}

void releaseReader(SavedAnswersReader *reader) {
    if (reader->data) UnmapViewOfFile(reader->data);
    if (reader->mapping) CloseHandle(HANDLE(reader->mapping));
    if (reader->file) CloseHandle(HANDLE(reader->file));
    *reader = SavedAnswersReader{};
}

}  // namespace

void saveAnswers(QuizContext *context) {
    if (!context) return;
    char name[answersFileNameSize];
    buildAnswersFileName(name);
    if (!writeAnswersFile(context, name)) reportFailedSave(name);
}

// A missing, empty or unreadable file gives no data: every box starts empty.
void openSavedAnswers(SavedAnswersReader *reader) {
    *reader = SavedAnswersReader{};
    char name[answersFileNameSize];
    buildAnswersFileName(name);
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    reader->file = file;
    DWORD high = 0, size = GetFileSize(file, &high);
    HANDLE mapping = (size == INVALID_FILE_SIZE || high || size == 0)
                         ? nullptr
                         : CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    reader->mapping = mapping;
    const void *view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (!view) {
        releaseReader(reader);
        return;
    }
    reader->data = static_cast<const char *>(view);
    reader->size = size;
}

void nextSavedAnswer(SavedAnswersReader *reader, char *text) {
    text[0] = '\0';
    if (reader->data) readSavedAnswerLine(reader->data, reader->size, &reader->position, text);
}

void closeSavedAnswers(SavedAnswersReader *reader) { releaseReader(reader); }
