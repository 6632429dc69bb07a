#include "platform/win32/Win32Sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "platform/win32/WidePath.h"

namespace tw {

bool Win32Sound::PlaySoundA(std::string_view file, std::uint32_t flags) {
  // The single-byte call takes the name in the system code page.
  const std::string name = Utf8ToAnsi(file);
  return ::PlaySoundA(name.c_str(), nullptr, flags) != FALSE;
}

}  // namespace tw
