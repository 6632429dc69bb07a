#include "support/RegistrySnapshot.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

namespace tw::test {
namespace {

std::string journalPath;
// The snapshots holding something, oldest first: what the journal lists.
std::vector<const RegistrySnapshot*> journaled;

// Names and data go into the journal as hex ("-" when empty), so that no
// character of theirs can break a line.
template <typename Bytes>
std::string Hex(const Bytes& bytes) {
  if (bytes.empty()) return "-";
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const auto byte : bytes) {
    text += kDigits[static_cast<std::uint8_t>(byte) >> 4];
    text += kDigits[static_cast<std::uint8_t>(byte) & 15];
  }
  return text;
}

bool FromHex(const std::string& text, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  if (text == "-") return true;
  if (text.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    if (std::sscanf(text.c_str() + i, "%2x", &value) != 1) return false;
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return true;
}

bool FromHex(const std::string& text, std::string& result) {
  std::vector<std::uint8_t> bytes;
  if (!FromHex(text, bytes)) return false;
  result.assign(bytes.begin(), bytes.end());
  return true;
}

}  // namespace

void RegistrySnapshot::Keep(RegHandle hive, const std::string& path, const std::vector<std::string>& names) {
  RegKey key;
  if (RegKey::Open(registry_, hive, path, kKeyRead, key) != kErrorSuccess) {
    std::string missing = path;
    // Walk up while the parent is missing too.
    for (auto slash = missing.find_last_of('\\'); slash != std::string::npos; slash = missing.find_last_of('\\')) {
      RegKey parent;
      if (RegKey::Open(registry_, hive, missing.substr(0, slash), kKeyRead, parent) == kErrorSuccess) break;
      missing.resize(slash);
    }
    const bool known = std::any_of(created_.begin(), created_.end(), [&](const Created& c) {
      return c.hive == hive && c.path == missing;
    });
    if (!known) created_.push_back({hive, missing});
  } else {
    for (const std::string& name : names) {
      Saved saved{hive, path, name, false, 0, {}};
      std::uint32_t size = 0;
      if (registry_.QueryValueEx(key.get(), name, &saved.type, nullptr, &size) == kErrorSuccess) {
        saved.data.resize(size);
        saved.present = registry_.QueryValueEx(key.get(), name, &saved.type, saved.data.data(), &size) == kErrorSuccess;
        saved.data.resize(size);
      }
      values_.push_back(std::move(saved));
    }
  }
  if (!journalPath.empty()) {
    if (std::find(journaled.begin(), journaled.end(), this) == journaled.end()) journaled.push_back(this);
    WriteJournal();
  }
}

void RegistrySnapshot::Restore() {
  for (const Created& created : created_) DeleteKeyTree(registry_, created.hive, created.path);
  for (const Saved& saved : values_) {
    RegKey key;
    if (RegKey::Open(registry_, saved.hive, saved.path, kKeyAllAccess, key) != kErrorSuccess) continue;
    if (saved.present) {
      registry_.SetValueEx(key.get(), saved.name, saved.type, saved.data.data(),
                           static_cast<std::uint32_t>(saved.data.size()));
    } else {
      registry_.DeleteValue(key.get(), saved.name);
    }
  }
  created_.clear();
  values_.clear();
  const auto entry = std::find(journaled.begin(), journaled.end(), this);
  if (entry != journaled.end()) {
    journaled.erase(entry);
    WriteJournal();
  }
}

void RegistrySnapshot::SetJournal(std::string path) { journalPath = std::move(path); }

// One block per snapshot, newest first, each opened by "S": its created keys
// ("K hive path") and its values ("V hive present type path name data").
void RegistrySnapshot::WriteJournal() {
  if (journaled.empty()) {
    std::remove(journalPath.c_str());
    return;
  }
  std::ofstream journal(journalPath, std::ios::binary | std::ios::trunc);
  for (auto snapshot = journaled.rbegin(); snapshot != journaled.rend(); ++snapshot) {
    journal << "S\n";
    for (const Created& created : (*snapshot)->created_) {
      journal << "K " << created.hive << ' ' << Hex(created.path) << '\n';
    }
    for (const Saved& saved : (*snapshot)->values_) {
      journal << "V " << saved.hive << ' ' << saved.present << ' ' << saved.type << ' ' << Hex(saved.path) << ' '
              << Hex(saved.name) << ' ' << Hex(saved.data) << '\n';
    }
  }
}

std::size_t RegistrySnapshot::RestoreJournal(IRegistry& registry, const std::string& path) {
  std::ifstream journal(path, std::ios::binary);
  if (!journal) return 0;
  std::size_t restored = 0;
  std::vector<std::unique_ptr<RegistrySnapshot>> owned;
  std::string line;
  while (std::getline(journal, line)) {
    std::istringstream fields(line);
    std::string kind, pathHex, nameHex, dataHex;
    fields >> kind;
    if (kind == "S") {
      owned.push_back(std::make_unique<RegistrySnapshot>(registry));
      continue;
    }
    if (owned.empty()) continue;
    RegistrySnapshot& block = *owned.back();
    RegHandle hive = 0;
    if (kind == "K") {
      Created created{};
      if (fields >> hive >> pathHex && FromHex(pathHex, created.path)) {
        created.hive = hive;
        block.created_.push_back(std::move(created));
      }
    } else if (kind == "V") {
      Saved saved{};
      if (fields >> hive >> saved.present >> saved.type >> pathHex >> nameHex >> dataHex &&
          FromHex(pathHex, saved.path) && FromHex(nameHex, saved.name) && FromHex(dataHex, saved.data)) {
        saved.hive = hive;
        block.values_.push_back(std::move(saved));
      }
    }
  }
  journal.close();
  for (const auto& block : owned) {
    restored += block->created_.size() + block->values_.size();
    block->Restore();
  }
  std::remove(path.c_str());
  return restored;
}

}  // namespace tw::test
