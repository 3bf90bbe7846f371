// One enemy on a pillar fires a spread of three shots to the left once, in the
// real program on a fixture stage at one logic step a frame. The characters and
// shots of play's frames 1, 10 and 60 in the detailed trace are checked against a
// reviewed trace, and two runs give the same trace.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/chara/flow_fixture.h"
#include "tests/support/play_stage.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

// Reviewed by hand: at the firing the firer (stage (968.5, 488), drawing offset
// 8, 8, drawn 32 x 32) has the screen rectangle (496, 0) in the view (464.5, 480),
// so the spread starts at (464 + 496 - 16 + 1, 480 + 0 + 16 - 8) = (945, 488); the
// angles -30, 0 and 30 fly at (-1.732.., 1), (-2, 0) and (-1.732.., -1) dots a
// step, and each shot moves in the step that fires it: after 1, 10 and 60 steps
// the middle one is at x 943, 925 and 825, the others 1, 10 and 60 dots below and
// above it.
const char* const kReviewed = KORVANE_SOURCE_DIR "/tests/stage/traces/spread_shots.txt";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The stage: the player on the ground at column 14, the enemy at column 20 on a
// one-block pillar, far above the ground, so that no shot meets a block.
cEdStage SpreadStage() {
  std::vector<std::string> map(20, "");
  map[5] = std::string(20, '.') + "E";
  map[6] = std::string(20, '.') + "#";
  map[18] = std::string(14, '.') + "P";
  map[19] = std::string(30, '#');
  cPlayStage field(30, 20);
  field.Level(11).Map(map);
  field.Settings().nScrollOffsetX = 50 * 32 - 640;
  field.Settings().nScrollOffsetY = 40 * 32 - 480;
  // No banners: play starts on the frame after the fade in.
  field.Settings().bStartBanner1 = 0;
  field.Settings().bStartBanner2 = 0;
  cEdStage s = field.Build();
  for (cEdChara& c : s.Charas) {
    if (c.nCol != 20) continue;
    c.nLinkKind = 0;
    // "拡散" to the left: three shots 30 degrees apart at 2 dots a frame, fired
    // once; then the flow waits far beyond the run.
    cEdCommand shot = MakeCommand(11, 0);
    NewEdShot(shot.pShot);
    cEdShot& d = *shot.pShot;
    d.nFormation = 2;
    d.nShotDirection = 2;
    d.nCount = 3;
    d.nFormationParam[0] = 30;
    d.nSpeed = 20;
    d.nGraphic = 1;
    c.Flows.assign(1, MakeFlow(0, {shot, MakeCommand(1, 9999)}));
  }
  return s;
}

// The detail lines of play's 1st, 10th and 60th frames in one run: the frames
// whose stage line counts 1, 10 and 60 logic steps (the fade in, and the frame
// that turns to play, run none).
std::vector<std::string> RunSpread() {
  cTempDir dir(false);
  std::vector<std::string> picked;
  if (!MakeDemoProject(dir.Path())) return picked;
  cEdStage stage = SpreadStage();
  if (!stage.Save((dir.Path() + "/data/stg4/spread.stg4_752").c_str())) return picked;
  cProcessResult r = RunGame(dir.Path(),
                             {"KORVANE_FRAMES=71", "KORVANE_TRACE=" + dir.Path() + "/trace.txt", "KORVANE_TRACE_DETAIL=1"},
                             {"data\\stg4\\spread.stg4"});
  EXPECT_EQ(r.exitCode, 0) << r.output;
  if (!dir.Exists("trace.txt")) return picked;
  const std::vector<unsigned char> bytes = dir.Read("trace.txt");
  const std::vector<std::string> lines = Lines(std::string(bytes.begin(), bytes.end()));
  for (size_t i = 0; i + 1 < lines.size(); ++i)
    for (const char* steps : {"\"phase\":2,\"steps\":1,", "\"phase\":2,\"steps\":10,", "\"phase\":2,\"steps\":60,"})
      if (lines[i].find(steps) != std::string::npos) picked.push_back(lines[i + 1]);
  return picked;
}

}  // namespace

TEST(SpreadScenario, ShotsOfPlaysFrames1And10And60MatchTheReviewedTrace) {
  const std::vector<std::string> first = RunSpread();
  const std::vector<std::string> second = RunSpread();
  EXPECT_EQ(first, second) << "the same run gave two traces";
  std::ifstream in(kReviewed);
  std::stringstream reviewed;
  reviewed << in.rdbuf();
  std::string got;
  for (const std::string& l : first) got += l + "\n";
  EXPECT_EQ(got, reviewed.str()) << "the trace now reads:\n" << got;
}
