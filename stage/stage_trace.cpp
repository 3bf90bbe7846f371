// The per-frame lines of the play trace in stage play: the phase line with the
// player, the counts, score, lives and time, and (detail) every character and shot.
#include "app/base/play_trace.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

namespace {

std::string PlayerFields() {
  if (Player.empty()) return "null";
  const cPlayer& p = Player.front();
  return "{\"x\":" + TraceNumber(p.m_dX) + ",\"y\":" + TraceNumber(p.m_dY) + ",\"vx\":" + TraceNumber(p.m_dSpeedX) +
         ",\"vy\":" + TraceNumber(p.m_dSpeedY) + ",\"hp\":" + std::to_string(p.m_nHP) +
         ",\"sp\":" + std::to_string(p.m_nSP) + ",\"dead\":" + (p.m_bDead ? "1" : "0") + "}";
}

std::string DetailFields(const std::list<cShot>& shots) {
  std::string c = "\"c\":[";
  bool first = true;
  for (const cStageChara& s : StageChara) {
    if (!first) c += ",";
    first = false;
    c += "[" + std::to_string(s.m_nId) + "," + TraceNumber(s.m_dX) + "," + TraceNumber(s.m_dY) + "," +
         std::to_string(s.m_nHP) + "," + (s.m_bDead ? "1" : "0") + "," + (s.m_bActive ? "1" : "0") + "]";
  }
  c += "],\"s\":[";
  first = true;
  for (const cShot& s : shots) {
    if (!first) c += ",";
    first = false;
    c += "[" + std::to_string(s.m_nId) + "," + TraceNumber(s.m_dX) + "," + TraceNumber(s.m_dY) + "]";
  }
  return c + "]";
}

}  // namespace

void cStageScene::TracePhaseLine() {
  if (!PlayTraceOn()) return;
  std::string line = "\"mode\":4,\"phase\":" + std::to_string(m_nPhase) +
                     ",\"steps\":" + std::to_string(m_nStepCount) + ",\"seed\":" + std::to_string(m_nSeed) +
                     ",\"view\":[" + TraceNumber(m_ScrollX.m_dPos) + "," + TraceNumber(m_ScrollY.m_dPos) + "]" +
                     ",\"p1\":" + PlayerFields() + ",\"chars\":" + std::to_string(StageChara.size()) +
                     ",\"shots\":" + std::to_string(m_Shots.size()) + ",\"items\":" + std::to_string(ItemList.size()) +
                     ",\"score\":" + std::to_string(SaveData.nScore) + ",\"lives\":" + std::to_string(SaveData.nLives) +
                     ",\"time\":" + std::to_string(m_nTimeLeft);
  PlayTraceLine(line);
  if (PlayTraceDetailOn()) PlayTraceLine(DetailFields(m_Shots));
}
