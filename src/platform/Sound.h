#pragma once
// Sounds the program plays from files beside it, shaped like PlaySoundA. Tests
// record what would have played.
#include <cstdint>
#include <string_view>

namespace tw {

inline constexpr std::uint32_t kSndAsync = 0x0001;
inline constexpr std::uint32_t kSndFilename = 0x20000;

class ISound {
 public:
  virtual ~ISound() = default;
  // `file` is a full path in UTF-8. The result is the system's, which the
  // program does not look at: a missing file is no error worth a message.
  virtual bool PlaySoundA(std::string_view file, std::uint32_t flags) = 0;
};

}  // namespace tw
