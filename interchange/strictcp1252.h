#pragma once

#include <string>
#include <string_view>

// Converts UTF-8 text to Windows-1252 bytes, refusing what the code page
// cannot hold instead of putting '?' in its place. The C1 controls U+0081,
// U+008D, U+008F, U+0090 and U+009D stand for the five bytes the code page
// leaves undefined. On failure, rejected is the first character refused.
bool StrictCp1252FromUtf8(std::string_view utf8, std::string& cp1252, char32_t& rejected);
