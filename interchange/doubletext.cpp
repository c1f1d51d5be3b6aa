#include "interchange/doubletext.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr std::uint64_t kQuietNaN = 0x7FF8000000000000;
constexpr std::string_view kNaNBitsPrefix = "NaN:0x";
constexpr std::size_t kHexDigits = 16;

std::string NaNText(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if (bits == kQuietNaN) return "NaN";
    char digits[kHexDigits + 1];
    const auto end = std::to_chars(digits, digits + kHexDigits, bits, 16).ptr;
    const std::string hex(digits, end);
    return std::string(kNaNBitsPrefix) + std::string(kHexDigits - hex.size(), '0') + hex;
}

std::optional<double> NaNFromBits(std::string_view hex) {
    if (hex.size() != kHexDigits) return std::nullopt;
    std::uint64_t bits = 0;
    const auto [end, failure] = std::from_chars(hex.data(), hex.data() + hex.size(), bits, 16);
    if (failure != std::errc() || end != hex.data() + hex.size()) return std::nullopt;
    const double value = std::bit_cast<double>(bits);
    if (!std::isnan(value)) return std::nullopt;
    return value;
}

}  // namespace

bool IsJsonNumber(double value) { return std::isfinite(value); }

std::string_view FiniteDoubleText(double value, std::array<char, 32>& buffer) {
    char* const start = buffer.data();
    char* end = std::to_chars(start, start + buffer.size() - 2, value).ptr;
    if (std::string_view(start, end).find_first_of(".e") == std::string_view::npos) {
        *end++ = '.';
        *end++ = '0';
    }
    return std::string_view(start, end);
}

std::string DoubleText(double value) {
    if (std::isnan(value)) return NaNText(value);
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    std::array<char, 32> buffer;
    return std::string(FiniteDoubleText(value, buffer));
}

std::optional<double> DoubleFromSpecialText(std::string_view text) {
    if (text == "Infinity") return std::numeric_limits<double>::infinity();
    if (text == "-Infinity") return -std::numeric_limits<double>::infinity();
    if (text == "NaN") return std::bit_cast<double>(kQuietNaN);
    if (text.starts_with(kNaNBitsPrefix)) return NaNFromBits(text.substr(kNaNBitsPrefix.size()));
    return std::nullopt;
}
