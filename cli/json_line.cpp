#include "cli/json_line.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "cli/utf8_text.h"

namespace vantor::cli {
namespace {

// What one byte becomes inside a JSON string: an escape, its UTF-8 form,
// or itself. Entries are a fixed 8 bytes wide so that each is copied whole.
struct Piece {
  std::array<char, 8> bytes{};
  std::uint8_t size = 0;
};
using PieceTable = std::array<Piece, 256>;

constexpr Piece escaped(unsigned char b) {
  constexpr char kHex[] = "0123456789abcdef";
  Piece piece;
  const auto shortForm = [&](char c) {
    piece.bytes[0] = '\\';
    piece.bytes[1] = c;
    piece.size = 2;
  };
  switch (b) {
    case '"': shortForm('"'); break;
    case '\\': shortForm('\\'); break;
    case '\b': shortForm('b'); break;
    case '\f': shortForm('f'); break;
    case '\n': shortForm('n'); break;
    case '\r': shortForm('r'); break;
    case '\t': shortForm('t'); break;
    default:
      piece.bytes = {'\\', 'u', '0', '0', kHex[b >> 4], kHex[b & 0xF], 0, 0};
      piece.size = 6;
  }
  return piece;
}

constexpr bool needsEscape(unsigned char b) { return b == '"' || b == '\\' || b < 0x20; }

constexpr Piece utf8Piece(std::uint32_t codePoint) {
  const Utf8Bytes utf8 = utf8Encode(codePoint);
  Piece piece;
  for (std::size_t i = 0; i < utf8.size; ++i) piece.bytes[i] = utf8.bytes[i];
  piece.size = utf8.size;
  return piece;
}

// Windows-1252 bytes as JSON string content, worked out at compile time.
constexpr PieceTable kWindows1252Pieces = [] {
  PieceTable table{};
  for (std::uint32_t b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    table[b] = needsEscape(byte) ? escaped(byte) : utf8Piece(windows1252CodePoint(byte));
  }
  return table;
}();

// UTF-8 bytes as JSON string content: only ASCII controls, quotes and
// backslashes change.
constexpr PieceTable kUtf8Pieces = [] {
  PieceTable table{};
  for (std::uint32_t b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    if (needsEscape(byte)) {
      table[b] = escaped(byte);
    } else {
      table[b].bytes[0] = static_cast<char>(byte);
      table[b].size = 1;
    }
  }
  return table;
}();

// The most one input byte can become, and room for a whole piece to be
// copied at the very end.
constexpr std::size_t kWorstPerByte = 6;
constexpr std::size_t kSlack = sizeof(Piece::bytes);

// Writes the line into room sized beforehand for the worst case, so that
// no single append has to check for space: the batch tool writes a line
// for every one of thousands of files.
class LineWriter {
 public:
  LineWriter(std::string& out, std::size_t most) : out_(out), start_(out.size()) {
    out_.resize(start_ + most + kSlack);
    at_ = out_.data() + start_;
  }
  ~LineWriter() { out_.resize(static_cast<std::size_t>(at_ - out_.data())); }
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  void put(char c) { *at_++ = c; }
  void put(std::string_view text) {
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
  }
  void number(std::int64_t value) { at_ = std::to_chars(at_, at_ + 24, value).ptr; }
  void string(std::string_view bytes, const PieceTable& pieces) {
    put('"');
    for (const char c : bytes) {
      const Piece& piece = pieces[static_cast<unsigned char>(c)];
      std::memcpy(at_, piece.bytes.data(), piece.bytes.size());
      at_ += piece.size;
    }
    put('"');
  }
  void text(std::string_view windows1252) { string(windows1252, kWindows1252Pieces); }

  // "name": — the comma goes before every key but an object's first.
  void key(std::string_view name, bool first = false) {
    if (!first) put(',');
    put('"');
    put(name);
    put("\":");
  }

