#include "desktop/unmatchedwarning.h"

#include "desktop/messagebox.h"
#include "model/messagenames.h"

namespace {
// Names shown in the warning; the rest are counted.
constexpr std::size_t kShownNames = 10;
}  // namespace

bool ConfirmPrintOfUnmatchedNames(const CStringArray& names, const std::string& where) {
    if (names.empty()) return true;
    const bool one = names.size() == 1;
    const std::string warning = std::to_string(names.size()) + (one ? " name in " : " names in ") +
                                where + (one ? " matches" : " match") +
                                " no ship: " + NameList(names, kShownNames) + ". Print anyway?";
    return AfxMessageBox(warning, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}
