#include "platform/textformat.h"

#include <charconv>
#include <clocale>
#include <cstdlib>

char* WriteG3(char* at, double value) {
    // General format with a precision is printf's %g, in the C locale.
    return std::to_chars(at, at + kG3MaxChars, value, std::chars_format::general, 3).ptr;
}

std::string FormatG3(double value) {
    char buffer[kG3MaxChars];
    return std::string(buffer, WriteG3(buffer, value));
}

double LeadingNumber(const std::string& text) { return std::atof(text.c_str()); }

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
