#include "authoring/quiz_package.h"

#include "authoring/file_kinds.h"
#include "authoring/quiz_writer.h"

ResourceName patchType() { return resourceText("PATCH"); }
ResourceName imageType() { return resourceText("IMG"); }

void exchangeNibbles(std::vector<std::uint8_t> &bytes) {
    for (std::uint8_t &byte : bytes) byte = std::uint8_t((byte << 4) | (byte >> 4));
}

PeResource pictureResource(std::uint16_t number, const std::vector<std::uint8_t> &bytes,
                           bool isPicture) {
    PeResource resource;
    resource.name = resourceNumber(number);
    resource.language = quizResourceLanguage;
    resource.data = bytes;
    // The player's OLE loader does not read PNG; its own decoder reads PNG
    // from raw-data resources only, and reads them plain.
    if (isPicture && pictureFormatOf(bytes) == PictureFormat::png) {
        resource.type = resourceNumber(resourceTypeRcData);
        return resource;
    }
    resource.type = imageType();
    if (number > exchangedPictureThreshold) exchangeNibbles(resource.data);
    return resource;
}

namespace {

PeResource streamResource(std::uint16_t number, std::vector<std::uint8_t> packed) {
    PeResource resource;
    resource.type = patchType();
    resource.name = resourceNumber(number);
    resource.language = quizResourceLanguage;
    resource.data = std::move(packed);
    return resource;
}

bool addFile(const QuizFiles &files, const std::string &path, std::uint16_t number, bool isPicture,
             std::vector<PeResource> &resources, std::string &problem) {
    auto file = files.find(path);
    if (file == files.end()) {
        problem = "fichier absent : " + path;
        return false;
    }
    resources.push_back(pictureResource(number, file->second, isPicture));
    return true;
}

}  // namespace

bool buildQuizResources(const QuizDescription &quiz, const QuizFiles &files, QuizResources &out,
                        std::string &problem) {
    out = {};
    std::vector<std::uint8_t> quizStream = packStream(quizStreamBytes(quiz), quiz.protect);
    std::vector<std::uint8_t> codesStream = packStream(codesStreamBytes(quiz), quiz.protect);
    if (quizStream.empty() || codesStream.empty()) {
        problem = "les textes du quiz ne tiennent pas dans la m\xC3\xA9moire que le lecteur leur r\xC3\xA9serve";
        return false;
    }
    out.resources.push_back(streamResource(quizStreamNumber, std::move(quizStream)));
    out.resources.push_back(streamResource(codesStreamNumber, std::move(codesStream)));

    bool isPictureQuiz = quiz.kind == 1;
    for (std::size_t index = 0; index < quiz.questions.size(); ++index) {
        const QuizQuestionDescription &question = quiz.questions[index];
        std::uint16_t n = std::uint16_t(index + 1);
        if (!question.picture.empty()) {
            if (!addFile(files, question.picture, questionPictureBase + n, isPictureQuiz, out.resources, problem))
                return false;
            ++(isPictureQuiz ? out.pictures : out.media);
        }
        if (!question.answerPicture.empty()) {
            if (!addFile(files, question.answerPicture, answerPictureBase + n, true, out.resources, problem))
                return false;
            ++out.pictures;
        }
    }
    return true;
}

bool isQuizResource(const PeResource &resource) {
    if (resource.type == patchType() || resource.type == imageType()) return true;
    if (resource.type != resourceNumber(resourceTypeRcData) || !resource.name.isNumber) return false;
    int number = resource.name.number;
    return (number > questionPictureBase && number <= questionPictureBase + 255) ||
           (number > answerPictureBase && number <= answerPictureBase + 255);
}

bool packQuizProgram(const std::vector<std::uint8_t> &player, const QuizResources &quiz,
                     std::vector<std::uint8_t> &program, std::string &problem) {
    std::vector<PeResource> resources;
    if (!readPeResources(player, resources, problem)) return false;
    std::vector<PeResource> kept;
    for (PeResource &resource : resources)
        if (!isQuizResource(resource)) kept.push_back(std::move(resource));
    kept.insert(kept.end(), quiz.resources.begin(), quiz.resources.end());
    return writePeResources(player, kept, program, problem);
}
