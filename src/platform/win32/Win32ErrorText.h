#pragma once
// Windows' own words for a status code (FormatMessage), for the codes the
// program's table of causes has none for.
#include <string>

namespace tw {

// In the system's language, as one clause ("the system cannot find the file
// specified"); empty when Windows has no text for the code.
std::string DescribeSystemError(long status);

}  // namespace tw
