#include "platform/textformat.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

// The decimal exponent of a magnitude from 0.001 to 1000. The doubles nearest
// 0.1, 0.01 and 0.001 lie just above those numbers, so comparing with them is
// exact.
int DecimalExponent(double magnitude) {
    if (magnitude >= 100) return 2;
    if (magnitude >= 10) return 1;
    if (magnitude >= 1) return 0;
    if (magnitude >= 0.1) return -1;
    if (magnitude >= 0.01) return -2;
    return -3;
}

// magnitude * 10^decimals rounded to a whole number, ties to even, from the
// exact binary value, as printf rounds.
std::uint32_t RoundedScaled(double magnitude, int decimals) {
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    // magnitude = mantissa / 2^shift, and the shift lies from 43 to 62 here.
    const int shift = 53 - binaryExponent;
    unsigned __int128 scaled = mantissa;
    for (int i = 0; i < decimals; ++i) scaled *= 10;
    auto whole = static_cast<std::uint32_t>(scaled >> shift);
    const unsigned __int128 rest = scaled - (static_cast<unsigned __int128>(whole) << shift);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    if (rest > half || (rest == half && whole % 2 == 1)) ++whole;
    return whole;
}

// %1.3g of a magnitude from 0.001 up to (not including) 999.5, which it
// writes in fixed notation: three significant digits, trailing zeros dropped.
char* WriteThreeDigits(char* at, double magnitude) {
    int decimals = 2 - DecimalExponent(magnitude);
    std::uint32_t digits = RoundedScaled(magnitude, decimals);
    if (digits >= 1000) {  // rounding carried into the next decade
        digits /= 10;
        --decimals;
    }
    while (decimals > 0 && digits % 10 == 0) {
        digits /= 10;
        --decimals;
    }
    char text[8];
    char* end = std::to_chars(text, text + sizeof text, digits).ptr;
    const int length = int(end - text);
    if (decimals == 0) return std::copy(text, end, at);
    if (length > decimals) {
        at = std::copy(text, end - decimals, at);
        *at++ = '.';
        return std::copy(end - decimals, end, at);
    }
    at = std::copy_n("0.", 2, at);
    at = std::fill_n(at, decimals - length, '0');
    return std::copy(text, end, at);
}

}  // namespace

char* WriteG3(char* at, double value) {
    // Most factors, DFs and calibres fall here: written directly, several
    // times faster than the general conversion and the same text.
    const double magnitude = std::fabs(value);
    if (magnitude >= 0.001 && magnitude < 999.5) {
        if (value < 0) *at++ = '-';
        return WriteThreeDigits(at, magnitude);
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
