#include "panel/label_colours.h"

#include <cstring>

namespace {

constexpr std::uint32_t black = 0x000000, white = 0xFFFFFF;

bool within(int id, int first, int last) { return id >= first && id <= last; }

// Number, answer-name and hint labels sit on the quiz's own colour, in black
// unless that colour is dark in both red and green.
LabelColours onBackground(std::uint8_t red, std::uint8_t green) {
    bool light = red > 69 || green > 69;
    return {LabelBrush::background, true, true, light ? black : white, false, 0};
}

LabelColours forStatusWord(const char *text) {
    auto filled = [](LabelBrush brush, std::uint32_t back) {
        return LabelColours{brush, false, false, 0, true, back};
    };
    if (std::strcmp(text, "Anagramme") == 0) return filled(LabelBrush::anagram, 0x0000FF);
    if (std::strcmp(text, "BRAVO") == 0) return filled(LabelBrush::green, 0x00FF00);
    if (std::strcmp(text, "FAUX") == 0) return filled(LabelBrush::wrong, 0x0000FF);
    if (std::strcmp(text, "?") == 0) return {LabelBrush::none, false, false, 0, false, 0};
    return filled(LabelBrush::nearMiss, 0x0000FF);
}

}  // namespace

bool isResultLabel(int id, int questionCount, int answersPerQuestion) {
    return within(id, 5001, 5000 + answersPerQuestion * questionCount);
}

LabelColours labelColours(int id, const char *text, int questionCount, int answersPerQuestion,
                          std::uint8_t backgroundRed, std::uint8_t backgroundGreen) {
    const int boxes = answersPerQuestion * questionCount;
    if (within(id, 2000, 2240 + boxes) || id == 156 || within(id, 8001, 8000 + boxes))
        return onBackground(backgroundRed, backgroundGreen);
    if (isResultLabel(id, questionCount, answersPerQuestion)) return forStatusWord(text ? text : "");
    if (id == 3000) return {LabelBrush::prompt, false, false, 0, true, 0xC0FFFF};
    return {LabelBrush::none, false, false, 0, false, 0};
}
