// The demo game played by the real program as a person would: from the title
// through the story's three stages (one in two parts) and the challenge stage to
// its ranking, with the saves and rankings written on the way; and one stage saved
// as a replay and played back from the title's replay item to the same frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

// A key script written in the order things happen on screen: each step starts
// where the one before ended, so a step's timing is read beside its purpose.
// Keys of a stage are placed from the stage's first frame of play instead.
class cKeyScript {
 public:
  cKeyScript& Wait(int frames) {
    m_frame += frames;
    return *this;
  }
  cKeyScript& WaitUntil(int frame) {
    m_frame = frame;
    return *this;
  }
  // The key pressed for two frames, then `settle` frames for what it started (a
  // menu's answer, a fade).
  cKeyScript& Tap(const std::string& key, int settle = 10) {
    Key(m_frame, key, 2);
    m_frame += settle;
    return *this;
  }
  // Button 1 where it starts a stage: returns the stage's first frame of play (the
  // fade-out, the fade-in and the start banner come between).
  int TapIntoStage() {
    const int at = m_frame;
    Tap("Z", 0);
    return at + kPressToPlay;
  }
  // The key down at `frame` for `frames` frames (0: to the end).
  void Key(int frame, const std::string& key, int frames = 0) {
    Line(frame, key, 1);
    if (frames > 0) Line(frame + frames, key, 0);
  }
  int Now() const { return m_frame; }
  const std::string& Text() const { return m_text; }

  static constexpr int kPressToPlay = 100;

 private:
  void Line(int frame, const std::string& key, int down) {
    m_text += std::to_string(frame) + " " + key + "=" + std::to_string(down) + "\n";
  }
  int m_frame = 0;
  std::string m_text;
};

// A stage of the demo: the keys that play it through from its first frame of
// play S, and what they make of it.
struct cStagePlay {
  const char* file;
  void (*keys)(cKeyScript&, int s);
  int clearAfter;  // frames of play until the goal clears it
  int score;       // the score at its clear
};

// Shots along the facing every `every` frames, from S + 5 until `end`.
void Shots(cKeyScript& k, int s, int end, int every) {
  for (int f = s + 5; f < end; f += every) k.Key(f, "X", 2);
}
// A full jump: button 1 held long enough for the whole height.
void Jump(cKeyScript& k, int frame) { k.Key(frame, "Z", 28); }

// Past a signpost (its message shows for a while), walkers and a pit.
void FirstStage(cKeyScript& k, int s) {
  k.Key(s + 10, "RIGHT", 846);
  for (int at : {249, 396, 558, 748}) Jump(k, s + at);
  Shots(k, s, s + 856, 12);
}
// A wait at a pit's edge for the moving platform, a ride on it and off again.
void ForestFirstPart(cKeyScript& k, int s) {
  k.Key(s + 10, "RIGHT", 290);
  k.Key(s + 392, "RIGHT", 16);
  k.Key(s + 600, "RIGHT", 360);
  Shots(k, s, s + 960, 12);
}
void ForestSecondPart(cKeyScript& k, int s) {
  k.Key(s + 10, "RIGHT", 538);
  Jump(k, s + 465);
  Shots(k, s, s + 548, 12);
}
// The boss shot down from below its ledge: its death clears the stage.
void Castle(cKeyScript& k, int s) {
  k.Key(s + 10, "RIGHT", 516);
  Jump(k, s + 386);
  Shots(k, s, s + 597, 10);
}
void Challenge(cKeyScript& k, int s) {
  k.Key(s + 10, "RIGHT", 538);
  Jump(k, s + 224);
  Jump(k, s + 380);
  Shots(k, s, s + 548, 12);
}

const cStagePlay kFirstStage = {"w01-1", FirstStage, 855, 500};
const cStagePlay kForest1 = {"w02-1", ForestFirstPart, 959, 800};
const cStagePlay kForest2 = {"w02-2", ForestSecondPart, 548, 1000};
const cStagePlay kCastle = {"w03-1", Castle, 597, 5400};
const cStagePlay kChallenge = {"c01-1", Challenge, 548, 550};

// Plays a stage from its first frame of play; the script then stands at its clear.
int PlayStage(cKeyScript& k, int s, const cStagePlay& stage) {
  stage.keys(k, s);
  k.WaitUntil(s + stage.clearAfter);
  return s + stage.clearAfter;
}

