// Matching of resource names and types the way the Windows loader does.
#pragma once

#include "windef.h"

namespace Glyphward {

// wanted and stored are each a MAKEINTRESOURCEA number or a string; a wanted
// string "#<decimal>" stands for that number. Strings compare without regard
// to ASCII case; number 0 (a null name) matches nothing.
bool ResourceNameMatches(LPCSTR wanted, LPCSTR stored);

}  // namespace Glyphward
