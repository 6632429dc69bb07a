#include "support/TuningKeys.h"

#include "app/LastChange.h"
#include "settings/RegistrySettings.h"
#include "support/TcpIpKeys.h"
#include "tcpip/TcpIpLayout.h"

namespace tw::test {

void KeepTuningKeys(RegistrySnapshot& snapshot, IRegistry& registry,
                    const std::vector<std::string>& newInterfaceIds, const std::vector<std::string>& newNetTransIds) {
  const RegHandle hklm = kHkeyLocalMachine;
  snapshot.Keep(hklm, std::string(kMstcpKey),
                {"SackOpts", "Tcp1323Opts", "DefaultTTL", "DefaultRcvWindow", "GlobalMaxTcpWindowSize",
                 "PMTUBlackHoleDetect", "PMTUDiscovery", "KeepAliveTime", "KeepAliveInterval"});
  snapshot.Keep(hklm, std::string(kTcpipParametersKey),
                {"SackOpts", "Tcp1323Opts", "TcpMaxDupAcks", "DefaultReceiveWindow", "DefaultTTL",
                 "GlobalMaxTcpWindowSize", "TcpWindowSize", "EnablePMTUBHDetect", "EnablePMTUDiscovery",
                 "KeepAliveTime", "KeepAliveInterval", "SYNAttackProtect", "EnableICMPRedirects"});
  // One key, spelled two ways by the two families.
  snapshot.Keep(kHkeyCurrentUser, std::string(kInternetSettingsNtKey),
                {"MaxConnectionsPer1_0Server", "MaxConnectionsPerServer"});
  snapshot.Keep(hklm, std::string(kNdiCacheKey), {""});
  // Every change the program makes is recorded for the home view's line.
  snapshot.Keep(hklm, SettingsPath(kHomeKey), {std::string(kLastChangeValue)});

  std::vector<std::string> netTrans = EnumerateAdapterKeys(registry, kNetTransKey);
  netTrans.insert(netTrans.end(), newNetTransIds.begin(), newNetTransIds.end());
  snapshot.Keep(hklm, std::string(kNetTransKey), {});
  for (const std::string& id : netTrans) snapshot.Keep(hklm, NetTransAdapterKey(id), {"MaxMTU", "MaxMSS"});

  std::vector<std::string> interfaces = EnumerateAdapterKeys(registry, kInterfacesKey);
  interfaces.insert(interfaces.end(), newInterfaceIds.begin(), newInterfaceIds.end());
  snapshot.Keep(hklm, std::string(kInterfacesKey), {});
  for (const std::string& id : interfaces) {
    snapshot.Keep(hklm, InterfaceKey(id), {"MTU", "MSS"});
    snapshot.Keep(hklm, InterfaceServiceKey(id), {"MTU", "MSS"});
  }
}

}  // namespace tw::test
