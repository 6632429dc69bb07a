#include <cstdlib>
#include <string>

#include "platform/win32/Win32Registry.h"
#include "support/RegistryTest.h"
#include "support/wine/Program.h"

namespace tw::test {

std::unique_ptr<IRegistry> MakeTestRegistry() { return std::make_unique<Win32Registry>(); }

bool TestRegistryIs9x() { return TestFamily() == "98" || TestFamily() == "win95"; }

std::string TestFamily() {
  const char* prefix = std::getenv("WINEPREFIX");
  const std::string path = prefix != nullptr ? prefix : "";
  return path.substr(path.find_last_of("\\/") + 1);
}

}  // namespace tw::test
