#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/layout_geometry.h"

namespace {

std::string describe(const ControlRect &r) {
    return "(" + std::to_string(r.x) + ", " + std::to_string(r.y) + ", " + std::to_string(r.width) +
           ", " + std::to_string(r.height) + ")";
}

// The panel's own order: the first question of a picture row notes the row's
// height; every tile advances the cursor after it is placed.
struct TileRun {
    std::vector<TilePlaces> places;  // index j - 1
    LayoutCursor cursor;
};

TileRun layTiles(QuizMode mode, int answers, int hintStyle, int count,
                 const std::vector<PictureSize> &pictures) {
    auto pictureOf = [&](int number) {  // IMG 400 + j for j from 1
        int index = number - 401;
        return index < int(pictures.size()) ? pictures[std::size_t(index)] : missingPicture;
    };
    TileRun run{{}, startLayout()};
    int height = 0;
    for (int j = 1; j <= count; ++j) {
        int column = tileColumn(j);
        if (column == 0) {
            PictureSize row[3] = {pictureOf(400 + j), pictureOf(401 + j), pictureOf(402 + j)};
            height = rowHeight(row);
        }
        TilePlaces places =
            tilePlaces(mode, answers, hintStyle, j, run.cursor.rowTop, height, pictureOf(400 + j));
        advanceTile(run.cursor, hintStyle, column, places.answerTop);
        run.places.push_back(places);
    }
    finishLayout(run.cursor, answers);
    return run;
}

constexpr PictureSize tall = {260, 200};

}  // namespace

TEST(TextRows, ThreeQuestionsSitAt5_30_55AndSpan900By80) {
    LayoutCursor cursor = startLayout();
    std::vector<int> tops;
    for (int j = 1; j <= 3; ++j) {
        tops.push_back(cursor.rowTop);
        advanceTextRow(cursor);
    }
    finishLayout(cursor, 1);
    EXPECT_EQ(tops, (std::vector<int>{5, 30, 55}));
    EXPECT_EQ(cursor.contentWidth, 900);
    EXPECT_EQ(cursor.contentHeight, 80);

    TextRowPlaces row = textRowPlaces(30);
    EXPECT_EQ(row.number, (ControlRect{26, 32, 19, 17})) << describe(row.number);
    EXPECT_EQ(row.question, (ControlRect{50, 30, 550, 20})) << describe(row.question);
    EXPECT_EQ(row.box, (ControlRect{610, 30, 170, 20})) << describe(row.box);
    EXPECT_EQ(row.result, (ControlRect{790, 30, 100, 20})) << describe(row.result);
}

TEST(TextRows, TwoAnswersWidenTheContentBy80AndHeightFollowsTheCount) {
    struct Case {
        int count, answers, width, height;
    } cases[] = {{1, 1, 900, 30}, {3, 2, 960, 80}, {30, 1, 900, 755}};
    for (const Case &c : cases) {
        LayoutCursor cursor = startLayout();
        for (int j = 1; j <= c.count; ++j) advanceTextRow(cursor);
        finishLayout(cursor, c.answers);
        EXPECT_EQ(cursor.contentWidth, c.width) << c.count << " x " << c.answers;
        EXPECT_EQ(cursor.contentHeight, c.height) << c.count << " x " << c.answers;
    }
}

TEST(Layout, NoQuestionsLeaveOnlyTheRightMargin) {
    for (int answers : {1, 2}) {
        LayoutCursor cursor = startLayout();
        finishLayout(cursor, answers);
        EXPECT_EQ(cursor.contentWidth, answers == 2 ? 80 : 20);
        EXPECT_EQ(cursor.contentHeight, 0);
    }
}

TEST(Tiles, ColumnsAndLeftEdges) {
    EXPECT_EQ(tileColumn(1), 0);
    EXPECT_EQ(tileColumn(2), 1);
    EXPECT_EQ(tileColumn(3), 2);
    EXPECT_EQ(tileColumn(4), 0);
    EXPECT_EQ(tileColumn(95), 1);
    const int oneAnswer[] = {46, 336, 626}, twoAnswers[] = {106, 396, 686};
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(tileLeft(column, 1), oneAnswer[column]);
        EXPECT_EQ(tileLeft(column, 2), twoAnswers[column]);
    }
}

