#pragma once
// What the whole program shares for its whole run, set up once at start-up and
// handed to the main window and every panel. Panels talk to the system only
// through what is here.
#include <string>

#include "app/OsVersion.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Version.h"

namespace tw {

struct AppContext {
  IRegistry& registry;
  IShell& shell;
  IVersionSource& version;
  std::string programFolder;  // the folder of the executable, without a trailing "\"
  OsFamilyInfo os;            // set once during start-up
};

}  // namespace tw
