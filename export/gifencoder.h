#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An interlaced GIF of 8-bit grey pixels (palette entry i = (i, i, i)) whose
// logical screen is the given size, which may differ from the image's.
// Returns the file's bytes, or an empty string when giflib fails.
std::string EncodeGreyGif(const std::vector<std::uint8_t>& pixels, int width, int height,
                          int screenWidth, int screenHeight);
