// Small files and folders for the tests of grelo-pack.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed afterwards.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "grelo-pack-test-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        path_ = mkdtemp(name.data()) ? name.data() : "";
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::vector<std::uint8_t> bytesOfText(const std::string &text) { return {text.begin(), text.end()}; }

inline void writeTestFile(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline void writeTestFile(const std::string &path, const std::vector<std::uint8_t> &bytes) {
    writeTestFile(path, std::string(bytes.begin(), bytes.end()));
}

// The leading bytes by which each kind is recognised, and a little more.
inline std::string testJpeg() { return std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x02\x03\xFF\xD9", 16); }
inline std::string testGif() { return std::string("GIF89a\x01\0\x01\0\x80\0\0;", 14); }
inline std::string testBmp() { return "BM" + std::string(24, '\0') + "\x12\x34"; }
inline std::string testPng() {
    return std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0\x90wS\xDE", 33);
}
inline std::string testWav() { return std::string("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0", 24); }
inline std::string testAvi() { return std::string("RIFF\x20\0\0\0AVI LIST\x04\0\0\0hdrl", 24); }
