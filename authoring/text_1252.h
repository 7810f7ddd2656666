// Conversion between the UTF-8 that authors write and the Windows-1252 bytes
// that the player shows.
#pragma once

#include <cstdint>
#include <string>

struct Text1252Result {
    bool ok = false;
    std::string text;      // the Windows-1252 bytes when ok
    std::string problem;   // otherwise, in French: the character refused and why
};

// Refuses malformed UTF-8 and every character that Windows-1252 has no byte
// for. The five bytes that 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) stand for U+0081 and the like, as Windows maps them, so that every
// byte converts back and forth.
Text1252Result utf8ToWindows1252(const std::string &utf8);

// Every byte has its character, so this cannot fail.
std::string windows1252ToUtf8(const std::string &bytes);

// The Unicode character of a Windows-1252 byte.
char32_t windows1252Character(std::uint8_t byte);
