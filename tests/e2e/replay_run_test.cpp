// Replays reproduce real play: a fixture stage played from its file with scripted
// keys (walking, jumping, falling into a pit), saved with F1 through the save
// dialog, then played back from the title's replay item by fresh processes on
// both clocks. The play frames of the recording and of each playback are equal.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "data/move_def.h"
#include "tests/support/play_stage.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

// A flow that runs its command while key `key` (0-9 stick, 11-18 buttons) is held.
cEdFlow KeyFlow(int key, cEdCommand command, int repeat) {
  cEdFlow f;
  f.bKeyRepeat = static_cast<int8_t>(repeat);
  cEdKeyCondition k;
  k.Keys[static_cast<size_t>(key)] = 1;
  k.bAnyLength = 1;
  f.KeyConditions.push_back(k);
  f.Commands.push_back(command);
  return f;
}

cEdCommand Walk(int direction) {
  cEdCommand move;
  move.nType = 2;  // straight movement
  move.nTime = 1;
  NewEdMove(move.pMove);
  move.pMove->nDirection = static_cast<uint8_t>(direction);
  move.pMove->nSpeed = 20;
  move.pMove->bTimeFromDistance = 0;
  return move;
}

cEdCommand Jump(int hbl) {
  cEdCommand jump;
  jump.nType = 10;
  jump.Values = {0, 0, hbl, 0, 0};
  return jump;
}

// A message window that holds play until the confirm button.
cEdCommand HeldMessage() {
  cEdCommand message;
  message.nType = 19;
  message.Values.assign(18, 0);
  message.Values[8] = 1;  // holds play; shown until a key
  message.strText = "ok?";
  return message;
}

// Floor with a pit at columns 16 and 17; the player walks right with the stick,
// left too, and jumps with button 1; with talk, button 2 opens a held message.
bool WriteStage(const std::string& path, bool talk = false) {
  std::vector<std::string> rows(10, "");
  rows[8] = "..P";
  rows[9] = std::string(16, '#') + ".." + std::string(12, '#');
  cPlayStage s(30, 10);
  s.Level(12).Map(rows);
  s.Settings().nScrollOffsetX = 50 * 32 - 640;
  s.Settings().nScrollOffsetY = 30 * 32 - 480;
  s.Settings().bTimeLimit = 0;
  cEdStage st = s.Build();
  for (cEdChara& c : st.Charas) {
    if (c.nOperator != 0) continue;
    c.nLinkKind = 0;
    c.Flows.push_back(KeyFlow(2, Walk(3), 1));
    c.Flows.push_back(KeyFlow(1, Walk(2), 1));
    c.Flows.push_back(KeyFlow(11, Jump(4), 0));
    if (talk) c.Flows.push_back(KeyFlow(12, HeldMessage(), 0));
  }
  return st.Save(path.c_str());
}

std::vector<std::string> Lines(const cTempDir& dir, const std::string& name) {
  std::vector<std::string> lines;
  if (!dir.Exists(name)) return lines;
  const std::vector<unsigned char> bytes = dir.Read(name);
  std::string text(bytes.begin(), bytes.end()), line;
  for (char c : text) {
    if (c != '\n') {
      line += c;
      continue;
    }
    lines.push_back(line);
    line.clear();
  }
  return lines;
}

// The play frames (phase 2) of the first attempt, held frames left out: what the
// stage was, without the frame number and the lives (which the kind of play sets).
std::vector<std::string> PlayFrames(const std::vector<std::string>& lines) {
  static const std::regex frame(R"(^\{"f":\d+,)");
  static const std::regex lives(R"(,"lives":\d+)");
  std::vector<std::string> out;
  bool started = false;
  bool held = false;
  for (const std::string& l : lines) {
    // The frames a held loop presents are the viewer's, not the attempt's.
    if (l.find("\"ev\":\"hold\"") != std::string::npos) held = true;
    if (l.find("\"ev\":\"held\"") != std::string::npos) held = false;
    if (held || l.find("\"mode\":4,\"phase\":") == std::string::npos) continue;
    const bool play = l.find("\"phase\":2,") != std::string::npos;
    if (!play && started) break;
    if (!play) continue;
    started = true;
    out.push_back(std::regex_replace(std::regex_replace(l, frame, "{"), lives, ""));
  }
  return out;
}

int FrameOf(const std::string& line) { return std::stoi(line.substr(5)); }

// The ends of the holds: how many frames each drew.
std::vector<std::string> HoldEnds(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& l : lines)
    if (const size_t at = l.find("\"ev\":\"held\""); at != std::string::npos) out.push_back(l.substr(at));
  return out;
}

