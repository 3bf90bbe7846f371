// korvane-probe runcode: the changed values, the result and the messages of one
// line, with its options, and exit 2 for bad arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<std::string> RunCodeProbe(const std::vector<std::string>& args, int& code) {
  std::vector<std::string> all = {"runcode"};
  all.insert(all.end(), args.begin(), args.end());
  return RunProbe(all, &code);
}

TEST(RunCodeProbe, PrintsChangesResultAndMessages) {
  struct {
    std::vector<std::string> args;
    std::vector<std::string> expected;
  } cases[] = {
      {{"my.v1 = 2 + 3 * 4"}, {"my.v1=14", "return=1"}},
      {{"--legacy", "1", "v1 = 2 * 3 + 1"}, {"my.v1=6", "return=1"}},
      {{"--set", "my.v1=9", "v1 = (1 / 0)"}, {"my.v1=0", "return=0", "message=6"}},
      {{"tg.hp = 0"}, {"return=0"}},
      {{"--target", "tg.hp = 0"}, {"tg.hp=0", "return=1"}},
      {{"pl.cid = 3"}, {"pl.cid=3", "return=1"}},
      {{"--set", "sys.score=4", "sys.score = score + 6"}, {"sys.score=10", "return=1"}},
      {{"--set", "sys.life=999999", "life = 5"}, {"return=1"}},
      {{"S3 = 1000000"}, {"S3=999999", "return=1"}},
      {{"--set", "C3=2", "C3 = C3 * 7"}, {"C3=14", "return=1"}},
      {{"x.v1 = 1"}, {"return=0", "message=4"}},
      {{"v1 = rand(1)", "--target"}, {"return=0", "message=3"}},
      {{"C256 = 1"}, {"return=1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    int code = -1;
    EXPECT_EQ(RunCodeProbe(c.args, code), c.expected);
    EXPECT_EQ(code, 0);
  }
}

TEST(RunCodeProbe, BadArgumentsExitTwo) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{}, {"a", "b"}, {"--legacy", "2", "v1 = 1"}, {"--legacy"},
                                             {"--set", "nothing=1", "v1 = 1"}, {"--set", "my.cid=300", "v1 = 1"},
                                             {"--other", "v1 = 1"}}) {
    int code = -1;
    RunCodeProbe(args, code);
    EXPECT_EQ(code, 2);
  }
}

}  // namespace
