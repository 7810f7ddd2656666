#include "document/lzw_decoder.h"

#include <cstring>

#include "platform/platform.h"

namespace {

struct DictionaryEntry {
    std::uint8_t *bytes;
    std::uint16_t capacity;
    std::uint16_t length;
};

struct StringBuffer {
    std::uint8_t *bytes;
    int length;
};

// Keeps the low bits of the last byte read that no code has taken yet.
struct BitReader {
    const std::uint8_t *input;
    std::size_t inputLength;
    std::size_t position;
    std::uint8_t partialByte;
    int bitsLeft;
};

struct LzwState {
    DictionaryEntry *dictionary;
    int nextCode;
    int width;
    StringBuffer previous;
    StringBuffer work;
    BitReader reader;
    std::uint8_t *output;
    std::size_t outputLength;
};

// The next `count` bits, most significant first. On failure (count above 32
// or the input used up) `value` holds the bits that were read.
bool readBits(BitReader &reader, int count, std::uint32_t &value) {
    value = 0;
    if (count > 32) return false;
    for (int needed = count; needed > 0;) {
        if (reader.bitsLeft == 0) {
            if (reader.position >= reader.inputLength) return false;
            reader.partialByte = reader.input[reader.position++];
            reader.bitsLeft = 8;
        }
        int take = needed < reader.bitsLeft ? needed : reader.bitsLeft;
        int shift = reader.bitsLeft - take;
        std::uint32_t bits = (std::uint32_t(reader.partialByte) >> shift) & ((1u << take) - 1u);
        value = (value << take) | bits;
        reader.bitsLeft -= take;
        needed -= take;
    }
    return true;
}

bool allocateTables(LzwState &state) {
    state.dictionary =
        static_cast<DictionaryEntry *>(heapAlloc(sizeof(DictionaryEntry) * lzwDictionarySize));
    state.previous.bytes = static_cast<std::uint8_t *>(heapAlloc(lzwMaxStringLength));
    state.work.bytes = static_cast<std::uint8_t *>(heapAlloc(lzwMaxStringLength));
    if (!state.dictionary || !state.previous.bytes || !state.work.bytes) return false;
    for (int code = 0; code < 256; ++code) {
        std::uint8_t *single = static_cast<std::uint8_t *>(heapAlloc(1));
        if (!single) return false;
        single[0] = std::uint8_t(code);
        state.dictionary[code] = {single, 1, 1};
    }
    return true;
}

void releaseTables(LzwState &state) {
    if (state.dictionary) {
        for (int code = 0; code < lzwDictionarySize; ++code) heapFree(state.dictionary[code].bytes);
        heapFree(state.dictionary);
    }
    heapFree(state.previous.bytes);
    heapFree(state.work.bytes);
    state.dictionary = nullptr;
    state.previous.bytes = state.work.bytes = nullptr;
}

int finish(LzwState &state, int result, std::uint8_t **output, std::size_t *outputLength) {
    releaseTables(state);
    *output = state.output;
    *outputLength = state.output ? state.outputLength : 0;
    return result;
}

bool writePrevious(LzwState &state) {
    std::size_t length = std::size_t(state.previous.length);
    if (length > lzwOutputCapacity - state.outputLength) return false;
    std::memcpy(state.output + state.outputLength, state.previous.bytes, length);
    state.outputLength += length;
    return true;
}

// The entry a data code adds: the previous string and one more byte.
int storeNewEntry(LzwState &state, std::uint8_t lastByte) {
    if (state.previous.length >= lzwMaxStringLength) return lzwTooLarge;
    int length = state.previous.length + 1;
    std::memcpy(state.work.bytes, state.previous.bytes, std::size_t(state.previous.length));
    state.work.bytes[state.previous.length] = lastByte;
    state.work.length = length;

    DictionaryEntry &entry = state.dictionary[state.nextCode];
    if (entry.capacity < length) {
        std::uint8_t *bytes = static_cast<std::uint8_t *>(heapAlloc(std::size_t(length)));
        if (!bytes) return lzwOutOfMemory;
        heapFree(entry.bytes);
        entry.bytes = bytes;
        entry.capacity = std::uint16_t(length);
    }
    std::memcpy(entry.bytes, state.work.bytes, std::size_t(length));
    entry.length = std::uint16_t(length);
    ++state.nextCode;
    return lzwOk;
}

int decodeDataCode(LzwState &state, int code) {
    if (code > state.nextCode) return lzwBadStream;
    if (state.nextCode >= lzwDictionarySize) return lzwTooLarge;
    std::uint8_t lastByte = code == state.nextCode ? state.previous.bytes[0]
                                                   : state.dictionary[code].bytes[0];
    int stored = storeNewEntry(state, lastByte);
    if (stored != lzwOk) return stored;
    if (!writePrevious(state)) return lzwTooLarge;
    const DictionaryEntry &entry = state.dictionary[code];
    std::memcpy(state.previous.bytes, entry.bytes, entry.length);
    state.previous.length = entry.length;
    return lzwOk;
}

}  // namespace

int lzwDecode(const std::uint8_t *input, std::size_t inputLength, std::uint8_t **output,
              std::size_t *outputLength) {
    LzwState state = {};
    *output = nullptr;
    *outputLength = 0;
    if (!allocateTables(state)) return finish(state, lzwOutOfMemory, output, outputLength);
    state.nextCode = lzwFirstFreeCode;
    state.width = lzwInitialWidth;
    state.reader = {input, input ? inputLength : 0, 0, 0, 0};

    state.output = static_cast<std::uint8_t *>(heapAlloc(lzwOutputCapacity));
    if (!state.output) {
        showMessage("Impossible d'allouer la memoire", "Information", MB_OK);
        return finish(state, lzwOutOfMemory, output, outputLength);
    }

    std::uint32_t code = 0;
    if (!readBits(state.reader, lzwInitialWidth, code))
        return finish(state, lzwEmptyInput, output, outputLength);
    state.previous.bytes[0] = std::uint8_t(code & 0xFF);
    state.previous.length = 1;

    for (;;) {
        if (!readBits(state.reader, state.width, code)) {
            if (code == lzwEndCode) break;
            return finish(state, lzwBadStream, output, outputLength);
        }
        if (code == lzwEndCode) break;
        if (code == lzwResetCode) {
            state.nextCode = lzwFirstFreeCode;
            state.width = lzwInitialWidth;
        } else if (code == lzwWidenCode) {
            if (state.width <= 32) ++state.width;  // past 32 the next read fails
        } else {
            if (code > std::uint32_t(state.nextCode))
                return finish(state, lzwBadStream, output, outputLength);
            int result = decodeDataCode(state, int(code));
            if (result != lzwOk) return finish(state, result, output, outputLength);
        }
    }
    if (!writePrevious(state)) return finish(state, lzwTooLarge, output, outputLength);
    return finish(state, lzwOk, output, outputLength);
}
