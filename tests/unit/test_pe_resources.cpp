#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "authoring/pe_resources.h"
#include "pe_test_image.h"

namespace {

std::vector<std::uint8_t> bytesOf(const std::string &text) { return {text.begin(), text.end()}; }

PeResource resource(ResourceName type, ResourceName name, std::uint16_t language,
                    std::vector<std::uint8_t> data) {
    PeResource made;
    made.type = std::move(type);
    made.name = std::move(name);
    made.language = language;
    made.data = std::move(data);
    return made;
}

ResourceName utf16Name(const std::u16string &text) {
    ResourceName name;
    name.isNumber = false;
    name.text = text;
    return name;
}

// What a player carries before any quiz is added.
std::vector<PeResource> playerResources() {
    return {resource(resourceNumber(resourceTypeIcon), resourceNumber(1), 0x40C, bytesOf("icon image")),
            resource(resourceNumber(resourceTypeGroupIcon), resourceNumber(1), 0x40C, bytesOf("group")),
            resource(resourceNumber(resourceTypeDialog), resourceNumber(1001), 0x40C, bytesOf("dialog template")),
            resource(resourceNumber(24), resourceNumber(1), 0x40C, bytesOf("<assembly/>")),
            resource(resourceNumber(1), resourceNumber(1003), 0x40C, bytesOf("cursor"))};
}

std::vector<PeResource> quizResources() {
    return {resource(resourceText("PATCH"), resourceNumber(104), 0x40C, bytesOf("quiz stream")),
            resource(resourceText("PATCH"), resourceNumber(105), 0x40C, bytesOf("codes")),
            resource(resourceText("IMG"), resourceNumber(401), 0x40C, bytesOf("GIF89a...")),
            resource(resourceText("IMG"), resourceNumber(10401), 0x40C, bytesOf("RIFF....WAVE")),
            resource(resourceNumber(resourceTypeRcData), resourceNumber(401), 0x40C, bytesOf("\x89PNG\r\n")),
            resource(resourceText("IMG"), resourceText("cover"), 0, {}),
            resource(resourceText("PATCH"), resourceNumber(104), 0x409, bytesOf("other language"))};
}

std::vector<PeResource> join(std::vector<PeResource> first, const std::vector<PeResource> &second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::string describe(const PeResource &resource) {
    return resourceNameToString(resource.type) + "/" + resourceNameToString(resource.name) + "/" +
           std::to_string(resource.language) + " (" + std::to_string(resource.data.size()) + " bytes)";
}

auto keyOf(const PeResource &resource) {
    return std::make_tuple(resource.type.isNumber, resource.type.number, resource.type.text,
                           resource.name.isNumber, resource.name.number, resource.name.text, resource.language);
}

// Same resources, in any order, byte for byte.
void expectSameResources(std::vector<PeResource> expected, std::vector<PeResource> actual) {
    auto less = [](const PeResource &a, const PeResource &b) { return keyOf(a) < keyOf(b); };
    std::sort(expected.begin(), expected.end(), less);
    std::sort(actual.begin(), actual.end(), less);
    std::vector<std::string> expectedNames, actualNames;
    for (const PeResource &r : expected) expectedNames.push_back(describe(r));
    for (const PeResource &r : actual) actualNames.push_back(describe(r));
    ASSERT_EQ(expectedNames, actualNames);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(expected[i].data == actual[i].data) << describe(expected[i]);
}

// The layout rules the Windows loader holds images to.
void expectSoundLayout(const std::vector<std::uint8_t> &file) {
    TestPeView view{file};
    std::uint32_t fileAlignment = view.optionalField(optionalFileAlignment);
    std::uint32_t sectionAlignment = view.optionalField(optionalSectionAlignment);
    std::uint32_t next = testAlign(view.optionalField(optionalSizeOfHeaders), sectionAlignment);
    for (std::uint32_t i = 0; i < view.sectionCount(); ++i) {
        SCOPED_TRACE("section " + std::to_string(i));
        EXPECT_EQ(view.section(i, sectionVirtualAddress), next);
        EXPECT_EQ(view.section(i, sectionRawPointer) % fileAlignment, 0u);
        EXPECT_EQ(view.section(i, sectionRawSize) % fileAlignment, 0u);
        EXPECT_LE(std::uint64_t(view.section(i, sectionRawPointer)) + view.section(i, sectionRawSize), file.size());
        next = testAlign(next + view.section(i, sectionVirtualSize), sectionAlignment);
    }
    EXPECT_EQ(view.optionalField(optionalSizeOfImage), next);
    EXPECT_NE(view.optionalField(optionalCheckSum), 0u);
}

std::vector<std::uint8_t> written(const std::vector<std::uint8_t> &program, const std::vector<PeResource> &resources) {
    std::vector<std::uint8_t> output;
    std::string error;
    EXPECT_TRUE(writePeResources(program, resources, output, error)) << error;
    EXPECT_EQ(error, "");
    return output;
}

std::vector<PeResource> readBack(const std::vector<std::uint8_t> &program) {
    std::vector<PeResource> resources;
    std::string error;
    EXPECT_TRUE(readPeResources(program, resources, error)) << error;
    return resources;
}

std::vector<std::uint8_t> slice(const std::vector<std::uint8_t> &file, std::size_t at, std::size_t length) {
    return {file.begin() + std::ptrdiff_t(at), file.begin() + std::ptrdiff_t(at + length)};
}

}  // namespace

TEST(PeResources, RoundTripInBothImageKinds) {
    for (bool pe32 : {false, true}) {
        SCOPED_TRACE(pe32 ? "PE32" : "PE32+");
        const std::vector<PeResource> resources = join(playerResources(), quizResources());
        std::vector<std::uint8_t> program = written(plainTestImage(pe32), resources);
        expectSoundLayout(program);
        expectSameResources(resources, readBack(program));
        TestPeView view{program};
        EXPECT_EQ(view.sectionCount(), 3u);
        EXPECT_EQ(view.directoryAddress(2), view.section(2, sectionVirtualAddress));
        EXPECT_EQ(view.directorySize(2), view.section(2, sectionVirtualSize));
        // Code and data are where they were.
        EXPECT_EQ(slice(program, 0x200, 0x400), slice(plainTestImage(pe32), 0x200, 0x400));
    }
}

TEST(PeResources, TreeIsSortedTheWayWindowsSearchesIt) {
    const std::vector<PeResource> resources = {
        resource(resourceNumber(14), resourceNumber(1), 0, {1}),
        resource(resourceText("zebra"), resourceNumber(1), 0, {2}),
        resource(resourceNumber(3), resourceNumber(2), 0, {3}),
        resource(resourceText("IMG"), resourceNumber(10401), 0, {4}),
        resource(resourceText("IMG"), utf16Name(u"beta"), 0, {5}),
        resource(resourceText("IMG"), resourceText("ALPHA"), 0, {6}),
        resource(resourceText("IMG"), utf16Name(u"Gamma"), 0, {7}),
        resource(resourceText("IMG"), resourceNumber(401), 0x40C, {8}),
        resource(resourceText("IMG"), resourceNumber(401), 0x409, {9}),
        resource(resourceNumber(3), resourceNumber(1), 0, {10}),
        resource(resourceText("PATCH"), resourceNumber(104), 0, {11})};
    std::vector<std::uint8_t> program = written(plainTestImage(), resources);
    std::vector<std::string> order;
    for (const PeResource &r : readBack(program)) order.push_back(describe(r));
    const std::vector<std::string> expected = {
        "IMG/ALPHA/0 (1 bytes)",  "IMG/beta/0 (1 bytes)",      "IMG/Gamma/0 (1 bytes)",
        "IMG/401/1033 (1 bytes)", "IMG/401/1036 (1 bytes)",    "IMG/10401/0 (1 bytes)",
        "PATCH/104/0 (1 bytes)",  "ZEBRA/1/0 (1 bytes)",       "3/1/0 (1 bytes)",
        "3/2/0 (1 bytes)",        "14/1/0 (1 bytes)"};
    EXPECT_EQ(order, expected);
    // The root counts its named entries apart from its numbered ones.
    TestPeView view{program};
    std::size_t root = view.offsetOf(view.directoryAddress(2));
    EXPECT_EQ(testGet16(program, root + 12), 3u);
    EXPECT_EQ(testGet16(program, root + 14), 2u);
}

TEST(PeResources, ReplacingTheLastSectionKeepsThePlayersResources) {
    std::vector<std::uint8_t> player = written(plainTestImage(), playerResources());
    std::vector<std::uint8_t> quiz = written(player, join(readBack(player), quizResources()));
    expectSoundLayout(quiz);
    expectSameResources(join(playerResources(), quizResources()), readBack(quiz));
    TestPeView view{quiz};
    // Replaced in place: no new section, and the old tree's bytes are gone.
    EXPECT_EQ(view.sectionCount(), 3u);
    EXPECT_EQ(view.section(2, sectionVirtualAddress), TestPeView{player}.section(2, sectionVirtualAddress));
    EXPECT_EQ(quiz.size(), view.section(2, sectionRawPointer) + std::size_t(view.section(2, sectionRawSize)));
    EXPECT_EQ(view.optionalField(optionalSizeOfInitializedData),
              TestPeView{player}.optionalField(optionalSizeOfInitializedData) - 0x200 + view.section(2, sectionRawSize));
}

TEST(PeResources, ResourceSectionInTheMiddleIsLeftAndANewOneAppended) {
    // Take the tree the writer makes at 0x3000 and put it before a
    // relocation section, as linkers do.
    std::vector<std::uint8_t> donor = written(plainTestImage(), playerResources());
    TestPeView donorView{donor};
    std::vector<std::uint8_t> tree = slice(donor, donorView.section(2, sectionRawPointer), donorView.section(2, sectionVirtualSize));
    TestImageOptions options;
    options.sizeOfHeaders = 0x400;  // room for a fifth section header
    options.resourceSection = 2;
    std::vector<std::uint8_t> player =
        buildTestImage({{".text", std::vector<std::uint8_t>(300, 0xC3), 0x60000020},
                        {".data", std::vector<std::uint8_t>(100, 0x5A), 0xC0000040},
                        {".rsrc", tree, 0x40000040},
                        {".reloc", std::vector<std::uint8_t>(12, 0x77), 0x42000040}},
                       options);
    expectSameResources(playerResources(), readBack(player));

    std::vector<PeResource> resources = join(readBack(player), quizResources());
    std::vector<std::uint8_t> quiz = written(player, resources);
    expectSoundLayout(quiz);
    expectSameResources(resources, readBack(quiz));
    TestPeView view{quiz};
    EXPECT_EQ(view.sectionCount(), 5u);
    EXPECT_EQ(view.directoryAddress(2), view.section(4, sectionVirtualAddress));
    // Everything after the headers is as it was, the old tree included.
    std::size_t headers = 0x400;
    EXPECT_EQ(slice(quiz, headers, player.size() - headers), slice(player, headers, player.size() - headers));
}

TEST(PeResources, EmptyListAndProgramsWithoutResources) {
    std::vector<PeResource> none = readBack(plainTestImage());
    EXPECT_TRUE(none.empty());
    std::vector<std::uint8_t> emptied = written(written(plainTestImage(), quizResources()), {});
    expectSoundLayout(emptied);
    EXPECT_TRUE(readBack(emptied).empty());
    EXPECT_EQ(TestPeView{emptied}.sectionCount(), 3u);
}

TEST(PeResources, LargeAndManyResources) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> film(5 * 1024 * 1024 + 3);
    for (std::uint8_t &byte : film) byte = std::uint8_t(random());
    std::vector<PeResource> resources = {resource(resourceText("IMG"), resourceNumber(10400), 0, film)};
    for (std::uint16_t n = 0; n < 3000; ++n) {
        std::vector<std::uint8_t> data(n % 37, std::uint8_t(n));
        resources.push_back(resource(resourceText(n % 2 ? "IMG" : "PATCH"), resourceNumber(std::uint16_t(400 + n)),
                                     std::uint16_t(n % 3), data));
        if (n % 100 == 0)
            resources.push_back(resource(resourceNumber(resourceTypeRcData), resourceText("N" + std::to_string(n)), 0, data));
    }
    std::vector<std::uint8_t> program = written(plainTestImage(), resources);
    expectSoundLayout(program);
    expectSameResources(resources, readBack(program));
}

