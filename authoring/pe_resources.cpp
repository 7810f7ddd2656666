#include "authoring/pe_resources.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

// Offsets inside the headers of a PE image.
constexpr std::size_t dosHeaderSize = 64;
constexpr std::size_t newHeaderPointerOffset = 0x3C;
constexpr std::size_t coffHeaderSize = 20;
constexpr std::size_t sectionHeaderSize = 40;
constexpr std::uint16_t pe32Magic = 0x10B;
constexpr std::uint16_t pe32PlusMagic = 0x20B;
constexpr std::size_t resourceDirectoryIndex = 2;
constexpr std::size_t certificateDirectoryIndex = 4;
constexpr std::uint32_t resourceSectionFlags = 0x40000040;  // initialised data, readable
constexpr std::uint32_t initializedDataFlag = 0x00000040;
constexpr std::uint32_t highBit = 0x80000000u;
constexpr std::size_t resourceDirectoryHeaderSize = 16;
constexpr std::size_t resourceEntrySize = 8;
constexpr std::size_t resourceDataEntrySize = 16;
// Offsets in the tree carry a flag in their high bit; keep the whole section
// well below it.
constexpr std::uint64_t largestResourceSection = 0x7FFF0000u;

struct OptionalHeaderFields {
    std::size_t sizeOfInitializedData = 8;
    std::size_t entryPoint = 16;
    std::size_t sectionAlignment = 32;
    std::size_t fileAlignment = 36;
    std::size_t sizeOfImage = 56;
    std::size_t sizeOfHeaders = 60;
    std::size_t checkSum = 64;
    std::size_t numberOfRvaAndSizes;
    std::size_t dataDirectories;
};

struct SectionHeader {
    std::size_t headerOffset = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t virtualAddress = 0;
    std::uint32_t sizeOfRawData = 0;
    std::uint32_t pointerToRawData = 0;
    std::uint32_t characteristics = 0;

    // What the loader maps: the virtual size, or the raw size when the
    // virtual size is left at zero.
    std::uint64_t virtualExtent() const { return virtualSize != 0 ? virtualSize : sizeOfRawData; }
    // The part of the section whose bytes are in the file.
    std::uint64_t fileBackedSize() const {
        return virtualSize != 0 ? std::min(virtualSize, sizeOfRawData) : sizeOfRawData;
    }
    std::uint64_t rawEnd() const { return std::uint64_t(pointerToRawData) + sizeOfRawData; }
};

struct DataDirectory {
    std::uint32_t address = 0;
    std::uint32_t size = 0;
};

struct PeLayout {
    std::size_t coffOffset = 0;
    std::size_t optionalOffset = 0;
    std::size_t sectionTableOffset = 0;
    OptionalHeaderFields fields;
    std::uint32_t sectionAlignment = 0;
    std::uint32_t fileAlignment = 0;
    std::uint32_t sizeOfHeaders = 0;
    std::uint32_t entryPoint = 0;
    std::vector<DataDirectory> directories;
    std::vector<SectionHeader> sections;
};

