#pragma once
// Drives the built Tidewave.exe from outside, the way a user (or a screen
// reader) meets it: by its windows, captions and control IDs.
#include <windows.h>

#include <string>
#include <vector>

namespace tw::test {

// The Wine prefix the test runs in, by its folder name: "xp" or "98" for the
// suites; "win95", "nt40", "win2k" or "win7" for the end-to-end runs.
std::string TestFamily();

// Full path of a program built beside the test executable.
std::string BesideTests(const char* fileName);

class Program {
 public:
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();  // ends the process if a test left it running

  // The path in UTF-8, of any length the system can start.
  bool Start(const std::string& path);
  // The first visible top-level window of this process with this class and
  // caption (either may be null), waiting up to `milliseconds` for it and for
  // the program to wait for input.
  HWND WaitForWindow(const char* className, const char* caption, DWORD milliseconds = 20000) const;
  // Tidewave's main window once its start-up has ended: the navigation
  // surface's items come after the window first waits for input.
  HWND WaitForMainWindow(DWORD milliseconds = 20000) const;
  // A top-level window of this process with this class, shown or not; null when there is none now.
  HWND FindAnyWindow(const char* className) const;
  bool WaitForExit(DWORD milliseconds, DWORD* exitCode = nullptr) const;
  bool IsRunning() const;
  // Copies the built Tidewave.exe and tidewave-cli.exe into `folder`, starts
  // that Tidewave.exe and waits for its main window: null when any step failed.
  HWND StartCopiesIn(const std::string& folder);
  DWORD id() const { return info_.dwProcessId; }
  HANDLE process() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_{};
};

std::string WindowText(HWND window);
std::string ClassName(HWND window);
std::vector<HWND> Children(HWND parent);

}  // namespace tw::test
