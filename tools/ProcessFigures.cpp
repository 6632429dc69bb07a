#include "tools/ProcessFigures.h"

#include <psapi.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace tw::soak {
namespace {

struct WindowSearch {
  DWORD processId;
  long windows = 0;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CountChild(HWND, LPARAM parameter) {
  ++*reinterpret_cast<long*>(parameter);
  return TRUE;
}

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId) return TRUE;
  ++search.windows;
  EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&search.windows));
  char kind[32] = {};
  GetClassNameA(window, kind, sizeof kind);
  if (std::strcmp(kind, "#32770") == 0 && IsWindowVisible(window)) search.boxes.push_back(window);
  return TRUE;
}

WindowSearch SearchWindows(DWORD processId) {
  WindowSearch search{processId, 0, {}};
  EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
  return search;
}

// Wine keeps each process's GDI objects in a table of 65,536 entries that the
// process's environment block points to (as Windows' own table is); an entry
// is in use while its type is not 0. Layout as Wine 8 has it.
#pragma pack(push, 1)
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kPebGdiTableOffset = 0x94;  // 32-bit PEB

struct BasicInformation {
  LONG exitStatus;
  void* pebBaseAddress;
  ULONG_PTR affinityMask;
  LONG basePriority;
  ULONG_PTR uniqueProcessId;
  ULONG_PTR inheritedFrom;
};

long CountGdiObjects(HANDLE process) {
  using Query = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  BasicInformation basic{};
  if (query == nullptr || query(process, 0, &basic, sizeof basic, nullptr) != 0) return -1;
  std::uint32_t table = 0;
  SIZE_T read = 0;
  const auto* pebField = static_cast<const char*>(basic.pebBaseAddress) + kPebGdiTableOffset;
  if (!ReadProcessMemory(process, pebField, &table, sizeof table, &read) || table == 0) return -1;
  const auto entries = std::make_unique<GdiHandleEntry[]>(kGdiEntries);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table)), entries.get(),
                         kGdiEntries * sizeof(GdiHandleEntry), &read)) {
    return -1;
  }
  long used = 0;
  for (std::size_t k = 0; k < read / sizeof(GdiHandleEntry); ++k) used += entries[k].type != 0;
  return used;
}

}  // namespace

std::vector<HWND> MessageBoxesOf(DWORD processId) { return SearchWindows(processId).boxes; }

std::string MessageBoxText(HWND box) {
  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char kind[32] = {}, caption[512] = {};
    GetClassNameA(child, kind, sizeof kind);
    if (lstrcmpiA(kind, "Static") != 0 || GetWindowTextA(child, caption, sizeof caption) <= 0) continue;
    if (!text.empty()) text += ' ';
    text += caption;
  }
  return text;
}

ProcessFigures ReadProcessFigures(HANDLE process, DWORD processId) {
  ProcessFigures figures;
  const WindowSearch search = SearchWindows(processId);
  figures.windows = search.windows;
  figures.messageBoxes = static_cast<long>(search.boxes.size());
  figures.gdiObjects = CountGdiObjects(process);
  if (const DWORD gui = GetGuiResources(process, GR_GDIOBJECTS); gui != 0) figures.gdiObjects = static_cast<long>(gui);
  DWORD handles = 0;
  if (GetProcessHandleCount(process, &handles)) figures.handles = static_cast<long>(handles);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    figures.privateKb = static_cast<long>(memory.PrivateUsage / 1024);
    figures.workingSetKb = static_cast<long>(memory.WorkingSetSize / 1024);
  }
  return figures;
}

}  // namespace tw::soak
