#include "tcpip/Ignored.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "settings/RegistrySettings.h"

namespace tw {
namespace {

constexpr std::string_view kAutoTuning =
    "From Windows Vista on, receive-window auto-tuning sizes the receive window for each connection; "
    "Windows does not read this value.";

constexpr IgnoredValue kIgnored[] = {
    // Performance Tuning Guidelines for Windows Server 2008 (Microsoft): TcpWindowSize is among the
    // registry keywords of Windows Server 2003 that are no longer supported and are ignored;
    // receive-window auto-tuning (New Networking Features in Windows Server 2008 and Windows Vista)
    // takes its place.
    {TcpIpField::RWIN, "TcpWindowSize", IgnoredWhen::VistaOrLater, kAutoTuning},
    // The same auto-tuning replaces the global limit: "The Cable Guy: Performance Enhancements in the
    // Next Generation TCP/IP Stack" (Microsoft TechNet) describes the window as set by the stack, with
    // window scaling always on, and no longer by these values.
    {TcpIpField::RWIN, "GlobalMaxTcpWindowSize", IgnoredWhen::VistaOrLater, kAutoTuning},
    // "The Cable Guy: Performance Enhancements in the Next Generation TCP/IP Stack": selective
    // acknowledgements are always on in the stack of Windows Vista.
    {TcpIpField::Fixed, "SackOpts", IgnoredWhen::VistaOrLater,
     "From Windows Vista on, selective acknowledgements are always on; Windows does not read this value."},
    // Microsoft's TCP/IP documentation for Windows Vista and Windows Server 2008 (Security
    // Considerations for Network Attacks): SYN attack protection is always on and SynAttackProtect
    // is no longer read.
    {TcpIpField::SYN, "SYNAttackProtect", IgnoredWhen::VistaOrLater,
     "From Windows Vista on, protection against SYN floods is always on; Windows does not read this value."},
    // The cache size is a parameter of the NWLink (IPX/SPX-compatible protocol) driver's NDI; with
    // no IPX/SPX installed nothing reads it (and Windows Vista and later offer no IPX/SPX at all:
    // Microsoft, Features removed in Windows Vista).
    {TcpIpField::NDI, "", IgnoredWhen::WithoutIpx,
     "The NDI cache belongs to the IPX/SPX protocol (NWLink), which is not installed here; nothing reads this "
     "value."},
    // TCP/IP and NBT configuration parameters for Windows XP (Microsoft Knowledge Base 314053), and
    // the Windows Sockets documentation of SO_KEEPALIVE: keep-alive packets are sent only on
    // connections whose program turned keep-alive on; most programs do not.
    {TcpIpField::KeepAliveTime, "KeepAliveTime", IgnoredWhen::Always,
     "Windows sends keep-alive packets only on connections whose program asks for them (SO_KEEPALIVE); most "
     "programs do not, and for them this value changes nothing."},
    {TcpIpField::KeepAliveInterval, "KeepAliveInterval", IgnoredWhen::Always,
     "Windows sends keep-alive packets only on connections whose program asks for them (SO_KEEPALIVE); most "
     "programs do not, and for them this value changes nothing."},
};

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

bool Applies(IgnoredWhen when, const RunningWindows& windows) {
  switch (when) {
    case IgnoredWhen::VistaOrLater: return IsVistaOrLater(windows.os);
    case IgnoredWhen::WithoutIpx: return !windows.ipxInstalled;
    case IgnoredWhen::Always: return true;
  }
  return false;
}

// Not TCP/IP values: where Windows records that IPX/SPX is installed.
constexpr std::string_view kIpxService = "SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx";

bool KeyExists(IRegistry& registry, std::string_view path) {
  RegKey key;
  return RegKey::Open(registry, kHkeyLocalMachine, path, kKeyRead, key) == kErrorSuccess;
}

bool LoadsNwlink(IRegistry& registry, const std::string& transport) {
  std::string vxds = GetStringValue(registry, kHkeyLocalMachine, std::string(kNetTrans) + "\\" + transport,
                                    "DeviceVxDs", Variant(std::string()))
                         .Text();
  std::transform(vxds.begin(), vxds.end(), vxds.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return vxds.find("nwlink") != std::string::npos;
}

}  // namespace

RunningWindows DescribeRunningWindows(IRegistry& registry, const OsFamilyInfo& os) {
  RunningWindows windows{os};
  if (os.ntPlatform) {
    windows.ipxInstalled = KeyExists(registry, kIpxService);
  } else {
    for (const std::string& transport : EnumerateAdapterKeys(registry, kNetTrans)) {
      windows.ipxInstalled = windows.ipxInstalled || LoadsNwlink(registry, transport);
    }
  }
  return windows;
}

std::span<const IgnoredValue> IgnoredValues() { return kIgnored; }

const IgnoredValue* IgnoredOn(TcpIpField field, std::string_view name, const RunningWindows& windows) {
  for (const IgnoredValue& row : kIgnored) {
    if (row.field == field && (row.name.empty() || SameName(row.name, name)) && Applies(row.when, windows)) {
      return &row;
    }
  }
  return nullptr;
}

}  // namespace tw
