#include "authoring/file_kinds.h"

#include <cstring>

#include "media/media_kind.h"

namespace {

bool startsWith(const std::vector<std::uint8_t> &bytes, std::size_t at, const char *text,
                std::size_t length) {
    return bytes.size() >= at + length && std::memcmp(bytes.data() + at, text, length) == 0;
}

bool startsWith(const std::vector<std::uint8_t> &bytes, std::size_t at, const char *text) {
    return startsWith(bytes, at, text, std::strlen(text));
}

const char pngSignature[] = "\x89PNG\r\n\x1A\n";
// The ASF header object's identifier, as stored.
const char asfHeader[] = "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C";

bool isPng(const std::vector<std::uint8_t> &bytes) {
    // The player's decoder wants the header chunk first.
    return startsWith(bytes, 0, pngSignature, 8) && startsWith(bytes, 12, "IHDR");
}

bool isMp3Frame(const std::vector<std::uint8_t> &bytes) {
    return bytes.size() >= 4 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0;
}

// The kind word the player gives each format when it writes it to disk.
const char *playerWordFor(MediaFormat format) {
    switch (format) {
    case MediaFormat::mp3: return "MP3";
    case MediaFormat::wav: return "WAV";
    case MediaFormat::avi: return "AVI";
    case MediaFormat::asf: return "WMV";
    case MediaFormat::mpeg: return "MPG";
    default: return "XXX";
    }
}

bool suitsQuizKind(MediaFormat format, int quizKind) {
    switch (format) {
    case MediaFormat::mp3:
    case MediaFormat::wav: return quizKind == 2;
    case MediaFormat::avi:
    case MediaFormat::mpeg: return quizKind == 3;
    case MediaFormat::asf: return quizKind == 2 || quizKind == 3;
    default: return false;
    }
}

}  // namespace

PictureFormat pictureFormatOf(const std::vector<std::uint8_t> &bytes) {
    if (startsWith(bytes, 0, "\xFF\xD8\xFF")) return PictureFormat::jpeg;
    if (startsWith(bytes, 0, "GIF87a") || startsWith(bytes, 0, "GIF89a")) return PictureFormat::gif;
    if (startsWith(bytes, 0, "BM") && bytes.size() >= 26) return PictureFormat::bmp;
    if (isPng(bytes)) return PictureFormat::png;
    return PictureFormat::unknown;
}

const char *pictureFormatName(PictureFormat format) {
    switch (format) {
    case PictureFormat::jpeg: return "JPEG";
    case PictureFormat::gif: return "GIF";
    case PictureFormat::bmp: return "BMP";
    case PictureFormat::png: return "PNG";
    default: return "inconnu";
    }
}

const char *pictureExtension(PictureFormat format) {
    switch (format) {
    case PictureFormat::jpeg: return "jpg";
    case PictureFormat::gif: return "gif";
    case PictureFormat::bmp: return "bmp";
    case PictureFormat::png: return "png";
    default: return "bin";
    }
}

MediaFormat mediaFormatOf(const std::vector<std::uint8_t> &bytes) {
    if (startsWith(bytes, 0, "ID3")) return MediaFormat::mp3;
    if (startsWith(bytes, 0, "RIFF") && startsWith(bytes, 8, "WAVE")) return MediaFormat::wav;
    if (startsWith(bytes, 0, "RIFF") && startsWith(bytes, 8, "AVI ")) return MediaFormat::avi;
    if (startsWith(bytes, 0, asfHeader, 16)) return MediaFormat::asf;
    if (startsWith(bytes, 0, "\x00\x00\x01\xBA", 4) || startsWith(bytes, 0, "\x00\x00\x01\xB3", 4))
        return MediaFormat::mpeg;
    if (isMp3Frame(bytes)) return bytes[1] == 0xF3 ? MediaFormat::mp3 : MediaFormat::mp3WithoutTag;
    return MediaFormat::unknown;
}

const char *mediaFormatName(MediaFormat format) {
    switch (format) {
    case MediaFormat::mp3:
    case MediaFormat::mp3WithoutTag: return "MP3";
    case MediaFormat::wav: return "WAV";
    case MediaFormat::avi: return "AVI";
    case MediaFormat::asf: return "WMA/WMV";
    case MediaFormat::mpeg: return "MPEG";
    default: return "inconnu";
    }
}

const char *mediaExtension(MediaFormat format) {
    switch (format) {
    case MediaFormat::mp3:
    case MediaFormat::mp3WithoutTag: return "mp3";
    case MediaFormat::wav: return "wav";
    case MediaFormat::avi: return "avi";
    case MediaFormat::asf: return "wmv";
    case MediaFormat::mpeg: return "mpg";
    default: return "bin";
    }
}

std::string mediaProblem(const std::vector<std::uint8_t> &bytes, int quizKind) {
    MediaFormat format = mediaFormatOf(bytes);
    if (format == MediaFormat::unknown)
        return "format de m\xC3\xA9" "dia inconnu (attendu : MP3, WAV ou WMA pour un quiz audio ; "
               "AVI, MPEG ou WMV pour un quiz vid\xC3\xA9o)";
    if (format == MediaFormat::mp3WithoutTag)
        return "MP3 sans \xC3\xA9tiquette ID3 : le lecteur ne le reconna\xC3\xAEtrait pas ; "
               "ajoutez-lui une \xC3\xA9tiquette ID3";
    if (!suitsQuizKind(format, quizKind))
        return std::string("un fichier ") + mediaFormatName(format) + " ne convient pas \xC3\xA0 un quiz " +
               (quizKind == 2 ? "audio" : "vid\xC3\xA9o");
    // The player names the file it writes by a test of a few bytes; a file
    // whose bytes mislead that test would be handed over under a wrong name.
    if (std::strcmp(mediaKindWord(bytes.data(), bytes.size()), playerWordFor(format)) != 0)
        return std::string("fichier ") + mediaFormatName(format) +
               " que le lecteur prendrait pour un fichier " +
               mediaKindWord(bytes.data(), bytes.size());
    return {};
}

std::string pictureProblem(const std::vector<std::uint8_t> &bytes) {
    if (pictureFormatOf(bytes) == PictureFormat::unknown)
        return "format d'image inconnu (attendu : JPEG, GIF, BMP ou PNG)";
    return {};
}
