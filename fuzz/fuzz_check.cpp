#include "fuzz/fuzz_check.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace vantor::fuzz {
namespace {

// Taken before main, so before libFuzzer's -close_fd_mask closes descriptor 2.
const int kReportFd = ::dup(STDERR_FILENO);

}  // namespace

void fail(std::string_view what) {
  const std::string line = "invariant broken: " + std::string(what) + "\n";
  const int fd = kReportFd >= 0 ? kReportFd : STDERR_FILENO;
  (void)!::write(fd, line.data(), line.size());
  std::abort();
}

}  // namespace vantor::fuzz
