#include "cli/vantor_info.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/file_system.h"
#include "cli/folder_listing.h"
#include "cli/read_ahead.h"
#include "replay/decode.h"
#include "replay/file_start.h"
#include "replay/layout.h"
#include "replay/path_status.h"
#include "replay/tables.h"
#include "report/csv.h"
#include "report/diff.h"
#include "report/json_line.h"
#include "report/records.h"
#include "report/schema.h"
#include "report/text_view.h"
#include "view/utf8_text.h"
#include "view/window_content.h"

#ifndef VANTOR_VERSION
#error "VANTOR_VERSION must be defined by the build"
#endif

namespace vantor::cli {
namespace {

using replay::OpenFolder;
using replay::ReadBuffer;
using replay::ReadResult;

// The exit status for a wrong command line, and for a --diff that cannot
// compare, as diff and cmp give it.
constexpr int kTrouble = 2;

// Below this many files a folder is read in turn: a second thread would
// cost more than it saves.
constexpr std::size_t kFilesWorthAReader = 16;

constexpr std::string_view kUsageStart =
    "usage: vantor-info [--json | --csv] [--records] PATH...\n"
    "       vantor-info [--json] --diff A B\n"
    "       vantor-info --schema | --help | --version\n"
    "\n"
    "Prints what the Vantor window shows for each replay: as aligned text, as\n"
    "one JSON object per line, or as a spreadsheet's rows. With --diff, prints\n"
    "only the values in which two replays differ, A's beside B's. With\n"
    "--records, prints the best times of all the replays given, merged: every\n"
    "distinct record (driver, car and time) once a track and direction, best\n"
    "first, with how many files hold it and the first that does.\n"
    "\n"
    "  PATH       a replay file; a folder, searched recursively for .rpl files\n"
    "             (any letter case) in sorted order; or - for one replay read\n"
    "             from standard input\n"
    "  --json     JSON Lines instead of text\n"
    "  --csv      CSV instead of text (RFC 4180, UTF-8 with a byte order mark,\n"
    "             CR LF): a header, then one row a replay with the JSON line's\n"
    "             values but the records (columns below), a value the file\n"
    "             does not hold an empty cell; with --records, a row a record\n"
    "  --records  the merged best times instead of each replay\n"
    "  --diff     compare the two replays A and B\n"
    "  --schema   print the JSON Schema of the --json objects\n"
    "  --help     print this help\n"
    "  --version  print the version\n"
    "  --         end of options: what follows are paths\n"
    "\n"
    "Record times read minutes:seconds:hundredths (01:30:93 is 1 min 30.93 s).\n"
    "Tuning shows each value as the file stores it beside its slider's place;\n"
    "shock stiffness is stored in 16.16 fixed point (65536 is 1.0).\n";

constexpr std::string_view kUsageEnd =
    "\n"
    "Exit status: 0 when every file was read, 1 when some file could not be\n"
    "(the others are still printed), 2 on a usage error. With --diff: 0 when\n"
    "the two are alike, 1 when they differ, 2 when either cannot be read.\n";

enum class Action { show, diff, help, version, schema, usageError };
enum class Form { text, json, csv };

struct Options {
  Action action = Action::show;
  Form form = Form::text;
  bool records = false;
  std::vector<std::string> paths;
  std::string problem;  // what was wrong, for a usage error
};

// A CSV header's column names, wrapped and indented.
void appendColumns(std::string& text, std::string_view header) {
  header.remove_prefix(report::kUtf8ByteOrderMark.size());
  header.remove_suffix(2);  // CR LF
  for (std::size_t width = 0; !header.empty();) {
    const std::string_view column = header.substr(0, header.find(','));
    header.remove_prefix(std::min(header.size(), column.size() + 1));
    if (width + column.size() > 72) text += '\n', width = 0;
    text.append(width == 0 ? "  " : " ").append(column).append(header.empty() ? "\n" : ",");
    width += column.size() + 2;
  }
}

std::string usage() {
  std::string text(kUsageStart);
  text.append("A file cut short says how many of the ").append(std::to_string(replay::layout::kBytesUsed));
  text.append(" bytes read it\nholds; a value it does not hold shows as ").append(report::kMissing);
  text.append(",\nnull with --json, an empty cell with --csv.\n\nCSV columns, in order:\n");
  std::string header;
  report::appendCsvHeader(header);
  appendColumns(text, header);
  text.append("and with --records:\n");
  header.clear();
  report::appendRecordsCsv(header, report::RecordMerge{});
  appendColumns(text, header);
  return text.append(kUsageEnd);
}

Options usageError(std::string problem) {
  Options options;
  options.action = Action::usageError;
  options.problem = std::move(problem);
  return options;
}

// Options may stand anywhere among the paths; "--" ends them, so that a
// file named like an option can still be read. A lone "-" is a path.
Options parseOptions(std::span<const std::string> args) {
  Options options;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (optionsEnded || arg == "-" || !arg.starts_with('-')) {
      options.paths.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--json" || arg == "--csv") {
      const Form form = arg == "--json" ? Form::json : Form::csv;
      if (options.form != Form::text && options.form != form) return usageError("--json and --csv are two forms: give one");
      options.form = form;
    } else if (arg == "--records") {
      options.records = true;
    } else if (arg == "--diff") {
      if (options.action == Action::show) options.action = Action::diff;
    } else if (arg == "--help" || arg == "-h") {
      options.action = Action::help;
    } else if (arg == "--version") {
      if (options.action != Action::help) options.action = Action::version;
    } else if (arg == "--schema") {
      if (options.action == Action::show) options.action = Action::schema;
    } else {
      return usageError("unknown option " + arg);
    }
  }
  if (options.action == Action::show && options.paths.empty()) {
    return usageError("no PATH given");
  }
  if (options.action == Action::diff && options.paths.size() != 2) {
    return usageError("--diff compares two replays, A and B");
  }
  if (options.action == Action::diff && options.paths[0] == "-" && options.paths[1] == "-") {
    return usageError("--diff reads standard input for one of A and B, not both");
  }
  if (options.action == Action::diff && (options.form == Form::csv || options.records)) {
    return usageError("--diff compares two replays as text or JSON, not with --csv or --records");
  }
  return options;
}

// The folder's path with what comes before the names of its files.
std::string folderPrefix(const std::string& folder) {
  const bool endsInSeparator = !folder.empty() && (folder.back() == '/' || folder.back() == kSeparator);
  return endsInSeparator ? folder : folder + kSeparator;
}

replay::PathStatus statusOf(const std::string& path) {
  const auto native = nativePath(path);
  if (!native) return {replay::PathKind::missing, EILSEQ};
  return replay::pathStatus(*native);
}

class Run {
 public:
  Run(const Options& options, const Streams& streams) : options_(options), streams_(streams) {}

