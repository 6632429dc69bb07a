// tidewave-cli.exe: the console program. Everything it does is portable code
// (app/ConsoleCommands.h); here it meets the real registry, files and clock,
// prints, and tells a running Tidewave.exe that the values changed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ConsoleCommands.h"
#include "app/win32/MainWindow.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Version.h"
#include "platform/win32/WidePath.h"

namespace {

int Run(int argc, char** argv) {
  tw::Win32Registry registry;
  tw::Win32FileSystem files;
  tw::Win32Clock clock;
  tw::Win32Version version;
  // Beside the program, as for Tidewave.exe: the two share one Backups folder.
  const std::string folder = tw::ModuleFolder(nullptr);
  tw::cli::Machine machine{registry, files, clock, folder, tw::DetectOsFamily(version)};
  // The arguments come in the system code page; the program's paths are UTF-8.
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(tw::AnsiToUtf8(argv[i]));

  const tw::cli::Outcome outcome = tw::cli::RunCommandLine(args, machine);
  std::fwrite(outcome.output.data(), 1, outcome.output.size(), stdout);
  std::fflush(stdout);
  if (!outcome.error.empty()) {
    std::fputs("tidewave-cli: ", stderr);
    std::fputs(outcome.error.c_str(), stderr);
    std::fputs("\n", stderr);
  }
  // The window program shows the new last change at once; its panels read
  // the values again whenever they are shown.
  if (outcome.changed) {
    if (HWND window = FindWindowA(tw::MainWindow::kClassName, tw::MainWindow::kCaption)) {
      PostMessageA(window, tw::MainWindow::kChangedElsewhere, 0, 0);
    }
  }
  return outcome.exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  tw::StopUnrecoverableOnAbort();
  return Run(argc, argv);
}

void tw::StopUnrecoverable(const char* what) {
  std::fflush(stdout);
  std::fputs("tidewave-cli: stopped by an unexpected failure (", stderr);
  std::fputs(what, stderr);
  std::fputs(")\n", stderr);
  std::fflush(stderr);
  ExitProcess(static_cast<UINT>(tw::cli::kExitFailed));
}
