// Helpers for tests that drive real windows in this process.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

struct ShownMessage {
    std::string text, caption;
    unsigned style;
};

// Messages that showMessage would have put in a box, newest last.
std::vector<ShownMessage> &shownMessages();
void recordMessages();  // installs the recorder and clears the list

// A child's rectangle in its parent's client coordinates.
RECT childRect(HWND child);

std::string windowText(HWND window);

// Dispatches whatever is waiting in this thread's queue.
void pumpMessages();

// Resizes a top-level window so that its client area is width x height.
void setClientSize(HWND window, int width, int height);

// A program started in its own process, ended when the object goes.
class ChildProgram {
public:
    ChildProgram(const std::string &path, const std::string &folder);
    ~ChildProgram();
    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    // The first top-level window of this process with the class (and caption,
    // when given), waited for up to `milliseconds`.
    HWND waitForWindow(const char *className, const char *caption, int milliseconds) const;
    // Waits for the process to end; its exit code, or -1 after the timeout.
    int waitForExit(int milliseconds);

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

std::vector<unsigned char> readFileBytes(const std::string &path);
bool writeFileBytes(const std::string &path, const std::vector<unsigned char> &bytes);
// A fresh empty folder under the system's temporary folder.
std::string makeTemporaryFolder(const char *prefix);
