#include "tuning/TcpIpLayout.h"

#include "settings/CRegister.h"

namespace tw {

std::string NetTransAdapterKey(std::string_view subKey) {
  return std::string(kNetTransKey) + "\\" + std::string(subKey);
}

std::string InterfaceKey(std::string_view interfaceId) {
  return std::string(kInterfacesKey) + "\\" + std::string(interfaceId);
}

std::string InterfaceServiceKey(std::string_view interfaceId) {
  return "SYSTEM\\CurrentControlSet\\Services\\" + std::string(interfaceId) + "\\Parameters\\Tcpip";
}

std::vector<std::string> EnumerateAdapterKeys(IRegistry& registry, std::string_view parent) {
  std::vector<std::string> names;
  RegKey key;
  // Listing needs no more than read access, which every account has here.
  if (RegKey::Open(registry, kHkeyLocalMachine, parent, kKeyRead, key) != kErrorSuccess) return names;
  std::string name;
  // Any answer other than success ends the list: an index that fails for
  // another reason would otherwise be asked about for ever.
  for (std::uint32_t index = 0; registry.EnumKeyEx(key.get(), index, name) == kErrorSuccess; ++index) {
    names.push_back(name);
  }
  return names;
}

double ReadCurrentValue(IRegistry& registry, RegHandle hive, std::string_view path, std::string_view name) {
  return CRegister(registry).myREGGetSetting(hive, path, name);
}

}  // namespace tw
