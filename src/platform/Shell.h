#pragma once
// Starting other programs and asking Windows to end the session: shaped like
// CreateProcessA, ShellExecuteA and ExitWindowsEx. Tests record the calls and
// never launch, restart or log off anything.
#include <cstdint>
#include <string_view>

namespace tw {

inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShowMaximized = 3;
inline constexpr int kSwShow = 5;
inline constexpr int kSwRestore = 9;

inline constexpr std::uint32_t kEwxLogoff = 0;
inline constexpr std::uint32_t kEwxShutdown = 1;
inline constexpr std::uint32_t kEwxReboot = 2;

class IShell {
 public:
  virtual ~IShell() = default;
  // Starts the command line without waiting; the new process's id, or 0.
  virtual std::uint32_t CreateProcessA(std::string_view commandLine, int showMode) = 0;
  // An empty verb or directory is passed as a null pointer; the system's result.
  // The texts are UTF-8 (a file in the program's folder may be named in any language).
  virtual std::intptr_t ShellExecuteA(std::uintptr_t owner, std::string_view verb, std::string_view file,
                                      std::string_view parameters, std::string_view directory,
                                      int showMode) = 0;
  virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;
  // FindWindowA, then the window restored if minimised and brought to the
  // front (another program's, such as a viewer this one started); false when
  // no such window is open.
  virtual bool BringBackWindow(std::string_view className, std::string_view caption) = 0;
  // OpenProcessToken on this process with `tokenAccess`, LookupPrivilegeValueA
  // for `privilege` on the local machine, AdjustTokenPrivileges enabling it.
  virtual void EnablePrivilege(std::string_view privilege, std::uint32_t tokenAccess) = 0;
};

}  // namespace tw
