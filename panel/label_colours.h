// How the question panel paints a static control: chosen from its identifier
// and, for a result label, from the status word it holds. Portable, so the
// choice is tested without a window; the panel maps the brush to its handle.
#pragma once

#include <cstdint>

enum class LabelBrush {
    none,        // not handled: the system's colours
    background,  // the quiz's background colour
    green,       // "BRAVO"
    wrong,       // "FAUX"
    anagram,     // "Anagramme"
    nearMiss,    // every other word but "?"
    prompt,      // the question labels of a text quiz
};

struct LabelColours {
    LabelBrush brush;
    bool transparent;  // text background mode
    bool setsTextColour;
    std::uint32_t textColour;  // COLORREF
    bool setsBackColour;
    std::uint32_t backColour;  // COLORREF
};

// Result labels are the only ones whose text decides their colours.
bool isResultLabel(int id, int questionCount, int answersPerQuestion);

// `text` is read only for a result label; pass "" for any other control.
LabelColours labelColours(int id, const char *text, int questionCount, int answersPerQuestion,
                          std::uint8_t backgroundRed, std::uint8_t backgroundGreen);
