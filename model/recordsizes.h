#pragma once

#include <cstddef>

// The fewest bytes one record can take in a file (every string empty, every
// list empty). A count that the rest of a file cannot hold at these sizes is
// refused before anything is allocated for it.
namespace RecordSize {
constexpr std::size_t kNation = 2 + 4;
constexpr std::size_t kArmament = 12 + 4 + 4 + 8;
constexpr std::size_t kTorpedo = 8 + 4;
constexpr std::size_t kShip = 144 + 3;
constexpr std::size_t kSquadron = 4 + 4 + 4 + 4;
constexpr std::size_t kForce = 2 + 4 + 4 + 4;
constexpr std::size_t kScenario = 6 + 4;
}  // namespace RecordSize
