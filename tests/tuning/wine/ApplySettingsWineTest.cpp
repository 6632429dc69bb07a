// Applying presets to a real registry and a real disk, in the XP and the 98
// prefix: the values read back with the registry API in the family's type, and
// the backup written before holds what was there.
#include <gtest/gtest.h>

#include <optional>

#include "backup/BackupFile.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegistrySettings.h"
#include "support/TuningKeys.h"
#include "support/wine/Program.h"
#include "support/wine/ScratchFolder.h"
#include "support/wine/RealSystemTest.h"
#include "tuning/ApplySettings.h"
#include "support/TcpIpKeys.h"
#include "tcpip/TcpIpLayout.h"

namespace tw::test {
namespace {

// The last is named beyond the code page ("\xC3\x84" and "\xCE\xA9" in UTF-8),
// which the single-byte functions list in a best-fit spelling.
const std::vector<std::string> kInterfaceIds = {"{7D1E0001-0000-4000-8000-00000000A001}",
                                                "{7D1E0001-0000-4000-8000-00000000A002}",
                                                "{7D1E0001-\xC3\x84-\xCE\xA9}"};
const std::vector<std::string> kNetTransIds = {"9001", "9002"};

// A backup without its first two lines, the date and the time it was taken.
std::string WithoutStamp(const std::string& backup) {
  const auto date = backup.find("\r\n");
  const auto time = date == std::string::npos ? date : backup.find("\r\n", date + 2);
  return time == std::string::npos ? std::string() : backup.substr(time + 2);
}

class ApplyOnWine : public RealSystemTest {
 protected:
  void SetUp() override {
    KeepTuningKeys(snapshot_, registry_, kInterfaceIds, kNetTransIds);
    LoadPresets(app_.tuning.PresetSettings);
    // The adapters this test owns, and one value of each family as it was before.
    if (nt()) {
      for (const std::string& id : kInterfaceIds) Create(InterfaceKey(id));
      ASSERT_EQ(kErrorSuccess, SetTypedValue(registry_, kHkeyLocalMachine, kTcpipParametersKey, "DefaultTTL", kRegDword, 99));
      ASSERT_EQ(kErrorSuccess, SetTypedValue(registry_, kHkeyLocalMachine, InterfaceKey(kInterfaceIds[1]), "MTU", kRegDword, 1400));
    } else {
      for (const std::string& id : kNetTransIds) Create(NetTransAdapterKey(id));
      ASSERT_EQ(kErrorSuccess, SetTypedValue(registry_, kHkeyLocalMachine, kMstcpKey, "DefaultTTL", kRegSz, 99));
      ASSERT_EQ(kErrorSuccess, SetTypedValue(registry_, kHkeyLocalMachine, NetTransAdapterKey(kNetTransIds[1]), "MaxMTU", kRegSz, 1400));
    }
  }

  bool nt() const { return IsNtFamily(app_.os.code); }

  // Wide, as Windows names an adapter's key, whatever the program does.
  void Create(const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, Utf8ToWide(path).c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr)) << path;
    RegCloseKey(key);
  }

