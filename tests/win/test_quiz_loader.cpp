// The player loading quizzes packed into copies of itself, started as a user
// would start them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "authoring/pe_resources.h"
#include "authoring/quiz_writer.h"
#include "win_test_support.h"

namespace {

std::vector<std::string> staticTexts(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0) texts.push_back(windowText(child));
    }
    return texts;
}

QuizDescription europeQuiz() {
    QuizDescription quiz;
    quiz.title = "Capitales d'Europe \xE9t\xE9";
    quiz.author = "Mme Dupr\xE9";
    quiz.explanation = "Trouvez les capitales.";
    quiz.hintStyle = 0;
    quiz.questions = {{"France ?", "Paris", "", "", "", ""}, {"Italie ?", "Rome", "", "", "", ""}};
    quiz.codes = {"UN", "DEUX"};
    return quiz;
}

struct Packing {
    std::vector<std::uint8_t> quiz, codes;
    bool withQuiz = true, withCodes = true;
};

// A copy of the built player carrying the given PATCH resources.
std::string packedPlayer(const std::string &folder, const char *name, const Packing &packing) {
    std::vector<std::uint8_t> player = readFileBytes(GRELO_PLAYER_PATH);
    std::vector<PeResource> resources;
    std::string error;
    if (!readPeResources(player, resources, error)) return "";
    if (packing.withQuiz)
        resources.push_back({resourceText("PATCH"), resourceNumber(104), 0x040C, packing.quiz});
    if (packing.withCodes)
        resources.push_back({resourceText("PATCH"), resourceNumber(105), 0x040C, packing.codes});
    std::vector<std::uint8_t> output;
    if (!writePeResources(player, resources, output, error)) return "";
    std::string path = folder + "\\" + name;
    return writeFileBytes(path, output) ? path : "";
}

Packing packed(const QuizDescription &quiz) {
    return {packStream(quizStreamBytes(quiz), quiz.protect), packStream(codesStreamBytes(quiz), quiz.protect)};
}

struct LoaderCase {
    const char *name;
    Packing packing;
    const char *message;  // null: the quiz opens without one
    const char *caption;  // the main window's, once open
};

void runCase(const std::string &folder, const LoaderCase &c) {
    SCOPED_TRACE(c.name);
    std::string program = packedPlayer(folder, (std::string(c.name) + ".exe").c_str(), c.packing);
    ASSERT_FALSE(program.empty());
    ChildProgram child(program, folder);
    ASSERT_TRUE(child.started());
    if (c.message) {
        HWND box = child.waitForWindow("#32770", "Grelo", 10000);
        ASSERT_NE(box, nullptr) << "no message box";
        std::vector<std::string> texts = staticTexts(box);
        EXPECT_NE(std::find(texts.begin(), texts.end(), c.message), texts.end());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    HWND window = child.waitForWindow("Grelo", nullptr, 10000);
    ASSERT_NE(window, nullptr) << "no main window";
    EXPECT_EQ(windowText(window), c.caption);
    EXPECT_EQ(child.waitForWindow("#32770", "Grelo", 0), nullptr) << "a second message";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.waitForExit(10000), 0);
}

}  // namespace

TEST(QuizLoader, PackedPlayersOpenWithTheirQuizOrTheirMessage) {
    std::string folder = makeTemporaryFolder("grelo-loader-");
    QuizDescription plain = europeQuiz();
    QuizDescription guarded = europeQuiz();
    guarded.protect = true;
    Packing noQuiz = packed(plain);
    noQuiz.withQuiz = false;
    Packing noCodes = packed(plain);
    noCodes.withCodes = false;
    Packing garbage = packed(plain);
    garbage.quiz = {0x00, 0xFF, 0xFF, 0xFF, 0xFF};

    const LoaderCase cases[] = {
        {"complete", packed(plain), nullptr, "Capitales d'Europe \xE9t\xE9"},
        {"protected", packed(guarded), nullptr, "Capitales d'Europe \xE9t\xE9"},
        {"demo", noQuiz, "Fichier vide \xE0 relire", "Nom du grelo"},
        {"nocodes", noCodes, "Erreur dans le d\xE9" "cryptage des codes", "Capitales d'Europe \xE9t\xE9"},
        {"garbage", garbage, "Erreur dans le d\xE9" "cryptage des reponses", "Nom du grelo"},
    };
    for (const LoaderCase &c : cases) runCase(folder, c);
}