// On the clear screen: F3 registers in the stage's ranking (the name typed into
// the name-entry dialog), button 1 ends the ranking window that follows.
void Register(cKeyScript& k) { k.Wait(30).Tap("F3", 30).Tap("Z", 30); }
// The clear screen takes button 1 once its word stands; the mode changes with the
// fade-out after it.
int LeaveClearScreen(cKeyScript& k) {
  k.Wait(61);
  const int at = k.Now();
  k.Tap("Z", 11);
  return at + 11;
}

// On the map, each stage cell waits for button 1 and the question, whose cursor
// starts on "not now".
int EnterStageUnderFigure(cKeyScript& k) { return k.Tap("Z").Tap("UP").TapIntoStage(); }

// One run of the game: its trace split into events and per-frame lines.
struct cRun {
  int exitCode = -1;
  std::string output;
  std::vector<std::string> events;
  std::vector<std::string> frames;
};

int Field(const std::string& line, const std::string& key) {
  const size_t at = line.find("\"" + key + "\":");
  return at == std::string::npos ? -1 : std::stoi(line.substr(at + key.size() + 3));
}

// The events of a run of one kind, each as "FRAME:VALUES" with the values named.
std::vector<std::string> Events(const cRun& run, const std::string& kind, const std::vector<std::string>& values) {
  std::vector<std::string> out;
  for (const std::string& e : run.events) {
    if (e.find("\"ev\":\"" + kind + "\"") == std::string::npos) continue;
    std::string s = std::to_string(Field(e, "f")) + ":";
    for (const std::string& v : values) s += (s.back() == ':' ? "" : ",") + std::to_string(Field(e, v));
    out.push_back(s);
  }
  return out;
}

// A JSON string's text: each escaped backslash one backslash.
std::string Unescaped(const std::string& json) {
  std::string out;
  for (size_t i = 0; i < json.size(); ++i) {
    if (json[i] == '\\' && i + 1 < json.size()) ++i;
    out += json[i];
  }
  return out;
}

// The user files the run wrote, as "FRAME:PATH" (game paths).
std::vector<std::string> FilesWritten(const cRun& run) {
  static const std::regex file(R"re(^\{"f":(\d+),"ev":"file","path":"(.*)"\}$)re");
  std::vector<std::string> out;
  std::smatch m;
  for (const std::string& e : run.events)
    if (std::regex_match(e, m, file)) out.push_back(m[1].str() + ":" + Unescaped(m[2].str()));
  return out;
}

const std::string* FrameLine(const cRun& run, int frame) {
  for (const std::string& l : run.frames)
    if (Field(l, "f") == frame) return &l;
  return nullptr;
}

// The play frames (phase 2) of the first stage attempt of a run, without the
// frame number and the lives (which the kind of play sets).
std::vector<std::string> FirstAttemptPlayFrames(const cRun& run) {
  static const std::regex frame(R"(^\{"f":\d+,)");
  static const std::regex lives(R"(,"lives":\d+)");
  std::vector<std::string> out;
  for (const std::string& l : run.frames) {
    const bool play = Field(l, "phase") == 2;
    if (!play && !out.empty()) break;
    if (play) out.push_back(std::regex_replace(std::regex_replace(l, frame, "{"), lives, ""));
  }
  return out;
}

class DemoPlaythrough : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(MakeDemoProject(m_dir.Path())); }

  cRun Play(const std::string& name, const cKeyScript& script, int frames, const std::string& answers,
            const std::vector<std::string>& args = {}) {
    m_dir.Write(name + ".keys", script.Text());
    std::vector<std::string> env = {"KORVANE_FRAMES=" + std::to_string(frames), "KORVANE_INPUT=" + name + ".keys",
                                    "KORVANE_TRACE=" + name + ".trace"};
    if (!answers.empty()) env.push_back("KORVANE_ANSWERS=" + answers);
    const cProcessResult r = RunGame(m_dir.Path(), env, args);
    cRun run;
    run.exitCode = r.exitCode;
    run.output = r.output;
    if (!m_dir.Exists(name + ".trace")) return run;
    const std::vector<unsigned char> bytes = m_dir.Read(name + ".trace");
    std::string line;
    for (unsigned char c : bytes) {
      if (c != '\n') {
        line += static_cast<char>(c);
        continue;
      }
      (line.find("\"ev\":") != std::string::npos ? run.events : run.frames).push_back(line);
      line.clear();
    }
    return run;
  }
  // A user file as korvane-data shows it.
  std::string Dump(const std::string& path) {
    const cProcessResult r = RunProgram("korvane-data", {"dump", path}, m_dir.Path());
    EXPECT_EQ(r.exitCode, 0) << path << "\n" << r.output;
    return r.output;
  }

  cTempDir m_dir{false};
};