std::uint16_t get16(const std::vector<std::uint8_t> &bytes, std::size_t offset) {
    return std::uint16_t(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t get32(const std::vector<std::uint8_t> &bytes, std::size_t offset) {
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
}

void put16(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = std::uint8_t(value);
    bytes[offset + 1] = std::uint8_t(value >> 8);
}

void put32(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = std::uint8_t(value >> (8 * i));
}

bool fits(const std::vector<std::uint8_t> &bytes, std::uint64_t offset, std::uint64_t length) {
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

bool isPowerOfTwo(std::uint32_t value) { return value != 0 && (value & (value - 1)) == 0; }

std::uint64_t alignUp(std::uint64_t value, std::uint32_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

bool fail(std::string &error, const char *message) {
    error = message;
    return false;
}

bool parseOptionalHeader(const std::vector<std::uint8_t> &file, std::uint16_t sizeOfOptionalHeader,
                         PeLayout &layout, std::string &error) {
    if (sizeOfOptionalHeader < 2 || !fits(file, layout.optionalOffset, sizeOfOptionalHeader))
        return fail(error, "programme Windows tronque (en-tete optionnel incomplet)");
    std::uint16_t magic = get16(file, layout.optionalOffset);
    if (magic == pe32Magic) {
        layout.fields.numberOfRvaAndSizes = 92;
        layout.fields.dataDirectories = 96;
    } else if (magic == pe32PlusMagic) {
        layout.fields.numberOfRvaAndSizes = 108;
        layout.fields.dataDirectories = 112;
    } else {
        return fail(error, "n'est pas un programme Windows connu (en-tete optionnel ni PE32 ni PE32+)");
    }
    if (sizeOfOptionalHeader < layout.fields.dataDirectories)
        return fail(error, "programme Windows endommage (en-tete optionnel trop court)");
    auto field = [&](std::size_t offset) { return get32(file, layout.optionalOffset + offset); };
    layout.sectionAlignment = field(layout.fields.sectionAlignment);
    layout.fileAlignment = field(layout.fields.fileAlignment);
    layout.sizeOfHeaders = field(layout.fields.sizeOfHeaders);
    layout.entryPoint = field(layout.fields.entryPoint);
    // Windows wants file alignment from 512 to 64 KB, or equal to a smaller
    // section alignment.
    if (!isPowerOfTwo(layout.sectionAlignment) || !isPowerOfTwo(layout.fileAlignment) ||
        layout.fileAlignment > layout.sectionAlignment || layout.fileAlignment > 0x10000)
        return fail(error, "programme Windows endommage (alignements de sections invalides)");
    std::uint32_t count = field(layout.fields.numberOfRvaAndSizes);
    if (count > (sizeOfOptionalHeader - layout.fields.dataDirectories) / 8)
        return fail(error, "programme Windows endommage (trop de repertoires de donnees)");
    for (std::uint32_t i = 0; i < count; ++i) {
        std::size_t at = layout.optionalOffset + layout.fields.dataDirectories + 8 * i;
        layout.directories.push_back({get32(file, at), get32(file, at + 4)});
    }
    return true;
}

bool parseSectionTable(const std::vector<std::uint8_t> &file, std::uint16_t count, PeLayout &layout,
                       std::string &error) {
    if (!fits(file, layout.sectionTableOffset, std::uint64_t(count) * sectionHeaderSize))
        return fail(error, "programme Windows tronque (table des sections incomplete)");
    for (std::uint16_t i = 0; i < count; ++i) {
        SectionHeader section;
        section.headerOffset = layout.sectionTableOffset + i * sectionHeaderSize;
        section.virtualSize = get32(file, section.headerOffset + 8);
        section.virtualAddress = get32(file, section.headerOffset + 12);
        section.sizeOfRawData = get32(file, section.headerOffset + 16);
        section.pointerToRawData = get32(file, section.headerOffset + 20);
        section.characteristics = get32(file, section.headerOffset + 36);
        if (section.sizeOfRawData != 0 && !fits(file, section.pointerToRawData, section.sizeOfRawData))
            return fail(error, "programme Windows tronque (une section depasse la fin du fichier)");
        if (std::uint64_t(section.virtualAddress) + section.virtualExtent() > 0xFFFFFFFFu)
            return fail(error, "programme Windows endommage (section hors de l'espace d'adresses)");
        if (!layout.sections.empty()) {
            const SectionHeader &previous = layout.sections.back();
            if (section.virtualAddress < previous.virtualAddress + previous.virtualExtent())
                return fail(error, "programme Windows endommage (sections dans le desordre ou qui se chevauchent)");
        }
        layout.sections.push_back(section);
    }
    return true;
}

bool parseLayout(const std::vector<std::uint8_t> &file, PeLayout &layout, std::string &error) {
    if (file.size() < dosHeaderSize || file[0] != 'M' || file[1] != 'Z')
        return fail(error, "n'est pas un programme Windows (en-tete MZ absent)");
    std::uint32_t newHeader = get32(file, newHeaderPointerOffset);
    if (!fits(file, newHeader, 4 + coffHeaderSize))
        return fail(error, "n'est pas un programme Windows (en-tete PE hors du fichier)");
    if (file[newHeader] != 'P' || file[newHeader + 1] != 'E' || file[newHeader + 2] != 0 ||
        file[newHeader + 3] != 0)
        return fail(error, "n'est pas un programme Windows (signature PE absente)");
    layout.coffOffset = newHeader + 4;
    std::uint16_t numberOfSections = get16(file, layout.coffOffset + 2);
    std::uint16_t sizeOfOptionalHeader = get16(file, layout.coffOffset + 16);
    layout.optionalOffset = layout.coffOffset + coffHeaderSize;
    layout.sectionTableOffset = layout.optionalOffset + sizeOfOptionalHeader;
    return parseOptionalHeader(file, sizeOfOptionalHeader, layout, error) &&
           parseSectionTable(file, numberOfSections, layout, error);
}

DataDirectory directory(const PeLayout &layout, std::size_t index) {
    return index < layout.directories.size() ? layout.directories[index] : DataDirectory{};
}

// The file offset of `length` bytes at `rva`, when they all lie in the file
// bytes of one section. The sections are known to be in ascending order
// without overlap, so only the last one starting at or before `rva` can
// hold it (a tree may look up a million addresses in thousands of sections).
bool mapRva(const PeLayout &layout, std::uint64_t rva, std::uint64_t length, std::size_t &offset) {
    auto after = std::upper_bound(layout.sections.begin(), layout.sections.end(), rva,
                                  [](std::uint64_t address, const SectionHeader &section) {
                                      return address < section.virtualAddress;
                                  });
    if (after == layout.sections.begin()) return false;
    const SectionHeader &section = *(after - 1);
    std::uint64_t inside = rva - section.virtualAddress;
    std::uint64_t available = section.fileBackedSize();
    if (inside > available || length > available - inside) return false;
    offset = std::size_t(section.pointerToRawData + inside);
    return true;
}

// Every resource read carries a copy of its type and name, and entries may
// share one string: without a bound, a long name shared by thousands of
// entries would fill memory. The writer keeps to the same bound, so that
// whatever it writes reads back.
std::uint64_t nameCopyBytes(const PeResource &resource) {
    return 2 * (std::uint64_t(resource.type.text.size()) + resource.name.text.size());
}

bool nameCopiesFit(std::uint64_t nameBytes, std::uint64_t fileSize) {
    return nameBytes <= 4 * fileSize + 0x100000;
}

const char *damagedTree = "arbre des ressources endommage (adresse hors des sections)";

class ResourceTreeReader {
public:
    ResourceTreeReader(const std::vector<std::uint8_t> &file, const PeLayout &layout, std::uint32_t base)
        : file_(file), layout_(layout), base_(base) {}

    bool read(std::vector<PeResource> &resources, std::string &error) {
        PeResource path;
        return readDirectory(0, 0, path, resources, error);
    }

private:
    // Level 0 holds the types, level 1 the names, level 2 the languages.
    bool readDirectory(std::uint32_t offset, int level, PeResource &path,
                       std::vector<PeResource> &resources, std::string &error) {
        // Windows writes a tree: a directory reached twice means a loop or a
        // shared subtree, which would repeat (or never end) the walk.
        if (!visitedDirectories_.insert(offset).second)
            return fail(error, "arbre des ressources endommage (repertoire en boucle ou partage)");
        std::size_t at = 0;
        if (!mapTree(offset, resourceDirectoryHeaderSize, at)) return fail(error, damagedTree);
        std::uint32_t count = std::uint32_t(get16(file_, at + 12)) + get16(file_, at + 14);
        std::size_t entries = 0;
        if (!mapTree(std::uint64_t(offset) + resourceDirectoryHeaderSize,
                     std::uint64_t(count) * resourceEntrySize, entries))
            return fail(error, damagedTree);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t nameField = get32(file_, entries + i * resourceEntrySize);
            std::uint32_t target = get32(file_, entries + i * resourceEntrySize + 4);
            ResourceName name;
            if (!readName(nameField, level, name, error)) return false;
            if (level == 0) path.type = name;
            if (level == 1) path.name = name;
            bool isDirectory = (target & highBit) != 0;
            if (isDirectory != (level < 2))
                return fail(error, "arbre des ressources endommage (profondeur inattendue)");
            if (level < 2) {
                if (!readDirectory(target & ~highBit, level + 1, path, resources, error)) return false;
            } else {
                path.language = name.number;
                if (!readData(target, path, resources, error)) return false;
            }
        }
        return true;
    }

    bool readName(std::uint32_t field, int level, ResourceName &name, std::string &error) {
        if ((field & highBit) == 0) {
            if (field > 0xFFFF) return fail(error, "arbre des ressources endommage (numero trop grand)");
            name = resourceNumber(std::uint16_t(field));
            return true;
        }
        if (level == 2) return fail(error, "arbre des ressources endommage (langue nommee)");
        std::uint32_t offset = field & ~highBit;
        std::size_t at = 0;
        if (!mapTree(offset, 2, at)) return fail(error, damagedTree);
        std::uint16_t length = get16(file_, at);
        if (!mapTree(std::uint64_t(offset) + 2, std::uint64_t(length) * 2, at)) return fail(error, damagedTree);
        name.isNumber = false;
        name.number = 0;
        name.text.clear();
        for (std::uint16_t i = 0; i < length; ++i) name.text.push_back(char16_t(get16(file_, at + 2 * i)));
        return true;
    }

    bool readData(std::uint32_t offset, const PeResource &path, std::vector<PeResource> &resources,
                  std::string &error) {
        if (!visitedDataEntries_.insert(offset).second)
            return fail(error, "arbre des ressources endommage (donnee partagee)");
        std::size_t at = 0;
        if (!mapTree(offset, resourceDataEntrySize, at)) return fail(error, damagedTree);
        std::uint32_t rva = get32(file_, at);
        std::uint32_t size = get32(file_, at + 4);
        // Entries can still point at the same bytes; no real program holds
        // more resource bytes than it has bytes.
        totalData_ += size;
        if (totalData_ > file_.size())
            return fail(error, "arbre des ressources endommage (donnees plus grandes que le fichier)");
        nameBytes_ += nameCopyBytes(path);
        if (!nameCopiesFit(nameBytes_, file_.size()))
            return fail(error, "arbre des ressources endommage (noms partages trop grands)");
        std::size_t data = 0;
        if (size != 0 && !mapRva(layout_, rva, size, data))
            return fail(error, "arbre des ressources endommage (donnees hors des sections)");
        PeResource resource;
        resource.type = path.type;
        resource.name = path.name;
        resource.language = path.language;
        resource.data.assign(file_.begin() + std::ptrdiff_t(data), file_.begin() + std::ptrdiff_t(data + size));
        resources.push_back(std::move(resource));
        return true;
    }

    bool mapTree(std::uint64_t offset, std::uint64_t length, std::size_t &at) const {
        return mapRva(layout_, base_ + offset, length, at);
    }

    const std::vector<std::uint8_t> &file_;
    const PeLayout &layout_;
    std::uint64_t base_;
    std::set<std::uint32_t> visitedDirectories_;
    std::set<std::uint32_t> visitedDataEntries_;
    std::uint64_t totalData_ = 0;
    std::uint64_t nameBytes_ = 0;
};

// --- Writing --------------------------------------------------------------

char16_t foldCase(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

// Windows searches each directory by halves: named entries first, in
// case-insensitive order, then numbers in ascending order.
struct ResourceNameLess {
    bool operator()(const ResourceName &left, const ResourceName &right) const {
        if (left.isNumber != right.isNumber) return !left.isNumber;
        if (left.isNumber) return left.number < right.number;
        const std::u16string &a = left.text, &b = right.text;
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            if (foldCase(a[i]) != foldCase(b[i])) return foldCase(a[i]) < foldCase(b[i]);
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;  // names equal but for case still need an order
    }
};

using LanguageTable = std::map<std::uint16_t, const std::vector<std::uint8_t> *>;
using NameTable = std::map<ResourceName, LanguageTable, ResourceNameLess>;
using TypeTable = std::map<ResourceName, NameTable, ResourceNameLess>;

bool sortResources(const std::vector<PeResource> &resources, TypeTable &types, std::string &error) {
    for (const PeResource &resource : resources) {
        for (const ResourceName *name : {&resource.type, &resource.name})
            if (!name->isNumber && name->text.size() > 0xFFFF)
                return fail(error, "nom de ressource trop long");
        if (!types[resource.type][resource.name].emplace(resource.language, &resource.data).second) {
            error = "ressource en double : " + resourceNameToString(resource.type) + " " +
                    resourceNameToString(resource.name) + " langue " + std::to_string(resource.language);
            return false;
        }
    }
    if (types.size() > 0xFFFF) return fail(error, "trop de types de ressources");
    for (const auto &type : types) {
        if (type.second.size() > 0xFFFF) return fail(error, "trop de ressources d'un meme type");
        for (const auto &name : type.second)
            if (name.second.size() > 0xFFFF) return fail(error, "trop de langues pour une ressource");
    }
    return true;
}

std::size_t directorySize(std::size_t entries) {
    return resourceDirectoryHeaderSize + entries * resourceEntrySize;
}

std::size_t stringSize(const ResourceName &name) { return name.isNumber ? 0 : 2 + 2 * name.text.size(); }

// Where each part of the resource section starts, laid out as the resource
// compiler does: every directory (root, types, names), then the data
// entries, the name strings, and the data, each blob on 8 bytes.
struct SectionPlan {
    std::uint64_t dataEntries = 0;
    std::uint64_t strings = 0;
    std::uint64_t data = 0;
    std::uint64_t size = 0;
};

SectionPlan planSection(const TypeTable &types) {
    std::uint64_t directories = directorySize(types.size()), entries = 0, strings = 0, data = 0;
    for (const auto &type : types) {
        strings += stringSize(type.first);
        directories += directorySize(type.second.size());
        for (const auto &name : type.second) {
            strings += stringSize(name.first);
            directories += directorySize(name.second.size());
            for (const auto &language : name.second) {
                ++entries;
                data += alignUp(language.second->size(), 8);
            }
        }
    }
    SectionPlan plan;
    plan.dataEntries = directories;
    plan.strings = directories + entries * resourceDataEntrySize;
    plan.data = alignUp(plan.strings + strings, 8);
    plan.size = plan.data + data;
    return plan;
}

class ResourceSectionBuilder {
public:
    ResourceSectionBuilder(const TypeTable &types, const SectionPlan &plan, std::uint32_t sectionRva)
        : types_(types), sectionRva_(sectionRva), nextDataEntry_(std::size_t(plan.dataEntries)),
          nextString_(std::size_t(plan.strings)), nextData_(std::size_t(plan.data)) {
        section_.assign(std::size_t(plan.size), 0);
    }

    std::vector<std::uint8_t> build() {
        writeRoot();
        return std::move(section_);
    }

private:
    std::size_t takeDirectory(std::size_t entries) {
        std::size_t at = nextDirectory_;
        nextDirectory_ += directorySize(entries);
        return at;
    }

    template <typename Table>
    void writeDirectoryHeader(std::size_t at, const Table &table) {
        std::size_t named = 0;
        for (const auto &entry : table) named += entry.first.isNumber ? 0 : 1;
        put16(section_, at + 12, std::uint16_t(named));
        put16(section_, at + 14, std::uint16_t(table.size() - named));
    }

    std::uint32_t nameField(const ResourceName &name) {
        if (name.isNumber) return name.number;
        std::size_t at = nextString_;
        put16(section_, at, std::uint16_t(name.text.size()));
        for (std::size_t i = 0; i < name.text.size(); ++i) put16(section_, at + 2 + 2 * i, name.text[i]);
        nextString_ += stringSize(name);
        return std::uint32_t(at) | highBit;
    }

    void writeEntry(std::size_t directory, std::size_t index, std::uint32_t name, std::uint32_t target) {
        std::size_t at = directory + resourceDirectoryHeaderSize + index * resourceEntrySize;
        put32(section_, at, name);
        put32(section_, at + 4, target);
    }

    // Directories are handed out breadth first: the root, every type, then
    // the names and languages of each type in turn.
    void writeRoot() {
        std::size_t root = takeDirectory(types_.size());
        writeDirectoryHeader(root, types_);
        std::vector<std::size_t> typeDirectories;
        std::size_t index = 0;
        for (const auto &type : types_) {
            std::size_t at = takeDirectory(type.second.size());
            typeDirectories.push_back(at);
            writeEntry(root, index++, nameField(type.first), std::uint32_t(at) | highBit);
        }
        index = 0;
        for (const auto &type : types_) writeNames(typeDirectories[index++], type.second);
    }

    void writeNames(std::size_t directory, const NameTable &names) {
        writeDirectoryHeader(directory, names);
        std::size_t index = 0;
        for (const auto &name : names) {
            std::size_t at = takeDirectory(name.second.size());
            writeEntry(directory, index++, nameField(name.first), std::uint32_t(at) | highBit);
            writeLanguages(at, name.second);
        }
    }

    void writeLanguages(std::size_t directory, const LanguageTable &languages) {
        put16(section_, directory + 14, std::uint16_t(languages.size()));
        std::size_t index = 0;
        for (const auto &language : languages) {
            std::size_t entry = nextDataEntry_;
            nextDataEntry_ += resourceDataEntrySize;
            writeEntry(directory, index++, language.first, std::uint32_t(entry));
            const std::vector<std::uint8_t> &data = *language.second;
            put32(section_, entry, sectionRva_ + std::uint32_t(nextData_));
            put32(section_, entry + 4, std::uint32_t(data.size()));
            std::copy(data.begin(), data.end(), section_.begin() + std::ptrdiff_t(nextData_));
            nextData_ += std::size_t(alignUp(data.size(), 8));
        }
    }

    const TypeTable &types_;
    std::uint32_t sectionRva_;
    std::vector<std::uint8_t> section_;
    std::size_t nextDirectory_ = 0;
    std::size_t nextDataEntry_;
    std::size_t nextString_;
    std::size_t nextData_;
};

// The standard image checksum: 16-bit words summed with end-around carry,
// plus the file length; the checksum field must be zero when it runs.
std::uint32_t imageChecksum(const std::vector<std::uint8_t> &file) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i + 1 < file.size(); i += 2) {
        sum += get16(file, i);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    if (file.size() % 2 != 0) sum += file.back();
    sum = (sum & 0xFFFF) + (sum >> 16);
    sum = (sum & 0xFFFF) + (sum >> 16);
    return std::uint32_t(sum + file.size());
}

// Where the new resource section goes.
struct Placement {
    std::size_t sectionIndex = 0;  // an existing index when replacing, else the count
    bool replaces = false;
    std::size_t keptBytes = 0;     // the leading bytes of the old file that stay
    bool dropsCertificate = false;
    std::uint32_t virtualAddress = 0;
};

bool holdsOnlyResources(const PeLayout &layout, const SectionHeader &section) {
    auto inside = [&](std::uint32_t rva) {
        return rva >= section.virtualAddress && rva - section.virtualAddress < section.virtualExtent();
    };
    if (directory(layout, resourceDirectoryIndex).address != section.virtualAddress) return false;
    if (inside(layout.entryPoint)) return false;
    for (std::size_t i = 0; i < layout.directories.size(); ++i) {
        // The certificate entry holds a file offset, not an address.
        if (i == resourceDirectoryIndex || i == certificateDirectoryIndex) continue;
        if (layout.directories[i].address != 0 && inside(layout.directories[i].address)) return false;
    }
    return true;
}

// The end of the headers, counting the slot of a section to be added:
// whatever the writer keeps of the old file reaches at least that far.
std::uint64_t endOfHeaders(const PeLayout &layout, bool addsSection) {
    std::uint64_t sections = layout.sections.size() + (addsSection ? 1 : 0);
    return std::max<std::uint64_t>(layout.sizeOfHeaders, layout.sectionTableOffset + sections * sectionHeaderSize);
}

std::uint64_t endOfSectionData(const PeLayout &layout) {
    std::uint64_t end = endOfHeaders(layout, false);
    for (const SectionHeader &section : layout.sections)
        if (section.sizeOfRawData != 0) end = std::max(end, section.rawEnd());
    return end;
}

bool roomForOneMoreSection(const std::vector<std::uint8_t> &file, const PeLayout &layout) {
    std::uint64_t at = layout.sectionTableOffset + layout.sections.size() * sectionHeaderSize;
    std::uint64_t limit = layout.sizeOfHeaders;
    for (const SectionHeader &section : layout.sections)
        if (section.sizeOfRawData != 0) limit = std::min<std::uint64_t>(limit, section.pointerToRawData);
    if (layout.sections.size() >= 0xFFFF || at + sectionHeaderSize > limit ||
        !fits(file, at, sectionHeaderSize))
        return false;
    // Something else (bound imports, say) may live after the table.
    return std::all_of(file.begin() + std::ptrdiff_t(at), file.begin() + std::ptrdiff_t(at + sectionHeaderSize),
                       [](std::uint8_t byte) { return byte == 0; });
}

bool placeSignature(const std::vector<std::uint8_t> &file, const PeLayout &layout, Placement &placement,
                    std::string &error) {
    DataDirectory certificate = directory(layout, certificateDirectoryIndex);
    placement.keptBytes = file.size();
    if (certificate.size == 0) return true;
    // The signature covers the bytes we change: it goes. It must be the
    // tail of the file, or cutting it would cut something else.
    std::uint64_t end = std::uint64_t(certificate.address) + certificate.size;
    if (end > file.size() || alignUp(end, 8) < file.size() || certificate.address < endOfSectionData(layout))
        return fail(error, "programme signe dont la signature n'est pas en fin de fichier");
    placement.keptBytes = certificate.address;
    placement.dropsCertificate = true;
    return true;
}

bool placeResourceSection(const std::vector<std::uint8_t> &file, const PeLayout &layout,
                          Placement &placement, std::string &error) {
    if (layout.directories.size() <= resourceDirectoryIndex)
        return fail(error, "programme sans repertoire de ressources dans son en-tete");
    if (!placeSignature(file, layout, placement, error)) return false;
    std::uint32_t resourceRva = directory(layout, resourceDirectoryIndex).address;
    if (!layout.sections.empty() && resourceRva != 0) {
        const SectionHeader &last = layout.sections.back();
        if (resourceRva == last.virtualAddress && holdsOnlyResources(layout, last)) {
            placement.replaces = true;
            placement.sectionIndex = layout.sections.size() - 1;
            placement.virtualAddress = last.virtualAddress;
            // Its old bytes go too when they end the file and belong to no
            // other section or header.
            bool shared = last.pointerToRawData < endOfHeaders(layout, false);
            for (std::size_t i = 0; i + 1 < layout.sections.size(); ++i) {
                const SectionHeader &other = layout.sections[i];
                if (other.sizeOfRawData != 0 && other.rawEnd() > last.pointerToRawData) shared = true;
            }
            if (last.sizeOfRawData != 0 && last.rawEnd() == placement.keptBytes && !shared)
                placement.keptBytes = last.pointerToRawData;
            return true;
        }
    }
    if (!roomForOneMoreSection(file, layout))
        return fail(error, "pas de place dans l'en-tete du programme pour une section de plus");
    placement.sectionIndex = layout.sections.size();
    std::uint64_t end = alignUp(layout.sizeOfHeaders, layout.sectionAlignment);
    if (!layout.sections.empty()) {
        const SectionHeader &last = layout.sections.back();
        end = alignUp(last.virtualAddress + last.virtualExtent(), layout.sectionAlignment);
    }
    if (end > 0xFFFFFFFFu) return fail(error, "programme Windows endommage (image trop grande)");
    placement.virtualAddress = std::uint32_t(end);
    return true;
}

void writeSectionHeader(std::vector<std::uint8_t> &output, std::size_t at, std::uint32_t virtualSize,
                        std::uint32_t virtualAddress, std::uint32_t rawSize, std::uint32_t rawPointer) {
    static const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    std::fill(output.begin() + std::ptrdiff_t(at), output.begin() + std::ptrdiff_t(at + sectionHeaderSize), 0);
    std::copy(name, name + 8, output.begin() + std::ptrdiff_t(at));
    put32(output, at + 8, virtualSize);
    put32(output, at + 12, virtualAddress);
    put32(output, at + 16, rawSize);
    put32(output, at + 20, rawPointer);
    put32(output, at + 36, resourceSectionFlags);
}

void updateHeaders(std::vector<std::uint8_t> &output, const PeLayout &layout, const Placement &placement,
                   std::uint32_t sectionSize, std::uint32_t rawSize) {
    std::size_t optional = layout.optionalOffset;
    if (!placement.replaces) put16(output, layout.coffOffset + 2, std::uint16_t(layout.sections.size() + 1));
    put32(output, optional + layout.fields.sizeOfImage,
          std::uint32_t(alignUp(std::uint64_t(placement.virtualAddress) + sectionSize, layout.sectionAlignment)));
    std::uint32_t initialized = get32(output, optional + layout.fields.sizeOfInitializedData);
    if (placement.replaces) {
        const SectionHeader &old = layout.sections[placement.sectionIndex];
        if (old.characteristics & initializedDataFlag)
            initialized = initialized >= old.sizeOfRawData ? initialized - old.sizeOfRawData : 0;
    }
    put32(output, optional + layout.fields.sizeOfInitializedData, initialized + rawSize);
    std::size_t directories = optional + layout.fields.dataDirectories;
    put32(output, directories + 8 * resourceDirectoryIndex, placement.virtualAddress);
    put32(output, directories + 8 * resourceDirectoryIndex + 4, sectionSize);
    if (placement.dropsCertificate) {
        put32(output, directories + 8 * certificateDirectoryIndex, 0);
        put32(output, directories + 8 * certificateDirectoryIndex + 4, 0);
    }
    put32(output, optional + layout.fields.checkSum, 0);
    put32(output, optional + layout.fields.checkSum, imageChecksum(output));
}

}  // namespace

bool operator==(const ResourceName &left, const ResourceName &right) {
    if (left.isNumber != right.isNumber) return false;
    return left.isNumber ? left.number == right.number : left.text == right.text;
}

ResourceName resourceNumber(std::uint16_t number) {
    ResourceName name;
    name.isNumber = true;
    name.number = number;
    return name;
}

ResourceName resourceText(const std::string &ascii) {
    ResourceName name;
    name.isNumber = false;
    for (char c : ascii) name.text.push_back(foldCase(char16_t(static_cast<unsigned char>(c))));
    return name;
}

std::string resourceNameToString(const ResourceName &name) {
    if (name.isNumber) return std::to_string(name.number);
    std::string text;
    for (char16_t c : name.text) text.push_back(c >= 0x20 && c < 0x7F ? char(c) : '?');
    return text;
}

const PeResource *findPeResource(const std::vector<PeResource> &resources, const ResourceName &type,
                                 const ResourceName &name) {
    for (const PeResource &resource : resources)
        if (resource.type == type && resource.name == name) return &resource;
    return nullptr;
}

bool readPeResources(const std::vector<std::uint8_t> &file, std::vector<PeResource> &resources,
                     std::string &error) {
    resources.clear();
    PeLayout layout;
    if (!parseLayout(file, layout, error)) return false;
    std::uint32_t base = directory(layout, resourceDirectoryIndex).address;
    if (base == 0) return true;
    ResourceTreeReader reader(file, layout, base);
    if (!reader.read(resources, error)) {
        resources.clear();
        return false;
    }
    return true;
}

bool writePeResources(const std::vector<std::uint8_t> &file, const std::vector<PeResource> &resources,
                      std::vector<std::uint8_t> &output, std::string &error) {
    output.clear();
    PeLayout layout;
    TypeTable types;
    Placement placement;
    if (!parseLayout(file, layout, error) || !sortResources(resources, types, error) ||
        !placeResourceSection(file, layout, placement, error))
        return false;
    SectionPlan plan = planSection(types);
    std::uint64_t sectionSize = plan.size;
    if (sectionSize > largestResourceSection)
        return fail(error, "ressources trop grandes pour un programme Windows");
    // Every header the writer touches must be among the bytes it keeps.
    if (placement.keptBytes < endOfHeaders(layout, !placement.replaces))
        return fail(error, "programme Windows endommage (en-tetes et sections se chevauchent)");
    std::uint64_t rawPointer = alignUp(placement.keptBytes, layout.fileAlignment);
    std::uint64_t rawSize = alignUp(sectionSize, layout.fileAlignment);
    if (rawPointer + rawSize > 0xFFFFFFFFu ||
        alignUp(placement.virtualAddress + sectionSize, layout.sectionAlignment) > 0xFFFFFFFFu)
        return fail(error, "ressources trop grandes pour un programme Windows");
    std::uint64_t nameBytes = 0;
    for (const PeResource &resource : resources) nameBytes += nameCopyBytes(resource);
    if (!nameCopiesFit(nameBytes, rawPointer + rawSize))
        return fail(error, "noms de ressources trop longs pour leur nombre");
    std::vector<std::uint8_t> section = ResourceSectionBuilder(types, plan, placement.virtualAddress).build();
    output.reserve(std::size_t(rawPointer + rawSize));
    output.assign(file.begin(), file.begin() + std::ptrdiff_t(placement.keptBytes));
    output.resize(std::size_t(rawPointer), 0);
    output.insert(output.end(), section.begin(), section.end());
    output.resize(std::size_t(rawPointer + rawSize), 0);
    std::size_t headerAt = layout.sectionTableOffset + placement.sectionIndex * sectionHeaderSize;
    writeSectionHeader(output, headerAt, std::uint32_t(sectionSize), placement.virtualAddress,
                       std::uint32_t(rawSize), std::uint32_t(rawPointer));
    updateHeaders(output, layout, placement, std::uint32_t(sectionSize), std::uint32_t(rawSize));
    return true;
}
