// Reads a quiz description written by an author in TOML and checks every
// part of it against what the player can show.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "authoring/quiz_description.h"

// The bytes of the picture and media files a description names, by the path
// stored in the description.
using QuizFiles = std::map<std::string, std::vector<std::uint8_t>>;

struct QuizTomlResult {
    bool ok = false;
    QuizDescription quiz;  // texts in Windows-1252; file paths as QuizFiles keys
    QuizFiles files;
    // Every mistake found, in French (UTF-8), each starting with the file
    // name and, where known, the line: "quiz.toml:12: question 3 : ...".
    std::vector<std::string> errors;
};

// `text` is the description, `path` its file name: it names the file in the
// messages, and picture and media paths are taken relative to its folder.
QuizTomlResult parseQuizToml(const std::string &text, const std::string &path);

// Reads the file, then parses it as above.
QuizTomlResult readQuizToml(const std::string &path);

// The words of the description format, shared with the dump.
const char *quizKindWord(int kind);                // "texte", "images", "audio", "video"
const char *hintStyleWord(int hintStyle);          // "aucun"... or null for a style without name
constexpr int highestHintStyle = 6;
constexpr std::size_t tileAnswerLimit = 128;       // what a tile's answer box lets one type
