#include "report/json_line.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "report/text_view.h"
#include "view/byte_words.h"
#include "view/utf8_text.h"

namespace vantor::report {
namespace {

// What a byte becomes inside a JSON string, worked out at compile time as
// fixed 8-byte pieces that are copied whole: a control character its
// escape (a short one where JSON has one, else \u00XX), a quote or a
// backslash escaped, any other byte itself or, from Windows-1252, its
// UTF-8 form.
struct Piece {
  std::array<char, 7> bytes{};
  std::uint8_t size = 0;
};

constexpr Piece escapedOrSame(std::size_t b) {
  const auto shortForm = [](char c) { return Piece{{'\\', c, 0, 0, 0, 0, 0}, 2}; };
  switch (b) {
    case '\b': return shortForm('b');
    case '\f': return shortForm('f');
    case '\n': return shortForm('n');
    case '\r': return shortForm('r');
    case '\t': return shortForm('t');
    case '"': return shortForm('"');
    case '\\': return shortForm('\\');
    default: break;
  }
  constexpr char kHex[] = "0123456789abcdef";
  if (b < 0x20) return {{'\\', 'u', '0', '0', kHex[b >> 4], kHex[b & 0xF], 0}, 6};
  return {{static_cast<char>(b), 0, 0, 0, 0, 0, 0}, 1};
}

using PieceTable = std::array<Piece, 256>;

constexpr PieceTable kFromUtf8 = [] {
  PieceTable table{};
  for (std::size_t b = 0; b < 256; ++b) table[b] = escapedOrSame(b);
  return table;
}();

constexpr PieceTable kFromWindows1252 = [] {
  PieceTable table = kFromUtf8;
  for (std::size_t b = 0x80; b < 256; ++b) {
    const view::Utf8Bytes& e = view::kWindows1252Utf8[b];
    table[b] = {{e.bytes[0], e.bytes[1], e.bytes[2], 0, 0, 0, 0}, e.size};
  }
  return table;
}();

// The most one input byte can become, and room for a whole piece to be
// copied at the very end.
constexpr std::size_t kWorstPerByte = 6;
constexpr std::size_t kSlack = sizeof(Piece::bytes);

// Writes the line into room sized beforehand for the worst case: on the
// stack when it fits (nearly every line), else in the string, which then
// grows once. The batch tool writes a line for every one of thousands of
// files. Every append first checks that it fits (a text once, for its
// worst case) and stops the program rather than write past the room: a
// key added without its room is a bug to see at once, not memory to
// overwrite in a release build. finish() hands the line over.
class LineWriter {
 public:
  LineWriter(std::string& out, std::size_t most) : out_(out) {
    if (most + kSlack <= stack_.size()) {
      at_ = stack_.data();
    } else {
      start_ = out_.size();
      out_.resize(start_ + most + kSlack);
      at_ = out_.data() + start_;
    }
    begin_ = at_;
    end_ = at_ + most;
  }
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  ~LineWriter() = default;

  void finish() {
    const auto written = static_cast<std::size_t>(at_ - begin_);
    if (begin_ == stack_.data()) {
      out_.append(begin_, written);
    } else {
      out_.resize(start_ + written);
    }
  }

  void put(char c) {
    room(1);
    *at_++ = c;
  }
  void put(std::string_view text) {
    room(text.size());
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
  }
  void number(std::int64_t value) {
    constexpr std::size_t kLongest = 20;  // "-9223372036854775808"
    room(kLongest);
    at_ = std::to_chars(at_, at_ + kLongest, value).ptr;
  }
  // UTF-8 bytes, already valid, as a JSON string.
  void utf8(std::string_view bytes) { string(bytes, kFromUtf8, true); }

  // Windows-1252 bytes as a JSON string.
  void text(std::string_view windows1252) { string(windows1252, kFromWindows1252, false); }
  // A value the file does not hold is null.
  void textOrNull(const view::Held<std::string>& windows1252) {
    if (windows1252) {
      text(*windows1252);
    } else {
      put("null");
    }
  }
  template <typename Int>
  void numberOrNull(const view::Held<Int>& value) {
    if (value) {
      number(*value);
    } else {
      put("null");
    }
  }
  // A stored integer already in decimal: a JSON number as it stands.
  void decimal(const view::Held<std::string>& digits) { put(digits ? std::string_view(*digits) : "null"); }

