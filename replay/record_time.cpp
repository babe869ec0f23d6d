#include "replay/record_time.h"

#include <charconv>
#include <string_view>

namespace vantor::replay {
namespace {

// Hundredths of a second: truncated toward zero, then wrapped to 32 bits
// as the game does for times past about 248 days.
std::int32_t hundredths(std::int32_t rawTime) {
  const auto wide = static_cast<std::int64_t>(static_cast<double>(rawTime) * 1.5625);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

// A decimal number as atoi reads it; an empty text or a lone "-" is 0.
int decimalValue(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  int value = 0;
  for (char digit : text) value = value * 10 + (digit - '0');
  return negative ? -value : value;
}

// printf's "%02d": at least two characters, zero-padded after any sign.
void appendTwoDigits(std::string& out, int value) {
  if (value >= 0 && value < 10) out += '0';
  char digits[12];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

}  // namespace

std::string recordTimeText(std::int32_t rawTime) {
  const std::int32_t c = hundredths(rawTime);
  char digits[12];
  const std::string_view text(digits, std::to_chars(digits, digits + sizeof digits, c).ptr);

  // The last two characters are the hundredths, the rest the seconds; the
  // split is made on the text, so a minus sign can land on either side.
  int h = static_cast<int>(c);
  int s = 0;
  if (text.size() >= 2) {
    h = decimalValue(text.substr(text.size() - 2));
    s = decimalValue(text.substr(0, text.size() - 2));
  }

  std::string result;
  appendTwoDigits(result, s / 60);
  result += ':';
  appendTwoDigits(result, s % 60);
  result += ':';
  appendTwoDigits(result, h);
  return result;
}

}  // namespace vantor::replay
