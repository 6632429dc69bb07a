#include "app/CommandLine.h"

namespace tw::cli {
namespace {

struct CommandName {
  std::string_view name;
  Command command;
};

constexpr CommandName kCommands[] = {
    {"list", Command::List}, {"show", Command::Show}, {"apply", Command::Apply}, {"restore", Command::Restore}};

// Every line fits an 80-column console.
constexpr std::string_view kExitCodes =
    "Exit codes:\n"
    "  0  done\n"
    "  1  another failure (the Backups folder cannot be searched, another change\n"
    "     went on for more than 20 seconds, or the result cannot be written to\n"
    "     the output)\n"
    "  2  bad usage: an unknown command or option, an argument missing or extra\n"
    "  3  no preset has that name\n"
    "  4  no backup could be written: nothing changed\n"
    "  5  the backup is missing, unreadable, damaged or from another Windows\n"
    "     family: nothing changed\n"
    "  6  Windows refused some values (listed): the others changed\n"
    "  7  no administrator rights: nothing changed\n"
    "A failure prints one line naming its cause to the error output.\n";

constexpr std::string_view kPresets =
    "Presets, by their exact names: Automatic-A, Automatic-B, Automatic-C,\n"
    "Automatic-D, Automatic-E, Automatic-F, Automatic-G and \"Windows default\"\n"
    "(in quotes, as it has a space).\n";

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
  ParsedArguments parsed;
  Arguments& arguments = parsed.arguments;
  std::vector<std::string> words;
  // After "--" every argument is a word: a preset or file name may start with "-".
  bool options = true;
  for (const std::string& arg : args) {
    if (options && arg == "--") {
      options = false;
    } else if (options && (arg == "--help" || arg == "-h" || arg == "/?")) {
      arguments.help = true;
    } else if (options && arg == "--json") {
      arguments.json = true;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      parsed.error = "unknown option " + arg + " (see tidewave-cli --help)";
      return parsed;
    } else {
      words.push_back(arg);
    }
  }
  if (words.empty()) {
    if (!arguments.help) parsed.error = "no command given (see tidewave-cli --help)";
    return parsed;
  }
  // "help apply" is "apply --help"; "help help" is the overview.
  std::size_t first = 0;
  if (words[0] == "help") {
    arguments.help = true;
    first = 1;
    if (words.size() == 1) return parsed;
    if (words[1] == "help") {
      if (words.size() > 2) parsed.error = "too many arguments for help (see tidewave-cli --help)";
      return parsed;
    }
  }
  bool known = false;
  for (const CommandName& command : kCommands) {
    if (words[first] == command.name) {
      arguments.command = command.command;
      known = true;
    }
  }
  if (!known) {
    parsed.error = "unknown command \"" + words[first] + "\" (the commands are list, show, apply and restore)";
    return parsed;
  }
  const std::size_t operands = words.size() - first - 1;
  const std::string& name = words[first];
  if (operands > 1 || (operands == 1 && arguments.command == Command::List)) {
    parsed.error = "too many arguments for " + name + " (see tidewave-cli " + name + " --help)";
    return parsed;
  }
  if (arguments.help) return parsed;
  if (operands == 0 && (arguments.command == Command::Apply || arguments.command == Command::Restore)) {
    parsed.error = name + (arguments.command == Command::Apply ? " needs a preset's name" : " needs a backup's file name or newest") +
                   " (see tidewave-cli " + name + " --help)";
    return parsed;
  }
  if (operands == 1) arguments.operand = words[first + 1];
  return parsed;
}

std::string HelpText(Command command) {
  switch (command) {
    case Command::Overview:
      return std::string(
                 "tidewave-cli: Tidewave's TCP/IP presets, backups and restores, for scripts.\n"
                 "\n"
                 "  tidewave-cli list                  the backups, newest first\n"
                 "  tidewave-cli show [preset]         the values Windows holds now, and what\n"
                 "                                     a preset would change\n"
                 "  tidewave-cli apply <preset>        back up, then apply a preset\n"
                 "  tidewave-cli restore <file|newest> back up, then restore a backup\n"
                 "  tidewave-cli <command> --help      more about one command\n"
                 "Add --json to any command for its result as one JSON object. After --,\n"
                 "no argument is taken as an option.\n"
                 "\n") +
             std::string(kPresets) +
             "The backups are those of the Backups folder beside the program, which\n"
             "Tidewave.exe lists too. Applying and restoring need administrator rights;\n"
             "restart Windows afterwards.\n"
             "\n" +
             std::string(kExitCodes);
    case Command::List:
      return "tidewave-cli list [--json]\n"
             "\n"
             "Lists the backups of the Backups folder, newest first (the order they were\n"
             "written in): file, date, time, the Windows family each was taken on, and\n"
             "whether it can be restored on this Windows (if not, why).\n"
             "\n"
             "Example:\n"
             "  tidewave-cli list\n"
             "\n" +
             std::string(kExitCodes);
    case Command::Show:
      return "tidewave-cli show [preset] [--json]\n"
             "\n"
             "Shows the values Windows holds now. With a preset, also the preset's values,\n"
             "a * by each one applying it would change, and a ! by each one this Windows\n"
             "ignores, with the reason. Changes nothing.\n"
             "\n" +
             std::string(kPresets) +
             "\n"
             "Examples:\n"
             "  tidewave-cli show\n"
             "  tidewave-cli show Automatic-E\n"
             "\n" +
             std::string(kExitCodes);
    case Command::Apply:
      return "tidewave-cli apply <preset> [--json]\n"
             "\n"
             "Backs up the values the preset replaces into a new file of the Backups\n"
             "folder, then applies the preset, and prints the backup's name and how many\n"
             "values changed. Without a backup nothing is changed. Needs administrator\n"
             "rights; restart Windows afterwards.\n"
             "\n" +
             std::string(kPresets) +
             "\n"
             "Examples:\n"
             "  tidewave-cli apply Automatic-E\n"
             "  tidewave-cli apply \"Windows default\"\n"
             "\n" +
             std::string(kExitCodes);
    case Command::Restore:
      return "tidewave-cli restore <file|newest> [--json]\n"
             "\n"
             "Restores a backup of the Backups folder, named as list shows it (003.BCK),\n"
             "or the newest one. What it replaces is backed up first, so a restore can be\n"
             "undone too. A damaged backup, or one taken on another Windows family,\n"
             "changes nothing. Needs administrator rights; restart Windows afterwards.\n"
             "\n"
             "Examples:\n"
             "  tidewave-cli restore newest\n"
             "  tidewave-cli restore 003.BCK\n"
             "\n" +
             std::string(kExitCodes);
  }
  return {};
}

}  // namespace tw::cli
