#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/file_system.h"
#include "cli/replay_source.h"
#include "replay/reader.h"
#include "tests/cli/cli_test_support.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

namespace vantor::cli {
namespace {

using nlohmann::json;
using testing::linesOf;
using testing::runInProcess;
using vantor::testing::ReplayBuilder;
using vantor::testing::TempDir;

std::vector<json> objectsOf(const std::string& out) {
  std::vector<json> objects;
  for (const std::string& line : linesOf(out)) objects.push_back(json::parse(line));
  return objects;
}

std::vector<std::string> pathsOf(const std::string& out) {
  std::vector<std::string> paths;
  for (const json& object : objectsOf(out)) paths.push_back(object["path"]);
  return paths;
}

std::string in(const std::string& folder, const std::string& relative) {
  std::string path = folder;
  for (const char c : relative) path += c == '/' ? kSeparator : c;
  return path;
}

class Batch : public ::testing::Test {
 protected:
  std::string write(const std::string& relative, const ReplayBuilder& replay = vantor::testing::sampleReplay()) {
    const std::filesystem::path path = std::filesystem::path(dir.path()) / relative;
    std::filesystem::create_directories(path.parent_path());
    replay.writeTo(path.string());
    return in(dir.path() + kSeparator, relative);
  }

  TempDir dir;
};

TEST_F(Batch, EveryFileReadGivesStatusZeroAndOneLineEach) {
  const std::string a = write("a.rpl");
  const std::string b = write("b.rpl", ReplayBuilder().driverName("Bea"));
  const auto result = runInProcess({"--json", a, b});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  const std::vector<json> objects = objectsOf(result.out);
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0]["path"], a);
  EXPECT_EQ(objects[1]["driver"], "Bea");
}

TEST_F(Batch, AMissingFileIsNamedAndTheOthersAreStillPrinted) {
  const std::string good = write("good.rpl");
  const std::string missing = dir.pathOf("missing.rpl");
  const auto result = runInProcess({"--json", good, missing, good});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(pathsOf(result.out), (std::vector<std::string>{good, good}));
  EXPECT_EQ(result.err, "vantor-info: " + missing + ": No such file or directory\n");
}

TEST_F(Batch, AFolderIsSearchedRecursivelyForReplaysInSortedOrder) {
  write("b.rpl");
  write("A.RPL");
  write("sub/c.Rpl");
  write("sub/deeper/d.rpl");
  write("a.rpl.bak");
  write("notes.txt");
  write("sub.rpl");
  const auto result = runInProcess({"--json", dir.path()});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string root = dir.path() + kSeparator;
  EXPECT_EQ(pathsOf(result.out),
            (std::vector<std::string>{in(root, "A.RPL"), in(root, "b.rpl"), in(root, "sub/c.Rpl"),
                                      in(root, "sub/deeper/d.rpl"), in(root, "sub.rpl")}));
}

TEST_F(Batch, AFolderGivenWithATrailingSeparatorIsNotDoubled) {
  write("x/one.rpl");
  const std::string folder = in(dir.path() + kSeparator, "x/");
  const auto result = runInProcess({"--json", folder});
  EXPECT_EQ(pathsOf(result.out), (std::vector<std::string>{folder + "one.rpl"}));
}

TEST_F(Batch, AnEmptyFolderPrintsNothingAndSucceeds) {
  std::filesystem::create_directory(dir.pathOf("empty"));
  const auto result = runInProcess({dir.pathOf("empty")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
}

TEST_F(Batch, EachFileStartsFromAnEmptyRecord) {
  // The second file ends before the names and tuning values: they must not
  // come from the first.
  const std::string full = write("1.rpl");
  const std::string shortFile = write("2.rpl", ReplayBuilder().laps(3).size(100));
  const std::vector<json> objects = objectsOf(runInProcess({"--json", full, shortFile}).out);
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[0]["driver"], "Ilse K.");
  EXPECT_EQ(objects[1]["driver"], "");
  EXPECT_EQ(objects[1]["car"], "");
  EXPECT_EQ(objects[1]["laps"], "3");
  EXPECT_EQ(objects[1]["downforce"], json({0, 0}));
  EXPECT_EQ(objects[1]["records"][0]["name"], "");
}

TEST_F(Batch, AnUnknownGearIsNamedButTheFileCountsAsRead) {
  const std::string odd = write("odd.rpl", vantor::testing::sampleReplay().gear(2, 12345));
  const auto result = runInProcess({"--json", odd});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.err.find("vantor-info: " + odd + ": gear ratio not a known step"), std::string::npos);
  const std::vector<json> objects = objectsOf(result.out);
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0]["gears"], json({"0.10", "-0.05", "", "", "", "", "", ""}));
}

