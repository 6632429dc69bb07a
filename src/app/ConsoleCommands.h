#pragma once
// What tidewave-cli's commands do, over the same layout table, presets,
// backups and restore plan as the window program, and what they print. A
// change made here becomes the program's last change, as one made in the
// window does, so the home view names it.
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/OsVersion.h"
#include "platform/Registry.h"

namespace tw::cli {

// What the commands work on: the machine's registry, the program's folder
// (its Backups folder is the window program's), the clock a backup is stamped
// with, and the running Windows family.
struct Machine {
  IRegistry& registry;
  IFileSystem& files;
  IClock& clock;
  std::string_view programFolder;
  OsFamilyInfo os;
  // Names the registry gives (adapters, keys) and what a backup file holds,
  // in UTF-8, from the system code page the 9x family keeps them in;
  // everything the commands print is UTF-8. Null where they are UTF-8 already.
  std::string (*systemTextToUtf8)(std::string_view text) = nullptr;
};

struct Outcome {
  int exitCode = kExitDone;
  std::string output;  // for the standard output
  std::string error;   // one line naming the cause of a failure, for the error output; empty when done
  bool changed = false;  // the registry's network values were written
  std::string backup;    // after a change: the backup that holds the values from before
  bool json = false;     // the output is one JSON object, which is UTF-8 whatever the code page
};

// Parses `args` (without the program's name, in UTF-8) and runs the command.
Outcome RunCommandLine(const std::vector<std::string>& args, Machine& machine);

}  // namespace tw::cli
