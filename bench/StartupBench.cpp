// Start-up cost of Tidewave.exe against a minimal window program, both started
// in the same prefix in the same run: time until the main window is visible,
// time until it waits for input (its start-up is over), and the working set
// then. Prints medians and their ratios, with the spread of the ratios of the
// pairs. Then each panel's first opening, which makes its windows, against a
// later one, which shows them again.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "tools/FindButton.h"

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

// The pairs' own ratios, lowest, quartiles and highest: how far one run strays.
std::string Spread(const std::vector<double>& tide, const std::vector<double>& base) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < tide.size(); ++i) ratios.push_back(tide[i] / base[i]);
  std::sort(ratios.begin(), ratios.end());
  const auto at = [&](double share) { return ratios[static_cast<std::size_t>(share * double(ratios.size() - 1))]; };
  char text[96];
  std::snprintf(text, sizeof text, "pairs %.2f / %.2f / %.2f / %.2f / %.2f", at(0), at(0.25), at(0.5), at(0.75), at(1));
  return text;
}

double Now() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

// One press of a navigation item, as the surface sends it, until the panel is
// on the screen: the press runs the whole command in Tidewave's thread, the
// redraw waits for every window it left to paint.
double Open(HWND main, HWND item) {
  const double begin = Now();
  SendMessageA(item, BM_CLICK, 0, 0);
  RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return Now() - begin;
}

struct Opening {
  const char* item;
  const char* panel;
  std::vector<double> first{}, later{};
};

// Each panel opened first in a fresh start, home, then opened again.
bool MeasureOpenings(const std::string& path, std::vector<Opening>& openings) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + path + "\"";
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  HWND main = nullptr;
  for (int i = 0; i < 20000 && !main; ++i) {
    main = VisibleWindowOf(process.dwProcessId);
    if (!main) Sleep(1);
  }
  WaitForInputIdle(process.hProcess, 20000);
  Sleep(300);
  HWND home = main ? tw::tools::FindButton(main, "H&ome") : nullptr;
  bool found = home != nullptr;
  for (Opening& opening : openings) {
    HWND item = found ? tw::tools::FindButton(main, opening.item) : nullptr;
    if (!item) {
      found = false;
      break;
    }
    opening.first.push_back(Open(main, item));
    Open(main, home);
    opening.later.push_back(Open(main, item));
    Open(main, home);
  }
  if (main) PostMessageA(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return found;
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
  std::printf("start-up to visible window (median of %d): Tidewave %.1f ms, baseline %.1f ms, ratio %.2f (%s)\n",
              runs, Median(tideTime), Median(baseTime), Median(tideTime) / Median(baseTime),
              Spread(tideTime, baseTime).c_str());
  std::printf("start-up to waiting for input (median of %d): Tidewave %.1f ms, baseline %.1f ms, ratio %.2f (%s)\n",
              runs, Median(tideReady), Median(baseReady), Median(tideReady) / Median(baseReady),
              Spread(tideReady, baseReady).c_str());
  std::printf("working set then: Tidewave %.0f KiB, baseline %.0f KiB, ratio %.2f (%s)\n", Median(tideMemory),
              Median(baseMemory), Median(tideMemory) / Median(baseMemory), Spread(tideMemory, baseMemory).c_str());

  // Advanced Mode is made anew at every opening, the others once.
  std::vector<Opening> openings;
  for (const auto& [item, panel] : {std::pair{"&Wizard Mode", "Wizard Mode"}, {"Ad&vanced Mode", "Advanced Mode"},
                                    {"&Backup", "Backup"}, {"System S&tatus", "System Status"},
                                    {"Ram Config&uration", "Ram Configuration"}, {"&Ping Settings", "Ping Settings"},
                                    {"&Main Settings", "Main Settings"}}) {
    openings.push_back({item, panel});
  }
  for (int i = 0; i < runs; ++i) {
    if (!MeasureOpenings(tidewave, openings)) return std::fprintf(stderr, "no navigation item to press\n"), 1;
  }
  const Opening* heaviest = &openings.front();
  for (const Opening& opening : openings) {
    std::printf("opening %s (median of %d): first %.1f ms, later %.1f ms, ratio %.2f (%s)\n", opening.panel, runs,
                Median(opening.first), Median(opening.later), Median(opening.first) / Median(opening.later),
                Spread(opening.first, opening.later).c_str());
    if (Median(opening.first) > Median(heaviest->first)) heaviest = &opening;
  }
  std::printf("heaviest first opening: %s, %.2f times a later one\n", heaviest->panel,
              Median(heaviest->first) / Median(heaviest->later));
  return 0;
}
