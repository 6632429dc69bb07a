#pragma once
#include "platform/Version.h"

namespace tw {

// True on NT 4, 2000 and XP (and later NT systems); a failed version query
// leaves the platform unknown and answers false.
bool IsWindowsNT(IVersionSource& source);

}  // namespace tw
