#pragma once
// What the whole program shares for its whole run, set up once at start-up and
// handed to the main window and every panel. Panels talk to the system only
// through what is here.
#include <string>

#include "app/OsVersion.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "tuning/TcpIpSettings.h"

namespace tw {

struct AppContext {
  IRegistry& registry;
  OsFamilyInfo os;
  std::string programFolder;  // the folder of the executable, without a trailing "\"
  IFileSystem& files;         // backups
  IClock& clock;              // the time stamped into backups
  TuningState tuning{};       // CurrentSettings and the presets; LoadPresets fills them at start-up
};

}  // namespace tw
