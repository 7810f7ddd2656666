#include "authoring/link_stream_text.h"

namespace {
bool holdsSeparator(const std::string &text) {
    return text.find('|') != std::string::npos || text.find('\0') != std::string::npos;
}
}  // namespace

std::string linkTextProblem(const std::string &target, const std::string &caption) {
    if (target.size() > std::size_t(linkTargetLimit))
        return "the link target has " + std::to_string(target.size()) + " characters, at most " +
               std::to_string(linkTargetLimit) + " fit";
    if (caption.size() > std::size_t(linkCaptionLimit))
        return "the link caption has " + std::to_string(caption.size()) + " characters, at most " +
               std::to_string(linkCaptionLimit) + " fit";
    if (holdsSeparator(target) || holdsSeparator(caption))
        return "the link texts may not hold \"|\"";
    return {};
}

std::string linkStreamText(const std::string &target, const std::string &caption) {
    return "GL" + target + "|" + caption + "|";
}
