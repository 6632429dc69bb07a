#include "support/MemoryRegistry.h"
#include "support/RegistryTest.h"

namespace tw::test {

std::unique_ptr<IRegistry> MakeTestRegistry() { return std::make_unique<MemoryRegistry>(); }

}  // namespace tw::test
