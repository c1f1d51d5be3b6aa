#include "export/imagenames.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "platform/codepage.h"

namespace {

constexpr std::size_t kMaxFileNameBytes = 255;
constexpr const char* kImageExtension = ".gif";

#ifdef _WIN32
bool IsSeparator(char c) { return c == '/' || c == '\\'; }
constexpr const char* kSeparators = "/\\";
#else
bool IsSeparator(char c) { return c == '/'; }
constexpr const char* kSeparators = "/";
#endif

// Never in a file name here: either separator, control characters, and what
// Windows and FAT drives refuse, so that a briefing copied to a memory stick
// keeps every picture.
bool IsUnsafeInFileName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::strchr("/\\\"*:<>?|", c) != nullptr || byte < 0x20 || byte == 0x7F;
}

std::string ReplaceEach(const std::string& text, const std::string& special,
                        const std::string* replacements) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const std::size_t at = special.find(c);
        out += at == std::string::npos ? std::string(1, c) : replacements[at];
    }
    return out;
}

std::string EscapeHtmlAttribute(const std::string& text) {
    static const std::string replacements[] = {"&amp;", "&quot;", "&lt;", "&gt;"};
    return ReplaceEach(text, "&\"<>", replacements);
}

}  // namespace

std::string ImageFileName(const std::string& shipName, const std::string& suffix) {
    std::string name = shipName;
    for (char& c : name) {
        if (IsUnsafeInFileName(c)) c = '_';
    }
    // The file system takes names of at most 255 bytes of UTF-8. Every byte
    // of the code page is one character, so the name is cut after as many
    // characters as fit, counted on one conversion.
    const std::size_t budget = kMaxFileNameBytes - suffix.size() - std::strlen(kImageExtension);
    const std::string utf8 = Cp1252ToUtf8(name);
    if (utf8.size() > budget) {
        const auto continues = [&utf8](std::size_t at) {
            return (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80;
        };
        std::size_t cut = budget;
        while (cut > 0 && continues(cut)) --cut;  // back to the start of a character
        std::size_t characters = 0;
        for (std::size_t at = 0; at < cut; ++at) characters += continues(at) ? 0 : 1;
        name.resize(characters);
    }
    return name + suffix + kImageExtension;
}

std::string ImageSourceAttribute(const std::string& fileName) {
    // A URL reads '%', '#' and '?' as its own syntax.
    static const std::string replacements[] = {"%25", "%23", "%3F"};
    return EscapeHtmlAttribute(ReplaceEach(fileName, "%#?", replacements));
}

std::string FileNameOfSource(const std::string& source) {
    static const std::pair<const char*, char> kEscapes[] = {
        {"&amp;", '&'}, {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'},
        {"%25", '%'},   {"%23", '#'},    {"%3F", '?'}};
    std::string name;
    for (std::size_t at = 0; at < source.size();) {
        const auto escape = std::find_if(
            std::begin(kEscapes), std::end(kEscapes),
            [&](const auto& e) { return source.compare(at, std::strlen(e.first), e.first) == 0; });
        if (escape == std::end(kEscapes)) {
            name += source[at++];
        } else {
            name += escape->second;
            at += std::strlen(escape->first);
        }
    }
    return name;
}

std::string AltAttribute(const std::string& shipName) { return EscapeHtmlAttribute(shipName); }

std::string FolderOf(const std::string& path) {
    const std::size_t at = path.find_last_of(kSeparators);
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string FileNameOf(const std::string& path) {
    const std::size_t at = path.find_last_of(kSeparators);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return IsSeparator(folder.back()) ? folder + name : folder + "/" + name;
}
