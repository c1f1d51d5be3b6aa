#include "game/marknames.h"

#include <array>

namespace {

struct MarkName {
    const char* token;
    const char* label;
};

// The marks before the numbered ones, in order, and the numbered families.
constexpr std::array<MarkName, 5> kNamed = {{
    {"fire-control", "fire control"},
    {"damage-control", "damage control"},
    {"bridge", "bridge"},
    {"rudder", "rudder"},
    {"aa", "AA"},
}};
struct Family {
    CardMark first;
    int count;
    const char* token;
    const char* label;
};
constexpr std::array<Family, 3> kFamilies = {{
    {CardMark::AF1, 4, "af", "attack factor "},
    {CardMark::Speed1, 5, "speed", "turn speed "},
    {CardMark::Box1, 18, "box", "small box "},
}};
constexpr const char* kSunk = "sunk";

const Family* FamilyOf(CardMark mark) {
    for (const Family& family : kFamilies) {
        const int offset = int(mark) - int(family.first);
        if (offset >= 0 && offset < family.count) return &family;
    }
    return nullptr;
}

std::string Number(CardMark mark, const Family& family) {
    return std::to_string(int(mark) - int(family.first) + 1);
}

}  // namespace

std::string MarkToken(CardMark mark) {
    if (mark == CardMark::Sunk) return kSunk;
    if (const Family* family = FamilyOf(mark)) return family->token + Number(mark, *family);
    return kNamed[std::size_t(mark)].token;
}

std::string MarkLabel(CardMark mark) {
    if (mark == CardMark::Sunk) return kSunk;
    if (const Family* family = FamilyOf(mark)) return family->label + Number(mark, *family);
    return kNamed[std::size_t(mark)].label;
}

std::optional<CardMark> MarkFromToken(std::string_view token) {
    for (std::size_t i = 0; i < kCardMarkCount; ++i) {
        if (MarkToken(CardMark(i)) == token) return CardMark(i);
    }
    return std::nullopt;
}
