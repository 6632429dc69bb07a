#include <windows.h>

#include <cstdlib>

#include "app/win32/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  return tw::RunTidewave(showCommand);
}

// What an exception nothing caught ends in. The library's own handler prints
// the exception's type to a console this program does not have, and brings
// its name demangler with it: some 45 KB of the executable.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