TEST_F(DemoPlaythrough, FromTheTitleThroughTheStoryAndTheChallengeToItsRanking) {
  cKeyScript k;
  std::vector<int> plays, clears, modes = {1};
  // A new story: the title's first item opens the map.
  k.Wait(20).Tap("Z", 70);
  modes.push_back(31);
  // Stage 1 on the start cell, registered in its ranking at the clear.
  plays.push_back(EnterStageUnderFigure(k));
  modes.push_back(plays.back() - 89);
  clears.push_back(PlayStage(k, plays.back(), kFirstStage));
  Register(k);
  modes.push_back(LeaveClearScreen(k));
  // Two cells right to stage 2, whose first part leads to its second.
  k.Wait(39).Tap("RIGHT", 15).Tap("RIGHT", 25);
  plays.push_back(EnterStageUnderFigure(k));
  modes.push_back(plays.back() - 89);
  clears.push_back(PlayStage(k, plays.back(), kForest1));
  plays.push_back(k.Wait(61).TapIntoStage());
  clears.push_back(PlayStage(k, plays.back(), kForest2));
  modes.push_back(LeaveClearScreen(k));
  // Two cells right to stage 3 and its boss.
  k.Wait(39).Tap("RIGHT", 15).Tap("RIGHT", 25);
  plays.push_back(EnterStageUnderFigure(k));
  modes.push_back(plays.back() - 89);
  clears.push_back(PlayStage(k, plays.back(), kCastle));
  modes.push_back(LeaveClearScreen(k));
  // The map's menu: save to slot 1 ("not now" first, so up to yes), back to the
  // menu, down to "to the title" and yes.
  k.Wait(29);
  modes.push_back(k.Now() + 11);
  k.Tap("X", 30).Tap("Z").Tap("Z").Tap("UP");
  const int saved = k.Now();
  k.Tap("Z").Tap("X").Tap("DOWN").Tap("DOWN").Tap("DOWN").Tap("Z").Tap("UP");
  modes.push_back(k.Now() + 11);
  k.Tap("Z", 30);
  // The title's challenge item (down twice), its first stage, registered.
  modes.push_back(k.Now() + 31);
  k.Tap("DOWN").Tap("DOWN").Tap("Z", 40);
  plays.push_back(k.TapIntoStage());
  modes.push_back(plays.back() - 89);
  clears.push_back(PlayStage(k, plays.back(), kChallenge));
  Register(k);
  modes.push_back(LeaveClearScreen(k));
  // The list shows the stage's ranking with button 3; then back to the title and
  // its exit item (up from the first item), which ends the game.
  k.Wait(49).Tap("C", 40);
  const int rankingShown = k.Now();
  modes.push_back(k.Now() + 11);
  k.Tap("X", 40).Tap("UP").Tap("Z");
  const int frames = k.Now() + 300;

  const cRun run = Play("story", k, frames, "text:AKI,text:ZED", {});
  ASSERT_EQ(run.exitCode, 0) << run.output;

  // Title, map, stage 1, map, stage 2 (both parts), map, stage 3, map, its menu,
  // title, challenge list, the challenge stage, the list, title.
  const std::vector<int> to = {0, 1, 4, 1, 4, 1, 4, 1, 2, 0, 3, 4, 3, 0};
  std::vector<std::string> expected;
  for (size_t i = 0; i < to.size() && i < modes.size(); ++i)
    expected.push_back(std::to_string(modes[i]) + ":" + std::to_string(i ? to[i - 1] : -1) + "," +
                       std::to_string(to[i]));
  EXPECT_EQ(Events(run, "mode", {"from", "to"}), expected);

  // Each stage cleared at its goal (the boss's death for stage 3), the first part
  // of stage 2 asking for its second; the score at each clear.
  const std::vector<const cStagePlay*> stages = {&kFirstStage, &kForest1, &kForest2, &kCastle, &kChallenge};
  const int parts[][2] = {{1, 2}, {1, 2}, {2, 3}, {1, 2}, {1, 2}};
  expected.clear();
  for (size_t i = 0; i < clears.size(); ++i)
    expected.push_back(std::to_string(clears[i]) + ":" + std::to_string(parts[i][0]) + "," +
                       std::to_string(parts[i][1]));
  EXPECT_EQ(Events(run, "clear", {"part", "next"}), expected);
  for (size_t i = 0; i < clears.size(); ++i) {
    SCOPED_TRACE(stages[i]->file);
    const std::string* at = FrameLine(run, clears[i]);
    ASSERT_NE(at, nullptr);
    EXPECT_EQ(Field(*at, "phase"), 4);
    EXPECT_EQ(Field(*at, "score"), stages[i]->score);
  }

  // The rankings of stage 1 and of the challenge stage, the story slot and the
  // challenge record, each when it was asked for.
  EXPECT_EQ(FilesWritten(run), (std::vector<std::string>{
                                   std::to_string(clears[0] + 30) + ":user_data\\story\\w01.rkg",
                                   std::to_string(saved) + ":user_data\\story\\Story01.dat",
                                   std::to_string(clears[4] + 30) + ":user_data\\challenge\\c01.rkg",
                                   std::to_string(modes[12] - 11) + ":user_data\\challenge\\Challenge.dat",
                               }));
  struct Written {
    const char* path;
    std::vector<std::string> fields;
  };
  const Written files[] = {
      {"user_data/story/w01.rkg", {"nValue = 500\n      strName = \"AKI\""}},
      {"user_data/challenge/c01.rkg", {"nValue = 550\n      strName = \"ZED\""}},
      // The story's total over its three stages, its stage flags and results.
      {"user_data/story/Story01.dat", {"nScore = 5400", "nTotal = 6900", "Flags = [1, 1, 1, 1, 0", "StageResults: 3 entries"}},
      // The challenge stage cleared with its best score.
      {"user_data/challenge/Challenge.dat", {"nFirst = 1\n    nSecond = 550", "nTotal = 550"}},
  };
  for (const Written& w : files) {
    SCOPED_TRACE(w.path);
    const std::string dump = Dump(w.path);
    for (const std::string& f : w.fields) EXPECT_NE(dump.find(f), std::string::npos) << f << "\n" << dump;
  }
  // Button 3 in the challenge list showed the stage's ranking (its sound), and
  // nothing went wrong on the way.
  const std::vector<std::string> sounds = Events(run, "se", {"n"});
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), std::to_string(rankingShown - 40) + ":6"), sounds.end());
  EXPECT_FALSE(m_dir.ReportContains("MessageBox"));
}

