#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Whole-file reading and crash-safe writing. Paths are UTF-8. Every failure
// returns false with a sentence that names the file and the reason.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Writes to a temporary file beside the target and renames it over the
// target only when everything was written, so the old file survives a failure.
bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string& error);

// The same for content produced piece by piece, so that a large document
// never has to sit in memory whole.
using ByteSink = std::function<void(const char* data, std::size_t size)>;
bool WriteFileSafely(const std::string& path, const std::function<void(const ByteSink&)>& produce,
                     std::string& error);

// Turns every "\n" into "\r\n", as a text-mode file write does.
std::string WithCrLf(std::string_view text);