  // The interfaces' key names as Windows lists them.
  std::vector<std::wstring> InterfaceKeys() {
    std::vector<std::wstring> names;
    HKEY parent = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Utf8ToWide(kInterfacesKey).c_str(), 0, KEY_READ, &parent) != ERROR_SUCCESS) {
      return names;
    }
    wchar_t name[256];
    for (DWORD length = 256; RegEnumKeyExW(parent, static_cast<DWORD>(names.size()), name, &length, nullptr, nullptr,
                                           nullptr, nullptr) == ERROR_SUCCESS; length = 256) {
      names.emplace_back(name, length);
    }
    RegCloseKey(parent);
    return names;
  }

  // The value as the registry API gives it: a number from a REG_DWORD on NT
  // and from a REG_SZ of plain digits on 9x; nullopt when it is not there.
  std::optional<std::uint32_t> Read(RegHandle hive, const std::string& path, const std::string& name) {
    RegKey key;
    if (RegKey::Open(registry_, hive, path, kKeyRead, key) != kErrorSuccess) return std::nullopt;
    std::uint32_t type = 0;
    std::uint8_t data[64] = {};
    std::uint32_t size = sizeof data;
    if (registry_.QueryValueEx(key.get(), name, &type, data, &size) != kErrorSuccess) return std::nullopt;
    if (nt()) {
      EXPECT_EQ(kRegDword, type) << path << " [" << name << "]";
      EXPECT_EQ(4u, size);
      return static_cast<std::uint32_t>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24);
    }
    EXPECT_EQ(kRegSz, type) << path << " [" << name << "]";
    const std::string text(reinterpret_cast<const char*>(data), size);
    EXPECT_EQ('\0', text.back()) << "terminated";
    EXPECT_EQ(text.find_first_not_of("0123456789"), text.size() - 1) << "plain digits: " << text;
    return static_cast<std::uint32_t>(std::stoul(text));
  }

  // Every value the family's layout holds for this set; nullopt where it was removed.
  void ExpectApplied(const TcpIpSettings& s) {
    const auto removable = [](std::int32_t value, std::int32_t test) {
      return test == -1 ? std::nullopt : std::optional<std::uint32_t>(static_cast<std::uint32_t>(value));
    };
    const RegHandle hklm = kHkeyLocalMachine;
    const RegHandle hkcu = kHkeyCurrentUser;
    const std::string ndi(kNdiCacheKey);
    EXPECT_EQ(std::optional<std::uint32_t>(s.NDI), Read(hklm, ndi, ""));
    if (nt()) {
      const std::string p(kTcpipParametersKey);
      EXPECT_EQ(1u, Read(hklm, p, "SackOpts"));
      EXPECT_EQ(1u, Read(hklm, p, "Tcp1323Opts"));
      EXPECT_EQ(2u, Read(hklm, p, "TcpMaxDupAcks"));
      EXPECT_EQ(8192u, Read(hklm, p, "DefaultReceiveWindow"));
      EXPECT_EQ(std::optional<std::uint32_t>(s.TTL), Read(hklm, p, "DefaultTTL"));
      EXPECT_EQ(removable(s.RWIN, s.RWIN), Read(hklm, p, "GlobalMaxTcpWindowSize"));
      EXPECT_EQ(removable(s.RWIN, s.RWIN), Read(hklm, p, "TcpWindowSize"));
      EXPECT_EQ(0u, Read(hklm, p, "EnablePMTUBHDetect"));
      EXPECT_EQ(1u, Read(hklm, p, "EnablePMTUDiscovery"));
      EXPECT_EQ(std::optional<std::uint32_t>(s.KeepAliveTime), Read(hklm, p, "KeepAliveTime"));
      EXPECT_EQ(1000u, Read(hklm, p, "KeepAliveInterval"));
      EXPECT_EQ(2u, Read(hklm, p, "SYNAttackProtect"));
      EXPECT_EQ(0u, Read(hklm, p, "EnableICMPRedirects"));
      for (const std::string& id : kInterfaceIds) {
        for (const std::string& key : {InterfaceKey(id), InterfaceServiceKey(id)}) {
          EXPECT_EQ(removable(s.MTU, s.MTU), Read(hklm, key, "MTU")) << key;
          EXPECT_EQ(removable(s.MSS, s.MTU), Read(hklm, key, "MSS")) << key;
        }
      }
    } else {
      const std::string m(kMstcpKey);
      EXPECT_EQ(1u, Read(hklm, m, "SackOpts"));
      EXPECT_EQ(1u, Read(hklm, m, "Tcp1323Opts"));
      EXPECT_EQ(std::optional<std::uint32_t>(s.TTL), Read(hklm, m, "DefaultTTL"));
      EXPECT_EQ(removable(s.RWIN, s.RWIN), Read(hklm, m, "DefaultRcvWindow"));
      EXPECT_EQ(removable(s.RWIN, s.RWIN), Read(hklm, m, "GlobalMaxTcpWindowSize"));
      EXPECT_EQ(0u, Read(hklm, m, "PMTUBlackHoleDetect"));
      EXPECT_EQ(1u, Read(hklm, m, "PMTUDiscovery"));
      EXPECT_EQ(std::optional<std::uint32_t>(s.KeepAliveTime), Read(hklm, m, "KeepAliveTime"));
      EXPECT_EQ(1000u, Read(hklm, m, "KeepAliveInterval"));
      for (const std::string& id : kNetTransIds) {
        EXPECT_EQ(removable(s.MTU, s.MTU), Read(hklm, NetTransAdapterKey(id), "MaxMTU"));
        EXPECT_EQ(removable(s.MSS, s.MTU), Read(hklm, NetTransAdapterKey(id), "MaxMSS"));
      }
      EXPECT_EQ(std::nullopt, Read(hklm, std::string(kTcpipParametersKey), "SYNAttackProtect")) << "no SYN on 9x";
    }
    const std::string browser(nt() ? kInternetSettingsNtKey : kInternetSettings9xKey);
    EXPECT_EQ(std::optional<std::uint32_t>(s.HTTP10), Read(hkcu, browser, "MaxConnectionsPer1_0Server"));
    EXPECT_EQ(std::optional<std::uint32_t>(s.HTTP11), Read(hkcu, browser, "MaxConnectionsPerServer"));
  }

  ApplyResult Apply(int preset) {
    app_.tuning.CurrentSettings = app_.tuning.PresetSettings[static_cast<std::size_t>(preset)];
    return ApplySettings(Target(), app_.tuning.CurrentSettings);
  }

  RegistrySnapshot snapshot_{registry_};  // last member: restores before the rest goes
};

