// Keeps a Wine prefix's desktop open while a test session runs.
//
// Wine closes a desktop, and ends its explorer.exe, about a second after the
// last program using it ends; the next program waits for a new one. Worse, the
// explorer a test starts inherits that test's output pipe, so CTest waits for
// it to end as well: every Wine test paid about a second for nothing. Held open
// by a program of its own, the desktop stays up, and its explorer is started
// here, away from any test's pipes.
//
// Run as `HoldDesktop.exe [seconds]`: returns once a detached copy of itself
// holds the desktop, which then lives until `wineserver -k` or for the given
// number of seconds (an hour by default), so an interrupted session does not
// keep the prefix's server running for ever.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kReadyTimeout = 60000;

int Hold(HANDLE ready, unsigned long seconds) {
  if (GetDesktopWindow() == nullptr) return 1;
  SetEvent(ready);
  CloseHandle(ready);
  Sleep(seconds * 1000);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--hold") == 0) {
    const auto ready = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(std::strtoul(argv[2], nullptr, 10)));
    return Hold(ready, std::strtoul(argv[3], nullptr, 10));
  }
  const unsigned long seconds = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 3600;

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE ready = CreateEventA(&inherit, TRUE, FALSE, nullptr);
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string commandLine = std::string("\"") + self + "\" --hold " +
                            std::to_string(reinterpret_cast<UINT_PTR>(ready)) + " " + std::to_string(seconds);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(self, commandLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "HoldDesktop: cannot start the holder (error %lu)\n", GetLastError());
    return 1;
  }
  const HANDLE waitFor[] = {ready, process.hProcess};
  const DWORD which = WaitForMultipleObjects(2, waitFor, FALSE, kReadyTimeout);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (which != WAIT_OBJECT_0) {
    std::fprintf(stderr, "HoldDesktop: the desktop did not open\n");
    return 1;
  }
  return 0;
}