  int diff() {
    const view::WindowContent* loaded = load(options_.paths[0]);
    if (loaded == nullptr) return kTrouble;
    const view::WindowContent a = *loaded;  // the next load fills the same content
    const view::WindowContent* b = load(options_.paths[1]);
    if (b == nullptr) return kTrouble;
    const std::vector<report::Difference> found = report::differences(a, *b);
    block_.clear();
    if (options_.form == Form::json) {
      report::appendDiffJson(block_, a, *b, found);
    } else {
      report::appendDiffText(block_, a, *b, found);
    }
    if (write(block_) && std::fflush(streams_.out) != 0) writeFailed();
    if (anyFailed_) return kTrouble;
    return found.empty() ? 0 : 1;
  }

  int run() {
    bool goOn = true;
    if (options_.form == Form::csv && !options_.records) {
      report::appendCsvHeader(block_);
      goOn = write(block_);
    }
    for (auto path = options_.paths.begin(); goOn && path != options_.paths.end(); ++path) goOn = showArgument(*path);
    if (goOn && options_.records) writeRecords();
    if (!outputClosed_ && std::fflush(streams_.out) != 0) writeFailed();
    return anyFailed_ ? 1 : 0;
  }

 private:
  // Each show* is false once output can no longer be written.
  bool showArgument(const std::string& path) {
    if (path == "-") return show(load(path));
    const replay::PathStatus status = statusOf(path);
    if (status.kind == replay::PathKind::folder) return showFolder(path);
    return show(loadFile(path, status));
  }

  // Depth first, in path order. Each file is opened relative to its open
  // folder, so the system looks up one name instead of the whole path; in a
  // folder of many, the files are read ahead on a second thread.
  bool showFolder(const std::string& folder) {
    std::optional<FolderListing> listing;
    try {
      std::error_code ec;
      listing.emplace(folder, ec);
      if (ec) {
        fail(folder, ec.message());
        return true;
      }
    } catch (const std::exception& error) {  // a name the system cannot convert
      fail(folder, error.what());
      return true;
    }
    return showEntries(folder, listing->entries());
  }

