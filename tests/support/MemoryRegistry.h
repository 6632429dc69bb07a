#pragma once
// A registry in memory that answers like Windows: case-insensitive key and
// value names, sub-keys enumerated in sorted order, and the system's status
// codes. The contract suite runs against it and against the real registry.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace tw::test {

class MemoryRegistry final : public IRegistry {
 public:
  // The 9x registry has no security (every handle may do everything),
  // deletes a key together with its sub-keys and has HKEY_DYN_DATA; the NT
  // registry does none of these.
  enum class Flavour { Nt, Win9x };
  explicit MemoryRegistry(Flavour flavour = Flavour::Nt);

  long CreateKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                   RegHandle& result) override;
  long OpenKeyEx(RegHandle parent, std::string_view subKey, std::uint32_t access,
                 RegHandle& result) override;
  long QueryValueEx(RegHandle key, std::string_view name, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* size) override;
  long SetValueEx(RegHandle key, std::string_view name, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t size) override;
  long DeleteValue(RegHandle key, std::string_view name) override;
  long DeleteKey(RegHandle parent, std::string_view subKey) override;
  long EnumKeyEx(RegHandle key, std::uint32_t index, std::string& name) override;
  long EnumValue(RegHandle key, std::uint32_t index, std::string& name) override;
  long CloseKey(RegHandle key) override;
  long SetStringValueW(RegHandle key, std::string_view name, std::string_view utf8Text) override;
  long QueryStringValueW(RegHandle key, std::string_view name, std::string& utf8Text) override;

  // What an account without administrator rights meets: the key (and what will
  // be created below it) opens for reading only.
  void DenyWrites(RegHandle hive, std::string_view path);
  // The key cannot be opened at all.
  void DenyAccess(RegHandle hive, std::string_view path);
  // Handles opened and not yet closed, so tests can prove every key is closed.
  std::size_t OpenHandles() const { return handles_.size(); }

 private:
  // Looks names up as they come, without a copy of each.
  struct CaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  struct Value {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };
  struct Node {
    std::string name;
    std::map<std::string, std::shared_ptr<Node>, CaseLess> keys;
    std::map<std::string, Value, CaseLess> values;
    bool deleted = false;
    bool denyWrite = false;
    bool denyAll = false;
  };
  struct OpenKey {
    std::shared_ptr<Node> node;
    std::uint32_t access = 0;
    bool writeDenied = false;  // this key or one above it refuses changes
  };

  long Resolve(RegHandle handle, std::uint32_t needed, OpenKey& key) const;
  long Walk(RegHandle parent, std::string_view subKey, bool create, OpenKey& found);
  long Grant(const OpenKey& found, std::uint32_t access, RegHandle& result);
  std::shared_ptr<Node> Find(RegHandle hive, std::string_view path);

  static void MarkDeleted(Node& node);

  Flavour flavour_;
  std::map<RegHandle, std::shared_ptr<Node>> roots_;
  std::map<RegHandle, OpenKey> handles_;
  RegHandle nextHandle_ = 0x100;
};

}  // namespace tw::test
