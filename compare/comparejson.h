#pragma once

#include <vector>

#include "compare/forcecomparison.h"
#include "interchange/jsonwriter.h"

// The comparison as JSON: {"scenario": NAME, "forces": [...]}, each force
// with its figures and, from a game, "now" and "damageBoxes". Doubles that
// are not numbers are strings, as in campaign JSON.
void WriteCompareJson(JsonWriter& json, const CString& scenario,
                      const std::vector<ForceComparison>& forces);