TEST(PeResources, DataAfterTheLastSectionStaysWhereItWas) {
    std::vector<std::uint8_t> player = written(plainTestImage(), playerResources());
    std::vector<std::uint8_t> appended = bytesOf("symbols and strings after the sections");
    std::vector<std::uint8_t> withTail = player;
    withTail.insert(withTail.end(), appended.begin(), appended.end());
    std::vector<std::uint8_t> quiz = written(withTail, join(playerResources(), quizResources()));
    expectSoundLayout(quiz);
    EXPECT_EQ(slice(quiz, player.size(), appended.size()), appended);
    TestPeView view{quiz};
    EXPECT_EQ(view.sectionCount(), 3u);
    EXPECT_GE(view.section(2, sectionRawPointer), withTail.size());
    expectSameResources(join(playerResources(), quizResources()), readBack(quiz));
}

TEST(PeResources, SignatureAtTheEndIsDroppedElsewhereRefused) {
    std::vector<std::uint8_t> player = written(plainTestImage(), playerResources());
    std::size_t signatureAt = player.size();
    std::vector<std::uint8_t> signedPlayer = player;
    signedPlayer.resize(signedPlayer.size() + 64, 0xAB);
    TestPeView view{signedPlayer};
    testPut32(signedPlayer, view.directories() + 32, std::uint32_t(signatureAt));
    testPut32(signedPlayer, view.directories() + 36, 64);
    std::vector<std::uint8_t> quiz = written(signedPlayer, quizResources());
    TestPeView quizView{quiz};
    EXPECT_EQ(quizView.directoryAddress(4), 0u);
    EXPECT_EQ(quizView.directorySize(4), 0u);
    EXPECT_EQ(std::count(quiz.begin(), quiz.end(), 0xAB), 0);
    expectSameResources(quizResources(), readBack(quiz));

    // A signature followed by other bytes cannot be cut out safely.
    signedPlayer.resize(signedPlayer.size() + 100, 0);
    std::vector<std::uint8_t> output;
    std::string error;
    EXPECT_FALSE(writePeResources(signedPlayer, quizResources(), output, error));
    EXPECT_NE(error.find("signature"), std::string::npos) << error;
    EXPECT_TRUE(output.empty());
}