  // ,"name": — the comma goes before every key but an object's first. A
  // literal's size is known when compiling, so each piece is a fixed copy.
  template <std::size_t N>
  void key(const char (&name)[N]) {
    room(N + 3);
    std::memcpy(at_, ",\"", 2);
    std::memcpy(at_ + 2, name, N - 1);
    std::memcpy(at_ + N + 1, "\":", 2);
    at_ += N + 3;
  }
  template <std::size_t N>
  void firstKey(const char (&name)[N]) {
    key(name);
    at_[-static_cast<std::ptrdiff_t>(N + 3)] = '{';  // {"name": opens the object
  }
  // The same for a key known only when the program runs.
  void key(std::string_view name, bool first = false) {
    room(name.size() + 4);
    if (!first) *at_++ = ',';
    *at_++ = '"';
    std::memcpy(at_, name.data(), name.size());
    at_ += name.size();
    *at_++ = '"';
    *at_++ = ':';
  }

 private:
  void string(std::string_view bytes, const PieceTable& pieces, bool highBytesAsThey) {
    room(kWorstPerByte * bytes.size() + 2);
    *at_++ = '"';
    const char* from = bytes.data();
    const char* const end = from + bytes.size();
    while (from != end) {
      // Most names are plain ASCII: eight bytes at a time go through as
      // they are, and only a word that holds a byte to change goes byte by byte.
      if (end - from >= 8 && !needsWork(view::words::load(from), highBytesAsThey)) {
        std::memcpy(at_, from, 8);
        at_ += 8;
        from += 8;
        continue;
      }
      const Piece& piece = pieces[static_cast<unsigned char>(*from++)];
      std::memcpy(at_, piece.bytes.data(), piece.bytes.size());
      at_ += piece.size;
    }
    *at_++ = '"';
  }

  // Whether any of the eight bytes is a control character, a quote or a
  // backslash, or, unless they go through as they are, at or past 0x80.
  static bool needsWork(std::uint64_t word, bool highBytesAsThey) {
    using namespace view::words;
    return anyBelow(word, 0x20) || anyEqual(word, '"') || anyEqual(word, '\\') ||
           (!highBytesAsThey && anyHigh(word));
  }

  void room(std::size_t bytes) const {
    if (bytes > static_cast<std::size_t>(end_ - at_)) [[unlikely]] {
      std::fputs("internal error: a JSON line outgrew the room reserved for it\n", stderr);
      std::abort();
    }
  }

