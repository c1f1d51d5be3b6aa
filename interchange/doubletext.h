#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Doubles in campaign JSON. A finite value is a JSON number in the shortest
// form that reads back to the same bits, always with a point or an exponent
// so that -0.0 keeps its sign. JSON has no infinities or NaNs, so those are
// strings: "Infinity", "-Infinity", "NaN" for the usual quiet NaN
// (0x7FF8000000000000), and "NaN:0x" with all 16 hex digits of the bits for
// any other NaN, sign and payload included.
bool IsJsonNumber(double value);
// The number's text for a finite value, written into buffer.
std::string_view FiniteDoubleText(double value, std::array<char, 32>& buffer);
// The number's text when IsJsonNumber, otherwise the string's content.
std::string DoubleText(double value);
// Reads the string form back; nothing when the text is none of them.
std::optional<double> DoubleFromSpecialText(std::string_view text);
