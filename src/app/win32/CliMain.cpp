// tidewave-cli.exe: the console program. Everything it does is portable code
// (app/ConsoleCommands.h); here it meets the real registry, files and clock,
// prints, and tells a running Tidewave.exe that the values changed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ConsoleCommands.h"
#include "app/win32/MainWindow.h"
#include "platform/ErrorText.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Version.h"
#include "platform/win32/WidePath.h"

namespace {

// The arguments as typed. On NT the wide command line: a name in any script
// reaches the commands whole, where the code page would turn it into question
// marks. The 9x family has only its code page.
std::vector<std::string> ArgumentsOf(int argc, char** argv) {
  std::vector<std::string> args;
  using SplitFunction = LPWSTR*(WINAPI*)(LPCWSTR, int*);
  const auto split = tw::NtPlatform() ? tw::SystemFunction<SplitFunction>("shell32.dll", "CommandLineToArgvW") : nullptr;
  int count = 0;
  if (LPWSTR* wide = split != nullptr ? split(GetCommandLineW(), &count) : nullptr) {
    for (int i = 1; i < count; ++i) args.push_back(tw::WideToUtf8(wide[i]));
    LocalFree(wide);
    return args;
  }
  for (int i = 1; i < argc; ++i) args.push_back(tw::AnsiToUtf8(argv[i]));
  return args;
}

// Writes all of `utf8` to a standard handle, lines ending in CR LF: wide to a
// console on NT (it shows every character so), UTF-8 for JSON, and plain text
// in the code page as console programs write it. Answers ERROR_SUCCESS or why
// the text could not be written: no handle (closed), a full disk, a closed pipe.
DWORD WriteOut(DWORD which, std::string_view utf8, bool json) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return ERROR_INVALID_HANDLE;
  std::string text;
  for (const char c : utf8) text += c == '\n' ? std::string_view("\r\n") : std::string_view(&c, 1);
  DWORD mode = 0, written = 0;
  if (tw::NtPlatform() && GetConsoleMode(handle, &mode)) {
    const std::wstring wide = tw::Utf8ToWide(text);
    const DWORD length = static_cast<DWORD>(wide.size());
    if (!WriteConsoleW(handle, wide.data(), length, &written, nullptr)) return GetLastError();
    return written == length ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
  }
  if (!json) text = tw::Utf8ToAnsi(text);
  for (std::size_t at = 0; at < text.size(); at += written) {
    if (!WriteFile(handle, text.data() + at, static_cast<DWORD>(text.size() - at), &written, nullptr)) {
      return GetLastError();
    }
    if (written == 0) return ERROR_WRITE_FAULT;
  }
  return ERROR_SUCCESS;
}

int Run(int argc, char** argv) {
  tw::Win32Registry registry;
  tw::Win32FileSystem files;
  tw::Win32Clock clock;
  tw::Win32Version version;
  // Beside the program, as for Tidewave.exe: the two share one Backups folder.
  const std::string folder = tw::ModuleFolder(nullptr);
  // Key names are UTF-8 on NT; the 9x family keeps them, and its backups, in the code page.
  tw::cli::Machine machine{registry, files, clock, folder, tw::DetectOsFamily(version),
                           tw::NtPlatform() ? nullptr : &tw::AnsiToUtf8};

  const tw::cli::Outcome outcome = tw::cli::RunCommandLine(ArgumentsOf(argc, argv), machine);
  int exitCode = outcome.exitCode;
  std::string error = outcome.error;
  // A script that reads the result (the backup to undo with) must not take
  // a result it never got for success.
  if (const DWORD status = WriteOut(STD_OUTPUT_HANDLE, outcome.output, outcome.json); status != ERROR_SUCCESS) {
    std::string cause = "the result could not be written to the output (" + tw::ErrorText(static_cast<long>(status)) + ")";
    if (!outcome.backup.empty()) {
      cause += "; backup " + outcome.backup + " holds the values from before (undo: tidewave-cli restore " +
               outcome.backup + ")";
    }
    error = error.empty() ? cause : error + "; " + cause;
    if (exitCode == tw::cli::kExitDone) exitCode = tw::cli::kExitFailed;
  }
  if (!error.empty()) WriteOut(STD_ERROR_HANDLE, "tidewave-cli: " + error + "\n", false);
  // The window program shows the new last change at once; its panels read
  // the values again whenever they are shown.
  if (outcome.changed) {
    if (HWND window = FindWindowA(tw::MainWindow::kClassName, tw::MainWindow::kCaption)) {
      PostMessageA(window, tw::MainWindow::kChangedElsewhere, 0, 0);
    }
  }
  return exitCode;
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
