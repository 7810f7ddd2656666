// Recognises the picture and media files an author may put into a quiz, by
// their leading bytes, and says why a file would not work in the player.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class PictureFormat { unknown, jpeg, gif, bmp, png };

PictureFormat pictureFormatOf(const std::vector<std::uint8_t> &bytes);
const char *pictureFormatName(PictureFormat format);  // "JPEG", "PNG"…
const char *pictureExtension(PictureFormat format);   // "jpg", "png"…

enum class MediaFormat { unknown, mp3, mp3WithoutTag, wav, avi, asf, mpeg };

MediaFormat mediaFormatOf(const std::vector<std::uint8_t> &bytes);
const char *mediaFormatName(MediaFormat format);  // "WAV", "AVI"…
const char *mediaExtension(MediaFormat format);   // "wav", "avi"…

// Empty when the file can be the media of a question of this quiz kind
// (2 audio, 3 video); otherwise the reason, in French (UTF-8).
std::string mediaProblem(const std::vector<std::uint8_t> &bytes, int quizKind);

// Empty when the file is a picture the player shows; otherwise the reason.
std::string pictureProblem(const std::vector<std::uint8_t> &bytes);
