#pragma once

#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"

// The campaign every benchmark measures: 100,000 ships with notes, 5,000
// squadrons and 500 scenarios with forces.
inline constexpr DocumentShape kLargeCampaign{100000, 5000, 500, 4, 6, 42};

// That campaign, generated once per benchmark process and kept.
inline const CBrinnowDoc& Campaign() {
    static const CBrinnowDoc* doc = [] {
        auto* generated = new CBrinnowDoc;
        GenerateDocument(*generated, kLargeCampaign);
        return generated;
    }();
    return *doc;
}
