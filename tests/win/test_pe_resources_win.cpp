// The resource writer against the real loader: copies of the built player
// with resources added must give them back through FindResource, keep the
// player's own, and still load as an image.
#include <windows.h>
#include <imagehlp.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "authoring/pe_resources.h"

namespace {

std::vector<std::uint8_t> loadFile(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string temporaryPath(const char *name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

bool saveFile(const std::string &path, const std::vector<std::uint8_t> &bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

PeResource resource(ResourceName type, ResourceName name, std::vector<std::uint8_t> data) {
    PeResource made;
    made.type = std::move(type);
    made.name = std::move(name);
    made.language = 0x40C;
    made.data = std::move(data);
    return made;
}

std::vector<std::uint8_t> pattern(std::size_t size, unsigned seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = std::uint8_t((i * 131 + seed) >> 3);
    return bytes;
}

std::vector<PeResource> quizResources() {
    return {resource(resourceText("PATCH"), resourceNumber(104), pattern(5000, 1)),
            resource(resourceText("PATCH"), resourceNumber(105), pattern(17, 2)),
            resource(resourceText("IMG"), resourceNumber(401), pattern(3, 3)),
            resource(resourceText("IMG"), resourceNumber(10401), pattern(2 * 1024 * 1024 + 5, 4)),
            resource(resourceNumber(resourceTypeRcData), resourceNumber(401), pattern(1234, 5)),
            resource(resourceText("QUIZNOTES"), resourceText("FIRST"), pattern(64, 6))};
}

// What FindResource and friends give for one resource; empty when absent.
std::vector<std::uint8_t> found(HMODULE module, const char *name, const char *type, bool &present) {
    HRSRC info = FindResourceA(module, name, type);
    present = info != nullptr;
    if (!info) return {};
    DWORD size = SizeofResource(module, info);
    HGLOBAL loaded = LoadResource(module, info);
    const std::uint8_t *bytes = loaded ? static_cast<const std::uint8_t *>(LockResource(loaded)) : nullptr;
    if (!bytes) return {};
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

void expectResources(HMODULE module, const std::vector<PeResource> &expected) {
    for (const PeResource &resource : expected) {
        SCOPED_TRACE(resourceNameToString(resource.type) + " " + resourceNameToString(resource.name));
        std::string type = resourceNameToString(resource.type), name = resourceNameToString(resource.name);
        bool present = false;
        std::vector<std::uint8_t> bytes =
            found(module, resource.name.isNumber ? MAKEINTRESOURCEA(resource.name.number) : name.c_str(),
                  resource.type.isNumber ? MAKEINTRESOURCEA(resource.type.number) : type.c_str(), present);
        EXPECT_TRUE(present);
        EXPECT_TRUE(bytes == resource.data) << bytes.size() << " bytes for " << resource.data.size();
    }
}

void expectPlayerResources(HMODULE module) {
    bool present = false;
    found(module, MAKEINTRESOURCEA(1001), MAKEINTRESOURCEA(5), present);  // RT_DIALOG
    EXPECT_TRUE(present) << "dialog 1001";
    found(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14), present);  // RT_GROUP_ICON
    EXPECT_TRUE(present) << "icon group 1";
    found(module, MAKEINTRESOURCEA(1003), MAKEINTRESOURCEA(12), present);  // RT_GROUP_CURSOR
    EXPECT_TRUE(present) << "cursor 1003";
    found(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24), present);  // RT_MANIFEST
    EXPECT_TRUE(present) << "manifest";
    found(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16), present);  // RT_VERSION
    EXPECT_TRUE(present) << "version";
}

void expectChecksumAsImagehlpComputes(const std::vector<std::uint8_t> &program) {
    DWORD inHeader = 0, computed = 0;
    ASSERT_NE(CheckSumMappedFile(const_cast<std::uint8_t *>(program.data()), DWORD(program.size()), &inHeader,
                                 &computed),
              nullptr);
    EXPECT_EQ(inHeader, computed);
}

// Loads the copy both ways: as resources only, and as a real image mapped by
// the loader (which checks the section layout).
void expectLoadable(const std::string &path, const std::vector<PeResource> &added) {
    HMODULE data = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(data, nullptr) << GetLastError();
    expectResources(data, added);
    expectPlayerResources(data);
    bool present = false;
    found(data, "first", "quiznotes", present);  // names are looked up upper-cased
    EXPECT_TRUE(present);
    FreeLibrary(data);

    HMODULE image = LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(image, nullptr) << GetLastError();
    expectResources(image, added);
    FreeLibrary(image);
}

}  // namespace

TEST(PeResourcesOnWindows, AddedResourcesAreFoundAndThePlayerStillLoads) {
    const std::vector<std::uint8_t> player = loadFile(GRELO_PLAYER_PATH);
    ASSERT_FALSE(player.empty()) << GRELO_PLAYER_PATH;
    std::vector<PeResource> resources;
    std::string error;
    ASSERT_TRUE(readPeResources(player, resources, error)) << error;
    ASSERT_NE(findPeResource(resources, resourceNumber(resourceTypeDialog), resourceNumber(1001)), nullptr);

    // The player's own tree is where the linker put it; the first write
    // appends a section or replaces it, the second replaces its own.
    const std::vector<PeResource> added = quizResources();
    resources.insert(resources.end(), added.begin(), added.end());
    std::vector<std::uint8_t> quiz, again;
    ASSERT_TRUE(writePeResources(player, resources, quiz, error)) << error;
    expectChecksumAsImagehlpComputes(quiz);
    const std::string first = temporaryPath("grelo_pe_resources_1.exe");
    ASSERT_TRUE(saveFile(first, quiz));
    expectLoadable(first, added);

    std::vector<PeResource> reread;
    ASSERT_TRUE(readPeResources(quiz, reread, error)) << error;
    PeResource changed = resource(resourceText("PATCH"), resourceNumber(104), pattern(100, 9));
    for (PeResource &resource : reread)
        if (resource.type == changed.type && resource.name == changed.name) resource.data = changed.data;
    ASSERT_TRUE(writePeResources(quiz, reread, again, error)) << error;
    EXPECT_LT(again.size(), quiz.size() + 64 * 1024) << "the second write should reuse the last section";
    expectChecksumAsImagehlpComputes(again);
    const std::string second = temporaryPath("grelo_pe_resources_2.exe");
    ASSERT_TRUE(saveFile(second, again));
    std::vector<PeResource> expected = added;
    expected[0] = changed;
    expectLoadable(second, expected);

    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
}
