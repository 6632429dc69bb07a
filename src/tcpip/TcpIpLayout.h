#pragma once
// Where each TCP/IP value lives on each Windows family, as one table per
// family. An apply writes the table's values in its order; a backup records
// them section by section; a restore writes a backup's sections back. The 9x
// family keeps the values as decimal texts under the VxD keys, the NT family
// as 32-bit numbers under the Tcpip service. The spellings are the program's
// own and are kept: backups carry them, and restores write back to them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/OsVersion.h"
#include "platform/Registry.h"
#include "tcpip/TcpIpSettings.h"

namespace tw {

// The record field a value is written from.
enum class TcpIpField : std::uint8_t {
  Fixed,  // not from the record: the value's constant, on every apply
  MSS, MTU, RWIN, TTL, KeepAliveTime, KeepAliveInterval, SYN, NDI,
  MTUDiscovery, BlackHole, HTTP10, HTTP11, ICMP,
};

// When an apply removes the value instead of writing it.
enum class Removal : std::uint8_t { Never, WhenMtuRemoved, WhenRwinRemoved };

// The backup section a value is recorded in. Sections follow in this order;
// the per-adapter sections repeat for every adapter, one per adapter key.
enum class Section : std::uint8_t { Stack, Browser, Cache, Adapter };

// How a backup records the value.
enum class Recorded : std::uint8_t {
  Current,  // the number the registry holds now
  NotZero,  // 1 when the registry holds anything but 0, else 0
};

// What a restore does with a recorded 0. Backups record a missing value as
// "-0" now, but older ones recorded it as 0 and cannot tell it from a stored
// 0; where 0 is no working setting (a zero MTU, window or time to live cuts
// the network off), the recorded 0 can only have been a missing value, so the
// restore removes it again.
enum class RecordedZero : std::uint8_t { Written, Removes };

struct TcpIpValue {
  Section section;
  RegHandle hive;
  // The key. A per-adapter key holds one "*", which stands for the adapter's name.
  std::string_view key;
  std::string_view name;  // empty: the key's default value
  TcpIpField field;
  std::int32_t fixed;  // for TcpIpField::Fixed
  Removal removal;
  Recorded recorded;
  // False for a value only a backup records (the 9x family records its
  // receive window twice; files of every version carry both).
  bool applied = true;
  RecordedZero zero = RecordedZero::Written;
};

// The 9x family's network transports (under HKEY_LOCAL_MACHINE): each subkey
// is one adapter's, whose MTU and MSS the 9x layout tunes and whose drivers
// tell whether IPX/SPX is installed.
inline constexpr std::string_view kNetTrans = "System\\CurrentControlSet\\Services\\Class\\NetTrans";

struct TcpIpLayout {
  std::uint32_t type;  // kRegSz (decimal text) or kRegDword
  // Under HKEY_LOCAL_MACHINE; each of its subkeys is one adapter.
  std::string_view adapterParent;
  std::span<const TcpIpValue> values;
};

// The layout of a Windows family: the NT layout on every NT-platform system
// (codes 5 to 7, and a newer one of code 1), the 9x layout for the other codes
// 1 to 4, null for any other code.
const TcpIpLayout* LayoutFor(const OsFamilyInfo& os);

// A value's key: the key itself, or for a per-adapter value the pattern with
// the adapter's name in place of its "*".
std::string KeyFor(const TcpIpValue& value, std::string_view adapter = {});

// The number an apply writes for `value` from `settings`, or nothing when it
// removes the value instead: a removed MTU or window, or a set that leaves
// every value to Windows.
std::optional<std::int32_t> ValueToWrite(const TcpIpValue& value, const TcpIpSettings& settings);

// The field's number in `settings`: a true or false value as 1 or 0, and a
// removed MTU or window as -1, as the record holds it.
std::int32_t FieldValue(const TcpIpSettings& settings, TcpIpField field);

// The names of the direct subkeys of `parent` (under HKEY_LOCAL_MACHINE), in
// the registry's enumeration order; none when the key cannot be opened.
std::vector<std::string> EnumerateAdapterKeys(IRegistry& registry, std::string_view parent);

// Windows takes a key name of at most this many characters.
inline constexpr std::size_t kLongestKeyName = 255;

// Whether a backup's key line can carry an adapter's key name, and its reader
// take it back: not empty, no longer than Windows allows, and free of the
// backslash, the double quote and every control character (a CR or LF would
// break the line; a NUL would cut the name short at the registry).
bool CanRecordAdapterName(std::string_view name);

// The adapters an apply tunes and a backup records: those whose key names a
// backup line can carry (above) and whose keys open by the names listed. Any
// other is left alone and named in `skipped`.
struct Adapters {
  std::vector<std::string> tuned;
  std::vector<std::string> skipped;
};
Adapters AdaptersOf(IRegistry& registry, const TcpIpLayout& layout);

// A value now in the registry, as a number: a REG_DWORD gives its unsigned
// 32-bit value, a REG_SZ the number its text holds, anything else its bytes
// as an unsigned little-endian number; missing or unreadable gives 0. The
// empty name and "*" both name the key's default value.
double ReadCurrentValue(IRegistry& registry, RegHandle hive, std::string_view path, std::string_view name);

}  // namespace tw
