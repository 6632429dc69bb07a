#pragma once
// Records what the program asks the shell to do; launches nothing.
#include <string>
#include <vector>

#include "platform/Shell.h"
#include "ui/TrayIcon.h"

namespace tw::test {

class FakeShell final : public IShell {
 public:
  struct Call {
    std::string what;  // "CreateProcess", "ShellExecute", "ExitWindowsEx", "EnablePrivilege"
    std::string text;  // command line, file, or privilege
    std::string verb, parameters, directory;
    std::uintptr_t owner = 0;
    std::uint32_t flags = 0, reserved = 0;
    int show = 0;
  };

  std::uint32_t CreateProcessA(std::string_view commandLine, int showMode) override {
    calls.push_back({"CreateProcess", std::string(commandLine), "", "", "", 0, 0, 0, showMode});
    return nextProcessId;
  }
  std::intptr_t ShellExecuteA(std::uintptr_t owner, std::string_view verb, std::string_view file,
                              std::string_view parameters, std::string_view directory, int showMode) override {
    calls.push_back({"ShellExecute", std::string(file), std::string(verb), std::string(parameters),
                     std::string(directory), owner, 0, 0, showMode});
    for (const std::string& missing : missingFiles) {
      if (missing == file) return 2;  // SE_ERR_FNF
    }
    return 42;
  }
  bool BringBackWindow(std::string_view className, std::string_view caption) override {
    calls.push_back({"BringBackWindow", std::string(caption), std::string(className), "", "", 0, 0, 0, 0});
    return windowOpen;
  }
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override {
    calls.push_back({"ExitWindowsEx", "", "", "", "", 0, flags, reserved, 0});
    return exitAccepted;
  }
  void EnablePrivilege(std::string_view privilege, std::uint32_t tokenAccess) override {
    calls.push_back({"EnablePrivilege", std::string(privilege), "", "", "", 0, tokenAccess, 0, 0});
  }

  std::vector<Call> calls;
  std::uint32_t nextProcessId = 1234;
  bool exitAccepted = true;
  std::vector<std::string> missingFiles;  // ShellExecute answers "file not found" for these
  bool windowOpen = false;                // BringBackWindow finds a window
};

// Records every Shell_NotifyIconA call with the record as it was sent.
class RecordingNotifyIcon final : public ui::INotifyIcon {
 public:
  struct Call {
    std::uint32_t message;
    ui::NotifyIconData data;
  };
  bool Shell_NotifyIconA(std::uint32_t message, const ui::NotifyIconData& data) override {
    calls.push_back({message, data});
    return accept && (message != ui::kNimAdd || acceptAdd);
  }
  std::vector<Call> calls;
  bool accept = true;
  bool acceptAdd = true;  // false: the shell holds an icon under this window and id already
};

}  // namespace tw::test
