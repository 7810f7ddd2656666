// A quiz as an author describes it, with its texts already in Windows-1252.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct QuizQuestionDescription {
    std::string prompt;         // the question text
    std::string answer;         // the expected answer
    std::string secondAnswer;   // the second expected answer (two-answer quizzes)
    std::string hint;           // hint styles 1 to 4
    std::string picture;        // file of the picture, sound or film (IMG 400 + n)
    std::string answerPicture;  // file of the answer picture (IMG 10400 + n)
};

struct QuizDescription {
    int kind = 0;  // QuizMode: 0 text, 1 pictures, 2 audio, 3 video
    int answersPerQuestion = 1;
    std::string title, author, explanation;
    std::string firstAnswerLabel, secondAnswerLabel;
    int hintStyle = 0;
    std::uint8_t red = 90, green = 95, blue = 150;
    bool protect = false;
    std::vector<QuizQuestionDescription> questions;
    std::vector<std::string> codes;  // entry k - 1: the code for a score of k
};