TEST_F(ApplyOnWine, AutomaticCRemovesAndAutomaticEWritesWithABackupBeforeEach) {
  ASSERT_EQ(TestFamily() == "xp" ? 7 : 3, app_.os.code);
  const std::string backups = folder_.path() + "\\Backups";
  const std::string before = BackupContents(registry_, app_.os, clock_.GetLocalTime());

  const std::vector<std::wstring> interfaces = InterfaceKeys();
  const ApplyResult c = Apply(2);
  ASSERT_EQ(ApplyOutcome::Applied, c.outcome) << c.message;
  EXPECT_TRUE(c.skippedAdapters.empty());
  ExpectApplied(app_.tuning.PresetSettings[2]);
  ASSERT_EQ(backups + "\\001.BCK", c.backup.path);
  // Everything but the first two lines (the date and time) is what was there before.
  const std::string first = ReadWholeFile(c.backup.path);
  ASSERT_FALSE(WithoutStamp(before).empty());
  EXPECT_EQ(WithoutStamp(before), WithoutStamp(first));
  EXPECT_NE(std::string::npos, first.find("\"DefaultTTL\"\r\n99\r\n"));
  EXPECT_NE(std::string::npos, first.find(nt() ? "\"MTU\"\r\n1400\r\n" : "\"MaxMTU\"\r\n1400\r\n"));

  const ApplyResult e = Apply(4);
  ASSERT_EQ(ApplyOutcome::Applied, e.outcome) << e.message;
  ExpectApplied(app_.tuning.PresetSettings[4]);
  ASSERT_EQ(backups + "\\002.BCK", e.backup.path);
  const std::string second = ReadWholeFile(e.backup.path);
  EXPECT_NE(std::string::npos, second.find("\"DefaultTTL\"\r\n128\r\n")) << "what Automatic-C wrote";
  EXPECT_EQ(std::string::npos, second.find("1400")) << "the MTU Automatic-C removed reads as 0";
  if (nt()) {
    EXPECT_NE(std::string::npos, second.find(InterfaceKey(kInterfaceIds[2]) + "\"\r\n")) << "recorded by its name";
    EXPECT_TRUE(interfaces == InterfaceKeys()) << "an interface key the system did not list was created";
  }
  EXPECT_EQ((std::vector<std::string>{"001.BCK", "002.BCK"}), FolderEntries(backups)) << "no temporary file left";
}

}  // namespace
}  // namespace tw::test
