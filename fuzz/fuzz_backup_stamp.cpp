// The stamp the backup manager lists for every ".tbk" file in the folder,
// however it got there.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "backup/Restore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto stamp = tw::ReadBackupStamp(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!stamp) return 0;
  const auto& t = stamp->taken;
  // The list sorts and shows these: a stamp is a real date and time.
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 59)
    std::abort();
  return 0;
}
