// The kind of a media resource, recognised from its first bytes. The kind
// word ends the name of the file the player writes, and the system's media
// player goes by that name's extension.
#pragma once

#include <cstddef>
#include <cstdint>

// "MP3", "AVI", "WAV", "WMV", "MPG", or "XXX" for anything else. A test on a
// byte beyond the end of a short resource counts as failed.
const char *mediaKindWord(const std::uint8_t *bytes, std::size_t size);