TEST_F(Batch, ADashReadsOneReplayFromStandardInput) {
  const ReplayBuilder sample = vantor::testing::sampleReplay();
  const auto result = runInProcess({"--json", "-"}, std::string(sample.bytes().begin(), sample.bytes().end()));
  EXPECT_EQ(result.status, 0);
  const std::vector<json> objects = objectsOf(result.out);
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0]["path"], "-");
  EXPECT_EQ(objects[0]["caption"], "Vantor : [-]");
  EXPECT_EQ(objects[0]["driver"], "Ilse K.");
}

TEST_F(Batch, TheTextViewHasOneBlockPerFile) {
  const std::string a = write("a.rpl");
  const auto result = runInProcess({a, a});
  EXPECT_EQ(result.status, 0);
  const std::vector<std::string> lines = linesOf(result.out);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), a), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 2) << "a blank line after each block";
}

TEST(BatchActions, UsageErrorsGiveStatusTwoAndTheUsage) {
  for (const auto& args : {std::vector<std::string>{}, {"--json"}, {"--bogus", "a.rpl"}}) {
    const auto result = runInProcess(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("vantor-info: ")) << result.err;
    EXPECT_NE(result.err.find("usage: vantor-info [--json] PATH..."), std::string::npos);
  }
}

TEST(BatchActions, HelpVersionAndSchema) {
  const auto help = runInProcess({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("usage: vantor-info [--json] PATH...\n"));
  const auto version = runInProcess({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "vantor-info 1.0.0\n");
  const auto schema = runInProcess({"--schema"});
  EXPECT_EQ(schema.status, 0);
  const json parsed = json::parse(schema.out);
  EXPECT_EQ(parsed["properties"]["format"]["const"], 1);
  EXPECT_EQ(parsed["required"].size(), 16u);
}

TEST_F(Batch, AWriteErrorIsReportedWithStatusOne) {
  const std::string a = write("a.rpl");
  Streams streams{stdin, std::fopen(a.c_str(), "rb"), std::fopen(dir.pathOf("err").c_str(), "wb")};
  ASSERT_NE(streams.out, nullptr);
  EXPECT_EQ(runVantorInfo(parseOptions(std::vector<std::string>{"--json", a}), streams), 1);
  std::fclose(streams.out);
  std::fclose(streams.err);
  std::ifstream err(dir.pathOf("err"));
  std::string line;
  std::getline(err, line);
  EXPECT_TRUE(line.starts_with("vantor-info: cannot write the output: ")) << line;
}

// The tool reads each file once and decodes all passes from that buffer;
// that must give what the window's load gives, whatever the file's length.
TEST_F(Batch, ReadingOnceEqualsLoad) {
  replay::ReplayInfo before;
  before.driverName.assign("Prior");
  before.gears[5].text.assign("9.99");
  before.downforceLeft = 77;
  const std::vector<ReplayBuilder> replays = {
      vantor::testing::sampleReplay(), vantor::testing::sampleReplay().size(4583),
      vantor::testing::sampleReplay().size(4570), vantor::testing::sampleReplay().size(3600),
      vantor::testing::sampleReplay().size(3500), vantor::testing::sampleReplay().size(300),
      vantor::testing::sampleReplay().size(0),   vantor::testing::sampleReplay().gear(4, 1)};
  for (std::size_t i = 0; i < replays.size(); ++i) {
    std::string name = std::to_string(i);  // built in steps: GCC 12 misreads "r" + ... + ".rpl" (-Wrestrict)
    name += ".rpl";
    const std::string path = write(name, replays[i]);
    replay::ReplayInfo loaded = before, readOnce = before;
    ASSERT_EQ(replay::load(path, loaded), 0);
    const ReadOutcome outcome = readReplayFile(path, readOnce);
    EXPECT_TRUE(outcome.read);
    EXPECT_EQ(outcome.gearsComplete, i != 7);
    EXPECT_EQ(readOnce, loaded) << "replay " << i;
  }
}

}  // namespace
}  // namespace vantor::cli
