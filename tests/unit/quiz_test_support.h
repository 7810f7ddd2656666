// Quizzes made the way grelo-pack makes them, for loader tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "authoring/quiz_description.h"
#include "authoring/quiz_writer.h"
#include "document/quiz_context.h"

inline QuizDescription sampleQuiz(int questions, int answers = 1, int hintStyle = 0) {
    QuizDescription quiz;
    quiz.kind = answers == 2 ? 1 : 0;
    quiz.answersPerQuestion = answers;
    quiz.title = "Capitales";
    quiz.author = "Mme Dupr\xE9";
    quiz.explanation = "Trouvez la capitale de chaque pays.";
    quiz.firstAnswerLabel = "Ville";
    quiz.secondAnswerLabel = "Pays";
    quiz.hintStyle = hintStyle;
    quiz.red = 10;
    quiz.green = 20;
    quiz.blue = 30;
    for (int i = 1; i <= questions; ++i) {
        std::string n = std::to_string(i);
        quiz.questions.push_back({"Question " + n, "R\xE9ponse " + n, "Seconde " + n, "Indice " + n, "", ""});
        quiz.codes.push_back("CODE-" + n);
    }
    return quiz;
}

// A zero-filled context with its defaults, freed with its questions.
struct ContextDeleter {
    void operator()(QuizContext *context) const {
        freeQuestions(context);
        delete context;
    }
};
using ContextPointer = std::unique_ptr<QuizContext, ContextDeleter>;

inline ContextPointer newContext() {
    ContextPointer context(new QuizContext());
    setContextDefaults(context.get());
    return context;
}

inline std::vector<std::uint8_t> bytesOf(const std::string &text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}
