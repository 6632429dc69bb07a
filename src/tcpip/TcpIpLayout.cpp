#include "tcpip/TcpIpLayout.h"

#include "core/JoinedText.h"
#include "settings/CRegister.h"

namespace tw {
namespace {

constexpr RegHandle kHklm = kHkeyLocalMachine;
constexpr RegHandle kHkcu = kHkeyCurrentUser;

using F = TcpIpField;
using R = Recorded;
constexpr Removal kKeep = Removal::Never;
constexpr Removal kWithMtu = Removal::WhenMtuRemoved;
constexpr Removal kWithRwin = Removal::WhenRwinRemoved;
// Applied, and a recorded 0 is restored by removing the value.
constexpr bool kApplied = true;
constexpr RecordedZero kZeroRemoves = RecordedZero::Removes;

// Both families keep the network device cache size in the default value of
// the same VxD key; the NT family creates the key when it is missing.
constexpr std::string_view kNdiCache = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";

constexpr std::string_view kMstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr std::string_view kBrowser9x = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr std::string_view kEachAdapter = "\\*";
constexpr std::string_view kNetTransAdapter = kJoined<kNetTrans, kEachAdapter>;

// In apply order. The backup walks the same rows section by section.
constexpr TcpIpValue k9xValues[] = {
    {Section::Stack, kHklm, kMstcp, "SackOpts", F::Fixed, 1, kKeep, R::Current},
    {Section::Stack, kHklm, kMstcp, "Tcp1323Opts", F::Fixed, 1, kKeep, R::Current},
    {Section::Stack, kHklm, kMstcp, "DefaultTTL", F::TTL, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    {Section::Stack, kHklm, kMstcp, "DefaultRcvWindow", F::RWIN, 0, kWithRwin, R::Current, kApplied, kZeroRemoves},
    {Section::Stack, kHklm, kMstcp, "GlobalMaxTcpWindowSize", F::RWIN, 0, kWithRwin, R::Current, kApplied, kZeroRemoves},
    {Section::Stack, kHklm, kMstcp, "PMTUBlackHoleDetect", F::BlackHole, 0, kKeep, R::NotZero},
    // Recorded a second time; readers of every file expect exactly ten pairs here.
    {Section::Stack, kHklm, kMstcp, "DefaultRcvWindow", F::RWIN, 0, kWithRwin, R::Current, false, kZeroRemoves},
    {Section::Stack, kHklm, kMstcp, "PMTUDiscovery", F::MTUDiscovery, 0, kKeep, R::NotZero},
    {Section::Stack, kHklm, kMstcp, "KeepAliveTime", F::KeepAliveTime, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    {Section::Stack, kHklm, kMstcp, "KeepAliveInterval", F::KeepAliveInterval, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    {Section::Browser, kHkcu, kBrowser9x, "MaxConnectionsPer1_0Server", F::HTTP10, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    {Section::Browser, kHkcu, kBrowser9x, "MaxConnectionsPerServer", F::HTTP11, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    {Section::Cache, kHklm, kNdiCache, "", F::NDI, 0, kKeep, R::Current},
    // MSS goes with MTU: a removed MTU removes the MSS too, whatever MSS holds.
    {Section::Adapter, kHklm, kNetTransAdapter, "MaxMTU", F::MTU, 0, kWithMtu, R::Current, kApplied, kZeroRemoves},
    {Section::Adapter, kHklm, kNetTransAdapter, "MaxMSS", F::MSS, 0, kWithMtu, R::Current, kApplied, kZeroRemoves},
    // SYN and ICMP have no place on this family.
};

// The Tcpip parameters key is spelled two ways; key names are
// case-insensitive, so both name the same key.
constexpr std::string_view kTcpip = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr std::string_view kTcpipLower = "SYSTEM\\CurrentControlSet\\Services\\tcpip\\parameters";
constexpr std::string_view kBrowserNt = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr std::string_view kInterface = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\*";
constexpr std::string_view kInterfaceService = "SYSTEM\\CurrentControlSet\\Services\\*\\Parameters\\Tcpip";

constexpr TcpIpValue kNtValues[] = {
    // Constants every apply writes, whichever mode or page produced the set.
    // Recorded as what was there, like every other value, so that an undo
    // puts it back; older files carry the constants, and restore them.
    {Section::Stack, kHklm, kTcpip, "SackOpts", F::Fixed, 1, kKeep, R::Current},
    {Section::Stack, kHklm, kTcpip, "Tcp1323Opts", F::Fixed, 1, kKeep, R::Current},
    {Section::Stack, kHklm, kTcpip, "TcpMaxDupAcks", F::Fixed, 2, kKeep, R::Current},
    {Section::Stack, kHklm, kTcpip, "DefaultReceiveWindow", F::Fixed, 8192, kKeep, R::Current},
    {Section::Stack, kHklm, kTcpipLower, "DefaultTTL", F::TTL, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    {Section::Stack, kHklm, kTcpipLower, "GlobalMaxTcpWindowSize", F::RWIN, 0, kWithRwin, R::Current, kApplied, kZeroRemoves},
    {Section::Stack, kHklm, kTcpipLower, "TcpWindowSize", F::RWIN, 0, kWithRwin, R::Current, kApplied, kZeroRemoves},
    {Section::Stack, kHklm, kTcpipLower, "EnablePMTUBHDetect", F::BlackHole, 0, kKeep, R::Current},
    {Section::Stack, kHklm, kTcpipLower, "EnablePMTUDiscovery", F::MTUDiscovery, 0, kKeep, R::Current},
    {Section::Stack, kHklm, kTcpipLower, "KeepAliveTime", F::KeepAliveTime, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    {Section::Stack, kHklm, kTcpipLower, "KeepAliveInterval", F::KeepAliveInterval, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    {Section::Stack, kHklm, kTcpipLower, "SYNAttackProtect", F::SYN, 0, kKeep, R::Current},
    {Section::Stack, kHklm, kTcpipLower, "EnableICMPRedirects", F::ICMP, 0, kKeep, R::Current},
    {Section::Browser, kHkcu, kBrowserNt, "MaxConnectionsPer1_0Server", F::HTTP10, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    {Section::Browser, kHkcu, kBrowserNt, "MaxConnectionsPerServer", F::HTTP11, 0, kKeep, R::Current, kApplied, kZeroRemoves},
    // Per interface: both MTUs, then both MSSs. A backup records them key by key.
    {Section::Adapter, kHklm, kInterface, "MTU", F::MTU, 0, kWithMtu, R::Current, kApplied, kZeroRemoves},
    {Section::Adapter, kHklm, kInterfaceService, "MTU", F::MTU, 0, kWithMtu, R::Current, kApplied, kZeroRemoves},
    {Section::Adapter, kHklm, kInterface, "MSS", F::MSS, 0, kWithMtu, R::Current, kApplied, kZeroRemoves},
    {Section::Adapter, kHklm, kInterfaceService, "MSS", F::MSS, 0, kWithMtu, R::Current, kApplied, kZeroRemoves},
    // Written last, after the interfaces; a backup records it before them.
    {Section::Cache, kHklm, kNdiCache, "", F::NDI, 0, kKeep, R::Current},
};

constexpr TcpIpLayout k9xLayout{kRegSz, kNetTrans, k9xValues};
constexpr TcpIpLayout kNtLayout{kRegDword, "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces",
                                kNtValues};

std::int32_t FieldOf(const TcpIpSettings& s, TcpIpField field, std::int32_t fixed) {
  switch (field) {
    case F::Fixed: return fixed;
    case F::MSS: return s.MSS;
    case F::MTU: return s.MTU;
    case F::RWIN: return s.RWIN;
    case F::TTL: return s.TTL;
    case F::KeepAliveTime: return s.KeepAliveTime;
    case F::KeepAliveInterval: return s.KeepAliveInterval;
    case F::SYN: return s.SYN;
    case F::NDI: return s.NDI;
    case F::MTUDiscovery: return s.MTUDiscovery ? 1 : 0;
    case F::BlackHole: return s.BlackHole ? 1 : 0;
    case F::HTTP10: return s.HTTP10;
    case F::HTTP11: return s.HTTP11;
    case F::ICMP: return s.ICMP ? 1 : 0;
  }
  return fixed;
}

}  // namespace

const TcpIpLayout* LayoutFor(const OsFamilyInfo& os) {
  if (IsNtFamily(os.code) || (os.ntPlatform && Is9xFamily(os.code))) return &kNtLayout;
  if (Is9xFamily(os.code)) return &k9xLayout;
  return nullptr;
}

std::string KeyFor(const TcpIpValue& value, std::string_view adapter) {
  std::string key(value.key);
  if (const std::size_t star = key.find('*'); star != std::string::npos) key.replace(star, 1, adapter);
  return key;
}

std::optional<std::int32_t> ValueToWrite(const TcpIpValue& value, const TcpIpSettings& settings) {
  if (settings.WindowsDecides || (value.removal == Removal::WhenMtuRemoved && settings.MTU == kRemoveValue) ||
      (value.removal == Removal::WhenRwinRemoved && settings.RWIN == kRemoveValue)) {
    return std::nullopt;
  }
  return FieldOf(settings, value.field, value.fixed);
}

std::int32_t FieldValue(const TcpIpSettings& settings, TcpIpField field) { return FieldOf(settings, field, 0); }

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

bool CanRecordAdapterName(std::string_view name) {
  if (name.empty() || name.size() > kLongestKeyName) return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"' || c == '\\') return false;
  }
  return true;
}

Adapters AdaptersOf(IRegistry& registry, const TcpIpLayout& layout) {
  Adapters adapters;
  for (std::string& name : EnumerateAdapterKeys(registry, layout.adapterParent)) {
    // The listed key must open by the name the listing gave: one that came
    // back otherwise spelled (a character the conversion could not carry)
    // would have the apply create and tune a key no adapter has.
    RegKey key;
    const bool carried = CanRecordAdapterName(name) &&
                         RegKey::Open(registry, kHkeyLocalMachine, std::string(layout.adapterParent) + "\\" + name,
                                      kKeyRead, key) == kErrorSuccess;
    (carried ? adapters.tuned : adapters.skipped).push_back(std::move(name));
  }
  return adapters;
}

double ReadCurrentValue(IRegistry& registry, RegHandle hive, std::string_view path, std::string_view name) {
  return CRegister(registry).myREGGetSetting(hive, path, name);
}

}  // namespace tw
