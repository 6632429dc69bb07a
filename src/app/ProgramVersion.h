#pragma once
#include <string>

namespace tw {

// The version as the navigation shows it: major.minor.0.revision, plain decimals.
std::string MovieVersionText(unsigned major, unsigned minor, unsigned revision);

}  // namespace tw