TEST(PeResources, WriterRefusals) {
    TestImageOptions full;  // four sections fill the 0x200 bytes of headers
    std::vector<TestSection> four(4, TestSection{".data", std::vector<std::uint8_t>(16, 1)});
    const std::vector<PeResource> twice = {resource(resourceText("PATCH"), resourceNumber(104), 0, {1}),
                                           resource(resourceText("patch"), resourceNumber(104), 0, {2})};
    struct Refusal {
        const char *name;
        std::vector<std::uint8_t> program;
        std::vector<PeResource> resources;
        const char *fragment;
    } refusals[] = {
        {"no room for another section header", buildTestImage(four, full), quizResources(), "pas de place"},
        {"same type, name and language twice", plainTestImage(), twice, "en double"},
        {"not a program", bytesOf("just text, no header at all, long enough to read the fields of one"), quizResources(),
         "MZ"},
    };
    for (const Refusal &refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        std::vector<std::uint8_t> output = {1, 2, 3};
        std::string error;
        EXPECT_FALSE(writePeResources(refusal.program, refusal.resources, output, error));
        EXPECT_NE(error.find(refusal.fragment), std::string::npos) << error;
        EXPECT_TRUE(output.empty());
    }
}

namespace {

// Offsets in the sample program's resource tree, as the writer lays it out.
struct SampleTree {
    std::vector<std::uint8_t> file;
    std::size_t base;  // file offset of the root directory

