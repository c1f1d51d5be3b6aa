#include "platform/textformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <clocale>
#include <cstdlib>
#include <limits>

namespace {

// Whole numbers below 1000 and halves below 100, which most factors are,
// written directly: %1.3g shows them in full, and the general conversion
// costs several times more.
char* WriteWholeOrHalf(char* at, double magnitude, bool negative, bool half) {
    if (negative) *at++ = '-';
    at = std::to_chars(at, at + kG3MaxChars, static_cast<int>(magnitude)).ptr;
    if (half) at = std::copy_n(".5", 2, at);
    return at;
}

}  // namespace

char* WriteG3(char* at, double value) {
    const double magnitude = std::fabs(value);
    const double whole = std::trunc(magnitude);
    if (magnitude < 1000 && magnitude == whole) {
        return WriteWholeOrHalf(at, whole, std::signbit(value), false);
    }
    if (magnitude < 100 && magnitude - whole == 0.5) {
        return WriteWholeOrHalf(at, whole, std::signbit(value), true);
    }
    // General format with a precision is printf's %g, in the C locale.
    return std::to_chars(at, at + kG3MaxChars, value, std::chars_format::general, 3).ptr;
}

std::string FormatG3(double value) {
    char buffer[kG3MaxChars];
    return std::string(buffer, WriteG3(buffer, value));
}

double LeadingNumber(const std::string& text) {
    // Decimal digits with a sign and a point only: atof would also take
    // "0x10" for 16 and "Infantry" for infinity.
    const auto isDigit = [&text](std::size_t at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string::npos) return 0.0;
    std::size_t end = start;
    if (text[end] == '+' || text[end] == '-') ++end;
    bool anyDigit = false;
    for (; isDigit(end); ++end) anyDigit = true;
    if (end < text.size() && text[end] == '.') {
        for (++end; isDigit(end); ++end) anyDigit = true;
    }
    if (!anyDigit) return 0.0;
    // More digits than a double holds read as the largest double, never as
    // infinity.
    return std::clamp(std::strtod(text.substr(start, end - start).c_str(), nullptr),
                      std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max());
}

std::string ToUpperAnsi(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
            c = static_cast<char>(b - 0x20);
        } else if (b == 0x9A || b == 0x9C || b == 0x9E) {
            c = static_cast<char>(b - 0x10);
        } else if (b == 0xFF) {
            c = static_cast<char>(0x9F);
        }
    }
    return out;
}

void UseClassicNumberFormat() { std::setlocale(LC_NUMERIC, "C"); }
