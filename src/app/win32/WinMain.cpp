#include <windows.h>

#include "app/win32/Application.h"
#include "platform/win32/Runtime.h"
#include "ui/win32/Window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  tw::StopUnrecoverableOnAbort();
  return tw::RunTidewave(showCommand);
}

void tw::StopUnrecoverable(const char* what) { ui::FailFast(what); }
