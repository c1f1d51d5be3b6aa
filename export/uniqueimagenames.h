#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>

// Gives each distinct card of one export its own image file name: the ship's
// name where it is free, otherwise the name with " (2)", " (3)" and so on.
// Names differing only in letter case count as the same, as they are on
// many file systems. A name that something else holds (a file of the
// user's in the folder) is passed over too.
class UniqueImageNames {
  public:
    using TakenElsewhere = std::function<bool(const std::string& fileName)>;
    explicit UniqueImageNames(TakenElsewhere takenElsewhere = {})
        : m_takenElsewhere(std::move(takenElsewhere)) {}

    // A name no earlier call returned; linear in the ship name's length.
    std::string Claim(const std::string& shipName);
    // Whether a call returned that file name (letter case aside).
    bool Claimed(const std::string& fileName) const;

  private:
    bool IsFree(const std::string& fileName) const;

    TakenElsewhere m_takenElsewhere;
    std::unordered_set<std::string> m_taken;  // folded
    std::unordered_map<std::string, unsigned> m_lastSuffix;
};
