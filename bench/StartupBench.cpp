// Start-up cost of Tidewave.exe against a minimal window program, both started
// in the same prefix in the same run: time until the main window is visible,
// time until it waits for input (its start-up is over), and the working set
// then. Prints medians and their ratios.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
  double milliseconds;    // until the main window is visible
  double ready;           // until it waits for input: start-up is over
  double workingSetKb;
};

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

HWND VisibleWindowOf(DWORD processId) {
  Search search{processId, nullptr};
  EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Measure(const std::string& path, Sample& sample) {
  LARGE_INTEGER frequency, begin, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + path + "\"";
  QueryPerformanceCounter(&begin);
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  HWND window = nullptr;
  for (int i = 0; i < 20000 && !window; ++i) {
    window = VisibleWindowOf(process.dwProcessId);
    if (!window) Sleep(1);
  }
  QueryPerformanceCounter(&now);
  sample.milliseconds = 1000.0 * double(now.QuadPart - begin.QuadPart) / double(frequency.QuadPart);
  // Not a message sent to the window: the program answers those while it
  // waits on the shell for its tray icon, long before its start-up is over.
  if (window) WaitForInputIdle(process.hProcess, 20000);
  QueryPerformanceCounter(&now);
  sample.ready = 1000.0 * double(now.QuadPart - begin.QuadPart) / double(frequency.QuadPart);
  Sleep(300);  // let the window settle before reading its memory
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters);
  sample.workingSetKb = double(counters.WorkingSetSize) / 1024.0;
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return window != nullptr;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const std::string tidewave = Beside("Tidewave.exe");
  const std::string baseline = Beside("MinimalWindow.exe");
  std::vector<double> tideTime, tideReady, tideMemory, baseTime, baseReady, baseMemory;
  Sample sample{};
  // Alternate the two so that drift in the machine's load hits both alike.
  for (int i = 0; i < runs; ++i) {
    if (!Measure(baseline, sample)) return std::fprintf(stderr, "baseline did not start\n"), 1;
    baseTime.push_back(sample.milliseconds);
    baseReady.push_back(sample.ready);
    baseMemory.push_back(sample.workingSetKb);
    if (!Measure(tidewave, sample)) return std::fprintf(stderr, "Tidewave did not start\n"), 1;
    tideTime.push_back(sample.milliseconds);
    tideReady.push_back(sample.ready);
    tideMemory.push_back(sample.workingSetKb);
  }
  std::printf("start-up to visible window (median of %d): Tidewave %.1f ms, baseline %.1f ms, ratio %.2f\n",
              runs, Median(tideTime), Median(baseTime), Median(tideTime) / Median(baseTime));
  std::printf("start-up to waiting for input (median of %d): Tidewave %.1f ms, baseline %.1f ms, ratio %.2f\n",
              runs, Median(tideReady), Median(baseReady), Median(tideReady) / Median(baseReady));
  std::printf("working set then: Tidewave %.0f KiB, baseline %.0f KiB, ratio %.2f\n", Median(tideMemory),
              Median(baseMemory), Median(tideMemory) / Median(baseMemory));
  return 0;
}
