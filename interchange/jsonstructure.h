#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A light walk over JSON text that follows only its brackets, commas and
// strings. It runs when the parser refused the text, to say more precisely
// what is wrong and where: the parser stops at the value it was reading.
struct JsonStructure {
    static constexpr std::size_t npos = std::string_view::npos;

    // The first comma with nothing after it before "]" or "}".
    std::size_t trailingComma = npos;
    // The first character that is not white space after the top-level value.
    std::size_t textAfter = npos;
    // The JSON path ($.ships[3].name) of the value that holds the offset the
    // walk was asked about.
    std::string pathAt = "$";

    static JsonStructure Of(std::string_view text, std::size_t offset = npos);
};
