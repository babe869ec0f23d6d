// vantor-info: the content of the Vantor window for any number of replays,
// as text or JSON Lines. Only the platform's start-up lives here.
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/vantor_info.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "cli/file_system.h"
#else
#include <unistd.h>

#include <csignal>
#endif

namespace {

// Big writes: a batch prints megabytes. Flushed after every block when a
// person is watching, so that messages and blocks stay in order. The C
// library takes a size only together with a buffer, which must outlive
// the flush at exit: hence static storage.
void bufferOutput() {
  static std::array<char, std::size_t{1} << 16> buffer;
#ifdef _WIN32
  const bool terminal = _isatty(_fileno(stdout)) != 0;
#else
  const bool terminal = isatty(STDOUT_FILENO) != 0;
#endif
  if (terminal) {
    std::setvbuf(stdout, nullptr, _IOLBF, 1 << 12);
  } else {
    std::setvbuf(stdout, buffer.data(), _IOFBF, buffer.size());
  }
}

}  // namespace

#ifdef _WIN32
// Arguments arrive as UTF-16 and are kept as UTF-8 from here on; the output
// is UTF-8 bytes, unchanged (no CR added), and the console is told so.
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
  bufferOutput();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(vantor::cli::fromFsPath(std::filesystem::path(argv[i])));
  return vantor::cli::runVantorInfo(args, {});
}
#else
int main(int argc, char** argv) {
  // A closed pipe shows as a failed write, which ends the run quietly.
  std::signal(SIGPIPE, SIG_IGN);
  bufferOutput();
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vantor::cli::runVantorInfo(args, {});
}
#endif
