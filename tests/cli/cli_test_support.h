#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/options.h"
#include "tests/support/temp_dir.h"

namespace vantor::cli::testing {

// Runs vantor-info in this process, as the program would with these
// arguments, and keeps what it wrote.
struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

RunResult runInProcess(const std::vector<std::string>& args, const std::string& input = {});

// The lines of text, without their newlines.
std::vector<std::string> linesOf(const std::string& text);

}  // namespace vantor::cli::testing
