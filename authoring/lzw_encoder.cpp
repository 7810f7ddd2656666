#include "authoring/lzw_encoder.h"

#include <unordered_map>

#include "document/lzw_decoder.h"

namespace {

class BitWriter {
public:
    void write(std::uint32_t code, int width) {
        for (int bit = width - 1; bit >= 0; --bit) {
            current_ = std::uint8_t(current_ << 1 | ((code >> bit) & 1u));
            if (++used_ == 8) {
                bytes_.push_back(current_);
                current_ = 0;
                used_ = 0;
            }
        }
    }
    std::vector<std::uint8_t> finish() {
        if (used_ > 0) bytes_.push_back(std::uint8_t(current_ << (8 - used_)));
        used_ = 0;
        current_ = 0;
        return std::move(bytes_);
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

// Mirrors the decoder's dictionary: the same codes in the same order, so that
// every code the encoder emits is one the decoder already knows (or the one it
// is about to create).
class Encoder {
public:
    explicit Encoder(int highestCode) : highestCode_(highestCode) {}

    void emit(int code) {
        while (code >= (1 << width_)) {
            bits_.write(lzwWidenCode, width_);
            ++width_;
        }
        bits_.write(std::uint32_t(code), width_);
    }

    void emitWidening() {
        bits_.write(lzwWidenCode, width_);
        ++width_;
    }

    int find(int prefix, std::uint8_t byte) const {
        auto it = entries_.find(key(prefix, byte));
        return it == entries_.end() ? -1 : it->second;
    }

    // The decoder creates this entry when it reads the next data code, one
    // string behind; after a reset the entry still joins the string emitted
    // before the reset, which the new dictionary cannot reach as a prefix
    // unless it was a single byte.
    void addEntry(int prefix, std::uint8_t byte) {
        if (nextCode_ > highestCode_) {
            emit(lzwResetCode);
            entries_.clear();
            nextCode_ = lzwFirstFreeCode;
            width_ = lzwInitialWidth;
            if (prefix >= 256) {
                ++nextCode_;
                return;
            }
        }
        entries_.emplace(key(prefix, byte), nextCode_++);
    }

    std::vector<std::uint8_t> finish() {
        emit(lzwEndCode);
        return bits_.finish();
    }

private:
    static std::uint32_t key(int prefix, std::uint8_t byte) {
        return std::uint32_t(prefix) << 8 | byte;
    }

    std::unordered_map<std::uint32_t, int> entries_;
    BitWriter bits_;
    int nextCode_ = lzwFirstFreeCode;
    int width_ = lzwInitialWidth;
    int highestCode_;
};

}  // namespace

std::vector<std::uint8_t> lzwEncode(const std::uint8_t *data, std::size_t size,
                                    const LzwEncoderOptions &options) {
    int highest = options.highestCode;
    if (highest > lzwDictionarySize - 1) highest = lzwDictionarySize - 1;
    if (highest < lzwFirstFreeCode) highest = lzwFirstFreeCode;
    // The decoder always takes its first code as a byte: no stream decodes
    // to nothing, so nothing encodes to the empty stream, which it refuses.
    if (size == 0) return {};
    Encoder encoder(highest);
    int current = data[0];
    int widenings = options.extraWidenings < 0 ? 0 : options.extraWidenings > 20 ? 20 : options.extraWidenings;
    // The decoder reads the first code as a byte whatever it is, so the
    // widenings must follow a code: the first byte goes out on its own.
    if (widenings > 0) {
        encoder.emit(current);
        for (int i = 0; i < widenings; ++i) encoder.emitWidening();
        if (size == 1) return encoder.finish();
        encoder.addEntry(current, data[1]);
        current = data[1];
        data += 1;
        size -= 1;
    }
    for (std::size_t i = 1; i < size; ++i) {
        int longer = encoder.find(current, data[i]);
        if (longer >= 0) {
            current = longer;
            continue;
        }
        encoder.emit(current);
        encoder.addEntry(current, data[i]);
        current = data[i];
    }
    encoder.emit(current);
    return encoder.finish();
}
