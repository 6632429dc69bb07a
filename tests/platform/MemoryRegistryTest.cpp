// The 9x flavour of the in-memory registry, which the native contract run (NT)
// does not reach; the Wine 98 prefix checks the same answers on the real thing.
#include <gtest/gtest.h>

#include "support/MemoryRegistry.h"

namespace tw::test {
namespace {

TEST(MemoryRegistry9x, NoSecurityAndKeysDeleteWithTheirSubKeys) {
  MemoryRegistry registry(MemoryRegistry::Flavour::Win9x);
  RegHandle deep = 0;
  ASSERT_EQ(kErrorSuccess, registry.CreateKeyEx(kHkeyLocalMachine, "SOFTWARE\\A\\B", kKeyAllAccess, deep));
  RegHandle readOnly = 0;
  ASSERT_EQ(kErrorSuccess, registry.OpenKeyEx(kHkeyLocalMachine, "SOFTWARE\\A", kKeyRead, readOnly));
  const std::uint8_t one[] = {'1', 0};
  EXPECT_EQ(kErrorSuccess, registry.SetValueEx(readOnly, "v", kRegSz, one, 2));

  EXPECT_EQ(kErrorSuccess, registry.DeleteKey(kHkeyLocalMachine, "SOFTWARE\\A"));
  RegHandle gone = 0;
  EXPECT_EQ(kErrorFileNotFound, registry.OpenKeyEx(kHkeyLocalMachine, "SOFTWARE\\A\\B", kKeyRead, gone));
  EXPECT_EQ(1018, registry.SetValueEx(deep, "v", kRegSz, one, 2)) << "handles below see the key deleted";
  registry.CloseKey(deep);
  registry.CloseKey(readOnly);
  EXPECT_EQ(0u, registry.OpenHandles());
}

}  // namespace
}  // namespace tw::test
