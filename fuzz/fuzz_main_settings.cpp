// The main settings as the registry holds them, edited by hand or left by an
// earlier version; also the Run entry, which any program may rewrite.
#include <cstdint>
#include <cstdlib>

#include "FuzzInput.h"
#include "settings/MainSettings.h"

namespace {
constexpr std::string_view kNames[] = {"chkRunMainProgram", "chkRunProgramMini"};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tw::test::MemoryRegistry registry;
  tw::fuzz::FillSettings(registry, tw::kMainSettingsKey, kNames, data, size);
  const auto lines = tw::fuzz::Lines(data, size);
  if (lines.size() > 2) {
    tw::SetStringValue(registry, tw::kHkeyCurrentUser, tw::kRunKey, tw::kRunValueName, std::string(lines[2]));
    tw::ReadRunEntry(registry);
  }
  const tw::MainSettingsValues loaded = tw::LoadMainSettingsValues(registry);
  // What was loaded, saved, loads the same.
  tw::SaveMainSettingsValues(registry, loaded);
  if (!(tw::LoadMainSettingsValues(registry) == loaded)) std::abort();
  if (registry.OpenHandles() != 0) std::abort();
  return 0;
}
