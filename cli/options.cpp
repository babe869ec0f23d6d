#include "cli/options.h"

namespace vantor::cli {

const std::string_view kUsage =
    "usage: vantor-info [--json] PATH...\n"
    "       vantor-info --schema | --help | --version\n"
    "\n"
    "Prints what the Vantor window shows for each replay: as aligned text, or\n"
    "as one JSON object per line.\n"
    "\n"
    "  PATH       a replay file; a folder, searched recursively for .rpl files\n"
    "             (any letter case) in sorted order; or - for one replay read\n"
    "             from standard input\n"
    "  --json     JSON Lines instead of text\n"
    "  --schema   print the JSON Schema of the --json objects\n"
    "  --help     print this help\n"
    "  --version  print the version\n"
    "  --         end of options: what follows are paths\n"
    "\n"
    "Exit status: 0 when every file was read, 1 when some file could not be\n"
    "(the others are still printed), 2 on a usage error.\n";

Options parseOptions(std::span<const std::string> args) {
  Options options;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
      options.paths.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--help" || arg == "-h") {
      options.action = Action::help;
    } else if (arg == "--version") {
      if (options.action != Action::help) options.action = Action::version;
    } else if (arg == "--schema") {
      if (options.action == Action::show) options.action = Action::schema;
    } else {
      return {Action::usageError, false, {}, "unknown option " + arg};
    }
  }
  if (options.action == Action::show && options.paths.empty()) {
    return {Action::usageError, false, {}, "no PATH given"};
  }
  return options;
}

}  // namespace vantor::cli
