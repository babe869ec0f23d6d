#include "replay/tables.h"

#include <array>
#include <charconv>
#include <cstddef>

namespace vantor::replay {
namespace {

constexpr std::array<TrackEntry, 14> kTracks = {{
    {"alps", "Alps"},
    {"Forest", "Schwarzwald"},
    {"foothills", "Pyr\xE8n\xE8"
                  "es"},
    {"castle", "Auvergne"},
    {"farmland", "Normandie"},
    {"canyon", "Corsica"},
    {"coastal", "C\xF4te d'Azur"},
    {"industrial", "Zone Industrielle"},
    {"AutoBahn", "Autobahn"},
    {"monaco1", "Monte Carlo Circuit 1"},
    {"monaco2", "Monte Carlo Circuit 2"},
    {"monaco3", "Monte Carlo Circuit 3"},
    {"monaco4", "Monte Carlo Circuit 4"},
    {"monaco5", "Monte Carlo Circuit 5"},
}};

// Indexed by mirrored * 2 + backward.
constexpr std::array<std::string_view, 4> kDirections = {
    "Forward", "Backward", "Forward/Mirrored", "Backward/Mirrored"};

constexpr std::array<GearStep, 21> kGearSteps = {{
    {"-0.05", -3276},  {"-0.10", -6553},  {"-0.15", -9830},  {"-0.20", -13107},
    {"-0.25", -16384}, {"-0.30", -19660}, {"-0.35", -22937}, {"-0.40", -26214},
    {"-0.45", -29491}, {"-0.50", -32768}, {"0.00", 0},       {"0.05", 3276},
    {"0.10", 6553},    {"0.15", 9830},    {"0.20", 13107},   {"0.25", 16384},
    {"0.30", 19660},   {"0.35", 22937},   {"0.40", 26214},   {"0.45", 29491},
    {"0.50", 32768},
}};

constexpr bool isFlag(std::int32_t value) { return value == 0 || value == 1; }

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
char* twoDigits(char* at, int value) {
  if (value >= 0 && value < 100) {
    *at++ = static_cast<char>('0' + value / 10);
    *at++ = static_cast<char>('0' + value % 10);
    return at;
  }
  return std::to_chars(at, at + 11, value).ptr;
}

}  // namespace

std::optional<std::string_view> trackDisplayName(std::string_view key) {
  for (const TrackEntry& track : kTracks) {
    if (track.key == key) return track.displayName;
  }
  return std::nullopt;
}

bool isMonteCarloKey(std::string_view key) {
  constexpr std::string_view kPrefix = "monaco";
  // A bounded comparison that ends at the first NUL: a shorter key ends
  // where the prefix still has letters, and differs there.
  for (std::size_t i = 0; i < kPrefix.size(); ++i) {
    if (i >= key.size() || key[i] == '\0') return false;
    if (asciiLower(key[i]) != kPrefix[i]) return false;
  }
  return true;
}

std::optional<std::string_view> directionFor(std::int32_t mirrored, std::int32_t backward) {
  if (!isFlag(mirrored) || !isFlag(backward)) return std::nullopt;
  return kDirections[static_cast<std::size_t>(mirrored) * 2 + static_cast<std::size_t>(backward)];
}

int gearStepIndex(std::int32_t value) {
  // The steps lie 3276.8 apart: the nearest one is worked out, then checked.
  const std::int64_t size = value < 0 ? -static_cast<std::int64_t>(value) : value;
  const std::int64_t steps = (size * 10 + 16384) / 32768;
  if (steps > 10) return -1;
  if (steps == 0 && value != 0) return -1;
  const auto index = static_cast<std::size_t>(value < 0 ? steps - 1 : steps + 10);
  return kGearSteps[index].key == value ? static_cast<int>(index) : -1;
}

std::string_view gearStepText(int index) { return kGearSteps.at(static_cast<std::size_t>(index)).text; }

TimeText recordTimeText(std::int32_t rawTime) {
  const std::int32_t c = hundredths(rawTime);
  // The last two characters of c's text are the hundredths, the rest the
  // seconds. From 10 up that is plain arithmetic; below, the split is made
  // on the text, so a minus sign can land on either side.
  int s = c / 100;
  int h = c % 100;
  if (c < 10) {
    char digits[12];
    const std::string_view text(digits, std::to_chars(digits, digits + sizeof digits, c).ptr);
    h = static_cast<int>(c);
    s = 0;
    if (text.size() >= 2) {
      h = decimalValue(text.substr(text.size() - 2));
      s = decimalValue(text.substr(0, text.size() - 2));
    }
  }
  // Written in place: the batch tool makes eight of these a replay. The
  // longest is 15 characters: minutes of at most 7, the others of 3.
  TimeText result;
  char* at = twoDigits(result.bytes.data(), s / 60);
  *at++ = ':';
  at = twoDigits(at, s % 60);
  *at++ = ':';
  twoDigits(at, h);
  return result;
}

}  // namespace vantor::replay
