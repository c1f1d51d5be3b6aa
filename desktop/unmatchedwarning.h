#pragma once

#include <string>

#include "platform/types.h"

// Before a print whose squadrons name ships that no ship bears, whose cards
// would print as default ships: names them and asks whether to print
// anyway. where says what is printed ("this squadron"). True when there is
// nothing to say or the user says Yes.
bool ConfirmPrintOfUnmatchedNames(const CStringArray& names, const std::string& where);
