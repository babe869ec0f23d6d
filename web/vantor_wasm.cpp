// The core as the web page calls it: files' first bytes and names in, a
// batch at a time, and for each its JSON line, the list row's values taken
// from it and the gear message out; the text view and the --diff result
// only when a person asks for them. All are made by the very functions vantor-info prints with; the
// format's own facts come from here too, so that the page writes none of
// them again.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "replay/decode.h"
#include "replay/layout.h"
#include "report/csv.h"
#include "report/diff.h"
#include "report/json_line.h"
#include "report/records.h"
#include "report/text_view.h"
#include "view/tuning.h"
#include "view/window_content.h"
#include "web/vantor_wasm.h"

namespace {

using vantor::view::WindowContent;
using vantor::web::File;

// Where the page finds what a call made: (address, byte count) pairs in
// the module's memory, valid until the next call. wasm32 addresses are 32
// bits, as the page reads them.
struct Output {
  std::uint32_t at[3][2];
};

Output output;
std::string texts[3];

void point(std::size_t slot, const void* data, std::size_t size) {
  output.at[slot][0] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(data));
  output.at[slot][1] = static_cast<std::uint32_t>(size);
}

// Most calls answer with up to three texts.
const Output* answer(std::string first, std::string second = {}, std::string third = {}) {
  texts[0] = std::move(first);
  texts[1] = std::move(second);
  texts[2] = std::move(third);
  for (std::size_t slot = 0; slot < 3; ++slot) point(slot, texts[slot].data(), texts[slot].size());
  return &output;
}

// Decodes a file into a content kept from call to call, as vantor-info
// fills one for each file (once grown, its strings take no allocation),
// with what vantor-info says of a file whose gears are not complete.
WindowContent kept[2];

const WindowContent& filled(const File& file, std::string* message = nullptr, WindowContent& content = kept[0]) {
  const vantor::replay::DecodedReplay replay = vantor::replay::decodeFile({file.bytes, file.size});
  if (!replay.gearsComplete && message != nullptr) {
    message->append(vantor::replay::kGearRatioError).append(vantor::replay::kGearNote).append("\n");
  }
  vantor::view::fillWindowContent(content, std::string_view(file.name, file.nameSize), replay);
  return content;
}

// What the page reads of each row of a batch beside its line and message:
// where those end among the batch's, where the list row's values lie in
// the line, the bytes the file held, and 1 when it was cut short + 2 when
// its track is none known.
struct RowFacts {
  std::uint32_t lineEnd, messageEnd, valuesFrom, valuesTo, bytesHeld, flags;
};

// A batch's answers, kept from batch to batch so that, once grown, they
// take no allocation.
std::string lines, messages;
std::vector<RowFacts> made;

void addRow(const File& file) {
  const std::size_t start = lines.size();
  const WindowContent& content = filled(file, &messages);
  vantor::report::appendJsonLine(lines, content);
  const std::string_view line = std::string_view(lines).substr(start);
  const std::size_t from = line.find(R"(,"track":)") + 1;
  const std::size_t values = from + std::string_view(R"("track":)").size();
  const std::size_t laps = line.find(R"(,"laps":)", from) + std::string_view(R"(,"laps":)").size();
  made.push_back({static_cast<std::uint32_t>(lines.size()), static_cast<std::uint32_t>(messages.size()),
                  static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(line.find_first_of(",}", laps)),
                  static_cast<std::uint32_t>(content.bytesHeld),
                  (content.isCut() ? 1U : 0U) | (line.compare(values, 3, R"("",)") == 0 ? 2U : 0U)});
}

// {"bytesRead":N,"sliderMax":N,"tuning":[{"key":K,"label":L},...]}
std::string formatFacts() {
  std::string json = R"({"bytesRead":)" + std::to_string(vantor::replay::layout::kBytesUsed) +
                     R"(,"sliderMax":)" + std::to_string(vantor::view::SLIDER_MAX) + R"(,"tuning":[)";
  for (const vantor::view::TuningField& field : vantor::view::kTuningFields) {
    if (&field != vantor::view::kTuningFields.data()) json += ',';
    json += R"({"key":)";
    vantor::report::appendJsonText(json, std::string(field.key));
    json += R"(,"label":)";
    vantor::report::appendJsonText(json, std::string(field.sliderLabel));
    json += '}';
  }
  return json + "]}";
}

}  // namespace

extern "C" {

__attribute__((export_name("alloc"))) void* alloc(std::size_t size) { return std::malloc(size); }

__attribute__((export_name("release"))) void release(void* block) { std::free(block); }

// [the format's facts as JSON, -, -]
__attribute__((export_name("facts"))) const Output* facts() {
  return answer(formatFacts());
}

// A batch of replays: [their JSON lines one after another, a RowFacts for
// each, their gear messages one after another]. The list row's values are
// the line's keys from "track" to "laps", which follow one another: the
// page parses them only for the rows it shows or sorts. Within a string
// every quote is escaped, so the first `,"track":` and `,"laps":` are the
// top-level keys.
__attribute__((export_name("rows"))) const void* rows(const File* files, std::size_t count) {
  lines.clear();
  messages.clear();
  made.clear();
  for (const File& file : std::span(files, count)) addRow(file);
  point(0, lines.data(), lines.size());
  point(1, made.data(), made.size() * sizeof(RowFacts));
  point(2, messages.data(), messages.size());
  return &output;
}

// One replay's text view, for Copy: [text view, -, -].
__attribute__((export_name("text"))) const Output* text(const File* file) {
  std::string view;
  vantor::report::appendTextView(view, filled(*file));
  return answer(std::move(view));
}

// Two replays: [--diff text, --diff --json object].
__attribute__((export_name("diff"))) const Output* diff(const File* pair) {
  const WindowContent& a = filled(pair[0]);
  const WindowContent& b = filled(pair[1], nullptr, kept[1]);
  const auto found = vantor::report::differences(a, b);
  std::string text, json;
  vantor::report::appendDiffText(text, a, b, found);
  vantor::report::appendDiffJson(json, a, b, found);
  return answer(std::move(text), std::move(json));
}

}  // extern "C"

// ---- a collection: its spreadsheet and its merged best times ---------

namespace {
vantor::report::RecordMerge merge;
}  // namespace

extern "C" {

// [the CSV's byte order mark and header row, -, -]
__attribute__((export_name("csvHeader"))) const Output* csvHeader() {
  std::string header;
  vantor::report::appendCsvHeader(header);
  return answer(std::move(header));
}

// One replay: [its CSV row, -, -].
__attribute__((export_name("csvRow"))) const Output* csvRow(const File* file) {
  std::string row;
  vantor::report::appendCsvRow(row, filled(*file));
  return answer(std::move(row));
}

// Starts a new merge of best times.
__attribute__((export_name("recordsClear"))) void recordsClear() { merge = {}; }

// Adds one replay's record rows to the merge.
__attribute__((export_name("recordsAdd"))) void recordsAdd(const File* file) {
  merge.add(filled(*file));
}

// [the merge as --records --json, -, its text's sentence on the rows left out]
__attribute__((export_name("records"))) const Output* records() {
  std::string json;
  vantor::report::appendRecordsJson(json, merge);
  return answer(std::move(json), {}, vantor::report::leftOutText(merge));
}

}  // extern "C"
