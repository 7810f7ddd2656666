// Writing LZW streams code by code, for cases the encoder would never make.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "document/lzw_decoder.h"
#include "platform/platform.h"

// Packs codes most significant bit first; 257 widens the codes after it,
// 258 narrows them back to 9 bits, as the decoder reads them.
inline std::vector<std::uint8_t> packCodes(const std::vector<int> &codes, int cutBits = 0) {
    std::vector<bool> bits;
    int width = lzwInitialWidth;
    for (int code : codes) {
        for (int bit = width - 1; bit >= 0; --bit)
            bits.push_back((static_cast<unsigned long long>(code) >> bit) & 1u);
        if (code == lzwWidenCode) ++width;
        if (code == lzwResetCode) width = lzwInitialWidth;
    }
    bits.resize(bits.size() - std::size_t(cutBits));
    // A cut stream must end where its bytes end, or padding would read as bits.
    if (cutBits > 0 && bits.size() % 8 != 0) return {};
    std::vector<std::uint8_t> bytes((bits.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i]) bytes[i / 8] |= std::uint8_t(0x80 >> (i % 8));
    return bytes;
}

struct Decoded {
    int result;
    std::string text;
    bool hasOutput;
};

inline Decoded decode(const std::vector<std::uint8_t> &stream) {
    std::uint8_t *output = nullptr;
    std::size_t length = 0;
    int result = lzwDecode(stream.data(), stream.size(), &output, &length);
    Decoded decoded{result, std::string(reinterpret_cast<char *>(output), output ? length : 0),
                    output != nullptr};
    heapFree(output);
    return decoded;
}
