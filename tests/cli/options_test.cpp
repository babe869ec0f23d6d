#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/options.h"

namespace vantor::cli {
namespace {

Options parsed(const std::vector<std::string>& args) { return parseOptions(args); }

TEST(Options, PathsAndJsonInAnyOrder) {
  const Options o = parsed({"a.rpl", "--json", "dir", "-"});
  EXPECT_EQ(o.action, Action::show);
  EXPECT_TRUE(o.json);
  EXPECT_EQ(o.paths, (std::vector<std::string>{"a.rpl", "dir", "-"}));
}

TEST(Options, DoubleDashMakesTheRestPaths) {
  const Options o = parsed({"--", "--json", "-x.rpl"});
  EXPECT_EQ(o.action, Action::show);
  EXPECT_FALSE(o.json);
  EXPECT_EQ(o.paths, (std::vector<std::string>{"--json", "-x.rpl"}));
}

TEST(Options, UsageErrors) {
  EXPECT_EQ(parsed({}).action, Action::usageError);
  EXPECT_EQ(parsed({"--json"}).action, Action::usageError);
  const Options unknown = parsed({"a.rpl", "--jsn"});
  EXPECT_EQ(unknown.action, Action::usageError);
  EXPECT_EQ(unknown.problem, "unknown option --jsn");
  EXPECT_EQ(parsed({"-j", "a.rpl"}).action, Action::usageError);
}

TEST(Options, HelpVersionAndSchemaNeedNoPath) {
  EXPECT_EQ(parsed({"--help"}).action, Action::help);
  EXPECT_EQ(parsed({"-h"}).action, Action::help);
  EXPECT_EQ(parsed({"--version"}).action, Action::version);
  EXPECT_EQ(parsed({"--schema"}).action, Action::schema);
  EXPECT_EQ(parsed({"--schema", "--help"}).action, Action::help);
}

}  // namespace
}  // namespace vantor::cli
