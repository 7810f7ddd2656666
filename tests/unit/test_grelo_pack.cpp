#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/file_io.h"
#include "authoring/lzw_encoder.h"
#include "authoring/pe_resources.h"
#include "authoring/quiz_dump.h"
#include "authoring/quiz_package.h"
#include "authoring/quiz_toml.h"
#include "authoring/quiz_writer.h"
#include "document/lzw_decoder.h"
#include "document/quiz_stream.h"
#include "grelo_pack_test_support.h"
#include "pe_test_image.h"
#include "platform/platform.h"

namespace {

QuizResources resourcesOf(const QuizDescription &quiz, const QuizFiles &files) {
    QuizResources resources;
    std::string problem;
    EXPECT_TRUE(buildQuizResources(quiz, files, resources, problem)) << problem;
    return resources;
}

std::vector<std::uint8_t> programOf(const QuizResources &resources,
                                    const std::vector<std::uint8_t> &player = plainTestImage()) {
    std::vector<std::uint8_t> program;
    std::string problem;
    EXPECT_TRUE(packQuizProgram(player, resources, program, problem)) << problem;
    return program;
}

std::vector<PeResource> resourcesIn(const std::vector<std::uint8_t> &program) {
    std::vector<PeResource> resources;
    std::string problem;
    EXPECT_TRUE(readPeResources(program, resources, problem)) << problem;
    return resources;
}

const PeResource *find(const std::vector<PeResource> &resources, ResourceName type, std::uint16_t number) {
    return findPeResource(resources, type, resourceNumber(number));
}

const ResourceName rawData = resourceNumber(resourceTypeRcData);

std::vector<std::uint8_t> exchanged(std::vector<std::uint8_t> bytes) {
    exchangeNibbles(bytes);
    return bytes;
}

std::vector<std::uint8_t> decoded(const std::vector<std::uint8_t> &stream, int &result) {
    std::uint8_t *output = nullptr;
    std::size_t length = 0;
    result = lzwDecode(stream.data(), stream.size(), &output, &length);
    std::vector<std::uint8_t> bytes(output, output + length);
    heapFree(output);
    return bytes;
}

// What the program carries, written out as an extraction into `folder`
// writes it, and read back as a description.
QuizTomlResult dumpAndReread(const std::vector<std::uint8_t> &program, const TemporaryFolder &folder,
                             std::string *toml = nullptr) {
    DumpedQuiz dumped;
    std::string problem;
    EXPECT_TRUE(dumpQuizResources(resourcesIn(program), dumped, problem)) << problem;
    nameDumpedFiles(dumped);
    for (std::size_t i = 0; i < dumped.files.size(); ++i) {
        if (dumped.files[i].picture)
            writeTestFile(folder.file(dumped.quiz.questions[i].picture), dumped.files[i].picture->bytes);
        if (dumped.files[i].answerPicture)
            writeTestFile(folder.file(dumped.quiz.questions[i].answerPicture), dumped.files[i].answerPicture->bytes);
    }
    std::string text = dumpedQuizToml(dumped, "quiz.exe");
    if (toml) *toml = text;
    writeTestFile(folder.file("quiz.toml"), text);
    QuizTomlResult result = readQuizToml(folder.file("quiz.toml"));
    std::string errors;
    for (const std::string &error : result.errors) errors += error + "\n";
    EXPECT_TRUE(result.ok) << errors << text;
    return result;
}

void expectSameQuizResources(const std::vector<PeResource> &expected, const std::vector<PeResource> &actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(resourceNameToString(expected[i].type) + " " + resourceNameToString(expected[i].name));
        EXPECT_TRUE(expected[i].type == actual[i].type);
        EXPECT_TRUE(expected[i].name == actual[i].name);
        EXPECT_TRUE(expected[i].data == actual[i].data);
    }
}

