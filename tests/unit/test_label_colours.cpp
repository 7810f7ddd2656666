#include <gtest/gtest.h>

#include "panel/label_colours.h"

namespace {

// The default quiz colour: R 90, G 95 (light enough for black text).
constexpr std::uint8_t red = 90, green = 95;

}  // namespace

TEST(LabelColours, ResultLabelsByStatusWord) {
    struct Case {
        const char *text;
        LabelBrush brush;
        bool setsBack;
        std::uint32_t back;
    } cases[] = {
        {"BRAVO", LabelBrush::green, true, 0x00FF00},
        {"FAUX", LabelBrush::wrong, true, 0x0000FF},
        {"Anagramme", LabelBrush::anagram, true, 0x0000FF},
        {"?", LabelBrush::none, false, 0},
        {"Trop long", LabelBrush::nearMiss, true, 0x0000FF},
        {"Quasiment", LabelBrush::nearMiss, true, 0x0000FF},
        {"y a de l'id\xE9" "e", LabelBrush::nearMiss, true, 0x0000FF},
        {"bravo", LabelBrush::nearMiss, true, 0x0000FF},  // compared byte for byte
        {"", LabelBrush::nearMiss, true, 0x0000FF},
    };
    for (const Case &c : cases) {
        LabelColours colours = labelColours(5003, c.text, 4, 1, red, green);
        EXPECT_EQ(colours.brush, c.brush) << c.text;
        EXPECT_EQ(colours.setsBackColour, c.setsBack) << c.text;
        if (c.setsBack) {
            EXPECT_EQ(colours.backColour, c.back) << c.text;
        }
        EXPECT_FALSE(colours.setsTextColour) << c.text;
        EXPECT_FALSE(colours.transparent) << c.text;
    }
}

TEST(LabelColours, RolesByIdentifier) {
    struct Case {
        int id, count, answers;
        LabelBrush brush;
    } cases[] = {
        {2000, 3, 1, LabelBrush::background},  // number label of a text quiz
        {2001, 3, 1, LabelBrush::background},
        {2243, 3, 1, LabelBrush::background},  // the range runs to 2240 + A.N
        {2244, 3, 1, LabelBrush::none},
        {156, 3, 2, LabelBrush::background},   // answer names
        {8001, 3, 1, LabelBrush::background},  // hint labels
        {8006, 3, 2, LabelBrush::background},
        {8007, 3, 2, LabelBrush::none},
        {8000, 3, 1, LabelBrush::none},
        {5000, 3, 1, LabelBrush::none},
        {5006, 3, 2, LabelBrush::green},  // the last result label of two answers
        {5004, 3, 1, LabelBrush::none},   // past the last result label
        {3000, 3, 1, LabelBrush::prompt},
        {9901, 3, 1, LabelBrush::none},  // picture tiles
        {4001, 3, 1, LabelBrush::none},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(labelColours(c.id, "BRAVO", c.count, c.answers, red, green).brush, c.brush)
            << c.id;
    }
    LabelColours prompt = labelColours(3000, "", 3, 1, red, green);
    EXPECT_TRUE(prompt.setsBackColour);
    EXPECT_EQ(prompt.backColour, 0xC0FFFFu);
    EXPECT_FALSE(prompt.transparent);
}

TEST(LabelColours, TextOnTheBackgroundIsBlackUnlessRedAndGreenAreBothDark) {
    struct Case {
        std::uint8_t red, green;
        std::uint32_t text;
    } cases[] = {
        {90, 95, 0x000000}, {40, 60, 0xFFFFFF}, {69, 69, 0xFFFFFF}, {70, 0, 0x000000},
        {0, 70, 0x000000},  {200, 200, 0x000000}, {0, 0, 0xFFFFFF},
    };
    for (const Case &c : cases) {
        for (int id : {2000, 2002, 156, 8001}) {
            LabelColours colours = labelColours(id, "", 3, 1, c.red, c.green);
            EXPECT_EQ(colours.brush, LabelBrush::background) << id;
            EXPECT_TRUE(colours.transparent) << id;
            EXPECT_TRUE(colours.setsTextColour) << id;
            EXPECT_EQ(colours.textColour, c.text) << int(c.red) << "," << int(c.green);
            EXPECT_FALSE(colours.setsBackColour) << id;
        }
    }
}
