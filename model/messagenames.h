#pragma once

#include <cstddef>

#include "platform/types.h"

class VxScenario;

// How messages and findings quote the names of records: a damaged or
// hostile name may hold anything, so control characters are escaped and a
// long name is cut short, after 40 characters or as many as asked. The
// result stays in the document code page.
CString ShownName(const CString& name);
CString ShownName(const CString& name, std::size_t characters);

// The whole name on one line of a tab-separated listing: a backslash is
// doubled and tabs, line ends and other control characters are escaped as
// ShownName escapes them, so that the listing stays parseable and the name
// can be told back exactly.
CString EscapedName(const CString& name);

// "A", "A and B", "A, B and C"; past `shown` names the rest are counted:
// "A, B, C and 7 more". Each name as ShownName gives it.
CString NameList(const CStringArray& names, std::size_t shown);

// "Dogger Bank, Force 1 (Battlecruiser Force)": a force as messages name it.
CString ShownForceName(const VxScenario& scenario, std::size_t force);
