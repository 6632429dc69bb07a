// What the panels show beside a proposed value: the registry's value now, read
// for the running family through the layout, whether an apply changes it, and
// whether this Windows acts on it at all.
#include "tcpip/CurrentValues.h"

#include <gtest/gtest.h>

#include "support/TcpIpKeys.h"
#include "support/TuningTestBed.h"

namespace tw::test {
namespace {

using F = TcpIpField;

OsFamilyInfo Version(std::int16_t code, bool nt, std::uint32_t major, std::uint32_t minor) {
  OsFamilyInfo os = FamilyOf(code);
  os.ntPlatform = nt;
  os.majorVersion = major;
  os.minorVersion = minor;
  return os;
}
const OsFamilyInfo kXp = Version(7, true, 5, 1);
const OsFamilyInfo kVista = Version(1, true, 6, 0);
const OsFamilyInfo k98 = Version(3, false, 4, 10);

TEST(CurrentValues, NtFamilyReadsTheFirstInterfaceAndMarksWhatAnApplyChangesOnAnyOfThem) {
  TuningTestBed bed(7);
  bed.SetDword(kHkeyLocalMachine, InterfaceKey("{A}"), "MTU", 1500);
  bed.SetDword(kHkeyLocalMachine, InterfaceKey("{B}"), "MTU", 576);
  bed.SetDword(kHkeyLocalMachine, InterfaceServiceKey("{B}"), "MTU", 576);
  bed.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "DefaultTTL", 64);
  bed.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "GlobalMaxTcpWindowSize", 0xFFFFFFFF);
  bed.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "EnableICMPRedirects", 1);
  bed.SetDword(kHkeyLocalMachine, kTcpipParametersKey, "EnablePMTUDiscovery", 0);
  const CurrentValues now = CurrentValues::Read(bed.memory, DescribeRunningWindows(bed.memory, kXp));

  EXPECT_EQ("1500", now.Text(F::MTU)) << "the first adapter's";
  EXPECT_EQ("not set", now.Text(F::MSS));
  EXPECT_EQ("64", now.Text(F::TTL));
  EXPECT_EQ("4294967295", now.Text(F::RWIN)) << "all bits set reads unsigned";
  EXPECT_EQ("not set", now.Text(F::SYN)) << "a stored 0 and a missing value differ";
  EXPECT_EQ("True", now.Text(F::ICMP));
  EXPECT_EQ("off", now.Text(F::MTUDiscovery, Words::OnOff));

  TcpIpSettings set = bed.tuning.PresetSettings[4];  // Automatic-E: MTU 1500, TTL 64
  EXPECT_TRUE(now.WouldChange(F::MTU, set)) << "{B} holds 576, and {A}'s Services key nothing";
  EXPECT_FALSE(now.WouldChange(F::TTL, set));
  EXPECT_TRUE(now.WouldChange(F::SYN, set)) << "a missing value gets written";
  EXPECT_EQ("*", now.Marks(F::TTL, bed.tuning.PresetSettings[0])) << "Automatic-A writes 128";
  set.ICMP = true;
  EXPECT_FALSE(now.WouldChange(F::ICMP, set));

  // Automatic-C removes the MTU: a change while any adapter holds one, none once none does.
  EXPECT_TRUE(now.WouldChange(F::MTU, bed.tuning.PresetSettings[2]));
  TuningTestBed bare(7);
  bare.AddKey(InterfaceKey("{A}"));
  const CurrentValues none = CurrentValues::Read(bare.memory, DescribeRunningWindows(bare.memory, kXp));
  EXPECT_FALSE(none.WouldChange(F::MTU, bare.tuning.PresetSettings[2]));
  EXPECT_FALSE(none.WouldChange(F::MSS, bare.tuning.PresetSettings[2]));
  EXPECT_TRUE(none.WouldChange(F::MTU, bare.tuning.PresetSettings[0]));
}