    std::size_t entry(std::size_t directory, std::size_t index) const { return base + directory + 16 + 8 * index; }
    std::size_t target(std::size_t entryOffset) const { return testGet32(file, entryOffset + 4) & 0x7FFFFFFFu; }
};

SampleTree sampleTree() {
    SampleTree tree;
    tree.file = written(plainTestImage(), join(playerResources(), quizResources()));
    TestPeView view{tree.file};
    tree.base = view.offsetOf(view.directoryAddress(2));
    return tree;
}

struct Damage {
    const char *name;
    std::function<void(SampleTree &)> apply;
    const char *fragment;
    bool headers;  // the writer must refuse it as well
};

}  // namespace

TEST(PeResources, DamagedProgramsAreRefused) {
    const Damage damages[] = {
        {"empty file", [](SampleTree &t) { t.file.clear(); }, "MZ", true},
        {"no MZ", [](SampleTree &t) { t.file[0] = 'X'; }, "MZ", true},
        {"PE header past the end", [](SampleTree &t) { testPut32(t.file, 0x3C, 0xFFFFFFF0u); }, "PE", true},
        {"PE header at the very end",
         [](SampleTree &t) { testPut32(t.file, 0x3C, std::uint32_t(t.file.size() - 10)); }, "PE", true},
        {"no PE signature", [](SampleTree &t) { t.file[testPeOffset + 1] = 'X'; }, "PE", true},
        {"unknown optional header", [](SampleTree &t) { testPut16(t.file, testPeOffset + 24, 0x30B); }, "PE32", true},
        {"optional header too short", [](SampleTree &t) { testPut16(t.file, testPeOffset + 20, 50); }, "court", true},
        {"optional header past the end", [](SampleTree &t) { testPut16(t.file, testPeOffset + 20, 0xFFF0); }, "tronque", true},
        {"too many data directories",
         [](SampleTree &t) { testPut32(t.file, testPeOffset + 24 + 108, 1000); }, "repertoires", true},
        {"section table past the end", [](SampleTree &t) { testPut16(t.file, testPeOffset + 6, 0xFFFF); }, "table",
         true},
        {"section data past the end",
         [](SampleTree &t) { testPut32(t.file, TestPeView{t.file}.sectionHeader(1) + sectionRawPointer, 0xFFFFFF00u); },
         "tronque", true},
        {"section size past the end",
         [](SampleTree &t) { testPut32(t.file, TestPeView{t.file}.sectionHeader(2) + sectionRawSize, 0x7FFFFFFFu); },
         "tronque", true},
        {"sections overlapping",
         [](SampleTree &t) { testPut32(t.file, TestPeView{t.file}.sectionHeader(1) + sectionVirtualAddress, 0x1000); },
         "chevauchent", true},
        {"section past the address space",
         [](SampleTree &t) { testPut32(t.file, TestPeView{t.file}.sectionHeader(2) + sectionVirtualAddress, 0xFFFFFF00u); },
         "adresses", true},
        {"file alignment not a power of two",
         [](SampleTree &t) { testPut32(t.file, TestPeView{t.file}.optional() + optionalFileAlignment, 0x300); },
         "alignement", true},
        {"resource directory outside the sections",
         [](SampleTree &t) { testPut32(t.file, TestPeView{t.file}.directories() + 16, 0x00F00000); }, "adresse", false},
        {"resource directory at the end of its section",
         [](SampleTree &t) {
             TestPeView view{t.file};
             testPut32(t.file, view.directories() + 16, view.section(2, sectionVirtualAddress) + view.section(2, sectionVirtualSize) - 4);
         },
         "adresse", false},
        {"root counting too many entries", [](SampleTree &t) { testPut16(t.file, t.base + 14, 0xFFFF); }, "adresse",
         false},
        {"root pointing at itself", [](SampleTree &t) { testPut32(t.file, t.entry(0, 0) + 4, 0x80000000u); }, "boucle",
         false},
        {"name directory pointing back at its type",
         [](SampleTree &t) {
             std::size_t type = t.target(t.entry(0, 0));
             testPut32(t.file, t.entry(type, 0) + 4, 0x80000000u | std::uint32_t(type));
         },
         "boucle", false},
        {"two types sharing their names",
         [](SampleTree &t) { testPut32(t.file, t.entry(0, 1) + 4, testGet32(t.file, t.entry(0, 0) + 4)); }, "partage",
         false},
        {"two resources sharing their data",
         [](SampleTree &t) {
             std::size_t type = t.target(t.entry(0, 0));
             std::size_t first = t.target(t.entry(type, 0)), second = t.target(t.entry(type, 1));
             testPut32(t.file, t.entry(second, 0) + 4, testGet32(t.file, t.entry(first, 0) + 4));
         },
         "partagee", false},
        {"data where a type directory should be",
         [](SampleTree &t) { testPut32(t.file, t.entry(0, 0) + 4, testGet32(t.file, t.entry(0, 0) + 4) & 0x7FFFFFFFu); },
         "profondeur", false},
        {"directory where data should be",
         [](SampleTree &t) {
             std::size_t type = t.target(t.entry(0, 0)), name = t.target(t.entry(type, 0));
             testPut32(t.file, t.entry(name, 0) + 4, 0x80000000u | std::uint32_t(name));
         },
         "profondeur", false},
        {"data outside the sections",
         [](SampleTree &t) {
             std::size_t type = t.target(t.entry(0, 0)), name = t.target(t.entry(type, 1));
             testPut32(t.file, t.base + t.target(t.entry(name, 0)), 0xFFFFFF00u);
         },
         "hors des sections", false},
        {"data larger than its section",
         [](SampleTree &t) {
             std::size_t type = t.target(t.entry(0, 0)), name = t.target(t.entry(type, 1));
             testPut32(t.file, t.base + t.target(t.entry(name, 0)) + 4, 0x00100000u);
         },
         "donnees", false},
        {"name string outside the sections",
         [](SampleTree &t) { testPut32(t.file, t.entry(0, 0), 0xFFFFFFF0u); }, "adresse", false},
        {"name string longer than its section",
         [](SampleTree &t) { testPut16(t.file, t.base + (testGet32(t.file, t.entry(0, 0)) & 0x7FFFFFFFu), 0xFFFF); },
         "adresse", false},
        {"number wider than 16 bits", [](SampleTree &t) { testPut32(t.file, t.entry(0, 3), 0x00010003u); }, "numero",
         false},
        {"named language",
         [](SampleTree &t) {
             std::size_t type = t.target(t.entry(0, 0)), name = t.target(t.entry(type, 0));
             testPut32(t.file, t.entry(name, 0), testGet32(t.file, t.entry(0, 0)));
         },
         "langue", false},
    };
    for (const Damage &damage : damages) {
        SCOPED_TRACE(damage.name);
        SampleTree tree = sampleTree();
        damage.apply(tree);
        std::vector<PeResource> resources = {resource(resourceNumber(1), resourceNumber(1), 0, {1})};
        std::string error;
        EXPECT_FALSE(readPeResources(tree.file, resources, error));
        EXPECT_NE(error, "");
        EXPECT_NE(error.find(damage.fragment), std::string::npos) << error;
        EXPECT_TRUE(resources.empty());
        if (damage.headers) {
            std::vector<std::uint8_t> output;
            std::string writeError;
            EXPECT_FALSE(writePeResources(tree.file, quizResources(), output, writeError));
            EXPECT_NE(writeError, "");
            EXPECT_TRUE(output.empty());
        }
    }
}

