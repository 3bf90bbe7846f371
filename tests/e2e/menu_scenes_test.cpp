// The menu scenes in the real program on the demo project: scripted keys, the play
// trace and the files written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sjis.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

// A demo project and a run of the game in it with a key script.
class MenuScenesRun : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(MakeDemoProject(m_dir.Path())); }

  cProcessResult Run(const std::string& script, int frames, const std::vector<std::string>& extra = {}) {
    m_dir.Write("keys.txt", script);
    std::vector<std::string> env = {"KORVANE_FRAMES=" + std::to_string(frames), "KORVANE_INPUT=keys.txt",
                                    "KORVANE_TRACE=trace.txt", "KORVANE_DUMP=dump"};
    env.insert(env.end(), extra.begin(), extra.end());
    return RunGame(m_dir.Path(), env);
  }
  std::vector<std::string> Trace() const {
    std::vector<std::string> lines;
    if (!m_dir.Exists("trace.txt")) return lines;
    const std::vector<unsigned char> bytes = m_dir.Read("trace.txt");
    std::string line;
    for (unsigned char c : bytes) {
      if (c == '\n') {
        lines.push_back(line);
        line.clear();
      } else {
        line += static_cast<char>(c);
      }
    }
    return lines;
  }
  // The trace's events other than the per-frame lines of stage play.
  std::vector<std::string> Events() const {
    std::vector<std::string> events;
    for (const std::string& l : Trace())
      if (l.find("\"ev\"") != std::string::npos) events.push_back(l);
    return events;
  }
  bool Traced(const std::string& text) const {
    for (const std::string& l : Trace())
      if (l.find(text) != std::string::npos) return true;
    return false;
  }

  cTempDir m_dir{false};
};

TEST_F(MenuScenesRun, TheGameStartsAtTheTitleAndItsExitItemEndsItWithCodeZero) {
  // Up from the first item wraps to the last one, the exit.
  cProcessResult r = Run("20 UP=1\n21 UP=0\n25 Z=1\n26 Z=0\n", 2000, {"KORVANE_DUMP_FRAMES=22,1999"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(Events(), (std::vector<std::string>{
                          R"({"f":1,"ev":"mode","from":-1,"to":0})",
                          R"({"f":1,"ev":"bgm","kind":0,"n":1})",
                          R"({"f":20,"ev":"se","n":0})",
                          R"({"f":25,"ev":"se","n":1})",
                      }));
  EXPECT_TRUE(m_dir.Exists("dump/frame-000022.png"));
  EXPECT_FALSE(m_dir.Exists("dump/frame-001999.png"));  // ended by the item, long before the frame limit
}

TEST_F(MenuScenesRun, ANewStoryWalksTheMapAndEntersTheStageAfterTheQuestion) {
  const char* script =
      "20 Z=1\n21 Z=0\n"
      // into the rock above the start (the figure only turns), right, and back
      "60 UP=1\n61 UP=0\n70 RIGHT=1\n71 RIGHT=0\n80 LEFT=1\n81 LEFT=0\n"
      // the stage under the figure waits for button 1; the question starts on "not now"
      "90 Z=1\n91 Z=0\n100 UP=1\n101 UP=0\n110 Z=1\n111 Z=0\n";
  cProcessResult r = Run(script, 140, {"KORVANE_DUMP_FRAMES=65,75,105"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Traced(R"({"f":31,"ev":"mode","from":0,"to":1})"));
  EXPECT_TRUE(Traced(R"({"f":31,"ev":"bgm","kind":1,"n":0})"));
  EXPECT_TRUE(Traced(R"({"f":121,"ev":"mode","from":1,"to":4})"));
  for (const char* f : {"dump/frame-000065.png", "dump/frame-000075.png", "dump/frame-000105.png"})
    EXPECT_TRUE(m_dir.Exists(f)) << f;
  EXPECT_FALSE(m_dir.ReportContains("MessageBox"));
}

TEST_F(MenuScenesRun, TheMapMenuSavesToASlotAndTheTitleContinuesFromItOnTheSameCell) {
  const char* script =
      // a new story, one cell right of the first stage, cancel opens the menu
      "20 Z=1\n21 Z=0\n50 RIGHT=1\n51 RIGHT=0\n60 X=1\n61 X=0\n"
      // save, slot 1, the question starts on "not now": up, confirm
      "90 Z=1\n91 Z=0\n100 Z=1\n101 Z=0\n110 UP=1\n111 UP=0\n120 Z=1\n121 Z=0\n"
      // back to the menu, down to "to the title", yes
      "130 X=1\n131 X=0\n140 DOWN=1\n141 DOWN=0\n150 DOWN=1\n151 DOWN=0\n160 DOWN=1\n161 DOWN=0\n"
      "170 Z=1\n171 Z=0\n180 UP=1\n181 UP=0\n190 Z=1\n191 Z=0\n"
      // continue, slot 1
      "220 DOWN=1\n221 DOWN=0\n230 Z=1\n231 Z=0\n240 Z=1\n241 Z=0\n"
      // button 1 where the game was saved finds no stage; one cell left it does
      "270 Z=1\n271 Z=0\n280 LEFT=1\n281 LEFT=0\n290 Z=1\n291 Z=0\n";
  cProcessResult r = Run(script, 300, {"KORVANE_DUMP_FRAMES=115,125,175,235,265"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  for (const char* line : {R"({"f":71,"ev":"mode","from":1,"to":2})", R"({"f":120,"ev":"se","n":5})",
                           R"({"f":120,"ev":"file","path":"user_data\\story\\Story01.dat"})",
                           R"({"f":201,"ev":"mode","from":2,"to":0})", R"({"f":251,"ev":"mode","from":0,"to":1})",
                           R"({"f":291,"ev":"se","n":1})"})
    EXPECT_TRUE(Traced(line)) << line;
  EXPECT_FALSE(Traced(R"({"f":271,"ev":"se","n":1})"));
  cProcessResult dump = RunProgram("korvane-data", {"dump", "user_data/story/Story01.dat"}, m_dir.Path());
  EXPECT_EQ(dump.exitCode, 0) << dump.output;
  for (const char* field : {"nMapX = 10", "nMapY = 7", "nMapDir = 3", "nSlot = 0"})
    EXPECT_NE(dump.output.find(field), std::string::npos) << field;
}

}  // namespace
