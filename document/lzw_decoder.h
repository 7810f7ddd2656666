// The decompressor of every stream the program carries.
//
// Format notes: codes are packed most significant bit first, 9 bits wide at
// the start. 0-255 are literal bytes, 256 ends the stream, 257 widens every
// later code by one bit, 258 empties the dictionary (next code 259, width 9),
// 259 and up are dictionary entries. Entries are created one string behind:
// each data code after the first adds "previous string + first byte of this
// code's string", also right after a reset.
#pragma once

#include <cstddef>
#include <cstdint>

enum LzwResult : int {
    lzwOk = 0,
    lzwOutOfMemory = -4,
    lzwEmptyInput = -5,
    lzwBadStream = -7,
    lzwTooLarge = -8,  // would cross the output, dictionary or string limit
};

constexpr std::size_t lzwOutputCapacity = 120000;
constexpr int lzwDictionarySize = 4096;
constexpr int lzwMaxStringLength = 4096;
constexpr int lzwEndCode = 256;
constexpr int lzwWidenCode = 257;
constexpr int lzwResetCode = 258;
constexpr int lzwFirstFreeCode = 259;
constexpr int lzwInitialWidth = 9;

// Decodes `input`. On success and on the failures -5, -7 and -8 (and -4 once
// the output exists) *output receives a process-heap buffer of *outputLength
// bytes, not NUL-terminated, which the caller frees with heapFree; on the
// other failures *output is null and *outputLength 0.
int lzwDecode(const std::uint8_t *input, std::size_t inputLength, std::uint8_t **output,
              std::size_t *outputLength);
