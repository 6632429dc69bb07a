#include "support/MemoryRegistry.h"
#include "support/RegistryTest.h"

namespace tw::test {

std::unique_ptr<IRegistry> MakeTestRegistry() { return std::make_unique<MemoryRegistry>(); }

bool TestRegistryIs9x() { return false; }

}  // namespace tw::test