TEST(PeResources, TruncatedAnywhereIsRefused) {
    const std::vector<std::uint8_t> program = sampleTree().file;
    for (std::size_t length = 0; length < program.size(); ++length) {
        std::vector<std::uint8_t> cut(program.begin(), program.begin() + std::ptrdiff_t(length));
        std::vector<PeResource> resources;
        std::vector<std::uint8_t> output;
        std::string readError, writeError;
        ASSERT_FALSE(readPeResources(cut, resources, readError)) << length;
        ASSERT_NE(readError, "") << length;
        ASSERT_FALSE(writePeResources(cut, quizResources(), output, writeError)) << length;
        ASSERT_TRUE(output.empty()) << length;
    }
}

TEST(PeResources, NameHelpers) {
    EXPECT_EQ(resourceText("Patch").text, u"PATCH");
    EXPECT_FALSE(resourceText("Patch").isNumber);
    EXPECT_EQ(resourceNameToString(resourceNumber(10401)), "10401");
    EXPECT_EQ(resourceNameToString(utf16Name(u"caf\u00E9")), "caf?");
    EXPECT_EQ(resourceNumber(7), resourceNumber(7));
    EXPECT_NE(resourceNumber(7), resourceText("7"));
    const std::vector<PeResource> resources = quizResources();
    const PeResource *found = findPeResource(resources, resourceText("IMG"), resourceNumber(10401));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->data, bytesOf("RIFF....WAVE"));
    EXPECT_EQ(findPeResource(resources, resourceText("IMG"), resourceNumber(402)), nullptr);
}

