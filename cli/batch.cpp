#include "cli/batch.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "cli/file_system.h"
#include "cli/json_line.h"
#include "cli/replay_source.h"
#include "cli/replay_walk.h"
#include "cli/text_view.h"
#include "cli/utf8_text.h"
#include "view/window_content.h"

#ifndef VANTOR_VERSION
#error "VANTOR_VERSION must be defined by the build"
#endif

namespace vantor::cli {
namespace {

constexpr int kUsageError = 2;

void put(std::string_view text, std::FILE* stream) { std::fwrite(text.data(), 1, text.size(), stream); }

class Batch {
 public:
  Batch(const Options& options, const Streams& streams) : options_(options), streams_(streams) {}

  int run() {
    for (const std::string& path : options_.paths) {
      if (!showArgument(path)) break;
    }
    if (!outputClosed_ && std::fflush(streams_.out) != 0) writeFailed();
    return anyFailed_ ? 1 : 0;
  }

 private:
  // False once output can no longer be written.
  bool showArgument(const std::string& path) {
    if (path == "-") {
      info_ = {};
      return show(path, readReplayStream(streams_.in, info_));
    }
    const PathStatus status = statusOf(path);
    if (status.kind == PathKind::missing) {
      report(path, status.reason);
      return true;
    }
    if (status.kind == PathKind::directory) {
      return walkReplays(path, {[this](const FoundReplay& found) { return showFound(found); },
                                [this](const std::string& folder, const std::string& reason) {
                                  report(folder, reason);
                                }});
    }
    return showFile(path);
  }

  bool showFile(const std::string& path) {
    info_ = {};  // never carry one file's values into the next
    return show(path, readReplayFile(path, info_));
  }

  bool showFound(const FoundReplay& found) {
    info_ = {};
    return show(found.path, readReplayFileAt(found.folder, found.name, found.path, info_));
  }

  bool show(const std::string& path, const ReadOutcome& outcome) {
    if (!outcome.read) {
      report(path, outcome.reason);
      return true;
    }
    if (!outcome.gearsComplete) {
      note(path, "gear ratio not a known step; that gear and the ones after it are left empty");
    }
    const view::WindowContent content = view::makeWindowContent(path, info_);
    block_.clear();
    if (options_.json) {
      appendJsonLine(block_, path, content, info_);
    } else {
      appendTextView(block_, path, content, info_);
    }
    return write(block_);
  }

  bool write(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), streams_.out) == text.size()) return true;
    writeFailed();
    return false;
  }

  void writeFailed() {
    outputClosed_ = true;
    if (errno == EPIPE) return;  // the reader has all it wanted: `vantor-info dir | head`
    anyFailed_ = true;
    std::fprintf(streams_.err, "vantor-info: cannot write the output: %s\n", std::strerror(errno));
  }

  void report(const std::string& path, const std::string& reason) {
    anyFailed_ = true;
    note(path, reason);
  }

  // One line per problem, naming the path, so that a batch user knows
  // which file it was. Output so far goes first, to keep the two in order.
  void note(const std::string& path, const std::string& message) const {
    std::fflush(streams_.out);
    std::string line = "vantor-info: ";
    appendValidUtf8(line, path);
    line += ": " + message + '\n';
    std::fputs(line.c_str(), streams_.err);
  }

  const Options& options_;
  const Streams& streams_;
  replay::ReplayInfo info_;
  std::string block_;
  bool anyFailed_ = false;
  bool outputClosed_ = false;
};

}  // namespace

int runVantorInfo(const Options& options, const Streams& streams) {
  switch (options.action) {
    case Action::help:
      put(kUsage, streams.out);
      return 0;
    case Action::version:
      std::fputs("vantor-info " VANTOR_VERSION "\n", streams.out);
      return 0;
    case Action::schema:
      std::fputs(kJsonSchema, streams.out);
      return 0;
    case Action::usageError:
      put("vantor-info: " + options.problem + "\n", streams.err);
      put(kUsage, streams.err);
      return kUsageError;
    case Action::show:
      break;
  }
  return Batch(options, streams).run();
}

}  // namespace vantor::cli