QuizDescription pictureQuiz(int questions, int answers, int hintStyle, bool protect, QuizFiles &files) {
    QuizDescription quiz;
    quiz.kind = 1;
    quiz.answersPerQuestion = answers;
    quiz.title = "Le \"grand\" quiz \\ n\xB0 1";
    quiz.author = "Mme Dupr\xE9, c\x9C" "ur \x81";
    quiz.explanation = "10 \x80 l\x92" "eau # [x] = 'y'";
    if (answers == 2) {
        quiz.firstAnswerLabel = "Pays";
        quiz.secondAnswerLabel = "Capitale";
    }
    quiz.hintStyle = hintStyle;
    quiz.red = 1;
    quiz.green = 2;
    quiz.blue = 255;
    quiz.protect = protect;
    files = {{"q.jpg", bytesOfText(testJpeg())}, {"q.png", bytesOfText(testPng())},
             {"q.gif", bytesOfText(testGif())},  {"q.bmp", bytesOfText(testBmp())}};
    const char *pictures[] = {"q.jpg", "q.png", "q.gif", "q.bmp"};
    for (int i = 0; i < questions; ++i) {
        QuizQuestionDescription question;
        question.answer = "R\xE9ponse " + std::to_string(i + 1);
        if (answers == 2) question.secondAnswer = "Seconde " + std::to_string(i + 1);
        if (i % 2) question.prompt = "Question \xAB " + std::to_string(i + 1) + " \xBB";
        // Style 1 carries a text nobody sees: some questions have one, some not.
        if ((hintStyle >= 2 && hintStyle <= 4) || (hintStyle == 1 && i % 2 == 0))
            question.hint = i == 0 && hintStyle != 1 ? "" : "Indice " + std::to_string(i + 1);
        question.picture = pictures[i % 4];
        if (hintStyle == 1 || hintStyle == 3) question.answerPicture = pictures[(i + 1) % 4];
        quiz.questions.push_back(question);
    }
    quiz.codes = {"un|1", "", "trois # 3"};
    return quiz;
}

}  // namespace

TEST(GreloPack, PicturesGoWhereThePlayerLooksForThem) {
    QuizFiles files;
    QuizDescription quiz = pictureQuiz(4, 1, 3, false, files);
    QuizResources resources = resourcesOf(quiz, files);
    EXPECT_EQ(resources.pictures, 8);
    EXPECT_EQ(resources.media, 0);
    std::vector<PeResource> packed = resourcesIn(programOf(resources));
    const ResourceName image = imageType();

    // Question pictures: plain in IMG 400 + n, but a PNG in a raw-data
    // resource of the same number, and then no IMG of that number.
    EXPECT_EQ(find(packed, image, 401)->data, files["q.jpg"]);
    EXPECT_EQ(find(packed, image, 402), nullptr);
    EXPECT_EQ(find(packed, rawData, 402)->data, files["q.png"]);
    EXPECT_EQ(find(packed, image, 403)->data, files["q.gif"]);
    EXPECT_EQ(find(packed, image, 404)->data, files["q.bmp"]);
    // Answer pictures: above 10000 every byte has its halves exchanged, except
    // in a PNG's raw-data resource.
    EXPECT_EQ(find(packed, image, 10401), nullptr);
    EXPECT_EQ(find(packed, rawData, 10401)->data, files["q.png"]);
    EXPECT_EQ(find(packed, image, 10402)->data, exchanged(files["q.gif"]));
    EXPECT_EQ(find(packed, image, 10403)->data, exchanged(files["q.bmp"]));
    EXPECT_EQ(find(packed, image, 10404)->data, exchanged(files["q.jpg"]));
    EXPECT_EQ(find(packed, image, 10404)->data[0], 0xFF);
    EXPECT_EQ(find(packed, image, 10404)->data[1], 0x8D);  // 0xD8 exchanged
    EXPECT_EQ(find(packed, image, 405), nullptr);
    for (const PeResource &resource : packed)
        if (isQuizResource(resource)) {
            EXPECT_EQ(resource.language, quizResourceLanguage);
        }
}

TEST(GreloPack, StreamsDecodeToWhatTheWriterWrote) {
    for (bool protect : {false, true}) {
        SCOPED_TRACE(protect ? "protected" : "plain");
        QuizFiles files;
        QuizDescription quiz = pictureQuiz(3, 2, 2, protect, files);
        std::vector<PeResource> packed = resourcesIn(programOf(resourcesOf(quiz, files)));
        const PeResource *quizStream = find(packed, patchType(), 104), *codes = find(packed, patchType(), 105);
        ASSERT_TRUE(quizStream && codes);
        for (auto [resource, expected] : {std::make_pair(quizStream, quizStreamBytes(quiz)),
                                          std::make_pair(codes, codesStreamBytes(quiz))}) {
            std::vector<std::uint8_t> stream = resource->data;
            int result;
            std::vector<std::uint8_t> text = decoded(stream, result);
            // The player takes a stream as protected only when it fails as it stands.
            EXPECT_EQ(result == lzwOk, !protect);
            if (protect) {
                unscramble(stream.data(), stream.size());
                text = decoded(stream, result);
                EXPECT_EQ(result, lzwOk);
            }
            EXPECT_EQ(text, expected);
        }
    }
}

