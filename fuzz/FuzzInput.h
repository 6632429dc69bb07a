#pragma once
// What the settings targets share: the fuzz input cut into lines, each line
// stored under one of a panel's value names in a registry in memory, the way
// a hand edit or another program could have left them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "settings/RegistrySettings.h"
#include "support/MemoryRegistry.h"

namespace tw::fuzz {

inline std::vector<std::string_view> Lines(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> lines;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  while (!text.empty()) {
    const auto end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Line k goes to names[k]. A line starting "!d" is stored as a REG_DWORD and
// "!b" as REG_BINARY (whatever its length), "!-" leaves the value missing;
// any other line is the REG_SZ text itself.
template <std::size_t N>
void FillSettings(test::MemoryRegistry& registry, std::string_view subKey, const std::string_view (&names)[N],
                  const std::uint8_t* data, std::size_t size) {
  const std::string path = SettingsPath(subKey);
  RegHandle key = 0;
  if (registry.CreateKeyEx(kHkeyLocalMachine, path, kKeyAllAccess, key) != 0) return;
  const auto lines = Lines(data, size);
  for (std::size_t k = 0; k < N && k < lines.size(); ++k) {
    std::string_view line = lines[k];
    std::uint32_t type = kRegSz;
    std::string bytes;
    if (line.starts_with("!-")) continue;
    if (line.starts_with("!d")) {
      type = kRegDword;
      bytes = line.substr(2);
    } else if (line.starts_with("!b")) {
      type = kRegBinary;
      bytes = line.substr(2);
    } else {
      bytes = std::string(line) + '\0';
    }
    registry.SetValueEx(key, names[k], type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                        static_cast<std::uint32_t>(bytes.size()));
  }
  registry.CloseKey(key);
}

}  // namespace tw::fuzz
