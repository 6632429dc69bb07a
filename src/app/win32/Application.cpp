#include "app/win32/Application.h"

#include <string>

#include "app/win32/MainWindow.h"
#include "platform/ErrorText.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32ErrorText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Network.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Sound.h"
#include "platform/win32/Win32Version.h"
#include "platform/win32/WidePath.h"
#include "ui/win32/SystemMessageBox.h"

namespace tw {
namespace {

constexpr const char* kInstanceMutex = "MarlpitTidewave";

}  // namespace

int RunTidewave(int showCommand) {
  SetSystemErrorDescriber(&DescribeSystemError);
  // One instance only. Creating the mutex is also the test for an earlier
  // instance, so two programs started together cannot both pass it.
  UniqueHandle instanceMutex(CreateMutexA(nullptr, FALSE, kInstanceMutex));
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    instanceMutex.Reset();
    MessageBoxA(nullptr, "The program already opening", "Tidewave", MB_OK);
    // Then the running one comes to the front, out of the tray if it is there.
    // This process has just had the user's click, so it may hand the
    // foreground on.
    if (HWND running = FindWindowA(MainWindow::kClassName, MainWindow::kCaption)) {
      DWORD_PTR answer = 0;
      SendMessageTimeoutA(running, MainWindow::kShowRunningInstance, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
      SetForegroundWindow(running);
    }
    return 0;
  }

  Win32Registry registry;
  Win32Shell shell;
  Win32FileSystem files;
  Win32Clock clock;
  Win32Version version;
  Win32Network network;
  Win32Sound sound;
  ui::SystemMessageBox messages;
  AppContext app{.registry = registry, .shell = shell, .files = files, .clock = clock, .messages = messages,
                 .network = network, .sound = sound, .programFolder = ModuleFolder(nullptr)};
  ui::Win32NotifyIcon notifyIcon;

  MainWindow mainWindow(app, version, notifyIcon);
  if (!mainWindow.Create(showCommand)) {
    MessageBoxA(nullptr, "Tidewave could not create its main window.", "Tidewave", MB_OK | MB_ICONERROR);
    return 1;
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    mainWindow.RouteEarlyInput(message);
    if (mainWindow.TranslateHelpKey(message)) continue;
    // Tab, arrows, Enter and Space move through the surface and the panels.
    if (IsDialogMessageA(mainWindow.hwnd(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tw