TEST_F(DemoPlaythrough, AStageSavedAsAReplayOnItsClearScreenPlaysBackToTheSameFrames) {
  // The first part of stage 2 from its file: its moving platform makes the
  // attempt depend on every frame's timing. F1 on the clear screen saves it.
  cKeyScript record;
  const int s = 90;
  const int clear = PlayStage(record, s, kForest1);
  record.Wait(30).Tap("F1", 30);
  const cRun rec = Play("record", record, record.Now(), "file:forest.rpl4_752", {"data\\stg4\\w02-1.stg4"});
  ASSERT_EQ(rec.exitCode, 0) << rec.output;
  ASSERT_TRUE(m_dir.Exists("user_data/rpl4/forest.rpl4_752"));
  EXPECT_EQ(Events(rec, "clear", {"part", "next"}), std::vector<std::string>{std::to_string(clear) + ":1,2"});
  const std::vector<std::string> recorded = FirstAttemptPlayFrames(rec);
  ASSERT_EQ(recorded.size(), static_cast<size_t>(clear - s));

  // The title's replay item (up three times from the first item), the file chosen.
  cKeyScript playback;
  playback.Wait(20).Tap("UP").Tap("UP").Tap("UP").Tap("Z");
  const cRun play = Play("playback", playback, playback.Now() + 300 + clear - s, "file:forest.rpl4_752");
  ASSERT_EQ(play.exitCode, 0) << play.output;
  EXPECT_EQ(Events(play, "mode", {"from", "to"}).size(), 2u);
  const std::vector<std::string> played = FirstAttemptPlayFrames(play);
  ASSERT_EQ(played.size(), recorded.size());
  for (size_t i = 0; i < recorded.size(); ++i) ASSERT_EQ(played[i], recorded[i]) << "play frame " << i;
}

}  // namespace
