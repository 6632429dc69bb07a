#pragma once
// Everything an apply touches, in memory: a registry that records its calls, a
// file system, a clock stopped at 2024-03-05 15:51:09, and the presets loaded
// with "Automatic-A" as the set to apply.
#include <string>

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
        family(family) {
    files.AddFolder(kProgramFolder);
    LoadPresets(tuning.PresetSettings);
    tuning.CurrentSettings = tuning.PresetSettings[0];
  }

  ApplyResult Apply() {
    return ApplySettings({registry, files, clock, kProgramFolder, family}, tuning.CurrentSettings);
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
  std::int16_t family;
  TuningState tuning;
};

}  // namespace tw::test