  std::string& out_;
  std::size_t start_ = 0;
  std::array<char, 8192> stack_;  // left unset: only what is written is read
  char* begin_ = nullptr;
  char* at_ = nullptr;
  const char* end_ = nullptr;  // of the room; the slack past it only takes whole-piece copies
};

// Everything but the texts and the path: keys, numbers, punctuation. They
// come to at most about 1,200 bytes a line; the rest is headroom for keys
// to come, and the writer's checks stop the program should they outgrow it.
constexpr std::size_t kFixedPart = 2048;

std::size_t bytesOf(const view::Held<std::string>& text) { return text ? text->size() : 0; }

std::size_t recordBytes(const view::RecordRowTexts& row) {
  return bytesOf(row.name) + bytesOf(row.car) + bytesOf(row.time);
}

std::size_t textBytes(const view::WindowContent& content) {
  std::size_t n = bytesOf(content.track) + bytesOf(content.driver) + bytesOf(content.car) +
                  bytesOf(content.direction) + bytesOf(content.laps);
  for (const auto& gear : content.gears) n += bytesOf(gear);
  for (const view::RecordRowTexts& row : content.records) n += recordBytes(row);
  return n;
}

void writePair(LineWriter& line, const view::Held<std::string>& left, const view::Held<std::string>& right) {
  line.put('[');
  line.decimal(left);
  line.put(',');
  line.decimal(right);
  line.put(']');
}

// The five tuning settings by key: their slider positions or their stored values.
template <typename Value>
void writeTuning(LineWriter& line, const view::WindowContent& content, Value view::TuningValue::*value) {
  line.put('{');
  for (std::size_t i = 0; i < view::kTuningFields.size(); ++i) {
    line.key(view::kTuningFields[i].key, i == 0);
    const view::Held<view::TuningValue>& tuning = content.tuning[i];
    line.numberOrNull(tuning ? view::Held<Value>((*tuning).*value) : std::nullopt);
  }
  line.put('}');
}

void writeGears(LineWriter& line, const view::WindowContent& content) {
  line.put('[');
  for (std::size_t i = 0; i < content.gears.size(); ++i) {
    if (i > 0) line.put(',');
    line.textOrNull(content.gears[i]);
  }
  line.put(']');
}

void writeRecord(LineWriter& line, const view::RecordRowTexts& row) {
  line.firstKey("place");
  line.put(row.place);
  line.key("name");
  line.textOrNull(row.name);
  line.key("car");
  line.textOrNull(row.car);
  line.key("time");
  line.textOrNull(row.time);
  line.key("rawTime");
  line.numberOrNull(row.rawTime);
  line.put('}');
}

void writeRecords(LineWriter& line, const view::WindowContent& content) {
  line.put('[');
  for (std::size_t i = 0; i < content.records.size(); ++i) {
    if (i > 0) line.put(',');
    writeRecord(line, content.records[i]);
  }
  line.put(']');
}

}  // namespace

void appendJsonText(std::string& out, const view::Held<std::string>& windows1252) {
  LineWriter line(out, kWorstPerByte * bytesOf(windows1252) + 4);
  line.textOrNull(windows1252);
  line.finish();
}

void appendJsonPath(std::string& out, std::string_view bytes) {
  std::string room;
  const std::string_view valid = view::validUtf8(bytes, room);
  LineWriter line(out, kWorstPerByte * valid.size() + 2);
  line.utf8(valid);
  line.finish();
}

void appendJsonRecord(std::string& out, const view::RecordRowTexts& row) {
  LineWriter line(out, kFixedPart + kWorstPerByte * recordBytes(row));
  writeRecord(line, row);
  line.finish();
}

void appendJsonLine(std::string& out, const view::WindowContent& content) {
  // The path and caption are the system's bytes: made valid UTF-8 first
  // (a bad byte becomes a 3-byte U+FFFD), then escaped.
  std::string pathRoom, captionRoom;
  const std::string_view validPath = view::validUtf8(content.path, pathRoom);
  const std::string_view validCaption = view::validUtf8(content.caption, captionRoom);

  LineWriter line(out, kFixedPart + kWorstPerByte * (validPath.size() + validCaption.size() + textBytes(content)));
  line.firstKey("path");
  line.utf8(validPath);
  line.key("caption");
  line.utf8(validCaption);
  line.key("track");
  line.textOrNull(content.track);
  line.key("driver");
  line.textOrNull(content.driver);
  line.key("car");
  line.textOrNull(content.car);
  line.key("direction");
  line.textOrNull(content.direction);
  line.key("laps");
  line.decimal(content.laps);
  line.key("gears");
  writeGears(line, content);
  line.key("downforce");
  writePair(line, content.downforceLeft, content.downforceRight);
  line.key("tyrePressure");
  writePair(line, content.tyrePressureLeft, content.tyrePressureRight);
  line.key("sliders");
  writeTuning(line, content, &view::TuningValue::position);
  line.key("stored");
  writeTuning(line, content, &view::TuningValue::stored);
  line.key("automaticTransmission");
  line.numberOrNull(content.automaticTransmission);
  line.key("damage");
  line.numberOrNull(content.damage);
  line.key("isMonteCarlo");
  line.put(content.isMonteCarlo ? (*content.isMonteCarlo ? "true" : "false") : "null");
  line.key("bytesHeld");
  line.number(static_cast<std::int64_t>(content.bytesHeld));
  line.key("isCut");
  line.put(content.isCut() ? "true" : "false");
  line.key("records");
  writeRecords(line, content);
  line.key("format");
  line.number(kJsonFormat);
  line.put("}\n");
  line.finish();
}

}  // namespace vantor::report
