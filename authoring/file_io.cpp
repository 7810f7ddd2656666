#include "authoring/file_io.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace {

std::filesystem::path pathOf(const std::string &utf8) { return std::filesystem::u8path(utf8); }

std::string temporaryNameBeside(const std::string &path) {
    std::random_device seed;
    return path + ".tmp" + std::to_string(seed() % 1000000);
}

}  // namespace

bool readFileBytes(const std::string &path, std::vector<std::uint8_t> &bytes, std::string &problem) {
    std::error_code status;
    if (!std::filesystem::exists(pathOf(path), status)) {
        problem = "fichier introuvable : " + path;
        return false;
    }
    if (std::filesystem::is_directory(pathOf(path), status)) {
        problem = "c'est un dossier, pas un fichier : " + path;
        return false;
    }
    std::ifstream in(pathOf(path), std::ios::binary);
    if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        problem = "lecture impossible : " + path;
        return false;
    }
    return true;
}

bool writeFileAtomically(const std::string &path, const std::vector<std::uint8_t> &bytes,
                         std::string &problem) {
    std::string temporary = temporaryNameBeside(path);
    {
        std::ofstream out(pathOf(temporary), std::ios::binary | std::ios::trunc);
        if (out) out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        if (out) out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(pathOf(temporary), ignored);
            problem = "\xC3\xA9" "criture impossible : " + path;
            return false;
        }
    }
    std::error_code status;
    std::filesystem::rename(pathOf(temporary), pathOf(path), status);
    if (status) {
        std::error_code ignored;
        std::filesystem::remove(pathOf(temporary), ignored);
        problem = "impossible de remplacer " + path + " : " + status.message();
        return false;
    }
    return true;
}
