#pragma once
// The values of the layout that the running Windows does not act on: written
// like every other, yet nothing in that Windows reads them (or only for a few
// connections). The panels mark them so, with the reason as a tip.
#include <span>
#include <string_view>

#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "tcpip/TcpIpLayout.h"

namespace tw {

// What decides whether a value is ignored.
struct RunningWindows {
  OsFamilyInfo os;
  bool ipxInstalled = false;  // the IPX/SPX protocol (NWLink) is installed
};

// The running Windows as the table needs it: its version, and whether IPX is
// installed (the NwlnkIpx service on the NT platform, a transport that loads
// nwlink.vxd on the 9x platform).
RunningWindows DescribeRunningWindows(IRegistry& registry, const OsFamilyInfo& os);

enum class IgnoredWhen : std::uint8_t {
  VistaOrLater,  // the NT platform from version 6.0 on
  WithoutIpx,    // IPX/SPX is not installed
  Always,        // on every Windows
};

struct IgnoredValue {
  TcpIpField field;
  std::string_view name;  // the value's name in the layout; empty: every value of the field
  IgnoredWhen when;
  std::string_view reason;  // for the user, as the tip shows it
};

std::span<const IgnoredValue> IgnoredValues();

// The row of the table that says Windows ignores the value `name` of `field`
// here, or null when it acts on it.
const IgnoredValue* IgnoredOn(TcpIpField field, std::string_view name, const RunningWindows& windows);

}  // namespace tw
