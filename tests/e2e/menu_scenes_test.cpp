// The menu scenes in the real program on the demo project: scripted keys, the play
// trace and the files written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "data/project_globals.h"
#include "data/world_map.h"
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
  // Writes a save record into the project as the game would (its definitions are
  // checked against the project's database).
  void WriteSave(cSaveData& save, const std::string& relPath) {
    std::filesystem::current_path(m_dir.Path());
    std::filesystem::create_directories(std::filesystem::path(m_dir.Path()) / "user_data" / "story");
    std::filesystem::create_directories(std::filesystem::path(m_dir.Path()) / "user_data" / "challenge");
    ASSERT_EQ(Database.Load(), 1);
    ASSERT_EQ(save.Save(relPath.c_str()), 1);
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
      // on the stage, button 3 shows its ranking window
      "85 C=1\n86 C=0\n"
      // the stage under the figure waits for button 1; the question starts on "not now"
      "90 Z=1\n91 Z=0\n100 UP=1\n101 UP=0\n110 Z=1\n111 Z=0\n";
  cProcessResult r = Run(script, 140, {"KORVANE_DUMP_FRAMES=65,75,88,105"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Traced(R"({"f":31,"ev":"mode","from":0,"to":1})"));
  EXPECT_TRUE(Traced(R"({"f":31,"ev":"bgm","kind":1,"n":0})"));
  EXPECT_TRUE(Traced(R"({"f":85,"ev":"se","n":6})"));
  EXPECT_TRUE(Traced(R"({"f":91,"ev":"se","n":1})"));
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

// Title to the challenge: down twice and confirm.
constexpr const char* kToChallenge = "20 DOWN=1\n21 DOWN=0\n30 DOWN=1\n31 DOWN=0\n40 Z=1\n41 Z=0\n";

TEST_F(MenuScenesRun, TheChallengeListShowsItsRankingAndStartsItsStage) {
  const std::string script = std::string(kToChallenge) + "70 C=1\n71 C=0\n80 Z=1\n81 Z=0\n";
  cProcessResult r = Run(script, 100, {"KORVANE_DUMP_FRAMES=65,75"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  for (const char* line : {R"({"f":51,"ev":"mode","from":0,"to":3})", R"({"f":51,"ev":"bgm","kind":2,"n":0})",
                           R"({"f":70,"ev":"se","n":6})", R"({"f":80,"ev":"se","n":1})",
                           R"({"f":91,"ev":"mode","from":3,"to":4})"})
    EXPECT_TRUE(Traced(line)) << line;
  EXPECT_FALSE(m_dir.ReportContains("MessageBox"));
}

TEST_F(MenuScenesRun, AMissingChallengeStageIsRefusedAndTheListStays) {
  std::remove((m_dir.Path() + "/data/stg4/c01-1.stg4_752").c_str());
  // Refused, then cancel to the title, whose cursor waits on the challenge item.
  const std::string script = std::string(kToChallenge) + "80 Z=1\n81 Z=0\n90 X=1\n91 X=0\n130 Z=1\n131 Z=0\n";
  cProcessResult r = Run(script, 150, {"KORVANE_DUMP_FRAMES=85"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  for (const char* line : {R"({"f":80,"ev":"se","n":3})", R"({"f":90,"ev":"se","n":2})",
                           R"({"f":101,"ev":"mode","from":3,"to":0})", R"({"f":141,"ev":"mode","from":0,"to":3})"})
    EXPECT_TRUE(Traced(line)) << line;
  EXPECT_FALSE(Traced(R"("to":4)"));
  EXPECT_TRUE(m_dir.ReportContains(SJ("ステージファイル data\\stg4\\c01-1.stg4 が読み込めません！")));
}

TEST_F(MenuScenesRun, ChallengeRecordsWithoutEntriesOpenTheList) {
  cSaveData record;
  record.Reset();
  record.ChallengeRecords.clear();
  WriteSave(record, "user_data\\challenge\\Challenge.dat");
  cProcessResult r = Run(std::string(kToChallenge) + "80 Z=1\n81 Z=0\n", 100);
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Traced(R"({"f":91,"ev":"mode","from":3,"to":4})"));
}

TEST_F(MenuScenesRun, OptionsChangeTheVolumeCancelAndKeepItAndTakeTheName) {
  const char* script =
      // up twice from the first item wraps to the options
      "20 UP=1\n21 UP=0\n30 UP=1\n31 UP=0\n40 Z=1\n41 Z=0\n"
      // the volume (third item): up and cancel (7 again), then down and keep (6)
      "70 DOWN=1\n71 DOWN=0\n80 DOWN=1\n81 DOWN=0\n90 Z=1\n91 Z=0\n100 UP=1\n101 UP=0\n110 X=1\n111 X=0\n"
      "120 Z=1\n121 Z=0\n130 DOWN=1\n131 DOWN=0\n140 Z=1\n141 Z=0\n"
      // the name, then back to the title
      "150 DOWN=1\n151 DOWN=0\n160 DOWN=1\n161 DOWN=0\n170 Z=1\n171 Z=0\n180 DOWN=1\n181 DOWN=0\n190 Z=1\n191 Z=0\n";
  cProcessResult r = Run(script, 230, {"KORVANE_ANSWERS=text:KOR", "KORVANE_DUMP_FRAMES=105,115,135,185"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  for (const char* line : {R"({"f":51,"ev":"mode","from":0,"to":5})", R"({"f":110,"ev":"se","n":2})",
                           R"({"f":200,"ev":"file","path":"user_data\\Option.dat"})",
                           R"({"f":201,"ev":"mode","from":5,"to":0})", R"({"f":201,"ev":"bgm","kind":0,"n":1})"})
    EXPECT_TRUE(Traced(line)) << line;
  cProcessResult dump = RunProgram("korvane-data", {"dump", "user_data/Option.dat"}, m_dir.Path());
  EXPECT_EQ(dump.exitCode, 0) << dump.output;
  for (const char* field : {"nVolume = 6", "strName = \"KOR\"", "nPaletteSet = 0", "bMusic = 1"})
    EXPECT_NE(dump.output.find(field), std::string::npos) << field << "\n" << dump.output;
}

// Continue from slot 1 (the title's second item, the first slot).
constexpr const char* kContinueSlot1 = "20 DOWN=1\n21 DOWN=0\n30 Z=1\n31 Z=0\n40 Z=1\n41 Z=0\n";

TEST_F(MenuScenesRun, ASlotWithAPositionBeyondTheMapStartsOnTheStartCell) {
  cSaveData slot;
  slot.Reset();
  WriteSave(slot, "user_data\\story\\Story01.dat");
  // The record writes itself inside the map: the cell is put beyond it in the
  // bytes (the version word and the field count, then bCarry, nMapX, nMapY).
  std::vector<unsigned char> bytes = m_dir.Read("user_data/story/Story01.dat");
  ASSERT_GT(bytes.size(), 20u);
  const unsigned char far[8] = {0xF4, 0x01, 0, 0, 0xFD, 0xFF, 0xFF, 0xFF};  // 500, -3
  std::copy(far, far + 8, bytes.begin() + 12);
  m_dir.Write("user_data/story/Story01.dat", bytes);
  // On the start cell stands the first stage: button 1 brings its question.
  const std::string script = std::string(kContinueSlot1) + "80 Z=1\n81 Z=0\n";
  cProcessResult r = Run(script, 100, {"KORVANE_DUMP_FRAMES=75,95"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Traced(R"({"f":51,"ev":"mode","from":0,"to":1})"));
  EXPECT_TRUE(Traced(R"({"f":81,"ev":"se","n":1})"));
  EXPECT_FALSE(m_dir.ReportContains("MessageBox"));
}

TEST_F(MenuScenesRun, AnEmptySlotIsRefused) {
  cProcessResult r = Run(kContinueSlot1, 60);
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Traced(R"({"f":40,"ev":"se","n":3})"));
  EXPECT_FALSE(Traced(R"("to":1)"));
}

// The demo's world map changed by f and written back.
template <class F>
void ChangeWorldMap(const std::string& folder, F f) {
  cEdWorldMap map;
  const std::string path = folder + "/data/WorldMap.dat";
  ASSERT_EQ(map.Load(path.c_str()), 1);
  f(map);
  ASSERT_EQ(map.Save(path.c_str()), 1);
}

TEST_F(MenuScenesRun, AnAutomaticStageThatCannotBeLoadedLeavesTheMapUsable) {
  for (const bool damaged : {false, true}) {
    SCOPED_TRACE(damaged ? "damaged" : "missing");
    ASSERT_TRUE(MakeDemoProject(m_dir.Path()));
    ChangeWorldMap(m_dir.Path(), [&](cEdWorldMap& map) {
      map.Events[0].Stages[0].bNoAutoStart = 0;
      map.Events[0].Stages[0].strFile = damaged ? "data\\stg4\\bad-1.stg4" : "data\\stg4\\none-1.stg4";
    });
    // A stage file from a version with a trailer, cut short.
    m_dir.Write("data/stg4/bad-1.stg4_752", std::vector<unsigned char>{0xF0, 0x02, 0, 0, 1, 2, 3});
    // A new story: the stage under the figure cannot start; the figure walks and
    // the menu opens.
    cProcessResult r = Run("20 Z=1\n21 Z=0\n60 RIGHT=1\n61 RIGHT=0\n70 X=1\n71 X=0\n", 100);
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(Traced(R"({"f":60,"ev":"se","n":0})"));
    EXPECT_TRUE(Traced(R"({"f":70,"ev":"se","n":4})"));
    EXPECT_TRUE(Traced(R"({"f":81,"ev":"mode","from":1,"to":2})"));
    EXPECT_FALSE(Traced(R"("to":4)"));
    EXPECT_TRUE(m_dir.ReportContains(damaged ? SJ("が破損しています！") : SJ("が読み込めません！")));
  }
}

TEST_F(MenuScenesRun, AWorldMapWithoutEventsCanBeWalked) {
  ChangeWorldMap(m_dir.Path(), [](cEdWorldMap& map) { map.Events.clear(); });
  cProcessResult r = Run("20 Z=1\n21 Z=0\n60 RIGHT=1\n61 RIGHT=0\n70 Z=1\n71 Z=0\n80 X=1\n81 X=0\n", 100);
  EXPECT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Traced(R"({"f":60,"ev":"se","n":0})"));
  EXPECT_FALSE(Traced(R"({"f":70,"ev":"se","n":1})"));
  EXPECT_TRUE(Traced(R"({"f":91,"ev":"mode","from":1,"to":2})"));
}

TEST_F(MenuScenesRun, AMissingTitlePictureIsNamedAndTheGameCloses) {
  std::remove((m_dir.Path() + "/bmp/Title.bmp").c_str());
  cProcessResult r = Run("", 2000, {"KORVANE_DUMP_FRAMES=1999"});
  EXPECT_NE(r.exitCode, 0) << r.output;
  EXPECT_TRUE(m_dir.ReportContains(SJ("bmp\\Title.bmp の読み込みに失敗！")));
  EXPECT_FALSE(m_dir.Exists("dump/frame-001999.png"));
}

TEST_F(MenuScenesRun, TheTitlesFileItemsStayOnTheTitleWhenNothingCanBePlayed) {
  // A stage file from a version with a trailer, cut short.
  m_dir.Write("data/stg4/bad-1.stg4_752", std::vector<unsigned char>{0xF0, 0x02, 0, 0, 1, 2, 3});
  struct Case {
    const char* name;
    int downs;            // from the first item: 3 stage file, 4 replay
    const char* answers;
    bool plays;
  };
  const Case cases[] = {
      {"stage file dialog cancelled", 3, "cancel", false},
      {"damaged stage file", 3, "file:bad-1.stg4_752,ok", false},
      {"replay dialog cancelled", 4, "cancel", false},
      {"good stage file", 3, "file:w01-1.stg4_752", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string script;
    int f = 20;
    for (int i = 0; i < c.downs; ++i, f += 10)
      script += std::to_string(f) + " DOWN=1\n" + std::to_string(f + 1) + " DOWN=0\n";
    script += std::to_string(f) + " Z=1\n" + std::to_string(f + 1) + " Z=0\n";
    // Then on to the exit item (the last), which ends the game in order.
    f += 10;
    for (int i = c.downs; i < 6; ++i, f += 10)
      script += std::to_string(f) + " DOWN=1\n" + std::to_string(f + 1) + " DOWN=0\n";
    script += std::to_string(f) + " Z=1\n" + std::to_string(f + 1) + " Z=0\n";
    cProcessResult r = Run(script, 400, {std::string("KORVANE_ANSWERS=") + c.answers});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(Traced(R"("from":0,"to":4)"), c.plays);
    if (std::string(c.name) == "damaged stage file") {
      EXPECT_TRUE(m_dir.ReportContains(SJ("ステージファイル data\\stg4\\bad-1.stg4_752 が破損しています！")));
    }
  }
}

TEST_F(MenuScenesRun, ProgressFromASlotOpensTheNextStageOnTheMap) {
  for (const int cleared : {0, 1}) {
    SCOPED_TRACE(cleared ? "stage 1 cleared" : "nothing cleared");
    cSaveData slot;
    slot.Reset();
    slot.nMapX = 9;
    slot.nMapY = 7;
    slot.Flags[1] = cleared;
    WriteSave(slot, "user_data\\story\\Story01.dat");
    // Two cells right of the start stands stage 2, offered once stage 1 is cleared.
    const std::string script =
        std::string(kContinueSlot1) + "80 RIGHT=1\n81 RIGHT=0\n90 RIGHT=1\n91 RIGHT=0\n100 Z=1\n101 Z=0\n";
    cProcessResult r = Run(script, 110, {"KORVANE_DUMP_FRAMES=75,105"});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(Traced(R"({"f":90,"ev":"se","n":0})"));
    EXPECT_EQ(Traced(R"({"f":101,"ev":"se","n":1})"), cleared == 1);
  }
}

}  // namespace
