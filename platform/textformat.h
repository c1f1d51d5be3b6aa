#pragma once

#include <cstddef>
#include <string>

// printf "%1.3g": the way every attack factor, DF and torpedo calibre is shown.
std::string FormatG3(double value);
// The same written at `at`, which must have room for kG3MaxChars; returns the
// end. No locale, no allocation: for exports of many numbers.
inline constexpr std::size_t kG3MaxChars = 16;
char* WriteG3(char* at, double value);

// The leading decimal number of a text (sign, digits, point), 0.0 when there
// is none.
double LeadingNumber(const std::string& text);

// Upper case in the Windows-1252 code page, as the card shows ship names.
std::string ToUpperAnsi(const std::string& text);

// Numbers are always written with '.', whatever the user's locale says.
void UseClassicNumberFormat();
