// runcode [--legacy 0|1] [--target] [--set NAME=VALUE]... 'LINE': runs one line
// of run code for a fixture character (its target only with --target) and prints
// what the line changed, what RunCode returned and the messages it gave.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/svc/mode_manager.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/run_code.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"
#include "stage/stage_scene.h"
#include "tools/probe/probe.h"

namespace {

std::vector<int> gMessages;
void Listen(int number) { gMessages.push_back(number); }

// One value the output can name: its name, how to read it and how to set it.
struct cValue {
  std::string name;
  std::function<long long()> get;
  std::function<void(long long)> set;
  long long lo, hi;
};

template <class T>
cValue Field(const std::string& name, T& field) {
  return {name, [&field] { return static_cast<long long>(field); },
          [&field](long long v) { field = static_cast<T>(v); }, static_cast<long long>(std::numeric_limits<T>::min()),
          static_cast<long long>(std::numeric_limits<T>::max())};
}

void AddChara(std::vector<cValue>& out, const std::string& object, cChara& c) {
  for (int i = 1; i <= 8; ++i) out.push_back(Field(object + ".v" + std::to_string(i), c.m_Vars[static_cast<size_t>(i)]));
  cEdChara& d = c.m_Def;
  out.push_back(Field(object + ".hp", c.m_nHP));
  out.push_back(Field(object + ".sp", c.m_nSP));
  out.push_back(Field(object + ".mhp", d.mhp));
  out.push_back(Field(object + ".msp", d.msp));
  out.push_back(Field(object + ".cid", d.cid));
  out.push_back(Field(object + ".z", d.z));
  out.push_back(Field(object + ".mark", d.mark));
  out.push_back(Field(object + ".sight", d.sight));
  out.push_back(Field(object + ".power", d.power));
  out.push_back(Field(object + ".imp", d.imp));
  out.push_back(Field(object + ".def", d.def));
  out.push_back(Field(object + ".impd", d.impd));
  out.push_back(Field(object + ".stop", d.stop));
  out.push_back(Field(object + ".getsc", d.getsc));
}

cEdChara FixtureDef(int cid) {
  cEdChara d;
  d.mhp = 100;
  d.msp = 50;
  d.cid = static_cast<int8_t>(cid);
  return d;
}

int RunCodeVerb(probe::cArgs& a, std::string& error) {
  int legacy = 0;
  bool target = false;
  std::vector<std::string> sets;
  std::vector<std::string> lines;
  const std::vector<std::string>& raw = a.Raw();
  for (size_t i = 0; i < raw.size(); ++i) {
    const std::string& s = raw[i];
    if (s == "--legacy" || s.rfind("--legacy=", 0) == 0) {
      std::string v;
      if (s == "--legacy") {
        if (i + 1 >= raw.size()) {
          error = "--legacy needs 0 or 1";
          return 2;
        }
        v = raw[++i];
      } else {
        v = s.substr(9);
      }
      if (v != "0" && v != "1") {
        error = "--legacy " + v + ": expected 0 or 1";
        return 2;
      }
      legacy = v == "1";
    } else if (s == "--target") {
      target = true;
    } else if (s == "--set" || s.rfind("--set=", 0) == 0) {
      if (s == "--set") {
        if (i + 1 >= raw.size()) {
          error = "--set needs NAME=VALUE";
          return 2;
        }
        sets.push_back(raw[++i]);
      } else {
        sets.push_back(s.substr(6));
      }
    } else if (s == "--") {
      for (++i; i < raw.size(); ++i) lines.push_back(raw[i]);
    } else if (s.rfind("--", 0) == 0) {
      error = "unknown option '" + s + "'";
      return 2;
    } else {
      lines.push_back(s);
    }
  }
  if (lines.size() != 1) {
    error = "expected one LINE, got " + std::to_string(lines.size());
    return 2;
  }
  // Message boxes go to the report log, never to a screen.
  setenv("KORVANE_HEADLESS", "1", 1);
  plat::ReloadTestControls();

  StageData.SetHitLevel(1);
  SystemData.bCompat752 = legacy;
  SaveData.CommonVars.assign(cSaveData::kCommonVars, 0);
  SaveData.nLives = 3;
  SaveData.nStageScore = 0;
  auto scene = std::make_unique<cStageScene>();
  CurrentStage.store(scene.get());
  scene->m_StageVars.assign(cStageScene::kStageVars, 0);
  scene->m_nTimeLeft = 100;

  Player.emplace_back();
  cPlayer& pl = Player.back();
  pl.m_nKind = 0;
  pl.Reset(nullptr, 0, 0, 0);
  pl.m_Def = FixtureDef(1);
  pl.Reset(&pl.m_Def, 0, 0, 0);
  StageChara.emplace_back();
  cStageChara& my = StageChara.back();
  my.m_nKind = 1;
  my.Reset(nullptr, 0, 0, 0);
  my.m_Def = FixtureDef(2);
  my.Reset(&my.m_Def, 0, 0, 0);
  cStageChara* tg = nullptr;
  if (target) {
    StageChara.emplace_back();
    tg = &StageChara.back();
    tg->m_nKind = 1;
    tg->m_Def = FixtureDef(3);
    tg->Reset(&tg->m_Def, 0, 0, 0);
  }
  // Characters aim at player 1 from their set-up; the fixture aims only as asked.
  my.SetTarget(tg);

  std::vector<cValue> values;
  AddChara(values, "my", my);
  if (tg) AddChara(values, "tg", *tg);
  AddChara(values, "pl", pl);
  values.push_back(Field("sys.time", scene->m_nTimeLeft));
  values.push_back(Field("sys.scrlx", StageData.nAutoScrollSpeedX));
  values.push_back(Field("sys.scrly", StageData.nAutoScrollSpeedY));
  values.push_back(Field("sys.score", SaveData.nStageScore));
  values.push_back(Field("sys.life", SaveData.nLives));
  for (int i = 0; i < cSaveData::kCommonVars; ++i)
    values.push_back(Field("C" + std::to_string(i), SaveData.CommonVars[static_cast<size_t>(i)]));
  for (int i = 0; i < cStageScene::kStageVars; ++i)
    values.push_back(Field("S" + std::to_string(i), scene->m_StageVars[static_cast<size_t>(i)]));

  for (const std::string& s : sets) {
    const size_t eq = s.find('=');
    cValue* found = nullptr;
    for (cValue& v : values)
      if (eq != std::string::npos && v.name == s.substr(0, eq)) found = &v;
    if (!found) {
      error = "--set " + s + ": expected NAME=VALUE with a name as the output writes it";
      return 2;
    }
    const std::string text = s.substr(eq + 1);
    char* end = nullptr;
    const long long n = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < found->lo || n > found->hi) {
      error = "--set " + s + ": expected an integer from " + std::to_string(found->lo) + " to " +
              std::to_string(found->hi);
      return 2;
    }
    found->set(n);
  }

  std::vector<long long> before;
  for (const cValue& v : values) before.push_back(v.get());
  SetRunCodeMessageHook(Listen);
  const int result = RunCode(plat::ArgumentToSjis(lines[0]), my);
  SetRunCodeMessageHook(nullptr);
  for (size_t i = 0; i < values.size(); ++i) {
    const long long now = values[i].get();
    if (now != before[i]) std::printf("%s=%lld\n", values[i].name.c_str(), now);
  }
  std::printf("return=%d\n", result);
  for (int m : gMessages) std::printf("message=%d\n", m);
  StageChara.clear();
  Player.clear();
  CurrentStage.store(nullptr);
  return 0;
}

}  // namespace

PROBE_RAW_VERB("runcode", "[--legacy 0|1] [--target] [--set NAME=VALUE]... 'LINE'", RunCodeVerb);
