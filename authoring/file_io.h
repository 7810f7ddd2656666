// Whole-file reading and writing for the authoring tools. Paths are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// False, with the reason in French (UTF-8), when the file cannot be read.
bool readFileBytes(const std::string &path, std::vector<std::uint8_t> &bytes, std::string &problem);

// Writes a temporary file beside `path` and renames it over `path`, so that
// a failure leaves either the old file or none, never a part of the new one.
bool writeFileAtomically(const std::string &path, const std::vector<std::uint8_t> &bytes,
                         std::string &problem);
