// vantor-info run in this process, over real files and folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/file_system.h"
#include "cli/vantor_info.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace vantor::cli {
namespace {

using nlohmann::json;
using vantor::testing::ReplayBuilder;

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

class VantorInfo : public ::testing::Test {
 protected:
  std::string contentsOf(const std::string& name) const {
    std::ifstream in(dir.pathOf(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  RunResult run(const std::vector<std::string>& args, const ReplayBuilder& input = ReplayBuilder().size(0)) {
    input.writeTo(dir.pathOf("in"));
    Streams streams{std::fopen(dir.pathOf("in").c_str(), "rb"), std::fopen(dir.pathOf("out").c_str(), "wb"),
                    std::fopen(dir.pathOf("err").c_str(), "wb")};
    const int status = runVantorInfo(args, streams);
    for (std::FILE* file : {streams.in, streams.out, streams.err}) std::fclose(file);
    return {status, contentsOf("out"), contentsOf("err")};
  }

  std::vector<json> objects(const std::vector<std::string>& args, const ReplayBuilder& input = {}) {
    std::vector<json> parsed;
    std::istringstream lines(run(args, input).out);
    for (std::string line; std::getline(lines, line);) parsed.push_back(json::parse(line));
    return parsed;
  }

  // Writes a replay at a path relative to the folder ("/" between names)
  // and returns the path vantor-info prints for it.
  std::string write(const std::string& relative, const ReplayBuilder& replay = testing::sampleReplay()) {
    const std::filesystem::path path = std::filesystem::path(dir.path()) / relative;
    std::filesystem::create_directories(path.parent_path());
    replay.writeTo(path.string());
    std::string printed = dir.path() + kSeparator;
    for (const char c : relative) printed += c == '/' ? kSeparator : c;
    return printed;
  }

  testing::TempDir dir;
};

TEST_F(VantorInfo, FoldersAreSearchedForReplaysInPathOrder) {
  const std::string b = write("b.rpl"), upper = write("A.RPL"), c = write("sub/c.Rpl");
  const std::string d = write("sub/deeper/d.rpl"), sub = write("sub.rpl");
  write("a.rpl.bak");
  write("notes.txt");
  write(".rpl");  // a name that is only the extension names no replay
  std::vector<std::string> paths;
  for (const json& object : objects({"--json", dir.path()})) paths.push_back(object["path"]);
  EXPECT_EQ(paths, (std::vector<std::string>{upper, b, c, d, sub}));
  EXPECT_EQ(objects({"--json", dir.path() + kSeparator + "sub" + kSeparator})[0]["path"], c);
}

// Many files are read ahead on a second thread: more than it holds at once,
// with a subfolder among them, still come out in path order, each its own.
TEST_F(VantorInfo, AFolderOfManyKeepsItsOrder) {
  constexpr int kFiles = 150;
  for (int i = 0; i < kFiles; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "r%03d.rpl", i);
    write(name, testing::sampleReplay().laps(i).size(i % 7 == 3 ? 50 : 4583));
  }
  write("r075x/inner.rpl", testing::sampleReplay().laps(1000));
  std::vector<json> read = objects({"--json", dir.path()});
  ASSERT_EQ(read.size(), kFiles + 1u);
  EXPECT_EQ(read[76]["laps"], 1000);
  read.erase(read.begin() + 76);
  for (int i = 0; i < kFiles; ++i) {
    const json& object = read[static_cast<std::size_t>(i)];
    EXPECT_EQ(object["bytesHeld"], i % 7 == 3 ? 50 : 4583) << i;
    if (i % 7 != 3) {
      EXPECT_EQ(object["laps"], i) << i;
    }
  }
}

#ifndef _WIN32
TEST_F(VantorInfo, LinkedFoldersAreNotFollowedSoALoopEnds) {
  write("real/one.rpl");
  std::filesystem::create_directory_symlink(dir.path(), dir.pathOf("real") + "/loop");
  std::filesystem::create_directory_symlink(dir.pathOf("real"), dir.pathOf("again"));
  std::filesystem::create_symlink(dir.pathOf("real") + "/one.rpl", dir.pathOf("link.rpl"));
  ASSERT_EQ(::mkfifo(dir.pathOf("fifo.rpl").c_str(), 0600), 0);  // would block the walk
  const RunResult result = run({dir.path()});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.find("again"), std::string::npos);
  EXPECT_NE(result.out.find(dir.pathOf("link.rpl") + "\n"), std::string::npos);
  EXPECT_NE(result.out.find(dir.pathOf("real") + "/one.rpl\n"), std::string::npos);
}
#endif

TEST_F(VantorInfo, EachFileAndStandardInputStartFromAnEmptyRecord) {
  const std::string full = write("1.rpl"), shortFile = write("2.rpl", ReplayBuilder().laps(3).size(100));
  const std::vector<json> read = objects({"--json", full, shortFile, full, "-"}, ReplayBuilder().laps(4).size(12));
  ASSERT_EQ(read.size(), 4u);
  EXPECT_EQ(read[2]["car"], "Comet Vantage");  // the last field of the file
  EXPECT_EQ(read[2]["bytesHeld"], 4583);
  EXPECT_EQ(read[2]["isCut"], false);
  for (const std::size_t i : {1u, 3u}) {
    EXPECT_EQ(read[i]["bytesHeld"], i == 1 ? 100 : 12);
    EXPECT_EQ(read[i]["isCut"], true);
    EXPECT_EQ(read[i]["laps"], i == 1 ? 3 : 4);
    EXPECT_EQ(read[i]["driver"], nullptr);
    EXPECT_EQ(read[i]["records"][0]["name"], nullptr);
  }
  EXPECT_EQ(read[3]["path"], "-");
}

TEST_F(VantorInfo, UnreadableFilesAreNamedAndTheOthersStillPrinted) {
  const std::string good = write("good.rpl"), missing = dir.pathOf("missing.rpl");
  const std::string odd = write("odd.rpl", testing::sampleReplay().gear(2, 12345));
  const RunResult result = run({good, missing, odd});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "vantor-info: " + missing + ": No such file or directory\n"
                        "Error in read GearRatio\n"
                        "vantor-info: " + odd + ": gear ratio not a known step; that gear and the ones after it "
                        "are left empty\n");
  EXPECT_EQ(result.out.find(good + "\n"), 0u);
  EXPECT_NE(result.out.find("\n\n" + odd + "\n"), std::string::npos);
  EXPECT_NE(result.out.find("0.10     -0.05" + std::string(49, ' ') + "\n"), std::string::npos);
  EXPECT_EQ(run({odd, "--json"}).status, 0);  // an unknown gear is no read failure
}

TEST_F(VantorInfo, ActionsAndUsageErrors) {
  for (const auto& args : {std::vector<std::string>{}, {"--json"}, {"--bogus", "a.rpl"}, {"--diff", "-", "-"},
                          {"--json", "--csv", "a"}, {"--csv", "--diff", "a", "b"}}) {
    const RunResult result = run(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("vantor-info: ") && result.err.ends_with("; see vantor-info --help\n") &&
                std::count(result.err.begin(), result.err.end(), '\n') == 1) << result.err;
  }
  EXPECT_TRUE(run({"x", "--help", "--version"}).out.starts_with("usage: vantor-info [--json | --csv] [--records] PATH...\n"));
  EXPECT_EQ(run({"--version", "--schema"}).out, "vantor-info " VANTOR_VERSION "\n");
  EXPECT_EQ(json::parse(run({"--schema"}).out)["required"].size(), 19u);
  // After "--" an option's name is a path.
  EXPECT_EQ(run({"--", "--json"}).err, "vantor-info: --json: No such file or directory\n");
  // Output that cannot be written is a failure too.
  const std::string a = write("a.rpl");
  Streams streams{stdin, std::fopen(a.c_str(), "rb"), std::fopen(dir.pathOf("err").c_str(), "wb")};
  EXPECT_EQ(runVantorInfo(std::vector<std::string>{"--json", a}, streams), 1);
  std::fclose(streams.out);
  std::fclose(streams.err);
  EXPECT_TRUE(contentsOf("err").starts_with("vantor-info: cannot write the output: ")) << contentsOf("err");
}

TEST_F(VantorInfo, DiffShowsOnlyWhatDiffersAndAnswersLikeCmp) {
  const std::string a = write("a.rpl");
  ReplayBuilder changed = testing::sampleReplay().rideHeight(0).otherTrackTime(2, 99).carName("Kestrel");
  const std::string b = write("b.rpl", changed.otherTrackTime(0, 1374389534));
  // Raw times that read alike still differ.
  const std::string c = write("c.rpl", changed.otherTrackTime(0, -1374389536));
  const RunResult same = run({"--diff", a, a});
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out + same.err, "");
  const RunResult text = run({"--diff", a, b});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out, "A  " + a + "\nB  " + b + "\n"
                      "  Car                   Comet Vantage                             Kestrel\n"
                      "  Ride height           -4, slider 16                             0, slider 20\n"
                      "  Records 1             1  Ada Roux      Comet Vantage  01:30:93  1  Ada Roux      Comet Vantage  "
                      "357913:56:46\n"
                      "  Records 3             3  C. Okafor     Comet Vantage  01:33:96  3  C. Okafor     Comet Vantage  "
                      "00:01:54\n");
  const json diff = json::parse(run({"--json", "--diff", b, a}).out);
  EXPECT_EQ(diff["a"], b);
  EXPECT_EQ(diff["differences"].size(), 4u);
  EXPECT_EQ(diff["differences"][1], json::parse(R"({"field":"/stored/rideHeight","a":0,"b":-4})"));
  EXPECT_EQ(diff["differences"][3]["field"], "/records/2");
  EXPECT_EQ(diff["differences"][3]["a"]["rawTime"], 99);
  EXPECT_EQ(run({"--diff", b, c}).status, 1);
  EXPECT_EQ(run({"--diff", a, dir.pathOf("none.rpl")}).status, 2);
  EXPECT_EQ(run({"--diff", a}).status, 2);
  EXPECT_EQ(run({"--diff", a, a, a}).status, 2);
}

}  // namespace
}  // namespace vantor::cli
