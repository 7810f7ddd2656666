// Makes streams that lzwDecode reads back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct LzwEncoderOptions {
    // The highest code the dictionary may hand out before the encoder resets
    // it (at most 4095). Lower values exist to exercise resets in tests.
    int highestCode = 4095;
    // Widenings emitted before the first data code after the first byte:
    // the same text in other bits (at most 20).
    int extraWidenings = 0;
};

// No stream decodes to nothing: empty data gives the empty stream, which the
// decoder refuses (-5).
std::vector<std::uint8_t> lzwEncode(const std::uint8_t *data, std::size_t size,
                                    const LzwEncoderOptions &options = {});

inline std::vector<std::uint8_t> lzwEncode(const std::vector<std::uint8_t> &data,
                                           const LzwEncoderOptions &options = {}) {
    return lzwEncode(data.data(), data.size(), options);
}
