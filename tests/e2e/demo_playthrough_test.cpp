// The demo game played by the real program as a person would: from the title
// into the story, through its stages, and back; and one stage saved as a replay
// and played back from the title's replay item to the same frames.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

// A key script written in the order things happen on screen: each step starts
// where the one before ended, so a step's timing is read beside its purpose.
class cKeyScript {
 public:
  explicit cKeyScript(int start) : m_frame(start) {}
  cKeyScript& Wait(int frames) {
    m_frame += frames;
    return *this;
  }
  // The key pressed for `frames` frames, then released; the next step starts at
  // the release.
  cKeyScript& Hold(const std::string& key, int frames) {
    Line(m_frame, key, 1);
    m_frame += frames;
    Line(m_frame, key, 0);
    return *this;
  }
  // A tap, then `settle` frames for what it started (a menu's answer, a fade).
  cKeyScript& Tap(const std::string& key, int settle = 10) { return Hold(key, 1).Wait(settle); }
  cKeyScript& Press(const std::string& key) {
    Line(m_frame, key, 1);
    return *this;
  }
  cKeyScript& Release(const std::string& key) {
    Line(m_frame, key, 0);
    return *this;
  }
  int Now() const { return m_frame; }
  const std::string& Text() const { return m_text; }

 private:
  void Line(int frame, const std::string& key, int down) {
    m_text += std::to_string(frame) + " " + key + "=" + std::to_string(down) + "\n";
  }
  int m_frame;
  std::string m_text;
};

// Title to a new story: the first item.
void NewStory(cKeyScript& s) { s.Wait(20).Tap("Z", 30); }
// On the map's first stage: button 1, then "yes" above the question's "not now".
void EnterStageUnderFigure(cKeyScript& s) { s.Wait(20).Tap("Z").Tap("UP").Tap("Z", 20); }
// Title to its replay item: up three times from the first item.
void ReplayItem(cKeyScript& s) { s.Wait(20).Tap("UP").Tap("UP").Tap("UP").Tap("Z", 20); }

// One run of the game in the demo project: its trace split into events and the
// per-frame lines of stage play.
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

// The mode changes of a run, as "FROM>TO".
std::vector<std::string> ModeChanges(const cRun& run) {
  std::vector<std::string> out;
  for (const std::string& e : run.events)
    if (e.find("\"ev\":\"mode\"") != std::string::npos)
      out.push_back(std::to_string(Field(e, "from")) + ">" + std::to_string(Field(e, "to")));
  return out;
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

  cRun Play(const std::string& name, const cKeyScript& script, int frames, const std::string& answers = "") {
    m_dir.Write(name + ".keys", script.Text());
    std::vector<std::string> env = {"KORVANE_FRAMES=" + std::to_string(frames), "KORVANE_INPUT=" + name + ".keys",
                                    "KORVANE_TRACE=" + name + ".trace"};
    if (!answers.empty()) env.push_back("KORVANE_ANSWERS=" + answers);
    const cProcessResult r = RunGame(m_dir.Path(), env);
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

  cTempDir m_dir{false};
};

TEST_F(DemoPlaythrough, AStoryStageSavedAsAReplayPlaysBackToTheSameFrames) {
  // Into the first stage of a new story; after its banners, a short run right,
  // then the attempt saved with F1 through the save dialog.
  cKeyScript record(0);
  NewStory(record);
  EnterStageUnderFigure(record);
  record.Wait(85).Hold("RIGHT", 25);
  const int saveAt = record.Now();
  record.Tap("F1", 30);
  const cRun rec = Play("record", record, record.Now(), "file:demo.rpl4_752");
  ASSERT_EQ(rec.exitCode, 0) << rec.output;
  ASSERT_TRUE(m_dir.Exists("user_data/rpl4/demo.rpl4_752"));
  EXPECT_EQ(ModeChanges(rec), (std::vector<std::string>{"-1>0", "0>1", "1>4"}));
  // The attempt is the play before the F1 frame.
  std::vector<std::string> recorded;
  for (const std::string& l : rec.frames)
    if (Field(l, "f") < saveAt) recorded.push_back(l);
  cRun attempt = rec;
  attempt.frames = recorded;
  recorded = FirstAttemptPlayFrames(attempt);
  ASSERT_GE(recorded.size(), 25u);

  cKeyScript playback(0);
  ReplayItem(playback);
  const cRun play = Play("playback", playback, playback.Now() + 200 + static_cast<int>(recorded.size()),
                         "file:demo.rpl4_752");
  ASSERT_EQ(play.exitCode, 0) << play.output;
  EXPECT_EQ(ModeChanges(play), (std::vector<std::string>{"-1>0", "0>4"}));
  std::vector<std::string> played = FirstAttemptPlayFrames(play);
  ASSERT_GE(played.size(), recorded.size());
  played.resize(recorded.size());
  for (size_t i = 0; i < recorded.size(); ++i) ASSERT_EQ(played[i], recorded[i]) << "play frame " << i;
}

}  // namespace
