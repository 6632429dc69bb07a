// Presses buttons of the running Tidewave by their captions, as a user would
// click them: used to take pictures of the program's views. A caption is
// matched as it reads, with or without the "&" of its access key.
// Usage: PressButton.exe "Wizard Mode" ["Automatic-E" ...]
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/NavigationItems.h"

namespace {

struct Search {
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchButton(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  char text[256] = {}, kind[64] = {};
  GetWindowTextA(window, text, sizeof text);
  GetClassNameA(window, kind, sizeof kind);
  const bool matches = std::strcmp(text, search.caption) == 0 || tw::CaptionText(text) == search.caption;
  if (!matches || lstrcmpiA(kind, "Button") != 0 || !IsWindowVisible(window)) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  HWND main = FindWindowA("TidewaveMain", "Tidewave");
  if (main == nullptr) return std::fprintf(stderr, "Tidewave is not running\n"), 1;
  for (int i = 1; i < argc; ++i) {
    Search search{argv[i], nullptr};
    EnumChildWindows(main, MatchButton, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return std::fprintf(stderr, "no button \"%s\"\n", argv[i]), 1;
    SendMessageA(search.found, BM_CLICK, 0, 0);
  }
  return 0;
}
