// The short stream built into the program that names its link.
#pragma once

#include <cstdint>

constexpr int linkStreamSize = 70;
extern const std::uint8_t linkStream[linkStreamSize];
