#include "tuning/Presets.h"

namespace tw {
namespace {

TcpIpSettings Preset(std::int32_t mtu, std::int32_t mss, std::int32_t rwin, std::int32_t ttl,
                     std::int32_t keepAliveTime, std::int32_t http10, std::int32_t http11) {
  TcpIpSettings preset;
  preset.MTU = mtu;
  preset.MSS = mss;
  preset.RWIN = rwin;
  preset.TTL = ttl;
  preset.KeepAliveTime = keepAliveTime;
  // Every mode shares these.
  preset.KeepAliveInterval = 1000;
  preset.SYN = 2;
  preset.NDI = 0;
  preset.MTUDiscovery = true;
  preset.BlackHole = false;
  preset.HTTP10 = http10;
  preset.HTTP11 = http11;
  preset.ICMP = false;
  return preset;
}

// The largest packet a modem line carries well, and the receive windows
// beyond the plain 16-bit sizes: below 16 KB small, from 64 KB on large.
constexpr std::int32_t kModemMtu = 576;
constexpr std::int32_t kFullMtu = 1500;
constexpr std::int32_t kSmallWindow = 16384;
constexpr std::int32_t kLargeWindow = 65536;

std::string Connection(const TcpIpSettings& s) {
  if (s.MTU == kRemoveValue) return "any connection";
  if (s.MTU <= kModemMtu) return "a dial-up modem";
  // 1492 bytes: what PPP over Ethernet leaves of an Ethernet frame.
  if (s.MTU < kFullMtu) return "DSL";
  if (s.RWIN == kRemoveValue) return "cable, DSL or a LAN";
  return s.RWIN >= kLargeWindow ? "cable or a LAN" : "a LAN";
}

std::string Packets(const TcpIpSettings& s) {
  if (s.MTU <= kModemMtu) return "small packets";
  if (s.MTU < kFullMtu) return std::to_string(s.MTU) + "-byte packets";
  return "full-size packets";
}

std::string Window(const TcpIpSettings& s) {
  if (s.RWIN == kRemoveValue) return "Windows sizes the window";
  if (s.RWIN < kSmallWindow) return "small receive window";
  return s.RWIN >= kLargeWindow ? "large receive window" : "medium receive window";
}

}  // namespace

std::string ConnectionLine(const TcpIpSettings& s) {
  if (s.WindowsDecides) return "Windows decides every value: each Windows uses its own defaults.";
  if (s.MTU == kRemoveValue && s.RWIN == kRemoveValue) {
    return "Suits any connection: Windows sizes packets and window.";
  }
  const std::string packets = s.MTU == kRemoveValue ? "Windows sizes the packets" : Packets(s);
  return "Suits " + Connection(s) + ": " + packets + (s.RWIN == kRemoveValue ? "; " : ", ") + Window(s) + ".";
}

void LoadPresets(PresetTable& PresetSettings) {
  //                          MTU   MSS   RWIN         TTL  KeepAliveTime  HTTP10 HTTP11
  PresetSettings[0] = Preset(576,  536,  4288,         128, 600000,        16,    8);   // Automatic-A
  PresetSettings[1] = Preset(576,  536,  kRemoveValue, 128, 600000,        16,    8);   // Automatic-B
  PresetSettings[2] = Preset(kRemoveValue, kRemoveValue, kRemoveValue, 128, 600000, 16, 8);  // Automatic-C
  PresetSettings[3] = Preset(576,  536,  5432,         64,  7200000,       20,    20);  // Automatic-D
  PresetSettings[4] = Preset(1500, 1460, 256960,       64,  7200000,       20,    20);  // Automatic-E
  PresetSettings[5] = Preset(1492, 1452, 255552,       64,  7200000,       20,    20);  // Automatic-F
  PresetSettings[6] = Preset(1500, 1460, 256960,       32,  6400000,       20,    20);  // Automatic-G
  // Windows default removes every value, so that each Windows uses its own
  // defaults: no one set of numbers is every release's. The numbers only
  // seed the step-by-step pages, should they start from this mode.
  PresetSettings[7] = Preset(kRemoveValue, kRemoveValue, kRemoveValue, 128, 7200000, 4, 2);
  PresetSettings[7].WindowsDecides = true;
}

}  // namespace tw