TEST(GreloPack, MediaGoPlainIntoImgWhateverTheirKind) {
    QuizDescription quiz;
    quiz.kind = 2;
    quiz.title = "Sons";
    quiz.questions = {{"", "la", "", "", "s.wav", ""}, {"", "do", "", "", "s.wav", ""}};
    QuizFiles files = {{"s.wav", bytesOfText(testWav())}};
    QuizResources resources = resourcesOf(quiz, files);
    EXPECT_EQ(resources.media, 2);
    EXPECT_EQ(resources.pictures, 0);
    std::vector<PeResource> packed = resourcesIn(programOf(resources));
    EXPECT_EQ(find(packed, imageType(), 401)->data, files["s.wav"]);
    EXPECT_EQ(find(packed, imageType(), 402)->data, files["s.wav"]);

    std::string problem;
    QuizFiles none;
    EXPECT_FALSE(buildQuizResources(quiz, none, resources, problem));
    EXPECT_NE(problem.find("s.wav"), std::string::npos);
}

TEST(GreloPack, AQuizProgramCanServeAsThePlayer) {
    // The player's own resources stay; the old quiz's go, all of them.
    std::vector<PeResource> own = {
        {resourceNumber(resourceTypeDialog), resourceNumber(1001), 0x40C, {1, 2, 3}},
        {rawData, resourceNumber(7), 0x40C, {4}},  // not a picture number
    };
    std::vector<std::uint8_t> player;
    std::string problem;
    ASSERT_TRUE(writePeResources(plainTestImage(), own, player, problem)) << problem;

    QuizFiles files;
    QuizDescription bigger = pictureQuiz(4, 1, 1, false, files);
    std::vector<std::uint8_t> first = programOf(resourcesOf(bigger, files), player);
    QuizDescription smaller = pictureQuiz(1, 1, 0, true, files);
    std::vector<PeResource> packed = resourcesIn(programOf(resourcesOf(smaller, files), first));

    EXPECT_NE(find(packed, resourceNumber(resourceTypeDialog), 1001), nullptr);
    EXPECT_NE(find(packed, rawData, 7), nullptr);
    EXPECT_EQ(find(packed, rawData, 402), nullptr);
    EXPECT_EQ(find(packed, imageType(), 403), nullptr);
    EXPECT_EQ(find(packed, imageType(), 10402), nullptr);
    EXPECT_EQ(find(packed, rawData, 10401), nullptr);
    EXPECT_EQ(packed.size(), 2u + 3u);  // own two, PATCH 104 and 105, IMG 401
    DumpedQuiz dumped;
    ASSERT_TRUE(dumpQuizResources(packed, dumped, problem)) << problem;
    EXPECT_EQ(dumped.quiz.questions.size(), 1u);
    EXPECT_TRUE(dumped.quiz.protect);
}

// build -> dump -> build gives the same streams and files, for every hint
// style, plain and protected, one and two answers.
TEST(GreloPack, DumpedDescriptionBuildsTheSameQuiz) {
    for (int style = 0; style <= 6; ++style)
        for (bool protect : {false, true})
            for (int answers : {1, 2}) {
                SCOPED_TRACE("style " + std::to_string(style) + (protect ? " protected" : " plain") + " answers " +
                             std::to_string(answers));
                QuizFiles files;
                QuizDescription quiz = pictureQuiz(5, answers, style, protect, files);
                QuizResources first = resourcesOf(quiz, files);
                TemporaryFolder folder;
                QuizTomlResult again = dumpAndReread(programOf(first), folder);
                ASSERT_TRUE(again.ok);
                EXPECT_EQ(again.quiz.protect, protect);
                EXPECT_EQ(quizStreamBytes(again.quiz), quizStreamBytes(quiz));
                EXPECT_EQ(codesStreamBytes(again.quiz), codesStreamBytes(quiz));
                expectSameQuizResources(first.resources, resourcesOf(again.quiz, again.files).resources);
            }
}

TEST(GreloPack, ExamplesSurviveBuildDumpBuild) {
    for (const char *kind : {"texte", "images", "audio", "video"}) {
        SCOPED_TRACE(kind);
        QuizTomlResult example = readQuizToml(std::string(GRELO_SOURCE_DIR "/examples/") + kind + "/quiz.toml");
        ASSERT_TRUE(example.ok) << (example.errors.empty() ? "" : example.errors[0]);
        QuizResources first = resourcesOf(example.quiz, example.files);
        std::vector<std::uint8_t> program = programOf(first);
        TemporaryFolder folder;
        QuizTomlResult again = dumpAndReread(program, folder);
        ASSERT_TRUE(again.ok);
        expectSameQuizResources(first.resources, resourcesOf(again.quiz, again.files).resources);
        EXPECT_EQ(programOf(resourcesOf(again.quiz, again.files)), program);
    }
}

