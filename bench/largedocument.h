#pragma once

#include "tests/support/documentgenerator.h"

// The campaign every benchmark measures: 100,000 ships with notes, 5,000
// squadrons and 500 scenarios with forces.
inline constexpr DocumentShape kLargeCampaign{100000, 5000, 500, 4, 6, 42};
