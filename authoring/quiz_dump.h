// Reads a quiz back out of a quiz program's resources, the way the player
// reads it, and writes it as a description an author can build again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "authoring/pe_resources.h"
#include "authoring/quiz_description.h"

struct DumpedFile {
    std::vector<std::uint8_t> bytes;  // the file as the author gave it
    std::string resource;             // where it was: "IMG 401", "RT_RCDATA 10401"
    std::string format;               // "JPEG", "WAV"…
    std::string extension;            // "jpg", "wav"…
};

struct DumpedQuestion {
    std::optional<DumpedFile> picture;        // picture, sound or film
    std::optional<DumpedFile> answerPicture;
};

struct DumpedQuiz {
    QuizDescription quiz;  // texts in Windows-1252; file paths empty until named
    std::vector<DumpedQuestion> files;  // one per question
    std::vector<std::string> warnings;  // in French (UTF-8)
};

// False, with the reason in French, when the program carries no quiz or one
// the player could not read.
bool dumpQuizResources(const std::vector<PeResource> &resources, DumpedQuiz &dumped,
                       std::string &problem);

// Gives every file a name ("question-01.jpg", "reponse-01.png") and puts the
// names into the description, as an extraction into one folder does.
void nameDumpedFiles(DumpedQuiz &dumped);

// The description in TOML (UTF-8); `programName` (UTF-8) goes into its
// opening comment. Files without a name are listed in comments only.
std::string dumpedQuizToml(const DumpedQuiz &dumped, const std::string &programName);
