#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/Handles.h"
#include "platform/win32/WidePath.h"

namespace tw {
namespace {

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

std::uint32_t Win32Shell::CreateProcessA(std::string_view commandLine, int showMode) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showMode);
  PROCESS_INFORMATION process{};
  std::string line(commandLine);  // CreateProcessA may write into its command line
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return 0;
  }
  UniqueHandle thread(process.hThread), owned(process.hProcess);
  return process.dwProcessId;
}

std::intptr_t Win32Shell::ShellExecuteA(std::uintptr_t owner, std::string_view verb, std::string_view file,
                                        std::string_view parameters, std::string_view directory, int showMode) {
  // The shell's library loads when first asked for, not with the program.
  using WideFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  using AnsiFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  // The file may lie in the program's own folder, whose name is UTF-8 and may
  // hold what the system code page cannot.
  if (NtPlatform()) {
    static const auto execute = SystemFunction<WideFunction>("shell32.dll", "ShellExecuteW");
    if (execute == nullptr) return 0;
    const std::wstring verbText = Utf8ToWide(verb), fileText = Utf8ToWide(file),
                       parameterText = Utf8ToWide(parameters), directoryText = Utf8ToWide(directory);
    const auto orNull = [](const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); };
    return reinterpret_cast<std::intptr_t>(execute(reinterpret_cast<HWND>(owner), orNull(verbText), fileText.c_str(),
                                                   orNull(parameterText), orNull(directoryText), showMode));
  }
  static const auto execute = SystemFunction<AnsiFunction>("shell32.dll", "ShellExecuteA");
  if (execute == nullptr) return 0;
  const std::string verbText = Utf8ToAnsi(verb), fileText = Utf8ToAnsi(file), parameterText = Utf8ToAnsi(parameters),
                    directoryText = Utf8ToAnsi(directory);
  return reinterpret_cast<std::intptr_t>(execute(reinterpret_cast<HWND>(owner), OrNull(verbText), fileText.c_str(),
                                                 OrNull(parameterText), OrNull(directoryText), showMode));
}

bool Win32Shell::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  return ::ExitWindowsEx(flags, reserved) != FALSE;
}

bool Win32Shell::BringBackWindow(std::string_view className, std::string_view caption) {
  const std::string classText(className), captionText(caption);
  HWND window = FindWindowA(classText.c_str(), captionText.c_str());
  if (window == nullptr) return false;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
  return true;
}

void Win32Shell::EnablePrivilege(std::string_view privilege, std::uint32_t tokenAccess) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), tokenAccess, &token)) return;
  UniqueHandle owned(token);
  TOKEN_PRIVILEGES wanted{};
  wanted.PrivilegeCount = 1;
  wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, std::string(privilege).c_str(), &wanted.Privileges[0].Luid)) return;
  TOKEN_PRIVILEGES previous{};
  DWORD previousLength = 0;
  AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous, &previousLength);
}

}  // namespace tw
