#include "replay/tracks.h"

#include <array>
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

// Folds A-Z only, as the "C" locale does; accented letters stay as they are.
constexpr char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

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
    if (foldAscii(key[i]) != kPrefix[i]) return false;
  }
  return true;
}

}  // namespace vantor::replay