TEST(ReplayRun, ARecordedAttemptPlaysBackTheSameInFreshProcessesOnBothClocks) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  ASSERT_TRUE(WriteStage(dir.Path() + "/data/stg4/r01-1.stg4_752"));
  // Play from frame 90: right, a jump, left, a jump, then right again into the
  // pit (dead at about frame 650); F1 before its death effect ends the attempt.
  dir.Write("record.txt",
            "100 RIGHT=1\n180 Z=1\n186 Z=0\n230 RIGHT=0\n240 LEFT=1\n280 LEFT=0\n300 Z=1\n330 Z=0\n"
            "510 RIGHT=1\n690 F1=1\n691 F1=0\n");
  const cProcessResult rec =
      RunGame(dir.Path(),
              {"KORVANE_FRAMES=700", "KORVANE_TRACE=" + dir.Path() + "/record.trace",
               "KORVANE_INPUT=" + dir.Path() + "/record.txt", "KORVANE_ANSWERS=file:take.rpl4_752"},
              {"data\\stg4\\r01-1.stg4_752"});
  ASSERT_EQ(rec.exitCode, 0) << rec.output;
  ASSERT_TRUE(dir.Exists("user_data/rpl4/take.rpl4_752"));

  const std::vector<std::string> recLines = Lines(dir, "record.trace");
  std::vector<std::string> recorded = PlayFrames(recLines);
  // The F1 frame plays nothing: the frames before it are the attempt.
  int firstPlay = 0;
  for (const std::string& l : recLines)
    if (l.find("\"phase\":2,") != std::string::npos) {
      firstPlay = FrameOf(l);
      break;
    }
  ASSERT_GT(firstPlay, 0);
  recorded.resize(static_cast<size_t>(690 - firstPlay));
  ASSERT_GE(recorded.size(), 590u);
  // The attempt walks, jumps and dies.
  bool jumped = false, died = false;
  for (const std::string& l : recorded) {
    jumped = jumped || l.find("\"vy\":-") != std::string::npos;
    died = died || l.find("\"dead\":1") != std::string::npos;
  }
  EXPECT_TRUE(jumped);
  EXPECT_TRUE(died);
  bool deathEvent = false;
  for (const std::string& l : recLines) deathEvent = deathEvent || l.find("\"ev\":\"dead\",\"id\":0,\"code\":2") != std::string::npos;
  EXPECT_TRUE(deathEvent);

  // The title's replay item (up three times from the first item), the file chosen.
  dir.Write("playback.txt", "20 UP=1\n21 UP=0\n30 UP=1\n31 UP=0\n40 UP=1\n41 UP=0\n50 Z=1\n51 Z=0\n");
  for (const char* clock : {"KORVANE_CLOCK=virtual", "KORVANE_CLOCK=real"}) {
    SCOPED_TRACE(clock);
    const std::string trace = std::string(clock).substr(14) + ".trace";
    const cProcessResult play =
        RunGame(dir.Path(),
                {"KORVANE_FRAMES=900", "KORVANE_TRACE=" + dir.Path() + "/" + trace,
                 "KORVANE_INPUT=" + dir.Path() + "/playback.txt", "KORVANE_ANSWERS=file:take.rpl4_752", clock});
    ASSERT_EQ(play.exitCode, 0) << play.output;
    std::vector<std::string> played = PlayFrames(Lines(dir, trace));
    ASSERT_GE(played.size(), recorded.size());
    played.resize(recorded.size());
    for (size_t i = 0; i < recorded.size(); ++i) ASSERT_EQ(played[i], recorded[i]) << "play frame " << i;
  }
}

TEST(ReplayRun, ATimeLimitOfOneSecondKillsThePlayerSixtyFramesIntoPlay) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  std::vector<std::string> rows(10, "");
  rows[8] = "..P";
  rows[9] = std::string(30, '#');
  cPlayStage s(30, 10);
  s.Level(11).Map(rows);
  s.Settings().nScrollOffsetX = 50 * 32 - 640;
  s.Settings().nScrollOffsetY = 30 * 32 - 480;
  s.Settings().bTimeLimit = 1;
  s.Settings().nTimeLimit = 1;
  ASSERT_TRUE(s.Write(dir.Path() + "/data/stg4/t01-1.stg4_752"));
  const cProcessResult r = RunGame(dir.Path(), {"KORVANE_FRAMES=200", "KORVANE_TRACE=" + dir.Path() + "/t.trace"},
                                   {"data\\stg4\\t01-1.stg4_752"});
  ASSERT_EQ(r.exitCode, 0) << r.output;
  const std::vector<std::string> lines = Lines(dir, "t.trace");
  int firstPlay = 0, death = 0, sound = 0, deaths = 0;
  for (const std::string& l : lines) {
    if (!firstPlay && l.find("\"phase\":2,") != std::string::npos) firstPlay = FrameOf(l);
    if (l.find("\"ev\":\"dead\",\"id\":0,\"code\":11") != std::string::npos) {
      death = FrameOf(l);
      ++deaths;
    }
    if (death && !sound && l == "{\"f\":" + std::to_string(death) + ",\"ev\":\"se\",\"n\":8}") sound = death;
  }
  ASSERT_GT(firstPlay, 0);
  // The banner's last frame enters play; the sixtieth frame of play after it ends
  // the second.
  EXPECT_EQ(death, firstPlay + 60);
  EXPECT_EQ(sound, death);
  EXPECT_EQ(deaths, 1);
  // That frame ran no logic step: the steps stand where the frame before left them.
  int stepsBefore = -1, stepsAt = -2;
  for (const std::string& l : lines) {
    if (l.find("\"mode\":4,\"phase\"") == std::string::npos) continue;
    const int f = FrameOf(l);
    const size_t at = l.find("\"steps\":");
    const int steps = std::stoi(l.substr(at + 8));
    if (f == death - 1) stepsBefore = steps;
    if (f == death) stepsAt = steps;
  }
  EXPECT_EQ(stepsAt, stepsBefore);
}

