#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "view/window_content.h"

// vantor-info --records: the best times of a whole collection. Each replay
// holds its track's eight best times as they stood when it was saved; the
// merge keeps every distinct one, grouped by track and direction.
namespace vantor::report {

// A record is its driver, car and time; the same record in many files is
// one, with how many files hold it and the first of them.
struct MergedRecord {
  std::string name;  // Windows-1252, as stored
  std::string car;
  std::string time;  // as the window shows it
  std::int32_t rawTime = 0;
  std::size_t files = 0;
  std::string firstPath;  // the system's bytes, as given
};

// One track in one direction, as the replays name them (either may be an
// empty text: no known track, no known direction). Best time first; equal
// times in the order they were first seen.
struct TrackRecords {
  std::string track;
  std::string direction;
  std::vector<MergedRecord> records;
};

class RecordMerge {
 public:
  // Adds the replay's eight record rows; a row whose name, car or time its
  // file does not hold makes no record and is counted as left out.
  void add(const view::WindowContent& content);

  // The groups, by track and then direction in byte order, each sorted.
  [[nodiscard]] std::vector<TrackRecords> tracks() const;

  [[nodiscard]] std::size_t leftOut() const { return leftOut_; }

 private:
  // What a record keeps while the merge runs: its time as stored (the text
  // is made again for the output) and its first file by number, so that
  // memory grows by little more than the record's two names.
  struct Kept {
    std::string name;
    std::string car;
    std::int32_t rawTime = 0;
    std::uint32_t files = 0;
    std::uint32_t firstFile = 0;  // into paths_
  };
  struct Group {
    std::string track;
    std::string direction;
    std::vector<Kept> records;
    std::map<std::string, std::size_t, std::less<>> index;  // record key -> its place in records
  };
  std::vector<Group> groups_;
  std::map<std::string, std::size_t, std::less<>> groupIndex_;
  std::vector<std::string> paths_;  // of the files that were first to hold a record
  std::size_t leftOut_ = 0;
};

// Raised whenever a key of the --records --json object changes meaning.
inline constexpr int kRecordsFormat = 1;

// --records as text: a table a track, aligned, and how many rows were left out.
void appendRecordsText(std::string& out, const RecordMerge& merge);

// The sentence that says how many record rows were left out; empty when none were.
std::string leftOutText(const RecordMerge& merge);

// --records --json: one object a track and direction, and a newline each.
void appendRecordsJson(std::string& out, const RecordMerge& merge);

// --records --csv: the byte order mark, a header and one row a record.
void appendRecordsCsv(std::string& out, const RecordMerge& merge);

}  // namespace vantor::report
