#include "support/MemoryRegistry.h"

#include <algorithm>
#include <cstring>

namespace tw::test {
namespace {

constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorBadPathname = 161;
constexpr long kErrorKeyDeleted = 1018;
// Any of these in a requested access mask makes it a request to change the key.
constexpr std::uint32_t kWriteAccess = 0x0002 | 0x0004 | 0x0020 | 0x10000 | 0x40000 | 0x80000;

// The first part of a path and what follows its backslash.
std::string_view NextPart(std::string_view& path) {
  const auto slash = path.find('\\');
  const std::string_view part = path.substr(0, slash);
  path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
  return part;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool MemoryRegistry::CaseLess::operator()(std::string_view a, std::string_view b) const {
  // Lower-cased, as Wine compares: "_" sorts before the letters. Windows NT
  // compares upper-cased and puts "_" after them; nothing we enumerate (adapter
  // numbers and GUIDs) holds the six characters between "Z" and "a".
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

MemoryRegistry::MemoryRegistry(Flavour flavour) : flavour_(flavour) {
  for (RegHandle hive : {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers}) {
    roots_[hive] = std::make_shared<Node>();
  }
  // HKEY_DYN_DATA, where 95, 98 and ME keep their performance statistics.
  if (flavour_ == Flavour::Win9x) roots_[kHkeyDynData] = std::make_shared<Node>();
}

long MemoryRegistry::Resolve(RegHandle handle, std::uint32_t needed, OpenKey& key) const {
  if (const auto root = roots_.find(handle); root != roots_.end()) {
    key = {root->second, kKeyAllAccess};
  } else if (const auto open = handles_.find(handle); open != handles_.end()) {
    key = open->second;
  } else {
    return kErrorInvalidHandle;
  }
  if (key.node->deleted) return kErrorKeyDeleted;
  if (flavour_ == Flavour::Nt && (key.access & needed) != needed) return kErrorAccessDenied;
  return kErrorSuccess;
}

long MemoryRegistry::Walk(RegHandle parent, std::string_view subKey, bool create, OpenKey& found) {
  if (const long status = Resolve(parent, 0, found); status != kErrorSuccess) return status;
  if (!subKey.empty() && subKey.front() == '\\') return kErrorBadPathname;
  if (!subKey.empty() && subKey.back() == '\\') subKey.remove_suffix(1);
  // Walked by the pointers the maps hold; only the key reached is shared.
  const std::shared_ptr<Node> start = found.node;
  const std::shared_ptr<Node>* node = &start;
  const auto reached = [&](long status) {
    found.node = *node;
    return status;
  };
  found.writeDenied = found.writeDenied || (*node)->denyWrite;
  for (std::string_view rest = subKey; !rest.empty();) {
    const std::string_view part = NextPart(rest);
    if ((*node)->denyAll) return reached(kErrorAccessDenied);
    auto& keys = (*node)->keys;
    if (const auto child = keys.find(part); child != keys.end()) {
      node = &child->second;
      found.writeDenied = found.writeDenied || (*node)->denyWrite;
      continue;
    }
    if (!create) return reached(kErrorFileNotFound);
    if (found.writeDenied) return reached(kErrorAccessDenied);
    auto added = std::make_shared<Node>();
    added->name = part;
    node = &keys.emplace(added->name, added).first->second;
  }
  return reached(kErrorSuccess);
}

long MemoryRegistry::Grant(const OpenKey& found, std::uint32_t access, RegHandle& result) {
  if (found.node->denyAll || (found.writeDenied && (access & kWriteAccess) != 0)) {
    return kErrorAccessDenied;
  }
  result = nextHandle_++;
  handles_[result] = {found.node, access, found.writeDenied};
  return kErrorSuccess;
}

long MemoryRegistry::CreateKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                                 RegHandle& result) {
  result = 0;
  if (HoldsNul(subKey)) return kErrorInvalidName;
  OpenKey found;
  if (const long status = Walk(parent, subKey, true, found); status != kErrorSuccess) return status;
  return Grant(found, access, result);
}

long MemoryRegistry::OpenKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                               RegHandle& result) {
  result = 0;
  if (HoldsNul(subKey)) return kErrorInvalidName;
  OpenKey found;
  if (const long status = Walk(parent, subKey, false, found); status != kErrorSuccess) return status;
  return Grant(found, access, result);
}

long MemoryRegistry::QueryValueEx(RegHandle handle, std::string_view name, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* size) {
  if (HoldsNul(name)) return kErrorInvalidName;
  OpenKey key;
  if (const long status = Resolve(handle, kKeyQueryValue, key); status != kErrorSuccess) return status;
  if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
  const auto value = key.node->values.find(name);
  if (value == key.node->values.end()) return kErrorFileNotFound;
  if (type != nullptr) *type = value->second.type;
  if (size == nullptr) return kErrorSuccess;
  const auto length = static_cast<std::uint32_t>(value->second.data.size());
  const std::uint32_t room = *size;
  *size = length;
  if (data == nullptr) return kErrorSuccess;
  if (room < length) return kErrorMoreData;
  if (length > 0) std::memcpy(data, value->second.data.data(), length);
  return kErrorSuccess;
}

long MemoryRegistry::SetValueEx(RegHandle handle, std::string_view name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) {
  if (HoldsNul(name)) return kErrorInvalidName;
  OpenKey key;
  if (const long status = Resolve(handle, kKeySetValue, key); status != kErrorSuccess) return status;
  if (data == nullptr && size > 0) return kErrorInvalidParameter;
  Value& value = key.node->values[std::string(name)];
  value.type = type;
  value.data.assign(data, data + size);
  return kErrorSuccess;
}

long MemoryRegistry::DeleteValue(RegHandle handle, std::string_view name) {
  if (HoldsNul(name)) return kErrorInvalidName;
  OpenKey key;
  if (const long status = Resolve(handle, kKeySetValue, key); status != kErrorSuccess) return status;
  const auto value = key.node->values.find(name);
  if (value == key.node->values.end()) return kErrorFileNotFound;
  key.node->values.erase(value);
  return kErrorSuccess;
}

long MemoryRegistry::DeleteKey(RegHandle parent, std::string_view subKey) {
  if (HoldsNul(subKey)) return kErrorInvalidName;
  OpenKey found;
  if (const long status = Walk(parent, subKey, false, found); status != kErrorSuccess) return status;
  const std::shared_ptr<Node> node = found.node;
  if (found.writeDenied || node->denyAll) return kErrorAccessDenied;
  if (flavour_ == Flavour::Nt && !node->keys.empty()) return kErrorAccessDenied;
  // Unlink it from its parent: walk again to the parent of the last component.
  std::string_view path = subKey;
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  const auto slash = path.rfind('\\');
  OpenKey owner;
  Walk(parent, slash == std::string_view::npos ? std::string_view() : path.substr(0, slash), false, owner);
  if (owner.node == node) return kErrorAccessDenied;  // a root key is not deleted
  owner.node->keys.erase(node->name);
  MarkDeleted(*node);
  return kErrorSuccess;
}

void MemoryRegistry::MarkDeleted(Node& node) {
  node.deleted = true;
  for (auto& [name, child] : node.keys) MarkDeleted(*child);
}

long MemoryRegistry::EnumKeyEx(RegHandle handle, std::uint32_t index, std::string& name) {
  name.clear();
  OpenKey key;
  if (const long status = Resolve(handle, kKeyEnumerateSubKeys, key); status != kErrorSuccess) return status;
  if (index >= key.node->keys.size()) return kErrorNoMoreItems;
  name = std::next(key.node->keys.begin(), index)->second->name;
  return kErrorSuccess;
}

long MemoryRegistry::EnumValue(RegHandle handle, std::uint32_t index, std::string& name) {
  name.clear();
  OpenKey key;
  if (const long status = Resolve(handle, kKeyQueryValue, key); status != kErrorSuccess) return status;
  if (index >= key.node->values.size()) return kErrorNoMoreItems;
  name = std::next(key.node->values.begin(), index)->first;
  return kErrorSuccess;
}

// Kept as the UTF-8 bytes: in memory there is no code page to lose them to.
long MemoryRegistry::SetStringValueW(RegHandle key, std::string_view name, std::string_view utf8Text) {
  const std::string data = std::string(utf8Text) + '\0';
  return SetValueEx(key, name, kRegSz, reinterpret_cast<const std::uint8_t*>(data.data()),
                    static_cast<std::uint32_t>(data.size()));
}

long MemoryRegistry::QueryStringValueW(RegHandle key, std::string_view name, std::string& utf8Text) {
  std::uint32_t type = 0, size = 32768;
  utf8Text.assign(size, '\0');
  const long status = QueryValueEx(key, name, &type, reinterpret_cast<std::uint8_t*>(utf8Text.data()), &size);
  utf8Text.resize(status == kErrorSuccess && type == kRegSz && size > 0 ? size - 1 : 0);
  return status != kErrorSuccess || type == kRegSz ? status : 13;  // ERROR_INVALID_DATA
}

long MemoryRegistry::CloseKey(RegHandle handle) {
  if (roots_.count(handle) != 0) return kErrorSuccess;
  return handles_.erase(handle) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::Find(RegHandle hive, std::string_view path) {
  OpenKey found;
  return Walk(hive, path, true, found) == kErrorSuccess ? found.node : nullptr;
}

void MemoryRegistry::DenyWrites(RegHandle hive, std::string_view path) {
  if (auto node = Find(hive, path)) node->denyWrite = true;
}

void MemoryRegistry::DenyAccess(RegHandle hive, std::string_view path) {
  if (auto node = Find(hive, path)) node->denyAll = true;
}

}  // namespace tw::test
