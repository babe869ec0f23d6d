#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace vantor::report {

// Appends to a string through a pointer into a buffer on the stack, handed
// over whenever a piece would not fit and when the writer is gone. The
// text view writes about a hundred small pieces for each of thousands of
// replays; std::string would check and copy each on its own.
class TextWriter {
 public:
  explicit TextWriter(std::string& out) : out_(out) {}
  ~TextWriter() { flush(); }
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  void put(char c) {
    room(1);
    *at_++ = c;
  }
  void put(std::string_view text) {
    if (!fits(text.size())) [[unlikely]] {
      flush();
      out_.append(text);
      return;
    }
    room(text.size());
    std::memcpy(at_, text.data(), text.size());
    at_ += text.size();
  }
  void blanks(std::size_t count) {
    if (!fits(count)) [[unlikely]] {
      flush();
      out_.append(count, ' ');
      return;
    }
    room(count);
    std::memset(at_, ' ', count);
    at_ += count;
  }
  void number(std::int64_t value);

  // A Windows-1252 text as shown: UTF-8, control characters as U+FFFD.
  void shownText(std::string_view windows1252);
  // The same and blanks up to width: each byte shows as one character.
  void padded(std::string_view windows1252, std::size_t width) {
    shownText(windows1252);
    if (windows1252.size() < width) blanks(width - windows1252.size());
  }
  // A path or caption: invalid UTF-8 and control characters as U+FFFD.
  void shownPath(std::string_view bytes);

 private:
  // Pieces are at most a few times a text of the file or a path; a longer
  // one than the buffer goes out through the string.
  void room(std::size_t bytes) {
    if (bytes > static_cast<std::size_t>(buffer_.end() - at_)) [[unlikely]] flush();
  }
  [[nodiscard]] bool fits(std::size_t bytes) const { return bytes <= buffer_.size(); }
  void flush() {
    out_.append(buffer_.data(), static_cast<std::size_t>(at_ - buffer_.data()));
    at_ = buffer_.data();
  }

  std::string& out_;
  std::array<char, 4096> buffer_;  // left unset: only what is written is read
  char* at_ = buffer_.data();
};

}  // namespace vantor::report
