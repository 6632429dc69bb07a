#include "app/win32/Application.h"

#include <commctrl.h>

#include "app/win32/MainWindow.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Version.h"

namespace tw {
namespace {

constexpr const char* kInstanceMutex = "MarlpitTidewave";

}  // namespace

int RunTidewave(int showCommand) {
  // One instance only. Creating the mutex is also the test for an earlier
  // instance, so two programs started together cannot both pass it.
  UniqueHandle instanceMutex(CreateMutexA(nullptr, FALSE, kInstanceMutex));
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    instanceMutex.Reset();
    MessageBoxA(nullptr, "The program already opening", "Tidewave", MB_OK);
    return 0;
  }

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  Win32Registry registry;
  Win32Version version;
  AppContext app{registry, DetectOsFamily(version)};

  MainWindow mainWindow(app);
  if (!mainWindow.Create()) {
    MessageBoxA(nullptr, "Tidewave could not create its main window.", "Tidewave", MB_OK | MB_ICONERROR);
    return 1;
  }
  ShowWindow(mainWindow.hwnd(), showCommand);
  UpdateWindow(mainWindow.hwnd());

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tw
