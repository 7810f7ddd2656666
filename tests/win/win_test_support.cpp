#include "win_test_support.h"

std::vector<ShownMessage> &shownMessages() {
    static std::vector<ShownMessage> messages;
    return messages;
}

void recordMessages() {
    shownMessages().clear();
    setMessageSink([](const char *text, const char *caption, unsigned style) {
        shownMessages().push_back({text, caption, style});
    });
}

RECT childRect(HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

std::string windowText(HWND window) {
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, LPARAM(text));
    return text;
}

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void setClientSize(HWND window, int width, int height) {
    RECT outer = {}, inner = {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    int frameWidth = (outer.right - outer.left) - inner.right;
    int frameHeight = (outer.bottom - outer.top) - inner.bottom;
    SetWindowPos(window, nullptr, 0, 0, width + frameWidth, height + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
}

#include <cstdio>

ChildProgram::ChildProgram(const std::string &path, const std::string &folder) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + path + "\"";
    if (CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
}

ChildProgram::~ChildProgram() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

namespace {
struct WindowSearch {
    DWORD process;
    const char *className;
    const char *caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM parameter) {
    WindowSearch *search = reinterpret_cast<WindowSearch *>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process) return TRUE;
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != search->className) return TRUE;
    if (search->caption && windowText(window) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

HWND ChildProgram::waitForWindow(const char *className, const char *caption, int milliseconds) const {
    for (int waited = 0; waited <= milliseconds; waited += 50) {
        WindowSearch search = {id_, className, caption, nullptr};
        EnumWindows(matchWindow, LPARAM(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

int ChildProgram::waitForExit(int milliseconds) {
    if (!process_ || WaitForSingleObject(process_, DWORD(milliseconds)) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return int(code);
}

std::vector<unsigned char> readFileBytes(const std::string &path) {
    std::vector<unsigned char> bytes;
    if (FILE *file = std::fopen(path.c_str(), "rb")) {
        unsigned char buffer[65536];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
        std::fclose(file);
    }
    return bytes;
}

bool writeFileBytes(const std::string &path, const std::vector<unsigned char> &bytes) {
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::string makeTemporaryFolder(const char *prefix) {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    for (unsigned attempt = GetTickCount();; ++attempt) {
        std::string folder = std::string(base) + prefix + std::to_string(attempt);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    }
}
