// One to three replays decoded one after the other into one ReplayInfo:
// each decode is checked against a plain statement of what it takes from
// the file and keeps of what the record held (a load starts from an empty
// record, so there what it keeps is zeros), and the last replay's JSON
// line must be valid.
#include <fuzzer/FuzzedDataProvider.h>
#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <type_traits>

#include "report/json_line.h"
#include "replay/decode.h"
#include "replay/layout.h"
#include "replay/reader.h"
#include "replay/tables.h"
#include "view/window_content.h"

namespace {

using namespace vantor;
namespace layout = replay::layout;
using Bytes = std::vector<std::uint8_t>;

void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

// Byte i of a field comes from the file when the file has it, else it
// keeps what the field held.
template <typename Int>
Int overlaid(Int before, const Bytes& file, std::size_t offset) {
  using Unsigned = std::make_unsigned_t<Int>;
  std::uint64_t bits = static_cast<Unsigned>(before);
  for (std::size_t i = 0; i < sizeof(Int) && offset + i < file.size(); ++i)
    bits = (bits & ~(std::uint64_t{0xFF} << (8 * i))) | std::uint64_t{file[offset + i]} << (8 * i);
  return static_cast<Int>(static_cast<Unsigned>(bits));
}

template <std::size_t W>
void overlay(replay::FixedText<W>& text, const Bytes& file, std::size_t offset) {
  for (std::size_t i = 0; i < W && offset + i < file.size(); ++i) text.bytes[i] = static_cast<char>(file[offset + i]);
}

// Values read through a temporary: missing bytes are zero.
std::int32_t zeroFilled(const Bytes& file, std::size_t offset) { return overlaid<std::int32_t>(0, file, offset); }

replay::ReplayInfo expectedAfterLoad(replay::ReplayInfo info, const Bytes& file) {
  for (std::size_t slot = 0; slot < replay::kGearSlotCount; ++slot) {
    const int index = replay::gearStepIndex(zeroFilled(file, layout::kGearSlotOffsets[slot]));
    if (index < 0) break;
    info.gears[slot].text.assign(replay::gearStepText(index));
  }
  overlay(info.driverName, file, layout::kDriverName);
  char key[layout::kTrackKeyWidth + 1] = {};
  for (std::size_t i = 0; i < layout::kTrackKeyWidth && layout::kTrackKey + i < file.size(); ++i)
    key[i] = static_cast<char>(file[layout::kTrackKey + i]);
  if (const auto name = replay::trackDisplayName(key)) info.trackName.assign(*name);
  info.isMonteCarlo = ::strncasecmp(key, "monaco", 6) == 0;  // the C library's own, in the "C" locale
  info.tyrePressureLeft = overlaid(info.tyrePressureLeft, file, layout::kTyrePressureLeft);
  info.tyrePressureRight = overlaid(info.tyrePressureRight, file, layout::kTyrePressureRight);
  info.downforceLeft = overlaid(info.downforceLeft, file, layout::kDownforceLeft);
  info.downforceRight = overlaid(info.downforceRight, file, layout::kDownforceRight);
  info.rideHeight = overlaid(info.rideHeight, file, layout::kRideHeight);
  info.shockTravel = overlaid(info.shockTravel, file, layout::kShockTravel);
  info.toeIn = overlaid(info.toeIn, file, layout::kToeIn);
  info.brakeBalance = overlaid(info.brakeBalance, file, layout::kBrakeBalance);
  info.automaticTransmission = overlaid(info.automaticTransmission, file, layout::kAutomatic);
  info.damage = overlaid(info.damage, file, layout::kDamage);
  info.shockStiffness = zeroFilled(file, layout::kShockStiffness);
  overlay(info.carName, file, layout::kCarName);
  if (const auto text = replay::directionFor(zeroFilled(file, layout::kMirrored), zeroFilled(file, layout::kBackward))) {
    info.directionText = *text;
  }
  info.lapsText.assign(std::to_string(zeroFilled(file, layout::kLaps)));
  const std::size_t times = info.isMonteCarlo ? layout::kMonteCarloTimes : layout::kOtherTimes;
  for (std::size_t i = 0; i < replay::kRecordCount; ++i) {
    replay::RecordRow& row = info.records[i];
    row.rawTime = overlaid(row.rawTime, file, times + 4 * i);
    row.timeText = replay::recordTimeText(row.rawTime);
    overlay(row.name, file, layout::kRecordNames + layout::kRecordTextWidth * i);
    overlay(row.car, file, layout::kRecordCars + layout::kRecordTextWidth * i);
  }
  return info;
}

// Whatever bytes the replay held, its JSON line is one line of valid JSON,
// as a JSON library of its own judges it.
void checkJsonLine(const view::WindowContent& content) {
  std::string line;
  report::appendJsonLine(line, content);
  require(line.find('\n') == line.size() - 1 && nlohmann::json::accept(line), "one line of valid JSON");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* const messages = std::fopen("/dev/null", "wb");
  FuzzedDataProvider input(data, size);
  const int loads = input.ConsumeIntegralInRange(1, 3);
  replay::ReplayInfo info;
  Bytes lastFile;
  for (int i = 0; i < loads; ++i) {
    const bool last = i + 1 == loads;
    const Bytes file = last ? input.ConsumeRemainingBytes<std::uint8_t>()
                            : input.ConsumeBytes<std::uint8_t>(input.ConsumeIntegralInRange<std::size_t>(0, 6000));
    const replay::ReplayInfo expected = expectedAfterLoad(info, file);
    replay::decodeReplay(file, info, messages);
    require(info == expected, "what a load keeps and what it takes from the file");
    lastFile = file;
  }
  const replay::DecodedReplay last{info, lastFile.size(), true, replay::heldValues(lastFile, info.isMonteCarlo)};
  checkJsonLine(view::makeWindowContent("C:\\Replays\\last.rpl", last));
  return 0;
}
