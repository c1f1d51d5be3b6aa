#include "export/uniqueimagenames.h"

#include "export/imagenames.h"

namespace {

// Windows-1252 upper-case letters to lower case, as a case-blind file
// system compares them.
std::string Folded(std::string name) {
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
            c = static_cast<char>(byte + 0x20);
        } else if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
            c = static_cast<char>(byte + 0x10);
        } else if (byte == 0x9F) {
            c = static_cast<char>(0xFF);
        }
    }
    return name;
}

}  // namespace

bool UniqueImageNames::IsFree(const std::string& fileName) const {
    return m_taken.count(Folded(fileName)) == 0 &&
           !(m_takenElsewhere && m_takenElsewhere(fileName));
}

bool UniqueImageNames::Claimed(const std::string& fileName) const {
    return m_taken.count(Folded(fileName)) != 0;
}

std::string UniqueImageNames::Claim(const std::string& shipName) {
    std::string name = ImageFileName(shipName);
    // Counting on from the last suffix of this name keeps a name listed
    // thousands of times from trying every suffix again.
    unsigned& suffix = m_lastSuffix.try_emplace(Folded(name), 1).first->second;
    while (!IsFree(name)) name = ImageFileName(shipName, " (" + std::to_string(++suffix) + ")");
    m_taken.insert(Folded(name));
    return name;
}
