// The same expectations against the in-memory registry (natively) and the real
// one (under Wine): whatever the fake answers, Windows answers too.
#include <gtest/gtest.h>

#include <cstring>

#include "support/RegistryTest.h"

namespace tw::test {
namespace {

constexpr std::string_view kKey = "SOFTWARE\\Marlpit\\Contract";

class RegistryContract : public RegistryTest {
 protected:
  RegKey Create(std::string_view path, std::uint32_t access = kKeyAllAccess) {
    RegKey key;
    EXPECT_EQ(kErrorSuccess, RegKey::Create(registry(), kHkeyLocalMachine, path, access, key)) << path;
    return key;
  }
  long Open(std::string_view path, std::uint32_t access = kKeyRead) {
    RegKey key;
    return RegKey::Open(registry(), kHkeyLocalMachine, path, access, key);
  }
  std::vector<std::string> SubKeys(std::string_view path) {
    RegKey key;
    EXPECT_EQ(kErrorSuccess, RegKey::Open(registry(), kHkeyLocalMachine, path, kKeyRead, key));
    std::vector<std::string> names;
    std::string name;
    long status;
    while ((status = registry().EnumKeyEx(key.get(), static_cast<std::uint32_t>(names.size()), name)) ==
           kErrorSuccess) {
      names.push_back(name);
    }
    EXPECT_EQ(kErrorNoMoreItems, status);
    return names;
  }
};

TEST_F(RegistryContract, CreateMakesEveryMissingParentAndOpenFindsIt) {
  EXPECT_EQ(kErrorFileNotFound, Open(kKey));
  Create(std::string(kKey) + "\\A\\B\\C");
  EXPECT_EQ(kErrorSuccess, Open(kKey));
  EXPECT_EQ(kErrorSuccess, Open(std::string(kKey) + "\\A\\B"));
  EXPECT_EQ(kErrorFileNotFound, Open(std::string(kKey) + "\\A\\X"));
}

TEST_F(RegistryContract, KeyAndValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  RegKey key = Create(std::string(kKey) + "\\MiXed");
  const std::uint8_t one[] = {'1', 0};
  ASSERT_EQ(kErrorSuccess, registry().SetValueEx(key.get(), "ValueName", kRegSz, one, 2));
  Create(std::string(kKey) + "\\MIXED");
  EXPECT_EQ(kErrorSuccess, Open("software\\marlpit\\contract\\mixed"));
  EXPECT_EQ(std::vector<std::string>{"MiXed"}, SubKeys(kKey));

  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(kErrorSuccess, registry().QueryValueEx(key.get(), "VALUENAME", &type, nullptr, &size));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(2u, size);
}

TEST_F(RegistryContract, SubKeysAreEnumeratedInSortedOrderThenNoMoreItems) {
  for (const char* name : {"zeta", "Alpha", "_under", "beta", "10", "9"}) {
    Create(std::string(kKey) + "\\" + name);
  }
  // Names compare without case, character by character. Known difference: Wine
  // (and so the in-memory registry) puts "_" before the letters, Windows NT after.
  const std::vector<std::string> expected{"10", "9", "_under", "Alpha", "beta", "zeta"};
  EXPECT_EQ(expected, SubKeys(kKey));
}

TEST_F(RegistryContract, QueryReportsSizeMissingValuesAndShortBuffers) {
  RegKey key = Create(kKey);
  const std::uint8_t text[] = {'1', '5', '0', '0', 0};
  ASSERT_EQ(kErrorSuccess, registry().SetValueEx(key.get(), "MTU", kRegSz, text, sizeof text));

  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(kErrorFileNotFound, registry().QueryValueEx(key.get(), "Missing", &type, nullptr, &size));
  ASSERT_EQ(kErrorSuccess, registry().QueryValueEx(key.get(), "MTU", &type, nullptr, &size));
  EXPECT_EQ(5u, size);

  std::uint8_t small[3];
  size = sizeof small;
  EXPECT_EQ(kErrorMoreData, registry().QueryValueEx(key.get(), "MTU", &type, small, &size));
  EXPECT_EQ(5u, size);

  std::uint8_t exact[5] = {};
  size = sizeof exact;
  ASSERT_EQ(kErrorSuccess, registry().QueryValueEx(key.get(), "MTU", &type, exact, &size));
  EXPECT_EQ(5u, size);
  EXPECT_EQ(0, std::memcmp(exact, text, 5));
}

TEST_F(RegistryContract, DwordsAndTheDefaultValueRoundTrip) {
  RegKey key = Create(kKey);
  const std::uint8_t word[] = {0xDC, 0x05, 0x00, 0x00};
  ASSERT_EQ(kErrorSuccess, registry().SetValueEx(key.get(), "", kRegDword, word, 4));
  std::uint32_t type = 0;
  std::uint8_t data[8] = {};
  std::uint32_t size = sizeof data;
  ASSERT_EQ(kErrorSuccess, registry().QueryValueEx(key.get(), "", &type, data, &size));
  EXPECT_EQ(kRegDword, type);
  EXPECT_EQ(4u, size);
  EXPECT_EQ(0, std::memcmp(data, word, 4));
}

TEST_F(RegistryContract, DeletingValuesAndKeys) {
  RegKey key = Create(std::string(kKey) + "\\Leaf");
  const std::uint8_t one[] = {'1', 0};
  ASSERT_EQ(kErrorSuccess, registry().SetValueEx(key.get(), "v", kRegSz, one, 2));
  EXPECT_EQ(kErrorSuccess, registry().DeleteValue(key.get(), "V"));
  EXPECT_EQ(kErrorFileNotFound, registry().DeleteValue(key.get(), "v"));
  key.Close();

  RegKey parent = Create(kKey);
  if (!TestRegistryIs9x()) {
    EXPECT_EQ(kErrorAccessDenied, registry().DeleteKey(kHkeyLocalMachine, "SOFTWARE\\Marlpit"))
        << "NT deletes only keys without sub-keys";
  }
  EXPECT_EQ(kErrorSuccess, registry().DeleteKey(parent.get(), "leaf"));
  EXPECT_EQ(kErrorFileNotFound, registry().DeleteKey(parent.get(), "leaf"));
  EXPECT_EQ(kErrorFileNotFound, Open(std::string(kKey) + "\\Leaf"));
}

TEST_F(RegistryContract, AReadOnlyHandleRefusesChangesOnNtOnly) {
  Create(kKey);
  RegKey key;
  ASSERT_EQ(kErrorSuccess, RegKey::Open(registry(), kHkeyLocalMachine, kKey, kKeyRead, key));
  const std::uint8_t one[] = {'1', 0};
  // Windows 98 has no registry security: every handle may write.
  const long expected = TestRegistryIs9x() ? kErrorSuccess : kErrorAccessDenied;
  EXPECT_EQ(expected, registry().SetValueEx(key.get(), "v", kRegSz, one, 2));
  EXPECT_EQ(expected, registry().DeleteValue(key.get(), "v"));
}

TEST_F(RegistryContract, On9xAKeyIsDeletedWithItsSubKeys) {
  if (!TestRegistryIs9x()) GTEST_SKIP() << "NT refuses, as checked above";
  Create(std::string(kKey) + "\\A\\B");
  EXPECT_EQ(kErrorSuccess, registry().DeleteKey(kHkeyLocalMachine, kKey));
  EXPECT_EQ(kErrorFileNotFound, Open(std::string(kKey) + "\\A"));
}

TEST_F(RegistryContract, PathsWithALeadingBackslashAreRefusedATrailingOneIsNot) {
  Create(kKey);
  EXPECT_NE(kErrorSuccess, Open("\\SOFTWARE\\Marlpit\\Contract"));
  EXPECT_EQ(kErrorSuccess, Open("SOFTWARE\\Marlpit\\Contract\\"));
}

// The single-byte functions stop at a NUL: handed on, "Contract\Evil<NUL>"
// would open "Contract\Evil" and "v<NUL>x" would write "v".
TEST_F(RegistryContract, NamesHoldingANulAreRefusedNotCutShort) {
  RegKey key = Create(kKey);
  using namespace std::string_view_literals;
  RegHandle handle = 0;
  EXPECT_EQ(kErrorInvalidName, registry().CreateKeyEx(key.get(), "Evil\0"sv, kKeyAllAccess, handle));
  EXPECT_EQ(0u, handle);
  EXPECT_EQ(kErrorInvalidName, registry().OpenKeyEx(kHkeyLocalMachine, "SOFTWARE\0x"sv, kKeyRead, handle));
  const std::uint8_t one[] = {'1', 0};
  EXPECT_EQ(kErrorInvalidName, registry().SetValueEx(key.get(), "v\0x"sv, kRegSz, one, 2));
  EXPECT_EQ(kErrorInvalidName, registry().DeleteValue(key.get(), "v\0x"sv));
  EXPECT_TRUE(SubKeys(kKey).empty());
  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(kErrorFileNotFound, registry().QueryValueEx(key.get(), "v", &type, nullptr, &size));
}

TEST_F(RegistryContract, ClosedAndNullHandlesAreInvalid) {
  RegHandle handle = 0;
  ASSERT_EQ(kErrorSuccess, registry().CreateKeyEx(kHkeyLocalMachine, kKey, kKeyAllAccess, handle));
  EXPECT_EQ(kErrorSuccess, registry().CloseKey(handle));
  const std::uint8_t one[] = {'1', 0};
  EXPECT_EQ(kErrorInvalidHandle, registry().SetValueEx(0, "v", kRegSz, one, 2));
  EXPECT_EQ(kErrorInvalidHandle, registry().DeleteValue(0, "v"));
  EXPECT_EQ(kErrorSuccess, registry().CloseKey(kHkeyLocalMachine)) << "roots may be closed freely";
}

}  // namespace
}  // namespace tw::test
