#pragma once

#include "model/brinnowdoc.h"
#include "tests/support/documentgenerator.h"

class CBrinnowDoc;
class VxScenario;

// The campaign every benchmark measures: 100,000 ships with notes, 5,000
// squadrons and 500 scenarios with forces.
inline constexpr DocumentShape kLargeCampaign{100000, 5000, 500, 4, 6, 42};

// That campaign, generated once per benchmark process and kept.
const CBrinnowDoc& Campaign();

// "Thousand": ten squadrons of 80 ships with 10 attachments each, and 100
// single ships, all taken from the document's ships.
VxScenario ThousandShipScenario(const CBrinnowDoc& doc);

// "Forces N": N forces, each holding a copy of one of the document's
// squadrons, whose ships are looked up by name when it is printed.
VxScenario ManyForceScenario(const CBrinnowDoc& doc, int forces);
