// Turns a quiz description and its files into the resources the player
// reads, and puts them into a copy of the player.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "authoring/pe_resources.h"
#include "authoring/quiz_description.h"
#include "authoring/quiz_toml.h"

constexpr std::uint16_t quizStreamNumber = 104;
constexpr std::uint16_t codesStreamNumber = 105;
constexpr std::uint16_t questionPictureBase = 400;   // + question number
constexpr std::uint16_t answerPictureBase = 10400;   // + question number
// Pictures above this number are stored with the halves of each byte exchanged.
constexpr std::uint16_t exchangedPictureThreshold = 10000;
// The language of the resources grelo-pack adds: that of the player's own.
constexpr std::uint16_t quizResourceLanguage = 0x040C;

ResourceName patchType();  // "PATCH"
ResourceName imageType();  // "IMG"

// Exchanges the two 4-bit halves of every byte; the same call undoes it.
void exchangeNibbles(std::vector<std::uint8_t> &bytes);

// A picture or media resource as the player looks it up: IMG for every file
// but a PNG picture, which goes to RT_RCDATA as it is; IMG bytes are
// exchanged above number 10000.
PeResource pictureResource(std::uint16_t number, const std::vector<std::uint8_t> &bytes,
                           bool isPicture);

struct QuizResources {
    std::vector<PeResource> resources;
    int pictures = 0;  // question and answer pictures
    int media = 0;     // sounds and films
};

// PATCH 104 and 105 and every file of the quiz. False, with the reason in
// French, when a stream does not fit the player or a file is missing from
// `files`.
bool buildQuizResources(const QuizDescription &quiz, const QuizFiles &files, QuizResources &out,
                        std::string &problem);

// True for the resources a quiz puts into the player: PATCH, IMG and the
// raw-data resources with a picture number. They are taken out of the
// player before a quiz goes in, so a program that already carries a quiz
// can serve as the player.
bool isQuizResource(const PeResource &resource);

// The player's program with the quiz's resources in place of any it had.
bool packQuizProgram(const std::vector<std::uint8_t> &player, const QuizResources &quiz,
                     std::vector<std::uint8_t> &program, std::string &problem);
