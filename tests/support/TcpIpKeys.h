#pragma once
// The TCP/IP keys as the tests spell them, apart from the program's own
// layout table, so a mistyped key in the table shows as a failing test.
#include <string>
#include <string_view>

namespace tw::test {

inline constexpr std::string_view kMstcpKey = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline constexpr std::string_view kInternetSettings9xKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr std::string_view kNetTransKey = "System\\CurrentControlSet\\Services\\Class\\NetTrans";
inline constexpr std::string_view kTcpipParametersKey = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline constexpr std::string_view kTcpipParametersLowerKey = "SYSTEM\\CurrentControlSet\\Services\\tcpip\\parameters";
inline constexpr std::string_view kInternetSettingsNtKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr std::string_view kInterfacesKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
inline constexpr std::string_view kNdiCacheKey = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";

inline std::string NetTransAdapterKey(std::string_view id) { return std::string(kNetTransKey) + "\\" + std::string(id); }
inline std::string InterfaceKey(std::string_view id) { return std::string(kInterfacesKey) + "\\" + std::string(id); }
inline std::string InterfaceServiceKey(std::string_view id) {
  return "SYSTEM\\CurrentControlSet\\Services\\" + std::string(id) + "\\Parameters\\Tcpip";
}

}  // namespace tw::test
