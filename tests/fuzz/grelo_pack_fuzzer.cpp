// The two roads of outside bytes into grelo-pack: a description an author
// wrote, and the quiz a program carries. Whatever a program carries, the
// description the dump prints must be TOML that reads back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "authoring/lzw_encoder.h"
#include "authoring/quiz_dump.h"
#include "authoring/quiz_package.h"
#include "authoring/quiz_toml.h"
#include "document/quiz_stream.h"

namespace {

void readAsDescription(const std::uint8_t *data, std::size_t size) {
    // No file it names exists, so every file check fails cleanly too.
    parseQuizToml(std::string(reinterpret_cast<const char *>(data), size), "/nonexistent/quiz.toml");
}

void readAsProgram(const std::uint8_t *data, std::size_t size) {
    if (size < 2) return;
    // Byte 0: where the quiz stream ends and the codes begin; byte 1: protected.
    std::size_t split = std::size_t(data[0]) * (size - 2) / 256;
    bool isProtected = data[1] & 1;
    std::vector<std::uint8_t> quiz(data + 2, data + 2 + split), codes(data + 2 + split, data + size);
    std::vector<PeResource> resources;
    for (auto [number, bytes] : {std::make_pair(quizStreamNumber, &quiz), std::make_pair(codesStreamNumber, &codes)}) {
        std::vector<std::uint8_t> packed = lzwEncode(*bytes);
        if (isProtected) unscramble(packed.data(), packed.size());
        resources.push_back({patchType(), resourceNumber(number), 0, packed});
    }
    resources.push_back({imageType(), resourceNumber(401), 0, codes});
    resources.push_back({imageType(), resourceNumber(10401), 0, quiz});
    DumpedQuiz dumped;
    std::string problem;
    if (!dumpQuizResources(resources, dumped, problem)) return;
    nameDumpedFiles(dumped);
    QuizTomlResult again = parseQuizToml(dumpedQuizToml(dumped, "quiz.exe"), "/nonexistent/quiz.toml");
    for (const std::string &error : again.errors)
        if (error.find("syntaxe TOML") != std::string::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    readAsDescription(data, size);
    readAsProgram(data, size);
    return 0;
}
