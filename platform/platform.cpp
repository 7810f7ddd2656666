#include "platform/platform.h"

#include <cstdlib>
#include <cstring>

namespace {
MessageSink messageSink = nullptr;
}

void setMessageSink(MessageSink sink) { messageSink = sink; }

#ifdef _WIN32

void *heapAlloc(std::size_t size) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size); }

void heapFree(void *block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

void showMessage(const char *text, const char *caption, unsigned style) {
    if (messageSink)
        messageSink(text, caption, style);
    else
        MessageBoxA(nullptr, text, caption, style);
}

#else

namespace {
RecordedMessage recorded;
int allocationsBeforeFailure = -1;
int failuresLeft = 0;

void copyCut(char *to, std::size_t size, const char *from) {
    std::strncpy(to, from ? from : "", size - 1);
    to[size - 1] = '\0';
}
}  // namespace

void *heapAlloc(std::size_t size) {
    if (failuresLeft > 0) {
        if (allocationsBeforeFailure > 0) {
            --allocationsBeforeFailure;
        } else {
            --failuresLeft;
            return nullptr;
        }
    }
    return std::calloc(1, size ? size : 1);
}

void heapFree(void *block) { std::free(block); }

void showMessage(const char *text, const char *caption, unsigned style) {
    if (messageSink) messageSink(text, caption, style);
    copyCut(recorded.text, sizeof recorded.text, text);
    copyCut(recorded.caption, sizeof recorded.caption, caption);
    recorded.style = style;
    ++recorded.count;
}

const RecordedMessage &lastMessage() { return recorded; }

void resetMessages() { recorded = RecordedMessage{}; }

void failHeapAllocations(int skip, int count) {
    allocationsBeforeFailure = skip;
    failuresLeft = count;
}

#endif
