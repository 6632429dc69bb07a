// The restore plan of a backup file, checked on every Windows family, and the
// plan written to a registry in memory.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "backup/BackupFile.h"
#include "backup/Restore.h"
#include "support/MemoryRegistry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  for (std::int16_t code : {1, 2, 3, 5, 6, 7}) {
    const tw::OsFamilyInfo os = tw::FamilyOf(code);
    const tw::RestorePlan plan = tw::PlanRestore(contents, os);
    tw::RestoreProblemMessage(plan, "fuzz.tbk");
    if (plan.problem != tw::RestoreProblem::None) {
      // A damaged file changes nothing.
      if (!plan.writes.empty()) std::abort();
      continue;
    }
    for (const auto& write : plan.writes)
      if (write.value < -2147483648LL || write.value > 4294967295LL) std::abort();
    tw::test::MemoryRegistry registry(os.ntPlatform ? tw::test::MemoryRegistry::Flavour::Nt
                                                    : tw::test::MemoryRegistry::Flavour::Win9x);
    const tw::RestoreWritten written = tw::WriteRestore(registry, plan);
    tw::RefusedRestoreMessage(written.refusals, plan.writes.size());
    if (registry.OpenHandles() != 0) std::abort();
    // What the restore left, backed up, must restore in its turn.
    const tw::SystemTime taken{2024, 3, 2, 5, 15, 51, 9, 0};
    const tw::RestorePlan again = tw::PlanRestore(tw::BackupContents(registry, os, taken), os);
    if (again.problem != tw::RestoreProblem::None) std::abort();
  }
  return 0;
}
