#include "platform/win32/Win32Sound.h"

#include <windows.h>

#include <string>

#include "platform/win32/WidePath.h"

namespace tw {

bool Win32Sound::PlaySoundA(std::string_view file, std::uint32_t flags) {
  // The sound library loads with the first sound rather than with the
  // program: most runs play none, and every library costs start-up time.
  using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
  static const auto play = SystemFunction<PlaySoundFunction>("winmm.dll", "PlaySoundA");
  if (play == nullptr) return false;
  // The single-byte call takes the name in the system code page.
  const std::string name = Utf8ToAnsi(file);
  return play(name.c_str(), nullptr, flags) != FALSE;
}

}  // namespace tw
