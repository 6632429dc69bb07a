#include "tuning/ApplySettings.h"

#include "app/AppContext.h"
#include "settings/RegistrySettings.h"
#include "tuning/TcpIpLayout.h"

namespace tw {
namespace {

// Every value goes through SetTypedValue, in the family's type: decimal text
// on 9x, a 32-bit number on NT.
class ValueWriter {
 public:
  ValueWriter(IRegistry& registry, std::uint32_t type) : registry_(registry), type_(type) {}

  void Put(RegHandle hive, std::string_view path, std::string_view name, std::int32_t value,
           bool remove = false) {
    const long status = SetTypedValue(registry_, hive, path, name, type_, Variant(value), Variant(remove));
    ++writes_;
    // Removing a value that is not there leaves the registry as asked.
    if (status != kErrorSuccess && !(remove && status == kErrorFileNotFound)) ++refused_;
  }
  void Put(RegHandle hive, std::string_view path, std::string_view name, bool value) {
    Put(hive, path, name, value ? 1 : 0);
  }

  int writes() const { return writes_; }
  int refused() const { return refused_; }

 private:
  IRegistry& registry_;
  std::uint32_t type_;
  int writes_ = 0;
  int refused_ = 0;
};

constexpr RegHandle kHklm = kHkeyLocalMachine;
constexpr RegHandle kHkcu = kHkeyCurrentUser;

void Apply9x(IRegistry& registry, const TcpIpSettings& s, ValueWriter& out) {
  const bool removeRwin = s.RWIN == kRemoveValue;
  out.Put(kHklm, kMstcpKey, "SackOpts", 1);
  out.Put(kHklm, kMstcpKey, "Tcp1323Opts", 1);
  out.Put(kHklm, kMstcpKey, "DefaultTTL", s.TTL);
  out.Put(kHklm, kMstcpKey, "DefaultRcvWindow", s.RWIN, removeRwin);
  out.Put(kHklm, kMstcpKey, "GlobalMaxTcpWindowSize", s.RWIN, removeRwin);
  out.Put(kHklm, kMstcpKey, "PMTUBlackHoleDetect", s.BlackHole);
  out.Put(kHklm, kMstcpKey, "PMTUDiscovery", s.MTUDiscovery);
  out.Put(kHklm, kMstcpKey, "KeepAliveTime", s.KeepAliveTime);
  out.Put(kHklm, kMstcpKey, "KeepAliveInterval", s.KeepAliveInterval);
  out.Put(kHkcu, kInternetSettings9xKey, "MaxConnectionsPer1_0Server", s.HTTP10);
  out.Put(kHkcu, kInternetSettings9xKey, "MaxConnectionsPerServer", s.HTTP11);
  out.Put(kHklm, kNdiCacheKey, "", s.NDI);
  // SYN and ICMP have no place on this family.
  const bool removeMtu = s.MTU == kRemoveValue;
  for (const std::string& adapter : EnumerateAdapterKeys(registry, kNetTransKey)) {
    const std::string key = NetTransAdapterKey(adapter);
    out.Put(kHklm, key, "MaxMTU", s.MTU, removeMtu);
    // MSS goes with MTU: a removed MTU removes the MSS too, whatever MSS holds.
    out.Put(kHklm, key, "MaxMSS", s.MSS, removeMtu);
  }
}

void ApplyNt(IRegistry& registry, const TcpIpSettings& s, ValueWriter& out) {
  const bool removeRwin = s.RWIN == kRemoveValue;
  // Constants every apply writes, whichever mode or page produced the set.
  out.Put(kHklm, kTcpipParametersKey, "SackOpts", 1);
  out.Put(kHklm, kTcpipParametersKey, "Tcp1323Opts", 1);
  out.Put(kHklm, kTcpipParametersKey, "TcpMaxDupAcks", 2);
  out.Put(kHklm, kTcpipParametersKey, "DefaultReceiveWindow", 8192);
  out.Put(kHklm, kTcpipParametersLowerKey, "DefaultTTL", s.TTL);
  out.Put(kHklm, kTcpipParametersLowerKey, "GlobalMaxTcpWindowSize", s.RWIN, removeRwin);
  out.Put(kHklm, kTcpipParametersLowerKey, "TcpWindowSize", s.RWIN, removeRwin);
  out.Put(kHklm, kTcpipParametersLowerKey, "EnablePMTUBHDetect", s.BlackHole);
  out.Put(kHklm, kTcpipParametersLowerKey, "EnablePMTUDiscovery", s.MTUDiscovery);
  out.Put(kHklm, kTcpipParametersLowerKey, "KeepAliveTime", s.KeepAliveTime);
  out.Put(kHklm, kTcpipParametersLowerKey, "KeepAliveInterval", s.KeepAliveInterval);
  out.Put(kHklm, kTcpipParametersLowerKey, "SYNAttackProtect", static_cast<std::int32_t>(s.SYN));
  out.Put(kHklm, kTcpipParametersLowerKey, "EnableICMPRedirects", s.ICMP);
  out.Put(kHkcu, kInternetSettingsNtKey, "MaxConnectionsPer1_0Server", s.HTTP10);
  out.Put(kHkcu, kInternetSettingsNtKey, "MaxConnectionsPerServer", s.HTTP11);
  const bool removeMtu = s.MTU == kRemoveValue;
  for (const std::string& id : EnumerateAdapterKeys(registry, kInterfacesKey)) {
    const std::string interfaceKey = InterfaceKey(id);
    const std::string serviceKey = InterfaceServiceKey(id);
    out.Put(kHklm, interfaceKey, "MTU", s.MTU, removeMtu);
    out.Put(kHklm, serviceKey, "MTU", s.MTU, removeMtu);
    out.Put(kHklm, interfaceKey, "MSS", s.MSS, removeMtu);
    out.Put(kHklm, serviceKey, "MSS", s.MSS, removeMtu);
  }
  // The NT family keeps the cache size in the same VxD key as 9x.
  out.Put(kHklm, kNdiCacheKey, "", s.NDI);
}

}  // namespace

std::string RefusedWritesMessage(int refused, int writes, const std::string& backupPath) {
  const std::string file = backupPath.substr(backupPath.find_last_of('\\') + 1);
  return "Windows refused to change " + std::to_string(refused) + " of the " + std::to_string(writes) +
         (writes == 1 ? " network value" : " network values") +
         " Tidewave was setting. Changing them needs administrator rights: close Tidewave, start it again "
         "as an administrator and apply the settings again.\r\n\r\n"
         "The other values have been changed; the backup \"" + file + "\" holds what was there before.";
}

ApplyResult ApplySettings(AppContext& app) {
  ApplyResult result;
  const std::int16_t family = app.os.code;
  if (!Is9xFamily(family) && !IsNtFamily(family)) return result;

  result.backup = WriteBackup(app.registry, app.files, app.clock, app.programFolder, family);
  if (result.backup.problem != BackupProblem::None) {
    result.outcome = ApplyOutcome::RefusedWithoutBackup;
    result.message = BackupFailureMessage(result.backup);
    return result;
  }

  const TcpIpSettings& settings = app.tuning.CurrentSettings;
  ValueWriter out(app.registry, Is9xFamily(family) ? kRegSz : kRegDword);
  if (Is9xFamily(family)) {
    Apply9x(app.registry, settings, out);
  } else {
    ApplyNt(app.registry, settings, out);
  }
  result.writes = out.writes();
  result.refused = out.refused();
  if (result.refused == 0) {
    result.outcome = ApplyOutcome::Applied;
  } else {
    result.outcome = ApplyOutcome::PartlyApplied;
    result.message = RefusedWritesMessage(result.refused, result.writes, result.backup.path);
  }
  return result;
}

}  // namespace tw
