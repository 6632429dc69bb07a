#include <windows.h>

#include "app/win32/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  return tw::RunTidewave(showCommand);
}
