// One judgement at the longest texts an answer box holds, where the distance
// table is full size, and at the lengths answers usually have.
#include <benchmark/benchmark.h>

#include <string>

#include "answers/judgement.h"

namespace {

std::string repeated(const std::string &pattern, int length) {
    std::string text;
    while (int(text.size()) < length) text += pattern;
    return text.substr(0, length);
}

void judgeOnce(benchmark::State &state, const std::string &expected, const std::string &typed) {
    const char *word = nullptr;
    for (auto _ : state) {
        word = judgeAnswer(expected.c_str(), typed.c_str());
        benchmark::DoNotOptimize(word);
    }
    state.SetLabel(word);
}

// Similar texts go through every rule: distance, anagram, both scans, similarity.
void longestSimilar(benchmark::State &state) {
    std::string expected = repeated("abcdefghij", 259);
    std::string typed = expected;
    typed.replace(120, 3, "xyz");
    judgeOnce(state, expected, typed);
}

void longestUnrelated(benchmark::State &state) {
    judgeOnce(state, repeated("Tour Eiffel ", 259), repeated("Napoleon ", 259));
}

void typicalRight(benchmark::State &state) { judgeOnce(state, "Tour Eiffel", "  tour eiffel"); }
void typicalPiece(benchmark::State &state) { judgeOnce(state, "Tour Eiffel", "r Eiffel"); }
void typicalSimilar(benchmark::State &state) {
    judgeOnce(state, "Napoleon Bonaparte", "Napolean Boneparti");
}
void typicalWrong(benchmark::State &state) { judgeOnce(state, "Christophe Colomb", "Vasco de Gama"); }

}  // namespace

BENCHMARK(longestSimilar);
BENCHMARK(longestUnrelated);
BENCHMARK(typicalRight);
BENCHMARK(typicalPiece);
BENCHMARK(typicalSimilar);
BENCHMARK(typicalWrong);
