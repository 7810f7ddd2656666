// Any bytes into the LZW decoder: it must end with a result and never touch
// memory outside its input, tables and output.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "authoring/lzw_encoder.h"
#include "document/lzw_decoder.h"
#include "platform/platform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::uint8_t *output = nullptr;
    std::size_t length = 0;
    int result = lzwDecode(data, size, &output, &length);
    if (result > 0 || length > lzwOutputCapacity) std::abort();
    if (result == lzwOk) {
        // What decodes must survive a round trip through the encoder.
        std::vector<std::uint8_t> again = lzwEncode(output, length);
        std::uint8_t *second = nullptr;
        std::size_t secondLength = 0;
        if (length > 0 &&
            (lzwDecode(again.data(), again.size(), &second, &secondLength) != lzwOk ||
             secondLength != length || std::memcmp(second, output, length) != 0))
            std::abort();
        heapFree(second);
    }
    heapFree(output);
    return 0;
}
