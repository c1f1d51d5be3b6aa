#include "interchange/strictcp1252.h"

#include <array>
#include <optional>

#include "platform/codepage.h"

namespace {

constexpr unsigned char kFirstHigh = 0x80;
constexpr unsigned char kFirstLatin1 = 0xA0;

// The byte 0x80..0x9F that stands for a character, if any.
std::optional<char> HighByteOf(char32_t code) {
    static const std::u16string highCharacters = [] {
        std::string bytes;
        for (int byte = kFirstHigh; byte < kFirstLatin1; ++byte) bytes += static_cast<char>(byte);
        return Cp1252ToUtf16(bytes);
    }();
    for (std::size_t i = 0; i < highCharacters.size(); ++i) {
        if (highCharacters[i] == code) return static_cast<char>(kFirstHigh + i);
    }
    return std::nullopt;
}

// The next character of valid UTF-8 (the parser has checked it); at moves on.
char32_t DecodeUtf8(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    const int extra = lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = lead & (0x3F >> extra);
    for (int i = 0; i < extra && at < text.size(); ++i) {
        code = (code << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    return code;
}

}  // namespace

bool StrictCp1252FromUtf8(std::string_view utf8, std::string& cp1252, char32_t& rejected) {
    cp1252.clear();
    cp1252.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::size_t run = at;
        while (at < utf8.size() && static_cast<unsigned char>(utf8[at]) < 0x80) ++at;
        cp1252.append(utf8.data() + run, at - run);
        if (at == utf8.size()) break;
        const char32_t code = DecodeUtf8(utf8, at);
        if (code >= kFirstLatin1 && code <= 0xFF) {
            cp1252 += static_cast<char>(code);
        } else if (const std::optional<char> byte = HighByteOf(code)) {
            cp1252 += *byte;
        } else {
            rejected = code;
            return false;
        }
    }
    return true;
}
