#include "support/RegistryTest.h"

namespace tw::test {

long RegistryTest::ReadRaw(std::string_view path, std::string_view name, std::uint32_t& type,
                           std::vector<std::uint8_t>& data) {
  RegKey key;
  if (const long status = RegKey::Open(registry(), kHkeyLocalMachine, path, kKeyRead, key)) return status;
  std::uint32_t size = 0;
  if (const long status = registry().QueryValueEx(key.get(), name, &type, nullptr, &size)) return status;
  data.assign(size, 0xCC);
  const long status = registry().QueryValueEx(key.get(), name, &type, data.data(), &size);
  data.resize(size);
  return status;
}

void RegistryTest::WriteRaw(std::string_view path, std::string_view name, std::uint32_t type,
                            const std::vector<std::uint8_t>& data) {
  RegKey key;
  ASSERT_EQ(kErrorSuccess, RegKey::Create(registry(), kHkeyLocalMachine, path, kKeyAllAccess, key));
  ASSERT_EQ(kErrorSuccess, registry().SetValueEx(key.get(), name, type, data.data(),
                                                 static_cast<std::uint32_t>(data.size())));
}

void RegistryTest::WriteText(std::string_view path, std::string_view name, const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  WriteRaw(path, name, kRegSz, data);
}

}  // namespace tw::test
