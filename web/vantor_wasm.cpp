// The core as the web page calls it: a file's first bytes and its name in,
// the JSON line, the list row's values taken from it and the gear message
// out; the text view and the --diff result only when a person asks for
// them. All are made by the very functions vantor-info prints with; the
// format's own facts come from here too, so that the page writes none of
// them again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "replay/decode.h"
#include "replay/layout.h"
#include "report/csv.h"
#include "report/diff.h"
#include "report/json_line.h"
#include "report/records.h"
#include "report/text_view.h"
#include "view/tuning.h"
#include "view/window_content.h"

namespace {

using vantor::view::WindowContent;

// Where the page finds what a call made: (address, byte count) pairs in
// the module's memory, valid until the next call, and for a row two more
// numbers. wasm32 addresses are 32 bits, as the page reads them.
struct Output {
  std::uint32_t at[4][2];
};

Output output;
std::string texts[3];

void publish(std::size_t slot, std::string&& text) {
  texts[slot] = std::move(text);
  output.at[slot][0] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(texts[slot].data()));
  output.at[slot][1] = static_cast<std::uint32_t>(texts[slot].size());
}

// Most calls answer with up to three texts.
const Output* answer(std::string first, std::string second = {}, std::string third = {}) {
  publish(0, std::move(first));
  publish(1, std::move(second));
  publish(2, std::move(third));
  return &output;
}

// Decodes into a fresh record, as vantor-info does for each file, with
// what vantor-info says of a file whose gears are not complete.
WindowContent decoded(const unsigned char* bytes, std::size_t size, const char* name, std::size_t nameSize,
                      std::string* message) {
  const vantor::replay::DecodedReplay replay = vantor::replay::decodeFile({bytes, size});
  if (!replay.gearsComplete && message != nullptr) {
    message->append(vantor::replay::kGearRatioError).append(vantor::replay::kGearNote).append("\n");
  }
  return vantor::view::makeWindowContent(std::string_view(name, nameSize), replay);
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

// One replay in a batch: [JSON line, where the list row's values lie in
// it, gear message, (bytes held, 1 when cut short + 2 when its track is
// none known)]. The values are the line's keys from "track" to "laps",
// which follow one another: the page parses them only for the rows it
// shows or sorts. Within a string every quote is escaped, so the first
// `,"track":` and `,"laps":` are the top-level keys.
__attribute__((export_name("row"))) const Output* row(const unsigned char* bytes, std::size_t size,
                                                      const char* name, std::size_t nameSize) {
  std::string message;
  const WindowContent content = decoded(bytes, size, name, nameSize, &message);
  std::string json;
  vantor::report::appendJsonLine(json, content);
  const std::size_t from = json.find(R"(,"track":)") + 1;
  const std::size_t values = from + std::string_view(R"("track":)").size();
  const std::size_t laps = json.find(R"(,"laps":)", from) + std::string_view(R"(,"laps":)").size();
  output.at[1][0] = static_cast<std::uint32_t>(from);
  output.at[1][1] = static_cast<std::uint32_t>(json.find_first_of(",}", laps));
  output.at[3][0] = static_cast<std::uint32_t>(content.bytesHeld);
  output.at[3][1] = (content.isCut() ? 1U : 0U) | (json.compare(values, 3, R"("",)") == 0 ? 2U : 0U);
  publish(0, std::move(json));
  publish(2, std::move(message));
  return &output;
}

// One replay's text view, for Copy: [text view, -, -].
__attribute__((export_name("text"))) const Output* text(const unsigned char* bytes, std::size_t size,
                                                        const char* name, std::size_t nameSize) {
  std::string view;
  vantor::report::appendTextView(view, decoded(bytes, size, name, nameSize, nullptr));
  return answer(std::move(view));
}

// Two replays: [--diff text, --diff --json object].
__attribute__((export_name("diff"))) const Output* diff(const unsigned char* bytesA, std::size_t sizeA,
                                                        const char* nameA, std::size_t nameSizeA,
                                                        const unsigned char* bytesB, std::size_t sizeB,
                                                        const char* nameB, std::size_t nameSizeB) {
  const WindowContent a = decoded(bytesA, sizeA, nameA, nameSizeA, nullptr);
  const WindowContent b = decoded(bytesB, sizeB, nameB, nameSizeB, nullptr);
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
__attribute__((export_name("csvRow"))) const Output* csvRow(const unsigned char* bytes, std::size_t size,
                                                            const char* name, std::size_t nameSize) {
  std::string row;
  vantor::report::appendCsvRow(row, decoded(bytes, size, name, nameSize, nullptr));
  return answer(std::move(row));
}

// Starts a new merge of best times.
__attribute__((export_name("recordsClear"))) void recordsClear() { merge = {}; }

// Adds one replay's record rows to the merge.
__attribute__((export_name("recordsAdd"))) void recordsAdd(const unsigned char* bytes, std::size_t size,
                                                           const char* name, std::size_t nameSize) {
  merge.add(decoded(bytes, size, name, nameSize, nullptr));
}

// [the merge as --records --json, -, its text's sentence on the rows left out]
__attribute__((export_name("records"))) const Output* records() {
  std::string json;
  vantor::report::appendRecordsJson(json, merge);
  return answer(std::move(json), {}, vantor::report::leftOutText(merge));
}

}  // extern "C"
