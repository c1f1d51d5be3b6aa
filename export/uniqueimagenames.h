#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

// Gives each distinct card of one export its own image file name: the ship's
// name where it is free, otherwise the name with " (2)", " (3)" and so on.
// Names differing only in letter case count as the same, as they are on
// many file systems.
class UniqueImageNames {
  public:
    // A name no earlier call returned; linear in the ship name's length.
    std::string Claim(const std::string& shipName);

  private:
    bool IsFree(const std::string& fileName) const;

    std::unordered_set<std::string> m_taken;  // folded
    std::unordered_map<std::string, unsigned> m_lastSuffix;
};
