// The stage-play scene in the real program, headless: the demo's start-up stage
// from the start banner into play, and the pause menu driven by scripted keys.
// Every run is made twice: the two traces must be the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/support/play_stage.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

struct cTraceRun {
  int exitCode = -1;
  std::vector<std::string> lines;
  std::map<int, int> phases;                 // frame -> phase of its stage line
  std::vector<std::string> events;           // the lines that are not phase lines
};

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

int IntField(const std::string& line, const std::string& key) {
  const size_t at = line.find("\"" + key + "\":");
  return at == std::string::npos ? -999 : std::stoi(line.substr(at + key.size() + 3));
}

// The start-up stage of the demo project for `frames` frames with the scripted input.
cTraceRun RunStartupStage(int frames, const std::string& input) {
  cTempDir dir(false);
  cTraceRun run;
  if (!MakeDemoProject(dir.Path())) return run;
  dir.Write("input.txt", input);
  cProcessResult r = RunGame(dir.Path(),
                             {"KORVANE_FRAMES=" + std::to_string(frames), "KORVANE_TRACE=" + dir.Path() + "/trace.txt",
                              "KORVANE_INPUT=" + dir.Path() + "/input.txt"},
                             {"data\\stg4\\w01-1.stg4"});
  run.exitCode = r.exitCode;
  const std::vector<unsigned char> bytes = dir.Exists("trace.txt") ? dir.Read("trace.txt") : std::vector<unsigned char>{};
  run.lines = SplitLines(std::string(bytes.begin(), bytes.end()));
  for (const std::string& l : run.lines) {
    if (l.find("\"mode\":4,\"phase\"") != std::string::npos)
      run.phases[IntField(l, "f")] = IntField(l, "phase");
    else
      run.events.push_back(l);
  }
  return run;
}

// Lines of frames up to lastFrame.
std::vector<std::string> Upto(const std::vector<std::string>& lines, int lastFrame) {
  std::vector<std::string> kept;
  for (const std::string& l : lines)
    if (IntField(l, "f") <= lastFrame) kept.push_back(l);
  return kept;
}

// The run twice: the traces must be the same (up to lastFrame: a close asked for
// by the game arrives after a number of frames that the window thread decides).
cTraceRun RunTwice(int frames, const std::string& input, int lastFrame = 1 << 30) {
  cTraceRun first = RunStartupStage(frames, input);
  cTraceRun second = RunStartupStage(frames, input);
  EXPECT_EQ(Upto(first.lines, lastFrame), Upto(second.lines, lastFrame)) << "the same run gave two traces";
  return first;
}

// The frames (from..to) that ran in each phase, as "phase:first-last" runs.
std::vector<std::string> PhaseRuns(const cTraceRun& run) {
  std::vector<std::string> runs;
  int phase = -99, first = 0, last = 0;
  auto flush = [&] {
    if (phase != -99) runs.push_back(std::to_string(phase) + ":" + std::to_string(first) + "-" + std::to_string(last));
  };
  for (const auto& [f, p] : run.phases) {
    if (p != phase) {
      flush();
      phase = p;
      first = f;
    }
    last = f;
  }
  flush();
  return runs;
}

TEST(StagePlayRun, TheStartUpStageFadesInShowsItsBannerAndPlays) {
  cTraceRun run = RunTwice(120, "");
  EXPECT_EQ(run.exitCode, 0);
  ASSERT_GE(run.lines.size(), 3u);
  EXPECT_EQ(run.lines[0], "{\"f\":1,\"ev\":\"mode\",\"from\":-1,\"to\":4}");
  EXPECT_EQ(run.lines[1], "{\"f\":1,\"ev\":\"bgm\",\"kind\":4,\"n\":1}");  // the stage's music
  // The fade in takes 10 frames at 10 degrees a frame; the start word shows for 79
  // frames after it and the 80th starts play.
  EXPECT_EQ(PhaseRuns(run), (std::vector<std::string>{"0:1-9", "1:10-89", "2:90-120"}));
  // A start-up stage has unlimited lives; the phase line carries the stage's time.
  EXPECT_EQ(IntField(run.lines[2], "lives"), 999999);
  EXPECT_EQ(IntField(run.lines[2], "time"), 200);
}

