// Any bytes into the resource reader: it must refuse or give a tree, never
// touch memory outside the file nor loop. Whatever it reads must survive the
// writer: the rewritten program reads back as the same resources.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "authoring/pe_resources.h"

namespace {

auto keyOf(const PeResource &resource) {
    return std::make_tuple(resource.type.isNumber, resource.type.number, resource.type.text,
                           resource.name.isNumber, resource.name.number, resource.name.text, resource.language);
}

void sortByKey(std::vector<PeResource> &resources) {
    std::sort(resources.begin(), resources.end(),
              [](const PeResource &a, const PeResource &b) { return keyOf(a) < keyOf(b); });
}

bool sameResources(std::vector<PeResource> first, std::vector<PeResource> second) {
    if (first.size() != second.size()) return false;
    sortByKey(first);
    sortByKey(second);
    for (std::size_t i = 0; i < first.size(); ++i)
        if (keyOf(first[i]) != keyOf(second[i]) || first[i].data != second[i].data) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::vector<std::uint8_t> file(data, data + size);
    std::vector<PeResource> resources;
    std::string error;
    if (!readPeResources(file, resources, error)) {
        if (error.empty() || !resources.empty()) std::abort();
        return 0;
    }
    std::vector<std::uint8_t> output;
    if (!writePeResources(file, resources, output, error)) {
        if (error.empty() || !output.empty()) std::abort();
        return 0;
    }
    std::vector<PeResource> again;
    if (!readPeResources(output, again, error) || !sameResources(resources, again)) std::abort();
    // Rewriting a rewritten program (the section it replaces is the one
    // the first write made, in most cases) keeps them too.
    std::vector<std::uint8_t> twice;
    std::vector<PeResource> thrice;
    if (writePeResources(output, again, twice, error) &&
        (!readPeResources(twice, thrice, error) || !sameResources(resources, thrice)))
        std::abort();
    return 0;
}
