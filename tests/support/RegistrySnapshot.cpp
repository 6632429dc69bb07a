#include "support/RegistrySnapshot.h"

#include <algorithm>

namespace tw::test {

void RegistrySnapshot::Keep(RegHandle hive, const std::string& path, const std::vector<std::string>& names) {
  RegKey key;
  if (RegKey::Open(registry_, hive, path, kKeyRead, key) != kErrorSuccess) {
    std::string missing = path;
    // Walk up while the parent is missing too.
    for (auto slash = missing.find_last_of('\\'); slash != std::string::npos; slash = missing.find_last_of('\\')) {
      RegKey parent;
      if (RegKey::Open(registry_, hive, missing.substr(0, slash), kKeyRead, parent) == kErrorSuccess) break;
      missing.resize(slash);
    }
    const bool known = std::any_of(created_.begin(), created_.end(), [&](const Created& c) {
      return c.hive == hive && c.path == missing;
    });
    if (!known) created_.push_back({hive, missing});
    return;
  }
  for (const std::string& name : names) {
    Saved saved{hive, path, name, false, 0, {}};
    std::uint32_t size = 0;
    if (registry_.QueryValueEx(key.get(), name, &saved.type, nullptr, &size) == kErrorSuccess) {
      saved.data.resize(size);
      saved.present = registry_.QueryValueEx(key.get(), name, &saved.type, saved.data.data(), &size) == kErrorSuccess;
      saved.data.resize(size);
    }
    values_.push_back(std::move(saved));
  }
}

void RegistrySnapshot::Restore() {
  for (const Created& created : created_) DeleteKeyTree(registry_, created.hive, created.path);
  for (const Saved& saved : values_) {
    RegKey key;
    if (RegKey::Open(registry_, saved.hive, saved.path, kKeyAllAccess, key) != kErrorSuccess) continue;
    if (saved.present) {
      registry_.SetValueEx(key.get(), saved.name, saved.type, saved.data.data(),
                           static_cast<std::uint32_t>(saved.data.size()));
    } else {
      registry_.DeleteValue(key.get(), saved.name);
    }
  }
  created_.clear();
  values_.clear();
}

}  // namespace tw::test
