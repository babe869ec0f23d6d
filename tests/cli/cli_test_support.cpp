#include "tests/cli/cli_test_support.h"

#include "tests/support/replay_builder.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace vantor::cli::testing {
namespace {

std::FILE* open(const std::string& path, const char* mode) {
  std::FILE* file = std::fopen(path.c_str(), mode);
  if (file == nullptr) throw std::runtime_error("cannot open " + path);
  return file;
}

std::string contentsOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

RunResult runInProcess(const std::vector<std::string>& args, const std::string& input) {
  const vantor::testing::TempDir dir;
  vantor::testing::writeFile(dir.pathOf("in"), {input.begin(), input.end()});
  Streams streams{open(dir.pathOf("in"), "rb"), open(dir.pathOf("out"), "wb"), open(dir.pathOf("err"), "wb")};
  RunResult result;
  result.status = runVantorInfo(parseOptions(args), streams);
  for (std::FILE* file : {streams.in, streams.out, streams.err}) std::fclose(file);
  result.out = contentsOf(dir.pathOf("out"));
  result.err = contentsOf(dir.pathOf("err"));
  return result;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace vantor::cli::testing