TEST(StagePlayRun, SpaceOpensThePauseMenuAndConfirmResumes) {
  // Space on frame 100; the menu opens on its middle row (resume); Z confirms.
  cTraceRun run = RunTwice(130, "100 SPACE=1\n101 SPACE=0\n110 Z=1\n112 Z=0\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(PhaseRuns(run), (std::vector<std::string>{"0:1-9", "1:10-89", "2:90-99", "3:100-109", "2:110-130"}));
  const std::vector<std::string> expected = {
      "{\"f\":1,\"ev\":\"mode\",\"from\":-1,\"to\":4}", "{\"f\":1,\"ev\":\"bgm\",\"kind\":4,\"n\":1}",
      "{\"f\":100,\"ev\":\"se\",\"n\":4}",  // pause opened
      "{\"f\":110,\"ev\":\"se\",\"n\":1}",  // confirm
  };
  EXPECT_EQ(run.events, expected);
}

TEST(StagePlayRun, CancelLeavesThePauseMenuToo) {
  cTraceRun run = RunTwice(110, "100 SPACE=1\n101 SPACE=0\n105 X=1\n106 X=0\n");
  EXPECT_EQ(PhaseRuns(run), (std::vector<std::string>{"0:1-9", "1:10-89", "2:90-99", "3:100-104", "2:105-110"}));
  EXPECT_EQ(run.events.back(), "{\"f\":105,\"ev\":\"se\",\"n\":2}");
}

TEST(StagePlayRun, RetryFromThePauseMenuStartsTheStageAgainWithItsBanner) {
  cTraceRun run = RunTwice(200, "100 SPACE=1\n101 SPACE=0\n103 DOWN=1\n104 DOWN=0\n105 Z=1\n106 Z=0\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(PhaseRuns(run),
            (std::vector<std::string>{"0:1-9", "1:10-89", "2:90-99", "3:100-104", "1:105-184", "2:185-200"}));
  const std::vector<std::string> expected = {
      "{\"f\":1,\"ev\":\"mode\",\"from\":-1,\"to\":4}", "{\"f\":1,\"ev\":\"bgm\",\"kind\":4,\"n\":1}",
      "{\"f\":100,\"ev\":\"se\",\"n\":4}", "{\"f\":103,\"ev\":\"se\",\"n\":0}",  // the cursor down to retry
      "{\"f\":105,\"ev\":\"se\",\"n\":1}",
  };
  EXPECT_EQ(run.events, expected);
}

TEST(StagePlayRun, QuitFromThePauseMenuOfAStartUpStageEndsTheProgram) {
  cTraceRun run = RunTwice(300, "100 SPACE=1\n101 SPACE=0\n103 UP=1\n104 UP=0\n105 Z=1\n106 Z=0\n", 105);
  EXPECT_EQ(run.exitCode, 0);
  ASSERT_FALSE(run.phases.empty());
  // The program ends by itself, before the frame limit closes it (how many frames
  // run until the window takes the close depends on the window thread).
  EXPECT_LT(run.phases.rbegin()->first, 300);
  EXPECT_EQ(run.phases.at(105), 7);
}

}  // namespace

namespace {

// A stage of the fixture builder played as the start-up stage of the demo project.
cTraceRun RunFixtureStage(const cPlayStage& stage, int frames) {
  cTempDir dir(false);
  cTraceRun run;
  if (!MakeDemoProject(dir.Path())) return run;
  if (!stage.Write(dir.Path() + "/data/stg4/fixture.stg4_752")) return run;
  cProcessResult r = RunGame(dir.Path(),
                             {"KORVANE_FRAMES=" + std::to_string(frames), "KORVANE_TRACE=" + dir.Path() + "/trace.txt"},
                             {"data\\stg4\\fixture.stg4"});
  run.exitCode = r.exitCode;
  const std::vector<unsigned char> bytes = dir.Exists("trace.txt") ? dir.Read("trace.txt") : std::vector<unsigned char>{};
  run.lines = SplitLines(std::string(bytes.begin(), bytes.end()));
  for (const std::string& l : run.lines)
    if (l.find("\"mode\":4,\"phase\"") != std::string::npos) run.phases[IntField(l, "f")] = IntField(l, "phase");
  return run;
}

TEST(StagePlayRun, TheStartBannersFollowTheStagesSettings) {
  cPlayStage stage(30, 20);
  stage.Map({"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "..P",
             "##############################"});
  // Neither banner: play starts on the frame after the fade in.
  stage.Settings().bStartBanner1 = 0;
  stage.Settings().bStartBanner2 = 0;
  cTraceRun run = RunFixtureStage(stage, 30);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(PhaseRuns(run), (std::vector<std::string>{"0:1-9", "1:10-10", "2:11-30"}));
  // The stage number, then the start word: 79 frames each.
  stage.Settings().bStartBanner1 = 1;
  stage.Settings().bStartBanner2 = 1;
  run = RunFixtureStage(stage, 200);
  EXPECT_EQ(PhaseRuns(run), (std::vector<std::string>{"0:1-9", "1:10-168", "2:169-200"}));
  // The view starts centred on the player in the stage's lower left corner.
  ASSERT_FALSE(run.lines.empty());
  EXPECT_NE(run.lines.back().find("\"view\":[320,"), std::string::npos) << run.lines.back();
}

}  // namespace

