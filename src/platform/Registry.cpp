#include "platform/Registry.h"

#include <string>
#include <vector>

namespace tw {

long RegKey::Create(IRegistry& registry, RegHandle parent, std::string_view path,
                    std::uint32_t access, RegKey& key) {
  RegHandle handle = 0;
  const long status = registry.CreateKeyEx(parent, path, access, handle);
  key = status == kErrorSuccess ? RegKey(registry, handle) : RegKey();
  return status;
}

long RegKey::Open(IRegistry& registry, RegHandle parent, std::string_view path,
                  std::uint32_t access, RegKey& key) {
  RegHandle handle = 0;
  const long status = registry.OpenKeyEx(parent, path, access, handle);
  key = status == kErrorSuccess ? RegKey(registry, handle) : RegKey();
  return status;
}

void RegKey::Close() {
  if (handle_ != 0 && registry_ != nullptr) registry_->CloseKey(handle_);
  handle_ = 0;
}

long DeleteKeyTree(IRegistry& registry, RegHandle parent, std::string_view path) {
  RegKey key;
  long status = RegKey::Open(registry, parent, path, kKeyAllAccess, key);
  if (status != kErrorSuccess) return status;
  std::vector<std::string> children;
  std::string name;
  while (registry.EnumKeyEx(key.get(), static_cast<std::uint32_t>(children.size()), name) ==
         kErrorSuccess) {
    children.push_back(name);
  }
  for (const std::string& child : children) {
    status = DeleteKeyTree(registry, key.get(), child);
    if (status != kErrorSuccess) return status;
  }
  key.Close();
  return registry.DeleteKey(parent, path);
}

}  // namespace tw
