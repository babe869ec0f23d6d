// The core as the web page calls it: a file's first bytes and its name in,
// the text view, the JSON line, the --diff result and the gear message out,
// made by the very functions vantor-info prints with.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/diff.h"
#include "cli/json_line.h"
#include "replay/decode.h"
#include "view/text_view.h"
#include "view/window_content.h"

namespace {

using vantor::view::WindowContent;

// Where the page finds what a call made: (address, byte count) pairs in
// the module's memory, valid until the next call. wasm32 addresses are
// 32 bits, as the page reads them.
struct Output {
  std::uint32_t at[3][2];
};

Output output;
std::string texts[3];

void publish(std::size_t slot, std::string&& text) {
  texts[slot] = std::move(text);
  output.at[slot][0] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(texts[slot].data()));
  output.at[slot][1] = static_cast<std::uint32_t>(texts[slot].size());
}

// Decodes into a fresh record, as vantor-info does for each file; the gear
// pass's message is kept for the page to show beside the replay.
WindowContent decoded(const unsigned char* bytes, std::size_t size, const char* name, std::size_t nameSize,
                      std::string* message) {
  vantor::replay::ReplayInfo info;
  char written[64] = {};
  std::FILE* messages = fmemopen(written, sizeof written - 1, "w");
  const bool gearsComplete = vantor::replay::decodeReplay({bytes, size}, info, messages);
  std::fclose(messages);
  if (!gearsComplete && message != nullptr) {
    message->append(written).append("a gear ratio is not a known step: it and the gears after it are left empty\n");
  }
  return vantor::view::makeWindowContent(std::string_view(name, nameSize), info, size);
}

}  // namespace

extern "C" {

__attribute__((export_name("alloc"))) void* alloc(std::size_t size) { return std::malloc(size); }

__attribute__((export_name("release"))) void release(void* block) { std::free(block); }

// One replay: [text view, JSON line, gear message].
__attribute__((export_name("show"))) const Output* show(const unsigned char* bytes, std::size_t size,
                                                        const char* name, std::size_t nameSize) {
  std::string message;
  const WindowContent content = decoded(bytes, size, name, nameSize, &message);
  std::string text, json;
  vantor::view::appendTextView(text, content);
  vantor::cli::appendJsonLine(json, content);
  publish(0, std::move(text));
  publish(1, std::move(json));
  publish(2, std::move(message));
  return &output;
}

// Two replays: [--diff text, --diff --json object].
__attribute__((export_name("diff"))) const Output* diff(const unsigned char* bytesA, std::size_t sizeA,
                                                        const char* nameA, std::size_t nameSizeA,
                                                        const unsigned char* bytesB, std::size_t sizeB,
                                                        const char* nameB, std::size_t nameSizeB) {
  const WindowContent a = decoded(bytesA, sizeA, nameA, nameSizeA, nullptr);
  const WindowContent b = decoded(bytesB, sizeB, nameB, nameSizeB, nullptr);
  const auto found = vantor::cli::differences(a, b);
  std::string text, json;
  vantor::cli::appendDiffText(text, a, b, found);
  vantor::cli::appendDiffJson(json, a, b, found);
  publish(0, std::move(text));
  publish(1, std::move(json));
  publish(2, {});
  return &output;
}

}  // extern "C"
