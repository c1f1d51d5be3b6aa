#include "model/messagenames.h"

#include <string>
#include <string_view>

#include "model/scenario.h"

namespace {

constexpr std::size_t kShownNameCharacters = 40;
constexpr char kEllipsis = '\x85';  // in Windows-1252

std::string EscapedControl(unsigned char byte) {
    if (byte == '\r') return "\\r";
    if (byte == '\n') return "\\n";
    if (byte == '\t') return "\\t";
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
}

enum class Backslash { AsItIs, Doubled };

void AppendEscaped(CString& shown, std::string_view name, Backslash backslash) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            shown += EscapedControl(byte);
        } else if (c == '\\' && backslash == Backslash::Doubled) {
            shown += "\\\\";
        } else {
            shown += c;
        }
    }
}

}  // namespace

CString ShownName(const CString& name) { return ShownName(name, kShownNameCharacters); }

CString ShownName(const CString& name, std::size_t characters) {
    CString shown;
    AppendEscaped(shown, std::string_view(name).substr(0, characters), Backslash::AsItIs);
    if (name.size() > characters) shown += kEllipsis;
    return shown;
}

CString EscapedName(const CString& name) {
    CString escaped;
    escaped.reserve(name.size());
    AppendEscaped(escaped, name, Backslash::Doubled);
    return escaped;
}

CString NameList(const CStringArray& names, std::size_t shown) {
    const std::size_t listed = names.size() > shown ? shown : names.size();
    CString list;
    for (std::size_t i = 0; i < listed; ++i) {
        if (i > 0) list += i + 1 == names.size() ? " and " : ", ";
        list += ShownName(names[i]);
    }
    if (listed < names.size()) list += " and " + std::to_string(names.size() - listed) + " more";
    return list;
}

CString ShownForceName(const VxScenario& scenario, std::size_t force) {
    const CString name = ShownName(scenario.m_strName) + ", Force " + std::to_string(force + 1);
    const CString& forceName = scenario.m_forces[force].m_strName;
    return forceName.empty() ? name : name + " (" + ShownName(forceName) + ")";
}