TEST(PeResources, LongNamesSharedByManyEntriesAreBounded) {
    // A blob that reads as a name of 65535 characters, and a hundred
    // resources whose type is about to become that name.
    std::vector<std::uint8_t> longName(2 + 2 * 0xFFFF, 'A');
    longName[0] = longName[1] = 0xFF;
    std::vector<PeResource> resources = {resource(resourceText("BLOB"), resourceNumber(1), 0, longName)};
    for (std::uint16_t n = 0; n < 100; ++n)
        resources.push_back(resource(resourceText("IMG"), resourceNumber(std::uint16_t(400 + n)), 0, {1}));
    std::vector<std::uint8_t> program = written(plainTestImage(), resources);
    TestPeView view{program};
    std::uint32_t base = view.directoryAddress(2);
    std::vector<PeResource> found = readBack(program);
    ASSERT_FALSE(found.empty());
    ASSERT_EQ(resourceNameToString(found[0].type), "BLOB");
    // BLOB sorts first, IMG second; the blob is the first data after the tree.
    std::size_t root = view.offsetOf(base), blobType = root + (testGet32(program, root + 20) & 0x7FFFFFFFu);
    std::size_t blobName = root + (testGet32(program, blobType + 20) & 0x7FFFFFFFu);
    std::size_t blobEntry = root + testGet32(program, blobName + 20);
    testPut32(program, root + 24, 0x80000000u | (testGet32(program, blobEntry) - base));
    std::string error;
    EXPECT_FALSE(readPeResources(program, found, error));
    EXPECT_NE(error.find("noms partages"), std::string::npos) << error;

    // The writer keeps to the same bound, so what it writes reads back.
    std::vector<PeResource> named;
    for (std::uint16_t n = 0; n < 30; ++n)
        named.push_back(resource(utf16Name(std::u16string(60000, u'N')), resourceNumber(n), 0, {}));
    std::vector<std::uint8_t> output;
    EXPECT_FALSE(writePeResources(plainTestImage(), named, output, error));
    EXPECT_NE(error.find("trop longs"), std::string::npos) << error;
    named.resize(5);
    expectSameResources(named, readBack(written(plainTestImage(), named)));
}