// One row of three and one question in the next row, for each kind, one or
// two answers, and each group of hint styles (none; word count; hidden hint).
TEST(Tiles, FourQuestionsByKindAnswersAndHintStyle) {
    struct Case {
        const char *name;
        QuizMode mode;
        int answers, hintStyle;
        ControlRect tile1;
        int answerTop1;
        ControlRect box1, result1, box2, result2;  // question 1's slots
        ControlRect number1;
        ControlRect hint1;  // height 0: no hint label
        int secondRowTop;
        int width, height;
    } cases[] = {
        {"pictures, 1 answer, no hint", quizPictures, 1, 0, {46, 5, 260, 200}, 215,
         {46, 215, 260, 20}, {46, 234, 260, 20}, {}, {}, {18, 217, 27, 17}, {}, 275, 910, 545},
        {"pictures, 1 answer, style 1", quizPictures, 1, 1, {46, 5, 260, 200}, 215,
         {46, 215, 260, 20}, {46, 234, 260, 20}, {}, {}, {18, 217, 27, 17}, {}, 275, 910, 545},
        {"pictures, 1 answer, word count", quizPictures, 1, 5, {46, 5, 260, 200}, 215,
         {46, 215, 260, 20}, {46, 234, 260, 20}, {}, {}, {18, 217, 27, 17}, {46, 261, 260, 20},
         295, 910, 645},
        {"pictures, 2 answers, hidden hint", quizPictures, 2, 2, {106, 5, 260, 200}, 215,
         {106, 215, 201, 20}, {306, 215, 60, 20}, {106, 234, 201, 20}, {306, 234, 60, 20},
         {78, 217, 27, 17}, {106, 261, 260, 65}, 355, 970, 705},
        {"pictures, 2 answers, no hint", quizPictures, 2, 0, {106, 5, 260, 200}, 215,
         {106, 215, 201, 20}, {306, 215, 60, 20}, {106, 234, 201, 20}, {306, 234, 60, 20},
         {78, 217, 27, 17}, {}, 275, 970, 545},
        {"audio, 1 answer, no hint", quizAudio, 1, 0, {46, 5, 0, 0}, 5, {66, 5, 240, 20},
         {66, 24, 240, 20}, {}, {}, {18, 7, 27, 17}, {}, 65, 910, 125},
        {"audio, 2 answers, word count", quizAudio, 2, 5, {106, 5, 0, 0}, 5, {126, 5, 181, 20},
         {306, 5, 60, 20}, {126, 24, 181, 20}, {306, 24, 60, 20}, {78, 7, 27, 17},
         {106, 51, 260, 20}, 85, 970, 225},
        {"video, 1 answer, hidden hint (style 7)", quizVideo, 1, 7, {46, 5, 260, 200}, 215,
         {66, 215, 240, 20}, {66, 234, 240, 20}, {}, {}, {18, 217, 27, 17}, {46, 261, 260, 65},
         355, 910, 705},
        {"video, 2 answers, hidden hint (style 3)", quizVideo, 2, 3, {106, 5, 260, 200}, 215,
         {126, 215, 181, 20}, {306, 215, 60, 20}, {126, 234, 181, 20}, {306, 234, 60, 20},
         {78, 217, 27, 17}, {106, 261, 260, 65}, 355, 970, 705},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TileRun run = layTiles(c.mode, c.answers, c.hintStyle, 4, {tall, tall, tall, tall});
        const TilePlaces &q1 = run.places[0];
        EXPECT_EQ(q1.tile, c.tile1) << describe(q1.tile);
        EXPECT_EQ(q1.answerTop, c.answerTop1);
        EXPECT_EQ(q1.boxCount, c.answers);
        EXPECT_EQ(q1.boxes[0], c.box1) << describe(q1.boxes[0]);
        EXPECT_EQ(q1.results[0], c.result1) << describe(q1.results[0]);
        if (c.answers == 2) {
            EXPECT_EQ(q1.boxes[1], c.box2) << describe(q1.boxes[1]);
            EXPECT_EQ(q1.results[1], c.result2) << describe(q1.results[1]);
        }
        EXPECT_EQ(q1.number, c.number1) << describe(q1.number);
        EXPECT_EQ(q1.hasHint, c.hint1.height != 0);
        if (q1.hasHint) {
            EXPECT_EQ(q1.hint, c.hint1) << describe(q1.hint);
        }

        // Names only beside the first column of a two-answer quiz.
        EXPECT_EQ(q1.hasNames, c.answers == 2);
        EXPECT_FALSE(run.places[1].hasNames);
        EXPECT_FALSE(run.places[2].hasNames);
        EXPECT_EQ(run.places[3].hasNames, c.answers == 2);
        if (c.answers == 2) {
            EXPECT_EQ(q1.firstName, (ControlRect{4, c.answerTop1 + 2, 95, 20}));
            EXPECT_EQ(q1.secondName, (ControlRect{3, c.answerTop1 + 22, 95, 20}));
        }
        if (c.mode != quizPictures) {
            EXPECT_EQ(q1.play, (ControlRect{q1.tile.x, c.answerTop1, 20, 20}));
            EXPECT_EQ(q1.stop, (ControlRect{q1.tile.x, c.answerTop1 + 20, 20, 19}));
        }

        // Columns 2 and 3 share the row top; question 4 opens the next row.
        EXPECT_EQ(run.places[1].tile.x, tileLeft(1, c.answers));
        EXPECT_EQ(run.places[2].tile.y, q1.tile.y);
        EXPECT_EQ(run.places[2].tile.x, tileLeft(2, c.answers));
        EXPECT_EQ(run.places[3].tile.x, q1.tile.x);
        EXPECT_EQ(run.places[3].tile.y, c.secondRowTop);
        EXPECT_EQ(run.cursor.contentWidth, c.width);
        EXPECT_EQ(run.cursor.contentHeight, c.height);
    }
}

