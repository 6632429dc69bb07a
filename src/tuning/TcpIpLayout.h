#pragma once
// Where each TCP/IP value lives on each Windows family. The 9x family keeps
// them as decimal texts under the VxD keys, the NT family as 32-bit numbers
// under the Tcpip service. Apart from the two browser values (HKEY_CURRENT_USER)
// every key is under HKEY_LOCAL_MACHINE. The spellings are the program's own
// and are kept: backups carry them, and restores write back to them.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace tw {

// 9x family.
inline constexpr std::string_view kMstcpKey = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline constexpr std::string_view kInternetSettings9xKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr std::string_view kNetTransKey = "System\\CurrentControlSet\\Services\\Class\\NetTrans";

// NT family. The Tcpip parameters key is spelled two ways; key names are
// case-insensitive, so both name the same key.
inline constexpr std::string_view kTcpipParametersKey = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline constexpr std::string_view kTcpipParametersLowerKey =
    "SYSTEM\\CurrentControlSet\\Services\\tcpip\\parameters";
inline constexpr std::string_view kInternetSettingsNtKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr std::string_view kInterfacesKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";

// Both families: the network device cache size, in the key's default value.
inline constexpr std::string_view kNdiCacheKey = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";

// The per-adapter keys: a NetTrans subkey (9x); for an NT interface id, its
// key below Interfaces and its own service's Tcpip parameters.
std::string NetTransAdapterKey(std::string_view subKey);
std::string InterfaceKey(std::string_view interfaceId);
std::string InterfaceServiceKey(std::string_view interfaceId);

// The names of the direct subkeys of `parent` (under HKEY_LOCAL_MACHINE), in
// the registry's enumeration order; none when the key cannot be opened.
std::vector<std::string> EnumerateAdapterKeys(IRegistry& registry, std::string_view parent);

// A value now in the registry, as a number: a REG_DWORD gives its unsigned
// 32-bit value, a REG_SZ the number its text holds, anything else its bytes
// as an unsigned little-endian number; missing or unreadable gives 0. The
// empty name and "*" both name the key's default value.
double ReadCurrentValue(IRegistry& registry, RegHandle hive, std::string_view path, std::string_view name);

}  // namespace tw
