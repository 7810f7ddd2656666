#include "media/media_kind.h"

namespace {

bool byteIs(const std::uint8_t *bytes, std::size_t size, std::size_t position, std::uint8_t value) {
    return position < size && bytes[position] == value;
}

}  // namespace

const char *mediaKindWord(const std::uint8_t *bytes, std::size_t size) {
    if (size == 0) return "XXX";
    switch (bytes[0]) {
    case 'I':  // an ID3 tag
        return "MP3";
    case 'R':  // RIFF: the form type at byte 8 tells a film from a sound
        if (byteIs(bytes, size, 8, 'A')) return "AVI";
        if (byteIs(bytes, size, 8, 'W')) return "WAV";
        return "XXX";
    case '0':  // the ASF header object
        return "WMV";
    case 0xFF:
        if (byteIs(bytes, size, 1, 0xF3)) return "MP3";
        if (byteIs(bytes, size, 1, 0x00)) return "MPG";
        return "XXX";
    case 0x00:
        if (byteIs(bytes, size, 8, 'A') || byteIs(bytes, size, 8, 'W')) return "AVI";
        return "MPG";
    default:
        return "XXX";
    }
}
