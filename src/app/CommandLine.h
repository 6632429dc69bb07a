#pragma once
// tidewave-cli's command line: the commands, their arguments, the help that
// describes them and the exit codes a script can rely on. The window program
// takes no command line; this is the console program's alone.
#include <string>
#include <string_view>
#include <vector>

namespace tw::cli {

// Documented in the help, the README and the user guide; a code never changes meaning.
enum ExitCode : int {
  kExitDone = 0,
  kExitFailed = 1,             // anything else: the Backups folder cannot be searched, the output not written
  kExitUsage = 2,              // unknown command or option, an argument missing or too many
  kExitUnknownPreset = 3,      // no preset has that exact name
  kExitNoBackup = 4,           // the backup could not be written, so nothing was changed
  kExitBackupUnusable = 5,     // missing, unreadable, damaged or of another family: nothing changed
  kExitRefused = 6,            // Windows refused some values; the others were changed
  kExitNotAdministrator = 7,   // no rights to change the values: nothing changed
};

enum class Command { Overview, List, Show, Apply, Restore };

struct Arguments {
  Command command = Command::Overview;
  bool help = false;  // --help: describe the command instead of running it
  bool json = false;  // --json: the result as one JSON object
  // show: the preset (may be empty); apply: the preset; restore: the file or "newest".
  std::string operand;
};

struct ParsedArguments {
  Arguments arguments;
  std::string error;  // why the command line is no command; empty when it is one
};

// `args` without the program's own name. Options may stand anywhere before
// a "--"; every argument after it is a command's word or operand.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

// The help of one command, or of them all (Command::Overview).
std::string HelpText(Command command);

}  // namespace tw::cli