TEST(ReplayRun, PlayAfterAHeldMessageFollowsTheRecordingHoweverLongTheViewerTakes) {
  cTempDir dir(false);
  ASSERT_TRUE(MakeDemoProject(dir.Path()));
  ASSERT_TRUE(WriteStage(dir.Path() + "/data/stg4/r01-1.stg4_752", true));
  // Walking right, button 2 opens the message; confirm closes it and stays down
  // into play (held back until let go), then jumps; walking left, a second message
  // closed with a tap, and confirm pressed again at once jumps; F1.
  dir.Write("record.txt",
            "100 RIGHT=1\n150 X=1\n151 X=0\n175 Z=1\n200 Z=0\n210 Z=1\n216 Z=0\n240 RIGHT=0\n250 LEFT=1\n"
            "260 X=1\n262 X=0\n290 Z=1\n291 Z=0\n292 Z=1\n320 Z=0\n340 LEFT=0\n400 F1=1\n401 F1=0\n");
  const cProcessResult rec =
      RunGame(dir.Path(),
              {"KORVANE_FRAMES=410", "KORVANE_CLOCK=virtual", "KORVANE_TRACE=" + dir.Path() + "/record.trace",
               "KORVANE_INPUT=" + dir.Path() + "/record.txt", "KORVANE_ANSWERS=file:talk.rpl4_752"},
              {"data\\stg4\\r01-1.stg4_752"});
  ASSERT_EQ(rec.exitCode, 0) << rec.output;
  ASSERT_TRUE(dir.Exists("user_data/rpl4/talk.rpl4_752"));
  // The F1 frame plays nothing: the frames before it are the attempt.
  std::vector<std::string> recLines;
  for (const std::string& l : Lines(dir, "record.trace"))
    if (FrameOf(l) < 400) recLines.push_back(l);
  const std::vector<std::string> recorded = PlayFrames(recLines);
  ASSERT_GE(recorded.size(), 150u);

  // The replay from the title; the viewer taps confirm every eight frames, so
  // each hold lasts a different number of frames than it did in the recording.
  std::string script = "20 UP=1\n21 UP=0\n30 UP=1\n31 UP=0\n40 UP=1\n41 UP=0\n50 Z=1\n51 Z=0\n";
  for (int f = 100; f < 700; f += 8) script += std::to_string(f) + " Z=1\n" + std::to_string(f + 3) + " Z=0\n";
  dir.Write("playback.txt", script);
  const cProcessResult play =
      RunGame(dir.Path(),
              {"KORVANE_FRAMES=700", "KORVANE_CLOCK=virtual", "KORVANE_TRACE=" + dir.Path() + "/play.trace",
               "KORVANE_INPUT=" + dir.Path() + "/playback.txt", "KORVANE_ANSWERS=file:talk.rpl4_752"});
  ASSERT_EQ(play.exitCode, 0) << play.output;
  // Both holds came back, each held for another number of frames.
  const std::vector<std::string> recHolds = HoldEnds(recLines), playHolds = HoldEnds(Lines(dir, "play.trace"));
  ASSERT_EQ(recHolds.size(), 2u);
  ASSERT_EQ(playHolds.size(), 2u);
  EXPECT_NE(playHolds[0], recHolds[0]);
  EXPECT_NE(playHolds[1], recHolds[1]);
  std::vector<std::string> played = PlayFrames(Lines(dir, "play.trace"));
  ASSERT_GE(played.size(), recorded.size());
  played.resize(recorded.size());
  for (size_t i = 0; i < recorded.size(); ++i) ASSERT_EQ(played[i], recorded[i]) << "play frame " << i;
}

}  // namespace
