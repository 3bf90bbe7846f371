// The per-frame line of the play trace in stage play.
#include "app/base/play_trace.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

void cStageScene::TracePhaseLine() {
  if (!PlayTraceOn()) return;
  size_t chars = 0;
  for (const auto& group : m_CharaGroups) chars += group.size();
  std::string line = "\"mode\":4,\"phase\":" + std::to_string(m_nPhase) +
                     ",\"steps\":" + std::to_string(m_nStepCount) + ",\"seed\":" + std::to_string(m_nSeed) +
                     ",\"view\":[" + TraceNumber(m_ScrollX.m_dPos) + "," + TraceNumber(m_ScrollY.m_dPos) + "]" +
                     ",\"chars\":" + std::to_string(chars) + ",\"shots\":" + std::to_string(m_Shots.size()) +
                     ",\"score\":" + std::to_string(SaveData.nScore) + ",\"lives\":" + std::to_string(SaveData.nLives) +
                     ",\"time\":" + std::to_string(m_nTimeLeft);
  PlayTraceLine(line);
  // The characters and shots one by one (none move in the scene by themselves yet).
  if (PlayTraceDetailOn()) PlayTraceLine("\"c\":[],\"s\":[]");
}
