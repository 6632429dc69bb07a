#pragma once
// What the whole program shares for its whole run, set up once at start-up and
// handed to the main window. The panel factory gives each panel only the parts
// it works with, and adds what is not here: the memory and processor figures
// and the Windows version (one of each for the run), a network of its own for
// Ping Now's thread and for the MTU search, and the executable's path for the
// Run entry.
#include <string>

#include "platform/OsVersion.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Network.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "tuning/Presets.h"
#include "ui/MessageBox.h"

namespace tw {

struct AppContext {
  IRegistry& registry;
  IShell& shell;              // applets, help, restart
  IFileSystem& files;         // backups
  IClock& clock;              // the time stamped into backups
  ui::IMessageBox& messages;  // the panels' messages, title "Tidewave"
  INetwork& network;          // the pinger's sockets and ICMP
  ISound& sound;              // the pinger's and the alarm's sounds
  // The folder of the executable, in UTF-8, without a trailing "\"; empty when
  // Windows could not say, and then nothing is applied (no place for backups).
  std::string programFolder;
  OsFamilyInfo os{};          // set once during start-up
  TuningState tuning{};       // CurrentSettings and the presets; LoadPresets fills them at start-up
};

}  // namespace tw
