// Presses buttons of the running Tidewave by their captions, as a user would
// click them: used to take pictures of the program's views. A caption is
// matched as it reads, with or without the "&" of its access key.
// Usage: PressButton.exe "Wizard Mode" ["Automatic-E" ...]
#include <windows.h>

#include <cstdio>

#include "tools/FindButton.h"

int main(int argc, char** argv) {
  HWND main = FindWindowA("TidewaveMain", "Tidewave");
  if (main == nullptr) return std::fprintf(stderr, "Tidewave is not running\n"), 1;
  for (int i = 1; i < argc; ++i) {
    HWND button = tw::tools::FindButton(main, argv[i]);
    if (button == nullptr) return std::fprintf(stderr, "no button \"%s\"\n", argv[i]), 1;
    SendMessageA(button, BM_CLICK, 0, 0);
  }
  return 0;
}
