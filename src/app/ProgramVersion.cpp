#include "app/ProgramVersion.h"

namespace tw {

std::string MovieVersionText(unsigned major, unsigned minor, unsigned revision) {
  return std::to_string(major) + "." + std::to_string(minor) + ".0." + std::to_string(revision);
}

}  // namespace tw
