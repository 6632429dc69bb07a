#pragma once
#include <string_view>

#include "platform/Shell.h"
#include "platform/Version.h"

namespace tw {

// True on NT 4, 2000 and XP (and later NT systems); a failed version query
// leaves the platform unknown and answers false.
bool IsWindowsNT(IVersionSource& source);

// Memory figures and freeing, and three shell shortcuts.
class FreeRAM {
 public:
  explicit FreeRAM(IShell& shell) : shell_(shell) {}

  // "shutdown", "reboot" or "logoff", in any case; false for anything else,
  // without asking the system. No privilege is enabled here.
  bool ExitWindows(std::string_view mode);
  // Opens the address maximised with whatever handles it.
  void GoToURL(std::string_view url);
  // Starts a new mail message to the address.
  void eMail(std::string_view address);

 private:
  IShell& shell_;
};

}  // namespace tw
