// vantor-info run as users run it: a separate process, with its real
// standard streams, exit status and the reader's own messages.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/cli/cli_test_support.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

namespace vantor::cli {
namespace {

using vantor::testing::ReplayBuilder;
using vantor::testing::TempDir;

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string contentsOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Process : public ::testing::Test {
 protected:
  // Runs a shell command line in which $VI is the program; keeps its output.
  testing::RunResult shell(const std::string& commandLine) {
    const std::string command = "VI=" + quoted(VANTOR_INFO) + "; " + commandLine + " >" + quoted(dir.pathOf("out")) +
                                " 2>" + quoted(dir.pathOf("err"));
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, contentsOf(dir.pathOf("out")), contentsOf(dir.pathOf("err"))};
  }

  std::string write(const std::string& name, const ReplayBuilder& replay = vantor::testing::sampleReplay()) {
    return dir.write(name, replay.bytes());
  }

  TempDir dir;
};

TEST_F(Process, ExitStatusesForReadMissingAndUsage) {
  const std::string good = write("good.rpl");
  EXPECT_EQ(shell("\"$VI\" " + quoted(good)).status, 0);
  const auto missing = shell("\"$VI\" --json " + quoted(good) + " " + quoted(dir.pathOf("none.rpl")));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(testing::linesOf(missing.out).size(), 1u);
  EXPECT_EQ(missing.err, "vantor-info: " + dir.pathOf("none.rpl") + ": No such file or directory\n");
  EXPECT_EQ(shell("\"$VI\"").status, 2);
  EXPECT_EQ(shell("\"$VI\" --nope " + quoted(good)).status, 2);
  EXPECT_EQ(shell("\"$VI\" --help").status, 0);
}

TEST_F(Process, AFileThatCannotBeReadIsNamedWithTheReason) {
  // Opening works, reading fails: the kernel has nothing mapped at offset 0.
  const auto result = shell("\"$VI\" --json /proc/self/mem " + quoted(write("good.rpl")));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "vantor-info: /proc/self/mem: Input/output error\n");
  EXPECT_EQ(testing::linesOf(result.out).size(), 1u);
}

TEST_F(Process, TheGearErrorLineIsFollowedByTheFileItCameFrom) {
  const std::string odd = write("odd.rpl", vantor::testing::sampleReplay().gear(0, 7));
  const auto result = shell("\"$VI\" --json " + quoted(write("good.rpl")) + " " + quoted(odd));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "Error in read GearRatio\nvantor-info: " + odd +
                            ": gear ratio not a known step; that gear and the ones after it are left empty\n");
}

TEST_F(Process, ReadsAReplayFromStandardInput) {
  const auto result = shell("\"$VI\" --json - < " + quoted(write("in.rpl")));
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.starts_with("{\"path\":\"-\",\"caption\":\"Vantor : [-]\",")) << result.out;
}

TEST_F(Process, AClosedPipeEndsTheRunQuietly) {
  for (int i = 0; i < 400; ++i) write("r" + std::to_string(1000 + i) + ".rpl");
  // The reader stops after a little; vantor-info's own status and stderr are kept apart.
  const std::string status = quoted(dir.pathOf("status")), err = quoted(dir.pathOf("vi-err"));
  for (const std::string reader : {"head -n 1", "head -c 10"}) {
    for (const std::string mode : {"--json", ""}) {
      shell("( \"$VI\" " + mode + " " + quoted(dir.path()) + " 2>" + err + "; echo $? >" + status + " ) | " + reader);
      EXPECT_EQ(contentsOf(dir.pathOf("status")), "0\n") << reader << " " << mode;
      EXPECT_EQ(contentsOf(dir.pathOf("vi-err")), "") << reader << " " << mode;
    }
  }
}

TEST_F(Process, OutputDoesNotDependOnTheLocale) {
  const std::string replay = write("r.rpl");
  const auto plain = shell("LC_ALL=C \"$VI\" --json " + quoted(replay));
  const auto other = shell("LC_ALL=de_DE.UTF-8 LANG=tr_TR.UTF-8 \"$VI\" --json " + quoted(replay));
  EXPECT_EQ(plain.out, other.out);
}

class Schema : public Process {
 protected:
  // Whether the schema accepts every line of the file.
  bool validates(const std::string& jsonLines) {
    const std::string command = "python3 " + quoted(VALIDATE_SCRIPT) + " " + quoted(SCHEMA_FILE) + " " +
                                quoted(jsonLines) + " >" + quoted(dir.pathOf("why")) + " 2>&1";
    const bool ok = std::system(command.c_str()) == 0;
    if (!ok) std::cerr << contentsOf(dir.pathOf("why"));
    return ok;
  }
};

TEST_F(Schema, RealOutputForHostileFilesMatchesTheSchema) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  ReplayBuilder hostile;
  for (std::size_t place = 0; place < 8; ++place) hostile.recordName(place, all.substr(place * 32, 32));
  hostile.driverName("\"\\\x01\x1F").carName("\x81\x8D\x8F\x90\x9D").damage(0x80).trackKey("monaco2");
  hostile.shockStiffness(INT32_MIN).downforce(INT32_MIN, INT32_MAX).monteCarloTime(3, INT32_MIN);
  write("hostile.rpl", hostile);
  write("caf\xE9 \"quoted\".rpl");
  write("empty.rpl", ReplayBuilder().size(0));
  write("odd.rpl", vantor::testing::sampleReplay().gear(3, 99));
  const auto result = shell("\"$VI\" --json " + quoted(dir.path()));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(testing::linesOf(result.out).size(), 4u);
  const std::string lines = dir.pathOf("out.jsonl");
  vantor::testing::writeFile(lines, {result.out.begin(), result.out.end()});
  EXPECT_TRUE(validates(lines));
}

TEST_F(Schema, TheValidatorRejectsAnObjectMissingAKey) {
  const auto result = shell("\"$VI\" --json " + quoted(write("r.rpl")));
  std::string broken = result.out;
  const std::size_t at = broken.find("\"damage\":1,");
  ASSERT_NE(at, std::string::npos);
  broken.erase(at, std::string("\"damage\":1,").size());
  vantor::testing::writeFile(dir.pathOf("broken.jsonl"), {broken.begin(), broken.end()});
  EXPECT_FALSE(validates(dir.pathOf("broken.jsonl")));
}

TEST_F(Schema, WhatSchemaPrintsIsTheFileInTheRepository) {
  EXPECT_EQ(shell("\"$VI\" --schema").out, contentsOf(SCHEMA_FILE));
}

}  // namespace
}  // namespace vantor::cli
