#pragma once
#include "platform/Version.h"

namespace tw {

class Win32Version final : public IVersionSource {
 public:
  bool GetVersionExA(OsVersionInfo& info) override;
};

}  // namespace tw
