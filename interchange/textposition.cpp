#include "interchange/textposition.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at offset, or 0.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuation(byte)) return 0;
        code = (code << 6) | (byte & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code < 0xE000;
    return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

TextPosition PositionOf(std::string_view text, std::size_t offset) {
    TextPosition position;
    if (offset > text.size()) offset = text.size();
    for (std::size_t i = 0; i < offset; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            ++position.line;
            position.column = 1;
        } else if (!IsContinuation(byte)) {
            ++position.column;
        }
    }
    return position;
}

LexicalFault FirstLexicalFault(std::string_view text) {
    std::size_t stringStart = 0;
    bool inString = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) return {at, "the text is not valid UTF-8"};
        const auto byte = static_cast<unsigned char>(text[at]);
        if (inString && (byte == '\n' || byte == '\r')) {
            return {stringStart, "this string is not closed before the end of its line"};
        }
        if (inString && byte < 0x20) {
            return {at, "a string holds a control character, which JSON writes as \\u00XX"};
        }
        if (inString && byte == '\\') {
            at += 1 + (at + 1 < text.size() ? Utf8Length(text, at + 1) : 0);
            continue;
        }
        if (byte == '"') {
            inString = !inString;
            stringStart = at;
        }
        at += length;
    }
    if (inString) return {stringStart, "this string is never closed"};
    return {text.size(), ""};
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}