namespace {

// The text of a JSON object's field (up to the next top-level comma or brace).
std::string Field(const std::string& line, const std::string& key) {
  const size_t at = line.find("\"" + key + "\":");
  if (at == std::string::npos) return "";
  size_t i = at + key.size() + 3, depth = 0;
  const size_t start = i;
  for (; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '{' || c == '[') ++depth;
    if (c == '}' || c == ']') {
      if (depth == 0) break;
      --depth;
    }
    if (c == ',' && depth == 0) break;
  }
  return line.substr(start, i - start);
}

TEST(StagePlayRun, TheDemosFirstStageIsSetUpWithItsPlayerEnemiesAndCoins) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  cProcessResult r = RunGame(dir.Path(),
                             {"KORVANE_FRAMES=3", "KORVANE_TRACE=" + dir.Path() + "/trace.txt", "KORVANE_TRACE_DETAIL=1"},
                             {"data\\stg4\\w01-1.stg4"});
  EXPECT_EQ(r.exitCode, 0);
  const std::vector<unsigned char> bytes = dir.Read("trace.txt");
  const std::vector<std::string> lines = SplitLines(std::string(bytes.begin(), bytes.end()));
  std::string phase, detail;
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].find("\"mode\":4,\"phase\"") != std::string::npos && i + 1 < lines.size()) {
      phase = lines[i];
      detail = lines[i + 1];
      break;
    }
  ASSERT_FALSE(phase.empty());
  // The player (five hit points) on column 2, row 12: a 16 x 24 body on its cell's floor,
  // the view at the stage's left and bottom edge (15 rows: 25 x 32 - 480).
  EXPECT_EQ(Field(phase, "p1"), "{\"x\":392.5,\"y\":712,\"vx\":0,\"vy\":0,\"hp\":5,\"sp\":0,\"dead\":0}");
  EXPECT_EQ(Field(phase, "view"), "[320,320]");
  // Its enemies and coins as the stage places them.
  const int chars = std::stoi(Field(phase, "chars"));
  EXPECT_GT(chars, 0);
  EXPECT_GT(std::stoi(Field(phase, "items")), 0);
  const std::string c = Field(detail, "c");
  EXPECT_EQ(std::count(c.begin(), c.end(), '[') - 1, chars) << detail;
  EXPECT_EQ(c.rfind("[[1,", 0), 0u) << detail;
  EXPECT_EQ(Field(detail, "s"), "[]");
}

TEST(StagePlayRun, AFixtureStagesCopiesAndCarriedItemInTheTrace) {
  cPlayStage field(30, 20);
  std::vector<std::string> map(18, "");
  map.push_back("..P.....E");
  map.push_back(std::string(30, '#'));
  field.Map(map);
  field.Settings().nScrollOffsetX = 50 * 32 - 640;
  field.Settings().nScrollOffsetY = 40 * 32 - 640;
  cEdStage s = field.Build();
  cEdChara& enemy = s.Charas.At(1);
  enemy.nLinkKind = 0;
  enemy.nCopies = 2;
  enemy.nSpawnStepX = 40;
  enemy.nCarriedItem = 0;
  for (int col : {5, 6}) {
    cEdItem item;
    item.nGraphic = 1;
    item.nCol = static_cast<int16_t>(col);
    item.nRow = 10;
    s.Items.push_back(item);
  }
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  ASSERT_TRUE(s.Save((dir.Path() + "/data/stg4/fixture.stg4_752").c_str()));
  cProcessResult r = RunGame(dir.Path(),
                             {"KORVANE_FRAMES=2", "KORVANE_TRACE=" + dir.Path() + "/trace.txt", "KORVANE_TRACE_DETAIL=1"},
                             {"data\\stg4\\fixture.stg4"});
  EXPECT_EQ(r.exitCode, 0);
  const std::vector<unsigned char> bytes = dir.Read("trace.txt");
  const std::vector<std::string> lines = SplitLines(std::string(bytes.begin(), bytes.end()));
  std::string phase, detail;
  for (size_t i = 0; i + 1 < lines.size(); ++i)
    if (lines[i].find("\"mode\":4,\"phase\"") != std::string::npos) {
      phase = lines[i];
      detail = lines[i + 1];
      break;
    }
  // Three enemies 40 dots apart (cell 18: x = 18 x 32 + 8 + 0.5), and only the coin
  // nobody carries.
  EXPECT_EQ(Field(phase, "chars"), "3");
  EXPECT_EQ(Field(phase, "items"), "1");
  EXPECT_EQ(Field(detail, "c"), "[[1,584.5,904,10,0,1],[2,624.5,904,10,0,1],[3,664.5,904,10,0,1]]");
}

}  // namespace