TEST(Tiles, PicturesAreCentredInTheirColumnAndTheTallestSetsTheRow) {
    // Question 1 wide and short, 2 the tallest, 3 narrow.
    TileRun run = layTiles(quizPictures, 1, 0, 3, {{200, 100}, {260, 200}, {100, 151}});
    EXPECT_EQ(run.places[0].tile, (ControlRect{76, 55, 200, 100})) << describe(run.places[0].tile);
    EXPECT_EQ(run.places[1].tile, (ControlRect{336, 5, 260, 200})) << describe(run.places[1].tile);
    // Halves in whole pixels: (200 - 151) / 2 = 24.
    EXPECT_EQ(run.places[2].tile, (ControlRect{706, 29, 100, 151})) << describe(run.places[2].tile);
    for (const TilePlaces &places : run.places) EXPECT_EQ(places.answerTop, 215);
}

TEST(Tiles, PicturesBeyondTheLastQuestionStillSetTheRowHeight) {
    // Four questions: row 1 is question 4 alone, but pictures 405 and 406 count.
    TileRun run = layTiles(quizPictures, 1, 0, 4, {tall, tall, tall, {260, 50}, {260, 120}});
    EXPECT_EQ(run.places[3].tile, (ControlRect{46, 275 + 35, 260, 50}));
    EXPECT_EQ(run.places[3].answerTop, 275 + 130);
}

TEST(Tiles, MissingPicturesGiveFlatTilesAndAnAnswerArea10PixelsDown) {
    TileRun run = layTiles(quizPictures, 1, 0, 2, {});
    EXPECT_EQ(run.places[0].tile, (ControlRect{46, 5, 260, 0}));
    EXPECT_EQ(run.places[1].tile, (ControlRect{336, 5, 260, 0}));
    EXPECT_EQ(run.places[0].answerTop, 15);
    EXPECT_EQ(run.cursor.contentHeight, 75);
    PictureSize row[3] = {missingPicture, {120, 80}, missingPicture};
    EXPECT_EQ(rowHeight(row), 80);
}

TEST(Tiles, OnlyTheRowsFirstColumnSetsTheContentSize) {
    // Five questions with a hint: row 1 holds questions 4 and 5.
    TileRun run = layTiles(quizAudio, 1, 2, 5, {});
    EXPECT_EQ(run.places[3].tile.y, 145);  // 5 + 140
    EXPECT_EQ(run.places[4].tile.y, 145);
    EXPECT_EQ(run.cursor.contentHeight, 285);
    EXPECT_EQ(run.cursor.rowTop, 145);  // the unfinished row does not advance
}

TEST(Tiles, FinalWidthsAre910And970) {
    for (QuizMode mode : {quizPictures, quizAudio, quizVideo}) {
        EXPECT_EQ(layTiles(mode, 1, 0, 7, {}).cursor.contentWidth, 910) << mode;
        EXPECT_EQ(layTiles(mode, 2, 0, 7, {}).cursor.contentWidth, 970) << mode;
    }
}

TEST(HintLabels, ExistFromStyle2Up) {
    struct Case {
        int style;
        bool has;
    } cases[] = {{0, false}, {1, false}, {2, true}, {3, true}, {4, true}, {5, true}, {6, true}, {255, true}};
    for (const Case &c : cases) EXPECT_EQ(hasHintLabel(c.style), c.has) << c.style;
}

TEST(CountWords, SeparatorsAndEscapes) {
    struct Case {
        const char *answer;
        int words;
        const char *text;
    } cases[] = {
        {"l'eau", 2, "en 2 mots"},
        {"rock!-n", 1, "en 1 mot"},  // the hyphen is escaped
        {"a - b", 4, "en 4 mots"},   // three separators
        {"", 1, "en 1 mot"},
        {"chat", 1, "en 1 mot"},
        {"-a-", 3, "en 3 mots"},     // separators at both ends count
        {"a!", 1, "en 1 mot"},       // a final "!" ends the scan
        {"a!!b c", 2, "en 2 mots"},  // an escaped "!" is ordinary
        {"pomme de terre", 3, "en 3 mots"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(countWords(c.answer), c.words) << c.answer;
        char text[32];
        wordCountText(c.answer, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.answer;
    }
}