TEST(GreloPack, DumpedTomlReadsLikeADescription) {
    QuizFiles files;
    QuizDescription quiz = pictureQuiz(2, 2, 3, true, files);
    TemporaryFolder folder;
    std::string toml;
    dumpAndReread(programOf(resourcesOf(quiz, files)), folder, &toml);
    for (const char *line : {
             "kind = \"images\"\n", "title = \"Le \\\"grand\\\" quiz \\\\ n\xC2\xB0 1\"\n",
             "author = \"Mme Dupr\xC3\xA9, c\xC5\x93ur \\u0081\"\n", "answers = 2\n",
             "answer_labels = [\"Pays\", \"Capitale\"]\n", "hints = \"indice-puis-image\"\n",
             "background = \"#0102FF\"\n", "protect = true\n", "  \"un|1\",  # 1 point\n",
             "picture = \"question-01.jpg\"  # IMG 401, JPEG, 16 octets\n",
             "answer_picture = \"reponse-01.png\"  # RT_RCDATA 10401, PNG, 33 octets\n",
             "answer_picture = \"reponse-02.gif\"  # IMG 10402, GIF, 14 octets\n"})
        EXPECT_NE(toml.find(line), std::string::npos) << line << "\nin\n" << toml;
    // The exchange is undone in the extracted file.
    std::vector<std::uint8_t> extracted;
    std::string problem;
    ASSERT_TRUE(readFileBytes(folder.file("reponse-02.gif"), extracted, problem));
    EXPECT_EQ(extracted, files["q.gif"]);

    // Without extraction the files are only named in comments.
    DumpedQuiz dumped;
    ASSERT_TRUE(dumpQuizResources(resourcesIn(programOf(resourcesOf(quiz, files))), dumped, problem));
    std::string plain = dumpedQuizToml(dumped, "quiz.exe");
    EXPECT_NE(plain.find("# picture : IMG 401, JPEG, 16 octets (non extrait"), std::string::npos) << plain;
    EXPECT_EQ(plain.find("\npicture ="), std::string::npos);
}

TEST(GreloPack, ProgramsWithoutAReadableQuizAreRefused) {
    auto patch = [](std::uint16_t number, std::vector<std::uint8_t> data) {
        return PeResource{patchType(), resourceNumber(number), 0x40C, std::move(data)};
    };
    QuizFiles files;
    QuizDescription quiz = pictureQuiz(2, 1, 0, false, files);
    std::vector<std::uint8_t> truncated = quizStreamBytes(quiz);
    truncated.resize(truncated.size() - 2);  // the colour cut short
    struct Case {
        std::vector<PeResource> resources;
        const char *problem;
    } cases[] = {
        {{}, "PATCH 104"},
        {{patch(104, {})}, "PATCH 104"},
        {{patch(104, {0xFF, 0xFF, 0xFF, 0xFF})}, "ne se d\xC3\xA9" "code pas"},
        {{patch(104, lzwEncode(truncated))}, "incomplet"},
    };
    for (const Case &c : cases) {
        DumpedQuiz dumped;
        std::string problem;
        EXPECT_FALSE(dumpQuizResources(c.resources, dumped, problem));
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
    }

    // Without codes the quiz is still shown, with a warning, as the player
    // shows it.
    DumpedQuiz dumped;
    std::string problem;
    ASSERT_TRUE(dumpQuizResources({patch(104, lzwEncode(quizStreamBytes(quiz)))}, dumped, problem)) << problem;
    ASSERT_EQ(dumped.warnings.size(), 1u);
    EXPECT_NE(dumped.warnings[0].find("PATCH 105"), std::string::npos);
    EXPECT_TRUE(dumped.quiz.codes.empty());
    EXPECT_EQ(dumped.quiz.questions.size(), 2u);
}

TEST(GreloPack, FilesAreReplacedWholeOrNotAtAll) {
    TemporaryFolder folder;
    std::string path = folder.file("quiz.exe"), problem;
    writeTestFile(path, "old");
    ASSERT_TRUE(writeFileAtomically(path, bytesOfText("new content"), problem)) << problem;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(readFileBytes(path, bytes, problem));
    EXPECT_EQ(bytes, bytesOfText("new content"));
    // A folder in the way: nothing replaced, no temporary file left behind.
    std::filesystem::create_directory(folder.file("in-the-way"));
    writeTestFile(folder.file("in-the-way/x"), "x");
    EXPECT_FALSE(writeFileAtomically(folder.file("in-the-way"), bytesOfText("new"), problem));
    int entries = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder.path())) (void)entry, ++entries;
    EXPECT_EQ(entries, 2);
}
