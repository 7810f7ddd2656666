// Reads and rewrites the resources of a Windows program (PE32 or PE32+) from
// its bytes alone, so that the authoring tools work the same on any system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A resource type or name: a number (RT_RCDATA = 10, 104...) or a text
// ("PATCH"). Windows looks names up upper-cased, so texts must be upper-case
// to be found (resourceText sees to it); the writer stores them as given.
struct ResourceName {
    bool isNumber = true;
    std::uint16_t number = 0;
    std::u16string text;
};

bool operator==(const ResourceName &left, const ResourceName &right);
inline bool operator!=(const ResourceName &left, const ResourceName &right) {
    return !(left == right);
}

struct PeResource {
    ResourceName type;
    ResourceName name;
    std::uint16_t language = 0;
    std::vector<std::uint8_t> data;
};

constexpr std::uint16_t resourceTypeIcon = 3;
constexpr std::uint16_t resourceTypeDialog = 5;
constexpr std::uint16_t resourceTypeRcData = 10;
constexpr std::uint16_t resourceTypeGroupCursor = 12;
constexpr std::uint16_t resourceTypeGroupIcon = 14;

ResourceName resourceNumber(std::uint16_t number);
// Upper-cases the ASCII letters, as the resource compiler does.
ResourceName resourceText(const std::string &ascii);
// "PATCH" or "104", for messages and dumps (non-ASCII characters as '?').
std::string resourceNameToString(const ResourceName &name);

// The first resource of that type and name, whatever its language; null when
// there is none.
const PeResource *findPeResource(const std::vector<PeResource> &resources,
                                 const ResourceName &type, const ResourceName &name);

// Every resource of the program, in the order of its resource tree (type,
// then name, then language). A program without resources gives an empty
// list. False, with a message in French (plain ASCII), when the bytes are not
// a Windows program or its headers or resource tree are damaged.
bool readPeResources(const std::vector<std::uint8_t> &file, std::vector<PeResource> &resources,
                     std::string &error);

// `output` becomes the same program whose resource tree is exactly
// `resources` (in any order; two resources with the same type, name and
// language are refused). The tree goes into a fresh resource section: when
// the old resource section is the last one and holds nothing else, it is
// replaced; otherwise a new ".rsrc" section is appended and the old one is
// left as it was, unused. Bytes after the last section (debug symbols, other
// appended data) are kept where they are; a signature is dropped since the
// change voids it. The checksum is recomputed. False, with a message in
// French (plain ASCII), when the program cannot be rewritten safely; `output`
// is then left empty.
bool writePeResources(const std::vector<std::uint8_t> &file, const std::vector<PeResource> &resources,
                      std::vector<std::uint8_t> &output, std::string &error);
