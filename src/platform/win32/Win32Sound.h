#pragma once
#include "platform/Sound.h"

namespace tw {

class Win32Sound final : public ISound {
 public:
  bool PlaySoundA(std::string_view file, std::uint32_t flags) override;
};

}  // namespace tw
