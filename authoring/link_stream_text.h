// The text that the link stream carries: two leading bytes, the target and
// the caption, each ended by "|".
#pragma once

#include <string>

constexpr int linkTargetLimit = 24;
constexpr int linkCaptionLimit = 42;

// Empty when both texts fit and hold no "|" or NUL; otherwise what is wrong.
std::string linkTextProblem(const std::string &target, const std::string &caption);

std::string linkStreamText(const std::string &target, const std::string &caption);
