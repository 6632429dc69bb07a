// Idle cost: Tidewave.exe with every panel loaded and its default timers
// against the minimal window program, both started in the same prefix and
// left alone side by side for the same time. Prints each one's processor
// time as a share of one core and the difference.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Beside(const char* name) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1) + name;
}

struct Search {
  DWORD id;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.id || !IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

HWND WaitForWindow(DWORD processId) {
  for (int i = 0; i < 20000; ++i) {
    Search search{processId, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    Sleep(1);
  }
  return nullptr;
}

double ProcessorSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  const auto ticks = [](FILETIME time) { return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
  return double(ticks(kernel) + ticks(user)) / 1e7;
}

struct Running {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  double start = 0;
};

bool Start(const std::string& path, Running& running) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + path + "\"";
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &running.process)) {
    return false;
  }
  running.window = WaitForWindow(running.process.dwProcessId);
  return running.window != nullptr;
}

void Stop(Running& running) {
  if (running.window) PostMessageA(running.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(running.process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(running.process.hProcess, 1);
  }
  CloseHandle(running.process.hThread);
  CloseHandle(running.process.hProcess);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
  Running baseline, tidewave;
  if (!Start(Beside("MinimalWindow.exe"), baseline)) return std::fprintf(stderr, "baseline did not start\n"), 1;
  if (!Start(Beside("Tidewave.exe"), tidewave)) return std::fprintf(stderr, "Tidewave did not start\n"), 1;
  // Past start-up: only the timers' work is measured.
  Sleep(2000);
  baseline.start = ProcessorSeconds(baseline.process.hProcess);
  tidewave.start = ProcessorSeconds(tidewave.process.hProcess);
  Sleep(DWORD(seconds) * 1000);
  const double base = (ProcessorSeconds(baseline.process.hProcess) - baseline.start) / seconds * 100.0;
  const double tide = (ProcessorSeconds(tidewave.process.hProcess) - tidewave.start) / seconds * 100.0;
  Stop(tidewave);
  Stop(baseline);
  std::printf("idle over %d s, share of one core: Tidewave %.3f%%, baseline %.3f%%, difference %.3f%%\n", seconds,
              tide, base, tide - base);
  return 0;
}
