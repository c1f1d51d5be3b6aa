#include "interchange/jsonstructure.h"

#include <vector>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The offset just past the string that opens at start.
std::size_t StringEnd(std::string_view text, std::size_t start) {
    for (std::size_t at = start + 1; at < text.size(); ++at) {
        if (text[at] == '\\') {
            ++at;
        } else if (text[at] == '"') {
            return at + 1;
        }
    }
    return text.size();
}

struct Frame {
    bool array;
    std::size_t index = 0;
    std::string key;
    bool expectingKey = false;
};

std::string PathOf(const std::vector<Frame>& frames) {
    std::string path = "$";
    for (const Frame& frame : frames) {
        if (frame.array) {
            path += "[" + std::to_string(frame.index) + "]";
        } else if (!frame.key.empty()) {
            path += "." + frame.key;
        }
    }
    return path;
}

}  // namespace

JsonStructure JsonStructure::Of(std::string_view text, std::size_t offset) {
    JsonStructure found;
    std::vector<Frame> frames;
    bool topEnded = false;
    bool pathFound = false;
    char last = 0;  // the last character that was not blank
    std::size_t lastAt = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (IsBlank(c)) continue;
        if (topEnded && frames.empty() && found.textAfter == npos) found.textAfter = at;
        std::size_t end = at + 1;
        if (c == '"') end = StringEnd(text, at);
        if (!pathFound && offset < end) {
            found.pathAt = PathOf(frames);
            pathFound = true;
        }
        if (c == '"') {
            if (!frames.empty() && frames.back().expectingKey) {
                frames.back().key = std::string(text.substr(at + 1, end - at - 2));
            }
        } else if (c == '{' || c == '[') {
            frames.push_back(Frame{c == '[', 0, {}, c == '{'});
        } else if (c == '}' || c == ']') {
            if (last == ',' && found.trailingComma == npos) found.trailingComma = lastAt;
            if (!frames.empty()) frames.pop_back();
            topEnded = topEnded || frames.empty();
        } else if (c == ',' && !frames.empty()) {
            Frame& frame = frames.back();
            frame.index += frame.array ? 1 : 0;
            frame.expectingKey = !frame.array;
        } else if (c == ':' && !frames.empty()) {
            frames.back().expectingKey = false;
        }
        topEnded = topEnded || frames.empty();
        last = c;
        lastAt = at;
        at = end - 1;
    }
    return found;
}
