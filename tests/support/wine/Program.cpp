#include "support/wine/Program.h"

#include "app/NavigationItems.h"
#include "platform/win32/WidePath.h"

namespace tw::test {
namespace {

struct Search {
  DWORD processId;
  const char* className;
  const char* caption;
  HWND found;
  bool hiddenToo = false;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || (!search.hiddenToo && !IsWindowVisible(window))) return TRUE;
  if (search.className && ClassName(window) != search.className) return TRUE;
  if (search.caption && WindowText(window) != search.caption) return TRUE;
  search.found = window;
  return FALSE;
}

BOOL CALLBACK AddChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

}  // namespace

std::string BesideTests(const char* fileName) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  folder.resize(folder.find_last_of("\\/") + 1);
  return folder + fileName;
}

Program::~Program() {
  if (IsRunning()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  if (info_.hProcess) CloseHandle(info_.hProcess);
  if (info_.hThread) CloseHandle(info_.hThread);
}

bool Program::Start(const std::string& path) {
  if (NtPlatform()) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const std::wstring application = Utf8ToWide(path);
    std::wstring commandLine = L"\"" + application + L"\"";
    return CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info_) != FALSE;
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + path + "\"";
  return CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_) != FALSE;
}

HWND Program::WaitForWindow(const char* className, const char* caption, DWORD milliseconds) const {
  Search search{info_.dwProcessId, className, caption, nullptr};
  const DWORD start = GetTickCount();
  do {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      // Shown is not yet ready: the program finishes its start-up behind its
      // first paint, and takes input once it waits for messages.
      const DWORD spent = GetTickCount() - start;
      WaitForInputIdle(info_.hProcess, spent < milliseconds ? milliseconds - spent : 0);
      return search.found;
    }
    Sleep(50);
  } while (GetTickCount() - start < milliseconds);
  return nullptr;
}

HWND Program::FindAnyWindow(const char* className) const {
  Search search{info_.dwProcessId, className, nullptr, nullptr, true};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Program::WaitForExit(DWORD milliseconds, DWORD* exitCode) const {
  if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
  return true;
}

bool Program::IsRunning() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassName(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, AddChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND Program::WaitForMainWindow(DWORD milliseconds) const {
  HWND main = WaitForWindow("TidewaveMain", "Tidewave", milliseconds);
  HWND surface = FindWindowExA(main, nullptr, "TidewaveNavigation", nullptr);
  for (DWORD start = GetTickCount(); GetDlgItem(surface, IDC_FS_closeButton) == nullptr;) {
    if (GetTickCount() - start >= milliseconds) return nullptr;
    Sleep(20);
  }
  // Past the rest of the start-up, which runs in the same message.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, milliseconds, &ignored);
  return main;
}

HWND Program::StartCopiesIn(const std::string& folder) {
  for (const char* file : {"Tidewave.exe", "tidewave-cli.exe"}) {
    if (!CopyFileA(BesideTests(file).c_str(), (folder + "\\" + file).c_str(), FALSE)) return nullptr;
  }
  return Start(folder + "\\Tidewave.exe") ? WaitForMainWindow() : nullptr;
}

}  // namespace tw::test
