#pragma once
// A live stage-play scene set up from a fixture stage, for the tests of the play
// step: the stage goes through its file and the loader, then SetStage; the steps
// are run one by one, and the trace, sounds and turns are recorded.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/base/play_trace.h"
#include "app/svc/mode_manager.h"
#include "chara/block_map.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/play_step_watcher.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"
#include "tests/support/play_stage.h"
#include "tests/support/temp_dir.h"

class PlayStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Database.AnimeSetList.resize(1);
    SystemData.SetDefault();
    SystemData.bRecordReplay = 0;
    m_Scene = std::make_unique<cStageScene>();
    CurrentStage.store(m_Scene.get());
    ModeManager.m_nPlayKind = 3;
    m_Dir = std::make_unique<cTempDir>(false);
    PlayTraceRedirect(m_Dir->Path() + "/trace.txt");
    Turns().clear();
    SetPlayStepWatcher(&Watch);
  }
  void TearDown() override {
    SetPlayStepWatcher(nullptr);
    PlayTraceRedirect("");
    SystemData.SetDefault();
    StageChara.clear();
    ItemList.clear();
    Player.clear();
    ResetBlockMap(0);
    CurrentStage.store(nullptr);
    m_Scene.reset();
  }
  static std::vector<std::string>& Turns() {
    static std::vector<std::string> turns;
    return turns;
  }
  static void Watch(const char* turn, int id) { Turns().push_back(std::string(turn) + " " + std::to_string(id)); }

  // A stage of `rows` map rows at level 11 (one logic step a frame), its outer
  // limits at the margins as the editor saves them.
  static cPlayStage Stage(const std::vector<std::string>& rows, int level = 11) {
    const int columns = 30, height = static_cast<int>(rows.size());
    cPlayStage s(columns, height);
    s.Level(level).Map(rows);
    s.Settings().nScrollOffsetX = (columns + 20) * 32 - 640;
    s.Settings().nScrollOffsetY = (height + 20) * 32 - 480;
    return s;
  }
  // The placed character at a map cell, with its own settings.
  static cEdChara& PlacedAt(cEdStage& s, int col, int row) {
    for (cEdChara& c : s.Charas)
      if (c.nCol == col && c.nRow == row) {
        c.nLinkKind = 0;
        return c;
      }
    ADD_FAILURE() << "no character at " << col << "," << row;
    return s.Charas.At(0);
  }
  void Load(cEdStage stage) {
    const std::string path = m_Dir->Path() + "/s.stg4_752";
    ASSERT_TRUE(stage.Save(path.c_str()));
    ASSERT_TRUE(StageData.Load(path.c_str()));
    PlayStageData.CopySettings(StageData);
    SetStage(0, 1);
    ASSERT_FALSE(Player.empty());
    // No friction: a speed given to the player stays as it is.
    Player.front().m_dFriction = 0;
    for (cStageChara& c : StageChara) c.m_dFriction = 0;
  }
  // Runs logic steps as the frame does; the step that ends the frame, or 0.
  int Steps(int n) {
    for (int a = 0; a < n; ++a) {
      if (m_Scene->RunLogicStep(a % StageData.Timing().nSteps)) {
        m_Scene->m_nStepIndex = 0;
        return a + 1;
      }
    }
    m_Scene->m_nStepIndex = 0;
    return 0;
  }
  cPlayer& P() { return Player.front(); }
  cStageChara& Chara(int id) {
    for (cStageChara& c : StageChara)
      if (c.m_nId == id) return c;
    ADD_FAILURE() << "no character " << id;
    return StageChara.front();
  }
  // The event lines of the trace written so far.
  std::vector<std::string> Events() const {
    std::vector<std::string> lines;
    if (!m_Dir->Exists("trace.txt")) return lines;
    const std::vector<unsigned char> bytes = m_Dir->Read("trace.txt");
    std::string text(bytes.begin(), bytes.end()), line;
    for (char ch : text) {
      if (ch != '\n') {
        line += ch;
        continue;
      }
      const size_t at = line.find("\"ev\"");
      if (at != std::string::npos) lines.push_back("{" + line.substr(at));
      line.clear();
    }
    return lines;
  }
  std::unique_ptr<cStageScene> m_Scene;
  std::unique_ptr<cTempDir> m_Dir;
};

// Stage dots of a map cell (the margin of 10 cells included).
inline double CellTop(int row) { return (row + 10) * 32.0; }
inline double CellLeft(int col) { return (col + 10) * 32.0; }
