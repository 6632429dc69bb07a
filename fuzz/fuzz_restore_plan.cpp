// The restore plan of a backup file, checked on every Windows family, and the
// plan written to a registry in memory. Then the same input as the registry's
// contents: whatever backup the writer writes of them, its own reader takes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "backup/Backup.h"
#include "backup/BackupFile.h"
#include "backup/Restore.h"
#include "support/FixedClock.h"
#include "support/MemoryFileSystem.h"
#include "support/MemoryRegistry.h"
#include "tcpip/TcpIpLayout.h"

namespace {

constexpr tw::SystemTime kTaken{2024, 3, 2, 5, 15, 51, 9, 0};
constexpr std::string_view kFolder = "C:\\Tidewave";

// Line k of the input fills the k-th value of the family's layout: "!d" and
// "!q" make a REG_DWORD and a REG_QWORD of the bytes after them, "!b" a
// REG_BINARY, "!-" leaves the value missing, any other line is a REG_SZ. The
// line after the fixed sections names a second adapter beside "0000".
void FillRegistry(tw::IRegistry& registry, const tw::TcpIpLayout& layout, std::string_view text) {
  const auto nextLine = [&text]() -> std::string_view {
    const std::string_view line = text.empty() ? "!-" : text.substr(0, text.find('\n'));
    text.remove_prefix(std::min(text.size(), line.size() + 1));
    return line;
  };
  const auto fill = [&](const tw::TcpIpValue& value, std::string_view adapter) {
    const std::string_view line = nextLine();
    const bool raw = line.starts_with("!d") || line.starts_with("!q") || line.starts_with("!b");
    const std::string bytes = raw ? std::string(line.substr(2)) : std::string(line) + '\0';
    tw::RegKey key;
    if (line.starts_with("!-") ||
        tw::RegKey::Create(registry, value.hive, tw::KeyFor(value, adapter), tw::kKeyAllAccess, key) != 0) {
      return;
    }
    const std::uint32_t type = !raw ? tw::kRegSz : line[1] == 'd' ? tw::kRegDword : line[1] == 'q' ? 11u : tw::kRegBinary;
    registry.SetValueEx(key.get(), value.name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                        static_cast<std::uint32_t>(bytes.size()));
  };
  for (const tw::TcpIpValue& value : layout.values) {
    if (value.section != tw::Section::Adapter) fill(value, {});
  }
  for (const std::string& adapter : {std::string("0000"), std::string(nextLine())}) {
    tw::RegKey key;
    tw::RegKey::Create(registry, tw::kHkeyLocalMachine, std::string(layout.adapterParent) + "\\" + adapter,
                       tw::kKeyAllAccess, key);
    for (const tw::TcpIpValue& value : layout.values) {
      if (value.section == tw::Section::Adapter) fill(value, adapter);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  for (std::int16_t code : {1, 2, 3, 5, 6, 7}) {
    const tw::OsFamilyInfo os = tw::FamilyOf(code);
    const auto flavour = os.ntPlatform ? tw::test::MemoryRegistry::Flavour::Nt : tw::test::MemoryRegistry::Flavour::Win9x;
    const tw::RestorePlan plan = tw::PlanRestore(contents, os);
    tw::RestoreProblemMessage(plan, "fuzz.tbk");
    if (plan.problem != tw::RestoreProblem::None) {
      // A damaged file changes nothing.
      if (!plan.writes.empty()) std::abort();
    } else {
      for (const auto& write : plan.writes)
        if (write.value < -2147483648LL || write.value > 4294967295LL) std::abort();
      tw::test::MemoryRegistry registry(flavour);
      const tw::RestoreWritten written = tw::WriteRestore(registry, plan);
      tw::RestoreWrittenMessage(written);
      if (registry.OpenHandles() != 0) std::abort();
      // What the restore left, backed up, restores in its turn, and to itself:
      // backed up again, it is the same file.
      const std::string left = tw::BackupContents(registry, os, kTaken);
      const tw::RestorePlan again = tw::PlanRestore(left, os);
      if (again.problem != tw::RestoreProblem::None) std::abort();
      if (!tw::WriteRestore(registry, again).refusals.empty()) std::abort();
      if (tw::BackupContents(registry, os, kTaken) != left) std::abort();
    }

    // The input as registry contents: a backup is written only when its own
    // reader takes it, and refused only when it would not.
    tw::test::MemoryRegistry registry(flavour);
    FillRegistry(registry, *tw::LayoutFor(os), contents);
    tw::test::MemoryFileSystem files;
    files.AddFolder(kFolder);
    tw::test::FixedClock clock(kTaken);
    const tw::BackupResult backup = tw::WriteBackup(registry, files, clock, kFolder, os);
    const bool restorable =
        tw::PlanRestore(tw::BackupContents(registry, os, kTaken), os).problem == tw::RestoreProblem::None;
    if (backup.problem == tw::BackupProblem::None) {
      if (!restorable || tw::PlanRestore(files.Contents(backup.path), os).problem != tw::RestoreProblem::None) {
        std::abort();
      }
    } else if (backup.problem != tw::BackupProblem::WouldNotRestore || restorable) {
      std::abort();
    }
    tw::BackupFailureMessage(backup);
    if (registry.OpenHandles() != 0) std::abort();
  }
  return 0;
}
