// Small Windows program images built byte by byte, and a plain view of their
// headers, for the tests of the resource reader and writer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

struct TestSection {
    std::string name;
    std::vector<std::uint8_t> data;
    std::uint32_t characteristics = 0x40000040;  // initialised data, readable
};

struct TestImageOptions {
    bool pe32 = false;
    std::uint32_t sizeOfHeaders = 0x200;
    std::uint32_t fileAlignment = 0x200;
    std::uint32_t sectionAlignment = 0x1000;
    int resourceSection = -1;  // the section the resource directory points at
};

constexpr std::size_t testPeOffset = 0x40;

inline void testPut16(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = std::uint8_t(value);
    bytes[at + 1] = std::uint8_t(value >> 8);
}

inline void testPut32(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

inline std::uint32_t testGet16(const std::vector<std::uint8_t> &bytes, std::size_t at) {
    return std::uint32_t(bytes.at(at) | bytes.at(at + 1) << 8);
}

inline std::uint32_t testGet32(const std::vector<std::uint8_t> &bytes, std::size_t at) {
    return testGet16(bytes, at) | testGet16(bytes, at + 2) << 16;
}

inline std::uint32_t testAlign(std::uint32_t value, std::uint32_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

// Where the fields of an image are, read the simple way (the image is
// assumed sound).
struct TestPeView {
    const std::vector<std::uint8_t> &file;

    std::size_t coff() const { return testGet32(file, 0x3C) + 4; }
    std::size_t optional() const { return coff() + 20; }
    bool pe32() const { return testGet16(file, optional()) == 0x10B; }
    std::size_t directories() const { return optional() + (pe32() ? 96 : 112); }
    std::uint32_t sectionCount() const { return testGet16(file, coff() + 2); }
    std::size_t sectionHeader(std::uint32_t index) const {
        return optional() + testGet16(file, coff() + 16) + 40 * index;
    }
    std::uint32_t section(std::uint32_t index, std::size_t field) const {
        return testGet32(file, sectionHeader(index) + field);
    }
    std::uint32_t optionalField(std::size_t field) const { return testGet32(file, optional() + field); }
    std::uint32_t directoryAddress(std::uint32_t index) const { return testGet32(file, directories() + 8 * index); }
    std::uint32_t directorySize(std::uint32_t index) const {
        return testGet32(file, directories() + 8 * index + 4);
    }
    // The file offset of an address inside a section.
    std::size_t offsetOf(std::uint32_t rva) const {
        for (std::uint32_t i = 0; i < sectionCount(); ++i) {
            std::uint32_t va = section(i, 12), size = section(i, 16);
            if (rva >= va && rva < va + size) return section(i, 20) + (rva - va);
        }
        return file.size();
    }
};

// Section header fields.
constexpr std::size_t sectionVirtualSize = 8;
constexpr std::size_t sectionVirtualAddress = 12;
constexpr std::size_t sectionRawSize = 16;
constexpr std::size_t sectionRawPointer = 20;
// Optional header fields.
constexpr std::size_t optionalSizeOfInitializedData = 8;
constexpr std::size_t optionalSectionAlignment = 32;
constexpr std::size_t optionalFileAlignment = 36;
constexpr std::size_t optionalSizeOfImage = 56;
constexpr std::size_t optionalSizeOfHeaders = 60;
constexpr std::size_t optionalCheckSum = 64;

inline std::vector<std::uint8_t> buildTestImage(const std::vector<TestSection> &sections,
                                                const TestImageOptions &options = {}) {
    const std::uint32_t optionalSize = options.pe32 ? 96 + 16 * 8 : 112 + 16 * 8;
    std::vector<std::uint8_t> file(options.sizeOfHeaders, 0);
    file[0] = 'M';
    file[1] = 'Z';
    testPut32(file, 0x3C, testPeOffset);
    file[testPeOffset] = 'P';
    file[testPeOffset + 1] = 'E';
    const std::size_t coff = testPeOffset + 4, optional = coff + 20;
    testPut16(file, coff, options.pe32 ? 0x14C : 0x8664);
    testPut16(file, coff + 2, std::uint32_t(sections.size()));
    testPut16(file, coff + 16, optionalSize);
    testPut16(file, coff + 18, options.pe32 ? 0x102 : 0x22);
    testPut16(file, optional, options.pe32 ? 0x10B : 0x20B);
    testPut32(file, optional + optionalSectionAlignment, options.sectionAlignment);
    testPut32(file, optional + optionalFileAlignment, options.fileAlignment);
    testPut32(file, optional + optionalSizeOfHeaders, options.sizeOfHeaders);
    testPut32(file, optional + 16, options.sectionAlignment);  // entry point, in the first section
    testPut32(file, optional + (options.pe32 ? 92 : 108), 16);
    const std::size_t directories = optional + (options.pe32 ? 96 : 112);
    std::uint32_t va = options.sectionAlignment, initialized = 0;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const TestSection &section = sections[i];
        const std::size_t header = optional + optionalSize + 40 * i;
        const std::uint32_t raw = testAlign(std::uint32_t(section.data.size()), options.fileAlignment);
        for (std::size_t c = 0; c < section.name.size() && c < 8; ++c) file[header + c] = std::uint8_t(section.name[c]);
        testPut32(file, header + sectionVirtualSize, std::uint32_t(section.data.size()));
        testPut32(file, header + sectionVirtualAddress, va);
        testPut32(file, header + sectionRawSize, raw);
        testPut32(file, header + sectionRawPointer, std::uint32_t(file.size()));
        testPut32(file, header + 36, section.characteristics);
        if (int(i) == options.resourceSection) {
            testPut32(file, directories + 16, va);
            testPut32(file, directories + 20, std::uint32_t(section.data.size()));
        }
        if (section.characteristics & 0x40) initialized += raw;
        file.insert(file.end(), section.data.begin(), section.data.end());
        file.resize(file.size() + (raw - section.data.size()), 0);
        va = testAlign(va + std::uint32_t(std::max<std::size_t>(section.data.size(), 1)), options.sectionAlignment);
    }
    testPut32(file, optional + optionalSizeOfInitializedData, initialized);
    testPut32(file, optional + optionalSizeOfImage, va);
    return file;
}

// A program with code and data but no resources.
inline std::vector<std::uint8_t> plainTestImage(bool pe32 = false) {
    TestImageOptions options;
    options.pe32 = pe32;
    return buildTestImage({{".text", std::vector<std::uint8_t>(300, 0xC3), 0x60000020},
                           {".data", std::vector<std::uint8_t>(100, 0x5A), 0xC0000040}},
                          options);
}
