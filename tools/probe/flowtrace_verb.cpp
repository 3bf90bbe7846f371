// flowtrace FILE --steps N: runs the first flow of a flow file (a small text
// format, see the README) on a fixture stage character and prints, per logic
// step, the commands started, running and finished, with the character's drift.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/svc/mode_manager.h"
#include "chara/command_param_table.h"
#include "chara/flow_trace.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/flow.h"
#include "data/project_globals.h"
#include "platform/test_controls.h"
#include "stage/stage_scene.h"
#include "tools/probe/probe.h"

namespace {

struct cFlowFile {
  int nLevel = 1;
  int nFacing = 0;
  int bFlying = 0;
  cEdFlow Flow;
};

bool ReadInt(std::istringstream& in, long long lo, long long hi, int& out) {
  long long v = 0;
  if (!(in >> v) || v < lo || v > hi) return false;
  out = static_cast<int>(v);
  return true;
}

// One command line: "TYPE TENTHS [instant] [values a,b,...] [move SPEED DIRECTION]
// [angle A] [inertia MAX]"; the mnemonics wait (1), move (2), turnback (3) and
// loop R C (39) stand for their types.
bool ParseCommand(const std::string& head, std::istringstream& in, cEdCommand& c, std::string& why) {
  int type = 0, tenths = 0;
  if (head == "loop") {
    int r = 0, k = 0;
    if (!ReadInt(in, -2147483648LL, 2147483647LL, r) || !ReadInt(in, -2147483648LL, 2147483647LL, k)) {
      why = "loop needs REPEAT COVER";
      return false;
    }
    c.nType = 39;
    c.Values = {r, k};
    return true;
  }
  if (head == "wait") type = 1;
  else if (head == "move") type = 2;
  else if (head == "turnback") type = 3;
  else if (head == "cmd") {
    if (!ReadInt(in, 0, 255, type)) {
      why = "cmd needs a TYPE 0 to 255";
      return false;
    }
  } else {
    why = "unknown line '" + head + "'";
    return false;
  }
  if (!ReadInt(in, -32768, 32767, tenths)) {
    why = "expected TENTHS after the type";
    return false;
  }
  c.nType = static_cast<uint8_t>(type);
  c.nTime = static_cast<int16_t>(tenths);
  if (type == 2 || type == 3) NewEdMove(c.pMove);
  std::string word;
  while (in >> word) {
    int v = 0;
    if (word == "instant") {
      c.bWithNext = 1;
    } else if (word == "values") {
      std::string list;
      if (!(in >> list)) return why = "values needs a,b,...", false;
      std::istringstream items(list);
      std::string item;
      c.Values.clear();
      while (std::getline(items, item, ',')) c.Values.push_back(std::atoi(item.c_str()));
    } else if ((word == "speed" || word == "dir" || word == "angle" || word == "inertia") && !c.pMove) {
      return why = word + " needs a movement command", false;
    } else if (word == "speed" && ReadInt(in, -32768, 32767, v)) {
      c.pMove->nSpeed = static_cast<int16_t>(v);
    } else if (word == "dir" && ReadInt(in, 0, 255, v)) {
      c.pMove->nDirection = static_cast<uint8_t>(v);
    } else if (word == "angle" && ReadInt(in, -32768, 32767, v)) {
      c.pMove->nAngle = static_cast<int16_t>(v);
      c.pMove->bMirrorAngle = 0;
    } else if (word == "inertia" && ReadInt(in, -32768, 32767, v)) {
      c.pMove->bInertia = 1;
      c.pMove->nMaxSpeed = static_cast<int16_t>(v);
    } else {
      why = "bad word '" + word + "'";
      return false;
    }
  }
  return true;
}

bool ReadFlowFile(const std::string& path, cFlowFile& f, std::string& error) {
  std::ifstream file(path);
  if (!file) {
    error = "cannot read " + path;
    return false;
  }
  std::string line;
  int number = 0;
  while (std::getline(file, line)) {
    ++number;
    const size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::string head;
    if (!(in >> head)) continue;
    std::string why;
    bool ok = true;
    if (head == "level") ok = ReadInt(in, 1, 19, f.nLevel) || (why = "level 1 to 19", false);
    else if (head == "facing") ok = ReadInt(in, 0, 1, f.nFacing) || (why = "facing 0 or 1", false);
    else if (head == "flying") ok = ReadInt(in, 0, 1, f.bFlying) || (why = "flying 0 or 1", false);
    else {
      cEdCommand c;
      ok = ParseCommand(head, in, c, why);
      if (ok) f.Flow.Commands.push_back(c);
    }
    if (!ok) {
      error = path + ":" + std::to_string(number) + ": " + why;
      return false;
    }
  }
  return true;
}

int FlowTrace(probe::cArgs& a, std::string& error) {
  std::string path;
  int steps = -1;
  const std::vector<std::string>& raw = a.Raw();
  for (size_t i = 0; i < raw.size(); ++i) {
    const std::string& s = raw[i];
    std::string v;
    if (s == "--steps" && i + 1 < raw.size()) v = raw[++i];
    else if (s.rfind("--steps=", 0) == 0) v = s.substr(8);
    else if (s.rfind("--", 0) == 0) return error = "unknown option '" + s + "'", 2;
    else if (path.empty()) path = s;
    else return error = "one FILE only", 2;
    if (!v.empty()) {
      char* end = nullptr;
      const long n = std::strtol(v.c_str(), &end, 10);
      if (*end || n < 1 || n > 1000000) return error = "--steps: expected 1 to 1000000", 2;
      steps = static_cast<int>(n);
    }
  }
  if (path.empty() || steps < 0) return error = "usage: flowtrace FILE --steps N", 2;
  cFlowFile f;
  if (!ReadFlowFile(path, f, error)) return 2;
  setenv("KORVANE_HEADLESS", "1", 1);
  plat::ReloadTestControls();
  BuildCommandParamTable();
  StageData.SetHitLevel(f.nLevel);
  auto scene = std::make_unique<cStageScene>();
  CurrentStage.store(scene.get());
  scene->m_StageVars.assign(cStageScene::kStageVars, 0);
  cStageChara& c = StageChara.emplace_back();
  c.Reset(nullptr, 640, 640, 0);
  c.m_nKind = 1;
  c.m_nHP = c.m_Def.mhp = 1;
  c.m_Def.bFixedFacing = 0;
  c.m_nFacing = f.nFacing;
  c.m_bFlying = f.bFlying;
  c.m_dX = c.m_dY = 640;
  c.m_nWidth = c.m_nHeight = c.m_nDrawWidth = c.m_nDrawHeight = 32;
  c.m_Def.Flows.assign(1, f.Flow);
  c.BuildFlowStates(c.m_Def.Flows, 0, -1);
  cFlowRun& run = c.m_FlowStates[0];
  std::printf("commands=%d\n", run.Commands.Count());
  for (int i = 0; i < run.Commands.Count(); ++i)
    std::printf("command.%d=type %d steps %d%s\n", i, run.Commands[static_cast<size_t>(i)].pCommand->nType,
                run.Commands[static_cast<size_t>(i)].nTime,
                run.Commands[static_cast<size_t>(i)].pCommand->bWithNext ? " instant" : "");
  SetCurrentActor(&c);
  run.Start();
  for (int s = 1; s <= steps && run.bRunning; ++s) {
    c.m_dSpeedX = c.m_dSpeedY = 0;
    const cFlowStepTrace t = TraceFlowStep(run);
    std::printf("step.%d=%s dx=%s dy=%s facing=%d\n", s, t.Text().c_str(), probe::Number(c.m_dSpeedX).c_str(),
                probe::Number(c.m_dSpeedY).c_str(), c.m_nFacing);
    if (t.bFlowFinished) run.Stop(c);
  }
  std::printf("running=%d\n", run.bRunning);
  SetCurrentActor(nullptr);
  StageChara.clear();
  CurrentStage.store(nullptr);
  return 0;
}

}  // namespace

PROBE_RAW_VERB("flowtrace", "FILE --steps N", FlowTrace);