 private:
  std::string& out_;
  std::size_t start_;
  char* at_ = nullptr;
};

// Everything but the texts and the path: keys, numbers, punctuation.
constexpr std::size_t kFixedPart = 2048;

std::size_t textBytes(const view::WindowContent& content) {
  std::size_t n = content.track.size() + content.driver.size() + content.car.size() + content.direction.size() +
                  content.laps.size();
  for (const std::string& gear : content.gears) n += gear.size();
  for (const view::RecordRowTexts& row : content.records) n += row.name.size() + row.car.size() + row.time.size();
  return n;
}

void writePair(LineWriter& line, std::int32_t left, std::int32_t right) {
  line.put('[');
  line.number(left);
  line.put(',');
  line.number(right);
  line.put(']');
}

void writeSliders(LineWriter& line, const view::SliderPositions& sliders) {
  line.put('{');
  line.key("rideHeight", true);
  line.number(sliders.rideHeight);
  line.key("shockStiffness");
  line.number(sliders.shockStiffness);
  line.key("shockTravel");
  line.number(sliders.shockTravel);
  line.key("toeIn");
  line.number(sliders.toeIn);
  line.key("brakeBalance");
  line.number(sliders.brakeBalance);
  line.put('}');
}

void writeGears(LineWriter& line, const view::WindowContent& content) {
  line.put('[');
  for (std::size_t i = 0; i < content.gears.size(); ++i) {
    if (i > 0) line.put(',');
    line.text(content.gears[i]);
  }
  line.put(']');
}

void writeRecords(LineWriter& line, const view::WindowContent& content, const replay::ReplayInfo& info) {
  line.put('[');
  for (std::size_t i = 0; i < content.records.size(); ++i) {
    if (i > 0) line.put(',');
    const view::RecordRowTexts& row = content.records[i];
    line.put('{');
    line.key("place", true);
    line.number(static_cast<std::int64_t>(i + 1));
    line.key("name");
    line.text(row.name);
    line.key("car");
    line.text(row.car);
    line.key("time");
    line.text(row.time);
    line.key("rawTime");
    line.number(info.records[i].rawTime);
    line.put('}');
  }
  line.put(']');
}

}  // namespace

void appendJsonString(std::string& out, std::string_view utf8) {
  LineWriter line(out, utf8.size() * kWorstPerByte + 2);
  line.string(utf8, kUtf8Pieces);
}

void appendJsonLine(std::string& out, std::string_view path, const view::WindowContent& content,
                    const replay::ReplayInfo& info) {
  // The path and caption are the system's bytes: made valid UTF-8 first
  // (a bad byte becomes a 3-byte U+FFFD), then escaped.
  std::string systemText;
  appendValidUtf8(systemText, path);
  const std::size_t pathEnd = systemText.size();
  appendValidUtf8(systemText, content.caption);
  const std::string_view validPath = std::string_view(systemText).substr(0, pathEnd);
  const std::string_view validCaption = std::string_view(systemText).substr(pathEnd);

  LineWriter line(out, kFixedPart + kWorstPerByte * (systemText.size() + textBytes(content)));
  line.put('{');
  line.key("path", true);
  line.string(validPath, kUtf8Pieces);
  line.key("caption");
  line.string(validCaption, kUtf8Pieces);
  line.key("track");
  line.text(content.track);
  line.key("driver");
  line.text(content.driver);
  line.key("car");
  line.text(content.car);
  line.key("direction");
  line.text(content.direction);
  line.key("laps");
  line.text(content.laps);
  line.key("gears");
  writeGears(line, content);
  line.key("downforce");
  writePair(line, info.downforceLeft, info.downforceRight);
  line.key("tyrePressure");
  writePair(line, info.tyrePressureLeft, info.tyrePressureRight);
  line.key("sliders");
  writeSliders(line, content.sliders);
  line.key("automaticTransmission");
  line.number(content.automaticTransmission);
  line.key("damage");
  line.number(content.damage);
  line.key("isMonteCarlo");
  line.put(info.isMonteCarlo ? "true" : "false");
  line.key("records");
  writeRecords(line, content, info);
  line.key("format");
  line.number(kJsonFormat);
  line.put("}\n");
}

}  // namespace vantor::cli
