#pragma once
#include "platform/Shell.h"

namespace tw {

class Win32Shell final : public IShell {
 public:
  std::uint32_t CreateProcessA(std::string_view commandLine, int showMode) override;
  std::intptr_t ShellExecuteA(std::uintptr_t owner, std::string_view verb, std::string_view file,
                              std::string_view parameters, std::string_view directory, int showMode) override;
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
  bool BringBackWindow(std::string_view className, std::string_view caption) override;
  void EnablePrivilege(std::string_view privilege, std::uint32_t tokenAccess) override;
};

}  // namespace tw
