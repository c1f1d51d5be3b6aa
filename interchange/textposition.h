#pragma once

#include <cstddef>
#include <string_view>

// Where a byte offset lies in a text, as an editor shows it: 1-based line
// and column, the column counted in characters.
struct TextPosition {
    std::size_t line = 1;
    std::size_t column = 1;
};

TextPosition PositionOf(std::string_view text, std::size_t offset);

// The first fault that a JSON parser finds before reading any value: a byte
// that is not UTF-8, a control character inside a string, or a string that
// never ends (at its opening quote). Its offset is the text's size when none.
struct LexicalFault {
    std::size_t offset;
    const char* what;  // the end of a sentence
};
LexicalFault FirstLexicalFault(std::string_view text);

// The text without the UTF-8 byte order mark some editors put before it.
std::string_view WithoutByteOrderMark(std::string_view text);