TEST(CurrentValues, NineXFamilyReadsTextsAndHasNoPlaceForSynOrIcmp) {
  TuningTestBed bed(3);
  bed.SetText(kHkeyLocalMachine, kMstcpKey, "DefaultTTL", "32");
  bed.SetText(kHkeyLocalMachine, kMstcpKey, "PMTUBlackHoleDetect", "1");
  bed.SetText(kHkeyLocalMachine, NetTransAdapterKey("0000"), "MaxMTU", "576");
  bed.SetText(kHkeyLocalMachine, NetTransAdapterKey("0000"), "MaxMSS", "536");
  bed.SetText(kHkeyCurrentUser, kInternetSettings9xKey, "MaxConnectionsPerServer", "8");
  const CurrentValues now = CurrentValues::Read(bed.memory, DescribeRunningWindows(bed.memory, k98));
  const TcpIpSettings automaticA = bed.tuning.PresetSettings[0];

  EXPECT_EQ("32", now.Text(F::TTL));
  EXPECT_EQ("576", now.Text(F::MTU));
  EXPECT_EQ("True", now.Text(F::BlackHole));
  EXPECT_EQ("8", now.Text(F::HTTP11));
  EXPECT_EQ("not set", now.Text(F::RWIN));
  EXPECT_FALSE(now.WouldChange(F::MTU, automaticA));
  EXPECT_FALSE(now.WouldChange(F::MSS, automaticA));
  EXPECT_FALSE(now.WouldChange(F::HTTP11, automaticA));
  EXPECT_TRUE(now.WouldChange(F::RWIN, automaticA));
  EXPECT_TRUE(now.WouldChange(F::BlackHole, automaticA));

  for (F field : {F::SYN, F::ICMP}) {
    EXPECT_EQ("n/a", now.Text(field));
    EXPECT_FALSE(now.WouldChange(field, automaticA)) << "nothing is written there";
    EXPECT_NE(std::string_view::npos, now.IgnoredReason(field).find("Windows 98")) << now.IgnoredReason(field);
    EXPECT_EQ("!", now.Marks(field, automaticA));
  }
}

TEST(IgnoredValues, ByVersionAndByWhatIsInstalled) {
  const RunningWindows xp{kXp}, vista{kVista}, win98{k98};
  for (const auto& [field, name] : {std::pair{F::RWIN, "TcpWindowSize"}, {F::RWIN, "GlobalMaxTcpWindowSize"},
                                    {F::Fixed, "SackOpts"}, {F::SYN, "SYNAttackProtect"}}) {
    EXPECT_NE(nullptr, IgnoredOn(field, name, vista)) << name;
    EXPECT_EQ(nullptr, IgnoredOn(field, name, xp)) << name;
    EXPECT_EQ(nullptr, IgnoredOn(field, name, win98)) << name;
  }
  EXPECT_NE(nullptr, IgnoredOn(F::SYN, "synattackprotect", vista)) << "names are case-insensitive";
  EXPECT_EQ(nullptr, IgnoredOn(F::TTL, "DefaultTTL", vista));
  for (const RunningWindows& windows : {xp, vista, win98}) {
    EXPECT_NE(nullptr, IgnoredOn(F::KeepAliveTime, "KeepAliveTime", windows));
    EXPECT_NE(nullptr, IgnoredOn(F::KeepAliveInterval, "KeepAliveInterval", windows));
  }

  // The NDI cache: read by IPX/SPX alone, found as a service on NT and as a transport loading nwlink.vxd on 9x.
  TuningTestBed nt(7);
  EXPECT_NE(nullptr, IgnoredOn(F::NDI, "", DescribeRunningWindows(nt.memory, kXp)));
  nt.AddKey("SYSTEM\\CurrentControlSet\\Services\\NwlnkIpx");
  EXPECT_EQ(nullptr, IgnoredOn(F::NDI, "", DescribeRunningWindows(nt.memory, kXp)));
  TuningTestBed nine(3);
  nine.SetText(kHkeyLocalMachine, NetTransAdapterKey("0000"), "DeviceVxDs", "vtdi.386,vip.386,vtcp.386");
  EXPECT_NE(nullptr, IgnoredOn(F::NDI, "", DescribeRunningWindows(nine.memory, k98)));
  nine.SetText(kHkeyLocalMachine, NetTransAdapterKey("0001"), "DeviceVxDs", "NWLINK.VXD");
  EXPECT_EQ(nullptr, IgnoredOn(F::NDI, "", DescribeRunningWindows(nine.memory, k98)));

  // A field is marked when every value of it is ignored: both receive windows on Vista.
  TuningTestBed later(1);
  const CurrentValues onVista = CurrentValues::Read(later.memory, DescribeRunningWindows(later.memory, kVista));
  const CurrentValues onXp = CurrentValues::Read(later.memory, DescribeRunningWindows(later.memory, kXp));
  EXPECT_FALSE(onVista.IgnoredReason(F::RWIN).empty());
  EXPECT_TRUE(onXp.IgnoredReason(F::RWIN).empty());
  // No adapter, yet a place for it: nothing changes, and the mark says why.
  EXPECT_NE(std::string_view::npos, onVista.IgnoredReason(F::MTU).find("No network adapter"));
  EXPECT_EQ("!", onVista.Marks(F::MSS, later.tuning.PresetSettings[0]));
}

TEST(IgnoredValues, EveryNamedRowIsAValueOfALayout) {
  for (const IgnoredValue& row : IgnoredValues()) {
    if (row.name.empty()) continue;
    bool found = false;
    for (const OsFamilyInfo& os : {kXp, k98}) {
      for (const TcpIpValue& value : LayoutFor(os)->values) found = found || (value.field == row.field && value.name == row.name);
    }
    EXPECT_TRUE(found) << row.name << " would never be marked";
    EXPECT_FALSE(row.reason.empty());
  }
}

}  // namespace
}  // namespace tw::test
