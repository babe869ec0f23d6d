#include <gtest/gtest.h>

#include <string>

#include "replay/decode.h"
#include "report/records.h"
#include "tests/support/replay_builder.h"

namespace vantor::report {
namespace {

using testing::sampleReplay;

struct Merged {
  std::string name;
  std::size_t files;
  std::string firstPath;
  friend bool operator==(const Merged&, const Merged&) = default;
};

// Duplicates across files count once; equal times keep the order first
// seen; a direction is a track of its own; rows a cut file does not hold
// make no record.
TEST(RecordMerge, KeepsEachDistinctRecordOnceBestFirstForEachTrackAndDirection) {
  RecordMerge merge;
  const auto add = [&](const std::string& path, const testing::ReplayBuilder& replay, std::size_t size = SIZE_MAX) {
    merge.add(view::makeWindowContent(path, replay::decodeFile(replay.firstBytes(size))));
  };
  auto renamed = sampleReplay(), forward = sampleReplay(), alps = sampleReplay();
  add("a.rpl", sampleReplay().otherTrackTime(7, 1));
  add("b.rpl", renamed.recordName(0, "Zed"));
  add("c.rpl", forward.backward(0));
  add("d.rpl", alps.trackKey("alps"), 560);  // holds two rows' cars of eight
  const std::vector<TrackRecords> tracks = merge.tracks();
  ASSERT_EQ(tracks.size(), 3u);
  EXPECT_EQ(tracks[0].track + "/" + tracks[0].direction, "Alps/Backward");
  EXPECT_EQ(tracks[1].track + "/" + tracks[1].direction, "C\xF4te d'Azur/Backward");
  EXPECT_EQ(tracks[2].direction, "Forward");
  EXPECT_EQ(merge.leftOut(), 6u);
  EXPECT_EQ(tracks[0].records.size(), 2u);
  std::vector<Merged> backward;
  for (const MergedRecord& r : tracks[1].records) backward.push_back({r.name, r.files, r.firstPath});
  EXPECT_EQ(backward, (std::vector<Merged>{{"Hana Ito", 1, "a.rpl"},
                                           {"Ada Roux", 1, "a.rpl"},
                                           {"Zed", 1, "b.rpl"},
                                           {"Bo Lindqvist", 2, "a.rpl"},
                                           {"C. Okafor", 2, "a.rpl"},
                                           {"Dita Marsh", 2, "a.rpl"},
                                           {"Eli Brandt", 2, "a.rpl"},
                                           {"Fen Ashby", 2, "a.rpl"},
                                           {"Gus Varela", 2, "a.rpl"},
                                           {"Hana Ito", 1, "b.rpl"}}));
  EXPECT_EQ(tracks[1].records[0].time, "00:00:01");
}

TEST(RecordMerge, TextIsATableATrackAndSaysHowManyRowsWereLeftOut) {
  RecordMerge merge;
  merge.add(view::makeWindowContent("x\\a.rpl", replay::decodeFile(sampleReplay().firstBytes(530))));
  std::string text;
  appendRecordsText(text, merge);
  EXPECT_EQ(text, "C\u00F4te d'Azur, Backward\n"
                  "  #  Time      Name      Car            Files  First in\n"
                  "  1  01:30:93  Ada Roux  Comet Vantage      1  x\\a.rpl\n\n"
                  "7 record rows left out: their files, cut short, do not hold them whole.\n");
}

}  // namespace
}  // namespace vantor::report
