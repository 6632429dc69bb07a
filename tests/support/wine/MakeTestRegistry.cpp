#include "platform/win32/Win32Registry.h"
#include "support/RegistryTest.h"

namespace tw::test {

std::unique_ptr<IRegistry> MakeTestRegistry() { return std::make_unique<Win32Registry>(); }

}  // namespace tw::test
