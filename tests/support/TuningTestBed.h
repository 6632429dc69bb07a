#pragma once
// Everything an apply touches, in memory: a registry that records its calls, a
// file system, a clock stopped at 2024-03-05 15:51:09, and the presets loaded
// with "Automatic-A" as the set to apply.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/OsVersion.h"
#include "tuning/ApplySettings.h"
#include "tuning/Presets.h"
#include "support/FixedClock.h"
#include "support/MemoryFileSystem.h"
#include "support/MemoryRegistry.h"
#include "support/RecordingRegistry.h"

namespace tw::test {

inline constexpr SystemTime kBackupTime{2024, 3, 2, 5, 15, 51, 9, 0};
inline constexpr std::string_view kProgramFolder = "C:\\Program Files\\Tidewave";
inline constexpr std::string_view kBackupsFolder = "C:\\Program Files\\Tidewave\\Backups";

struct TuningTestBed {
  explicit TuningTestBed(std::int16_t family)
      : memory(family >= 1 && family <= 4 ? MemoryRegistry::Flavour::Win9x : MemoryRegistry::Flavour::Nt),
        family(FamilyOf(family)) {
    files.AddFolder(kProgramFolder);
    LoadPresets(tuning.PresetSettings);
    tuning.CurrentSettings = tuning.PresetSettings[0];
  }

  ApplyResult Apply() {
    return ApplySettings({registry, files, clock, kProgramFolder, family}, tuning.CurrentSettings);
  }
  // The same on a system of the NT platform that reports family 1: one newer than XP.
  ApplyResult ApplyOnNewerNt() {
    return ApplySettings({registry, files, clock, kProgramFolder, {1, "Windows 32", true}}, tuning.CurrentSettings);
  }

  // Creates a key (and its parents) under HKEY_LOCAL_MACHINE, optionally with a value.
  void AddKey(std::string_view path) {
    RegKey key;
    RegKey::Create(memory, kHkeyLocalMachine, path, kKeyAllAccess, key);
  }
  void SetDword(RegHandle hive, std::string_view path, std::string_view name, std::uint32_t value) {
    RegKey key;
    RegKey::Create(memory, hive, path, kKeyAllAccess, key);
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    memory.SetValueEx(key.get(), name, kRegDword, bytes, 4);
  }
  void SetText(RegHandle hive, std::string_view path, std::string_view name, std::string_view text) {
    RegKey key;
    RegKey::Create(memory, hive, path, kKeyAllAccess, key);
    std::string data(text);
    data.push_back('\0');
    memory.SetValueEx(key.get(), name, kRegSz, reinterpret_cast<const std::uint8_t*>(data.data()),
                      static_cast<std::uint32_t>(data.size()));
  }

  MemoryRegistry memory;
  RecordingRegistry registry{memory};
  MemoryFileSystem files;
  FixedClock clock{kBackupTime};
  OsFamilyInfo family;
  TuningState tuning;
};

// A backup file cut at CR LF; a stray LF or CR on its own stays inside a line and shows.
inline std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(text.size(), start) << "the last line ends with CR LF too";
  return lines;
}

}  // namespace tw::test
