#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::cli {

enum class Action { show, help, version, schema, usageError };

struct Options {
  Action action = Action::show;
  bool json = false;
  std::vector<std::string> paths;
  std::string problem;  // what was wrong, for a usage error
};

// Options may stand anywhere among the paths; "--" ends them, so that a
// file named like an option can still be read. A lone "-" is a path.
Options parseOptions(std::span<const std::string> args);

extern const std::string_view kUsage;

}  // namespace vantor::cli
