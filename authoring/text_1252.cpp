#include "authoring/text_1252.h"

#include <cstdio>

namespace {

// Bytes 0x80 to 0x9F; the others are the Unicode code points of the same value.
// The undefined bytes keep their own value, as Windows maps them.
constexpr char32_t upperControlRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool byteForCharacter(char32_t character, std::uint8_t &byte) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        byte = std::uint8_t(character);
        return true;
    }
    for (int i = 0; i < 32; ++i)
        if (upperControlRange[i] == character) {
            byte = std::uint8_t(0x80 + i);
            return true;
        }
    return false;
}

void appendUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Reads one character at `position`, which moves past it; false on a
// malformed sequence (overlong forms and surrogates included).
bool readUtf8(const std::string &text, std::size_t &position, char32_t &character) {
    auto byteAt = [&](std::size_t i) { return std::uint8_t(text[i]); };
    std::uint8_t lead = byteAt(position);
    int extra;
    char32_t minimum;
    if (lead < 0x80) {
        character = lead;
        ++position;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, minimum = 0x80, character = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, minimum = 0x800, character = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, minimum = 0x10000, character = lead & 0x07;
    } else {
        return false;
    }
    if (position + extra >= text.size()) return false;
    for (int i = 1; i <= extra; ++i) {
        std::uint8_t next = byteAt(position + i);
        if ((next & 0xC0) != 0x80) return false;
        character = (character << 6) | (next & 0x3F);
    }
    if (character < minimum || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF))
        return false;
    position += extra + 1;
    return true;
}

std::string describeCharacter(char32_t character) {
    std::string shown;
    appendUtf8(shown, character);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(character));
    return "\xC2\xAB" + shown + "\xC2\xBB (" + code + ")";
}

}  // namespace

char32_t windows1252Character(std::uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? upperControlRange[byte - 0x80] : char32_t(byte);
}

Text1252Result utf8ToWindows1252(const std::string &utf8) {
    Text1252Result result;
    std::size_t position = 0;
    while (position < utf8.size()) {
        char32_t character;
        if (!readUtf8(utf8, position, character)) {
            result.problem = "texte UTF-8 mal form\xC3\xA9";
            result.text.clear();
            return result;
        }
        std::uint8_t byte;
        if (!byteForCharacter(character, byte)) {
            result.problem = "le caract\xC3\xA8re " + describeCharacter(character) +
                             " n'existe pas en Windows-1252";
            result.text.clear();
            return result;
        }
        result.text += char(byte);
    }
    result.ok = true;
    return result;
}

std::string windows1252ToUtf8(const std::string &bytes) {
    std::string out;
    for (char byte : bytes) appendUtf8(out, windows1252Character(std::uint8_t(byte)));
    return out;
}