  bool showEntries(const std::string& folder, const std::vector<FolderListing::Entry>& entries) {
    const OpenFolder open(nativePath(folder).value_or(replay::NativePath{}));
    std::vector<std::string_view> files;
    for (const FolderListing::Entry& entry : entries) {
      if (!entry.isFolder) files.push_back(entry.name);
    }
    const std::string prefix = folderPrefix(folder);
    replay::NativePath nativeName, native;  // kept for the next file: one thread reads them all
    std::string readPath;
    const auto readFile = [&](std::size_t index, ReadBuffer buffer) {
      readPath.assign(prefix).append(files[index]);
      if (!assignNativePath(nativeName, files[index]) || !assignNativePath(native, readPath)) {
        return ReadResult{-1, EILSEQ};
      }
      return open.readFileStart(nativeName, native, buffer);
    };
    std::optional<ReadAhead> ahead;
    if (files.size() >= kFilesWorthAReader) ahead.emplace(files.size(), readFile);
    std::size_t index = 0;
    std::string entryPath;
    for (const FolderListing::Entry& entry : entries) {
      const std::string& path = entryPath.assign(prefix).append(entry.name);
      if (entry.isFolder) {
        if (!showFolder(path)) return false;
        continue;
      }
      const std::size_t file = index++;
      const ReadAhead::File read = ahead ? ahead->next() : ReadAhead::File{};
      const bool goOn = show(ahead ? decode(path, read.bytes->data(), read.got)
                                   : load(path, [&](ReadBuffer buffer) { return readFile(file, buffer); }));
      if (!goOn) return false;
    }
    return true;
  }

  bool show(const view::WindowContent* content) {
    if (content == nullptr) return true;
    if (options_.records) {
      merge_.add(*content);
      return true;
    }
    block_.clear();
    if (options_.form == Form::json) {
      report::appendJsonLine(block_, *content);
    } else if (options_.form == Form::csv) {
      report::appendCsvRow(block_, *content);
    } else {
      report::appendTextView(block_, *content);
    }
    return write(block_);
  }

  // Reads the start of the file once and decodes it.
  template <typename Read>
  const view::WindowContent* load(const std::string& path, Read read) {
    std::array<unsigned char, replay::layout::kBytesUsed> buffer;
    return decode(path, buffer.data(), read(ReadBuffer(buffer)));
  }

  // Decodes the three passes from the one buffer into the content, filled
  // in place: one file's values never reach the next. Good until the next.
  const view::WindowContent* decode(const std::string& path, const unsigned char* bytes, const ReadResult& got) {
    if (got.bytesHeld < 0) {
      fail(path, std::strerror(got.error));
      return nullptr;
    }
    const replay::DecodedReplay decoded =
        replay::decodeFile(replay::ReplayBytes(bytes, static_cast<std::size_t>(got.bytesHeld)));
    if (!decoded.gearsComplete) {
      std::fputs(replay::kGearRatioError, streams_.err);
      note(path, std::string(replay::kGearNote));
    }
    view::fillWindowContent(content_, path, decoded);
    return &content_;
  }

  const view::WindowContent* load(const std::string& path) {
    if (path == "-") return load(path, [&](ReadBuffer buffer) { return replay::readStreamStart(streams_.in, buffer); });
    return loadFile(path, statusOf(path));
  }

  // A path already asked about once: the answer is not asked for again.
  const view::WindowContent* loadFile(const std::string& path, const replay::PathStatus& status) {
    if (status.kind == replay::PathKind::missing) {
      fail(path, std::strerror(status.error));
      return nullptr;
    }
    return load(path, [&](ReadBuffer buffer) { return replay::readFileStart(*nativePath(path), buffer); });
  }

  void writeRecords() {
    block_.clear();
    if (options_.form == Form::json) {
      report::appendRecordsJson(block_, merge_);
    } else if (options_.form == Form::csv) {
      report::appendRecordsCsv(block_, merge_);
    } else {
      report::appendRecordsText(block_, merge_);
    }
    write(block_);
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

  void fail(const std::string& path, const std::string& reason) {
    anyFailed_ = true;
    note(path, reason);
  }

  // One line per problem, naming the path, so that a batch user knows
  // which file it was. Output so far goes first, to keep the two in order.
  void note(const std::string& path, const std::string& message) const {
    std::fflush(streams_.out);
    std::string line = "vantor-info: ";
    view::appendValidUtf8(line, path);
    line += ": " + message + '\n';
    std::fputs(line.c_str(), streams_.err);
  }

  const Options& options_;
  const Streams& streams_;
  std::string block_;
  view::WindowContent content_;  // the last file's, its room kept for the next
  report::RecordMerge merge_;
  bool anyFailed_ = false;
  bool outputClosed_ = false;
};

void put(std::string_view text, std::FILE* stream) { std::fwrite(text.data(), 1, text.size(), stream); }

}  // namespace

int runVantorInfo(std::span<const std::string> args, const Streams& streams) {
  const Options options = parseOptions(args);
  switch (options.action) {
    case Action::help:
      put(usage(), streams.out);
      return 0;
    case Action::version:
      std::fputs("vantor-info " VANTOR_VERSION "\n", streams.out);
      return 0;
    case Action::schema:
      std::fputs(report::kJsonSchema, streams.out);
      return 0;
    case Action::usageError:
      put("vantor-info: " + options.problem + "; see vantor-info --help\n", streams.err);
      return kTrouble;
    case Action::diff:
      return Run(options, streams).diff();
    case Action::show:
      break;
  }
  return Run(options, streams).run();
}

}  // namespace vantor::cli
