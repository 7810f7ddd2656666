#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/file_kinds.h"
#include "authoring/text_1252.h"
#include "media/media_kind.h"

namespace {

std::vector<std::uint8_t> bytesOf(const std::string &text) { return {text.begin(), text.end()}; }

}  // namespace

TEST(Text1252, AuthorsTextsBecomeWindows1252Bytes) {
    struct Case {
        const char *utf8;
        const char *windows1252;
    } cases[] = {
        {"Rome", "Rome"},
        {"", ""},
        {"\xC3\xA9t\xC3\xA9 \xC3\xA0 No\xC3\xABl", "\xE9t\xE9 \xE0 No\xEBl"},  // été à Noël
        {"\xC3\x87" "a, \xC3\x89mile", "\xC7" "a, \xC9mile"},                   // Ça, Émile
        {"c\xC5\x93ur \xC5\x92uvre", "c\x9C" "ur \x8C" "uvre"},                 // cœur Œuvre
        {"10 \xE2\x82\xAC", "10 \x80"},                                         // €
        {"l\xE2\x80\x99" "eau", "l\x92" "eau"},                                 // ’ (typographic apostrophe)
        {"\xC2\xAB oui \xC2\xBB", "\xAB oui \xBB"},                             // « »
        {"\xE2\x80\xA6\xE2\x80\x94\xE2\x80\x9C\xE2\x80\x9D", "\x85\x97\x93\x94"},  // … — “ ”
        {"\xC3\xBF\xC5\xB8", "\xFF\x9F"},                                       // ÿ Ÿ
        {"\xC2\x81", "\x81"},  // a byte 1252 leaves undefined, as Windows maps it
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.utf8);
        Text1252Result result = utf8ToWindows1252(c.utf8);
        ASSERT_TRUE(result.ok) << result.problem;
        EXPECT_EQ(result.text, c.windows1252);
        EXPECT_EQ(windows1252ToUtf8(result.text), c.utf8);
    }
}

TEST(Text1252, CharactersOutsideWindows1252AndBadUtf8AreRefused) {
    struct Case {
        const char *utf8;
        const char *problem;
    } cases[] = {
        {"\xC4\x81", "U+0101"},                  // ā
        {"caf\xC3\xA9 \xE2\x98\x95", "U+2615"},  // ☕ after a good é
        {"\xF0\x9F\x98\x80", "U+1F600"},         // an emoji
        {"\xC2\x80", "U+0080"},                  // a C1 control that 1252 uses for €
        {"\xC3", "mal form"},                    // cut sequence
        {"\xC3\x28", "mal form"},
        {"\xC0\xAF", "mal form"},                // overlong
        {"\xED\xA0\x80", "mal form"},            // surrogate
        {"\xFF", "mal form"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.utf8);
        Text1252Result result = utf8ToWindows1252(c.utf8);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.text, "");
        EXPECT_NE(result.problem.find(c.problem), std::string::npos) << result.problem;
    }
}

TEST(Text1252, EveryByteHasItsCharacterBothWays) {
    for (int byte = 1; byte < 256; ++byte) {
        std::string one(1, char(byte));
        Text1252Result back = utf8ToWindows1252(windows1252ToUtf8(one));
        ASSERT_TRUE(back.ok) << byte;
        EXPECT_EQ(back.text, one) << byte;
    }
}

TEST(MediaKind, KindWordsFromTheFirstBytes) {
    struct Case {
        std::string bytes;
        const char *word;
    } cases[] = {
        {"ID3\x03", "MP3"},
        {std::string("RIFF\0\0\0\0AVI ", 12), "AVI"},
        {std::string("RIFF\0\0\0\0WAVE", 12), "WAV"},
        {std::string("RIFF\0\0\0\0RMID", 12), "XXX"},
        {"RIFF", "XXX"},  // byte 8 beyond the end
        {"0&\xB2u", "WMV"},
        {"\xFF\xF3\x00", "MP3"},
        {"\xFF\xFB\x90", "XXX"},  // only 0xF3 counts without a tag
        {std::string("\xFF\x00", 2), "MPG"},
        {"\xFF", "XXX"},
        {std::string("\x00\x00\x01\xBA\x44\x00\x04\x00\x04", 9), "MPG"},
        {std::string("\x00\x00\x00\x00\x00\x00\x00\x00W", 9), "AVI"},
        {std::string("\x00\x00\x00\x00\x00\x00\x00\x00" "A", 9), "AVI"},
        {std::string("\x00", 1), "MPG"},
        {"GIF89a", "XXX"},
        {"", "XXX"},
    };
    for (const Case &c : cases) {
        std::vector<std::uint8_t> bytes = bytesOf(c.bytes);
        EXPECT_STREQ(mediaKindWord(bytes.data(), bytes.size()), c.word) << c.bytes;
    }
}

TEST(FileKinds, PicturesAndMediaAnAuthorMayUse) {
    const std::string png = std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
    struct PictureCase {
        std::string bytes;
        PictureFormat format;
    } pictures[] = {
        {"\xFF\xD8\xFF\xE0", PictureFormat::jpeg},
        {"GIF87a", PictureFormat::gif},
        {"GIF89a", PictureFormat::gif},
        {"BM" + std::string(24, '\0'), PictureFormat::bmp},
        {"BM", PictureFormat::unknown},
        {png, PictureFormat::png},
        {std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIDAT", 16), PictureFormat::unknown},
        {"RIFF", PictureFormat::unknown},
    };
    for (const PictureCase &c : pictures) {
        EXPECT_EQ(pictureFormatOf(bytesOf(c.bytes)), c.format) << c.bytes;
        EXPECT_EQ(pictureProblem(bytesOf(c.bytes)).empty(), c.format != PictureFormat::unknown) << c.bytes;
    }

    // Media: the format, and whether an audio (2) and a video (3) quiz take it.
    struct MediaCase {
        std::string bytes;
        MediaFormat format;
        bool audio, video;
    } media[] = {
        {"ID3\x04\x00", MediaFormat::mp3, true, false},
        {"\xFF\xF3\x44\xC4", MediaFormat::mp3, true, false},
        {"\xFF\xFB\x90\x44", MediaFormat::mp3WithoutTag, false, false},
        {std::string("RIFF\0\0\0\0WAVEfmt ", 16), MediaFormat::wav, true, false},
        {std::string("RIFF\0\0\0\0AVI LIST", 16), MediaFormat::avi, false, true},
        {std::string("\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C", 16), MediaFormat::asf, true,
         true},
        {std::string("\x00\x00\x01\xBA\x44\x00\x04\x00\x04\x01", 10), MediaFormat::mpeg, false, true},
        // An MPEG stream whose byte 8 the player would take for a film in AVI.
        {std::string("\x00\x00\x01\xBA\x44\x00\x04\x00" "A\x01", 10), MediaFormat::mpeg, false, false},
        {"GIF89a", MediaFormat::unknown, false, false},
        {"", MediaFormat::unknown, false, false},
    };
    for (const MediaCase &c : media) {
        EXPECT_EQ(mediaFormatOf(bytesOf(c.bytes)), c.format) << c.bytes;
        EXPECT_EQ(mediaProblem(bytesOf(c.bytes), 2).empty(), c.audio) << c.bytes << mediaProblem(bytesOf(c.bytes), 2);
        EXPECT_EQ(mediaProblem(bytesOf(c.bytes), 3).empty(), c.video) << c.bytes << mediaProblem(bytesOf(c.bytes), 3);
    }
}
