#pragma once

#include <string>

// Conversions between Windows-1252 bytes (what documents hold) and Unicode.
// Characters that the code page cannot hold become '?'.
std::string Cp1252FromUtf16(const std::u16string& text);
std::u16string Cp1252ToUtf16(const std::string& bytes);
std::string Cp1252ToUtf8(const std::string& bytes);
std::string Cp1252FromUtf8(const std::string& utf8);
