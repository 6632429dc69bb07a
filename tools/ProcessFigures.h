#pragma once
// What one can read of another running process from outside it, for the
// soak: its windows, kernel handles, memory and GDI objects. Under Wine
// GetGuiResources answers 0, so the GDI count is read from the process's own
// GDI handle table instead; a figure that cannot be read is -1.
#include <windows.h>

#include <string>
#include <vector>

namespace tw::soak {

struct ProcessFigures {
  long windows = -1;        // top-level windows of the process and all their descendants
  long gdiObjects = -1;     // entries in use in its GDI handle table
  long handles = -1;        // kernel handles (GetProcessHandleCount)
  long privateKb = -1;      // PROCESS_MEMORY_COUNTERS_EX.PrivateUsage
  long workingSetKb = -1;
  long messageBoxes = -1;   // visible dialog windows ("#32770") of the process
};

ProcessFigures ReadProcessFigures(HANDLE process, DWORD processId);

// The visible top-level dialog windows of the process: message boxes.
std::vector<HWND> MessageBoxesOf(DWORD processId);
// A message box's text: its static controls' texts joined.
std::string MessageBoxText(HWND box);

}  // namespace tw::soak
