#include "report/records.h"

#include <algorithm>
#include <cstring>

#include "replay/tables.h"
#include "report/csv.h"
#include "report/json_line.h"
#include "report/text_view.h"
#include "view/utf8_text.h"

namespace vantor::report {
namespace {

// Texts from a file end at their NUL, so a NUL can part the key's pieces.
std::string recordKey(const std::string& name, const std::string& car, std::int32_t rawTime) {
  std::string key = name;
  key.append(1, '\0').append(car).append(1, '\0');
  char time[sizeof rawTime];
  std::memcpy(time, &rawTime, sizeof rawTime);
  return key.append(time, sizeof time);
}

std::string heading(const TrackRecords& group) {
  return (group.track.empty() ? std::string("no known track") : shown(group.track)) + ", " +
         (group.direction.empty() ? std::string("no known direction") : shown(group.direction));
}

}  // namespace

void RecordMerge::add(const view::WindowContent& content) {
  bool pathKept = false;
  for (const view::RecordRowTexts& row : content.records) {
    if (!row.name || !row.car || !row.time || !content.track || !content.direction) {
      ++leftOut_;
      continue;
    }
    const std::string groupKey = *content.track + '\0' + *content.direction;
    const auto [groupAt, newGroup] = groupIndex_.try_emplace(groupKey, groups_.size());
    if (newGroup) groups_.push_back({*content.track, *content.direction, {}, {}});
    Group& group = groups_[groupAt->second];
    const auto [recordAt, newRecord] =
        group.index.try_emplace(recordKey(*row.name, *row.car, *row.rawTime), group.records.size());
    if (newRecord) {
      if (!pathKept) paths_.push_back(content.path);
      pathKept = true;
      group.records.push_back({*row.name, *row.car, *row.rawTime, 0, static_cast<std::uint32_t>(paths_.size() - 1)});
    }
    ++group.records[recordAt->second].files;
  }
}

// Sorted through their places, which keeps the code small where the core
// is compiled for the page: one sort of numbers, not one for each struct.
template <typename Less>
std::vector<std::size_t> sortedPlaces(std::size_t count, Less less) {
  std::vector<std::size_t> places(count);
  for (std::size_t i = 0; i < count; ++i) places[i] = i;
  std::sort(places.begin(), places.end(), [&](std::size_t a, std::size_t b) { return less(a, b) || (!less(b, a) && a < b); });
  return places;
}

std::vector<TrackRecords> RecordMerge::tracks() const {
  const auto groupOrder = sortedPlaces(groups_.size(), [&](std::size_t a, std::size_t b) {
    const Group &x = groups_[a], &y = groups_[b];
    return x.track != y.track ? x.track < y.track : x.direction < y.direction;
  });
  std::vector<TrackRecords> tracks;
  tracks.reserve(groups_.size());
  for (const std::size_t g : groupOrder) {
    const Group& group = groups_[g];
    TrackRecords sorted{group.track, group.direction, {}};
    sorted.records.reserve(group.records.size());
    const auto recordOrder = sortedPlaces(group.records.size(), [&](std::size_t a, std::size_t b) {
      return group.records[a].rawTime < group.records[b].rawTime;
    });
    for (const std::size_t r : recordOrder) {
      const Kept& kept = group.records[r];
      sorted.records.push_back({kept.name, kept.car, std::string(replay::recordTimeText(kept.rawTime).view()), kept.rawTime, kept.files,
                                paths_[kept.firstFile]});
    }
    tracks.push_back(std::move(sorted));
  }
  return tracks;
}

void appendRecordsText(std::string& out, const RecordMerge& merge) {
  for (const TrackRecords& group : merge.tracks()) {
    std::size_t nameWidth = 4, carWidth = 3, timeWidth = 4;  // the headings
    for (const MergedRecord& record : group.records) {
      nameWidth = std::max(nameWidth, columns(shown(record.name)));
      carWidth = std::max(carWidth, columns(shown(record.car)));
      timeWidth = std::max(timeWidth, record.time.size());
    }
    const std::size_t placeWidth = std::max<std::size_t>(1, std::to_string(group.records.size()).size());
    out += heading(group) + '\n';
    const auto line = [&](std::string_view place, std::string_view time, std::string_view name, std::string_view car,
                          std::string_view files, std::string_view path) {
      out += "  ";
      appendPaddedShown(out, place, placeWidth + 2);
      appendPaddedShown(out, time, timeWidth + 2);
      appendPaddedShown(out, name, nameWidth + 2);
      appendPaddedShown(out, car, carWidth + 2);
      pad(out, files.size(), 5);  // "Files"
      out.append(files).append("  ");
      out += path;
      out += '\n';
    };
    line("#", "Time", "Name", "Car", "Files", "First in");
    for (std::size_t i = 0; i < group.records.size(); ++i) {
      const MergedRecord& record = group.records[i];
      std::string path;
      appendShownPath(path, record.firstPath);
      line(std::to_string(i + 1), shown(record.time), shown(record.name), shown(record.car),
           std::to_string(record.files), path);
    }
    out += '\n';
  }
  if (merge.leftOut() > 0) out += leftOutText(merge) + '\n';
}

std::string leftOutText(const RecordMerge& merge) {
  if (merge.leftOut() == 0) return {};
  return std::to_string(merge.leftOut()) + " record rows left out: their files, cut short, do not hold them whole.";
}

void appendRecordsJson(std::string& out, const RecordMerge& merge) {
  for (const TrackRecords& group : merge.tracks()) {
    out += R"({"format":)" + std::to_string(kRecordsFormat) + R"(,"track":)";
    appendJsonText(out, group.track);
    out += R"(,"direction":)";
    appendJsonText(out, group.direction);
    out += R"(,"records":[)";
    for (std::size_t i = 0; i < group.records.size(); ++i) {
      const MergedRecord& record = group.records[i];
      if (i > 0) out += ',';
      out += R"({"place":)" + std::to_string(i + 1) + R"(,"name":)";
      appendJsonText(out, record.name);
      out += R"(,"car":)";
      appendJsonText(out, record.car);
      out += R"(,"time":)";
      appendJsonText(out, record.time);
      out += R"(,"rawTime":)" + std::to_string(record.rawTime) + R"(,"files":)" + std::to_string(record.files) +
             R"(,"firstPath":)";
      appendJsonPath(out, record.firstPath);
      out += '}';
    }
    out += "]}\n";
  }
}

void appendRecordsCsv(std::string& out, const RecordMerge& merge) {
  out += kUtf8ByteOrderMark;
  out += "track,direction,place,time,rawTime,name,car,files,firstPath\r\n";
  for (const TrackRecords& group : merge.tracks()) {
    for (std::size_t i = 0; i < group.records.size(); ++i) {
      const MergedRecord& record = group.records[i];
      appendCsvText(out, group.track);
      out += ',';
      appendCsvText(out, group.direction);
      out += ',' + std::to_string(i + 1) + ',' + record.time + ',' + std::to_string(record.rawTime) + ',';
      appendCsvText(out, record.name);
      out += ',';
      appendCsvText(out, record.car);
      out += ',' + std::to_string(record.files) + ',';
      appendCsvPath(out, record.firstPath);
      out += "\r\n";
    }
  }
}

}  // namespace vantor::report
