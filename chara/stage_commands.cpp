// The commands that act on the stage and on other characters: stage clear, game
// wait, message, target, the second status operation, vanish and take item. Item
// commands run the same bodies.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <list>
#include <string>

#include "app/base/message_box.h"
#include "app/base/play_trace.h"
#include "app/base/report_log.h"
#include "app/base/thread.h"
#include "app/sound/sound_effects.h"
#include "chara/chara.h"
#include "chara/chara_search.h"
#include "chara/command_handlers.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/status.h"
#include "data/command.h"
#include "data/item_def.h"
#include "data/project_globals.h"
#include "data/world_map.h"
#include "platform/sjis.h"
#include "stage/held_play.h"
#include "stage/item_taking.h"
#include "stage/message_text.h"
#include "stage/stage_scene.h"

namespace {

constexpr int kSeMessageOpens = 11;

// A value of the command through the checked access: a list too short reports,
// closes the game and reads element 0.
int Value(const cEdCommand& c, int index) { return const_cast<cEdCommand&>(c).Values.At(index); }

int Clamp32(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

cPlayer* PlayerOne() { return Player.empty() ? nullptr : &Player.front(); }

bool IsPlayer(const cChara& c) { return c.m_nKind == 0; }

// A character vanishing by command: the player loses its HP, any other character
// is removed without dying at the play step's next sweep.
void Vanish(cChara& c, const cChara& actor, cStageScene& scene) {
  if (IsPlayer(c))
    c.m_nHP = 0;
  else
    c.m_bVanish = 1;
  if (&c != &actor) scene.m_bStatusDeath = 1;
}

void RemoveMessage(std::list<cMessage>& list, const cMessage* message) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (&*it != message) continue;
    list.erase(it);
    return;
  }
}

// The text with its extension cut and a full stop in its place.
std::string StageStem(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  const size_t sep = path.find_last_of("\\/");
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return path + ".";
  return path.substr(0, dot + 1);
}

}  // namespace

int ExecStageClear(cChara&, cEdCommand& command) {
  cStageScene* scene = StageScene();
  if (!scene) return 0;
  switch (Value(command, 0)) {
    case 0:
      scene->m_nNextPart = Clamp32(int64_t{SaveData.nPart} + 1);
      scene->m_strNextStage.clear();
      break;
    case 1:
      scene->m_nNextPart = Value(command, 1);
      scene->m_strNextStage.clear();
      break;
    case 2:
      scene->m_nNextPart = SaveData.nPart;
      if (command.strText.empty()) {
        ErrorBoxf(SJ("ステージファイル %s が不正です。\nステージファイルとして認識できません。"), "");
        scene->m_strNextStage.clear();
      } else {
        // The command's own text keeps the change, as the stage-clear phase reads it.
        command.strText = StageStem(command.strText);
        scene->m_strNextStage = command.strText;
      }
      break;
    case 3:
      scene->m_nNextPart = 0;
      scene->m_strNextStage.clear();
      break;
    default:
      break;
  }
  if (Value(command, 2)) {
    // A position beyond the map would put the marker off it.
    SaveData.nMapX = std::clamp(Value(command, 3), 0, std::max(WorldMap.nWidth - 1, 0));
    SaveData.nMapY = std::clamp(Value(command, 4), 0, std::max(WorldMap.nHeight - 1, 0));
    SaveData.nMapDir = 0;
  }
  if (Value(command, 5)) {
    SaveData.bStartPos = 1;
    SaveData.nStartX = Value(command, 6);
    SaveData.nStartY = Value(command, 7);
    int facing = Value(command, 8);
    if (facing == 2) facing = PlayerOne() ? PlayerOne()->m_nFacing : 0;
    SaveData.nStartDir = facing;
  } else {
    SaveData.bStartPos = 0;
  }
  PlayTraceEvent("stage_clear", {{"kind", Value(command, 0)}, {"next", scene->m_nNextPart}});
  return 1;
}

int ExecGameWait(cChara&, cEdCommand& command) {
  cStageScene* scene = StageScene();
  if (!scene) return 0;
  const int frames = Clamp32(int64_t{Value(command, 0)} * 6);
  // The wait's own entry in the message list holds the frames while play is held.
  scene->m_Messages.emplace_back(cMessage::kTimed, nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, cMessage::kTimedDisplay,
                                 frames, 1, 0, 0, 0, 0, 0, 0, 0, 0);
  const cMessage* entry = &scene->m_Messages.back();
  scene->m_PauseWait.Set(cPauseWait::kWait, 0, frames, 0);
  HoldPlay(thPause, &PauseThreadProc, scene, false);
  RemoveMessage(scene->m_Messages, entry);
  return 0;
}

int ExecMessage(cChara& actor, cEdCommand& command, int chain) {
  cStageScene* scene = StageScene();
  if (!scene || scene->m_bQuit.load()) return 0;
  std::list<cMessage>& list = scene->m_Messages;
  const int hasId = Value(command, 12), id = Value(command, 13), close = Value(command, 15);
  auto place = list.end();
  cMessage* reused = nullptr;
  if (hasId) {
    auto found = std::find_if(list.begin(), list.end(),
                              [id](const cMessage& m) { return m.m_bHasId && m.m_nId == id && !m.m_bEnded; });
    if (found != list.end()) {
      if (close) {
        list.erase(found);
        return 0;
      }
      std::string text = command.strText;
      if (Value(command, 9)) ExpandMessageVariables(text);
      int w = 0, h = 0;
      MeasureMessageText(text, &w, &h);
      if (w == found->m_nWidth && h == found->m_nHeight && found->m_nKind == cMessage::kText)
        reused = &*found;
      else
        place = list.erase(found);
    } else if (close) {
      return 0;
    }
  } else if (close) {
    return 0;
  }

  const int position = Value(command, 0);
  const int frames = Value(command, 17) ? 1 : Clamp32(int64_t{Value(command, 7)} * 6);
  int follow = 0;
  if (position >= 1 && position <= 3) follow = actor.m_nId;
  else if (position >= 4 && position <= 6 && PlayerOne()) follow = PlayerOne()->m_nId;
  const int duration = Value(command, 6), hold = Value(command, 8);
  const char* text = command.strText.c_str();
  cMessage* shown = reused;
  if (reused) {
    reused->Set(cMessage::kText, text, 0, 0, 0, position, Value(command, 1), Value(command, 2), Value(command, 3),
                Value(command, 4), Value(command, 5), Value(command, 10), duration, frames, hold, follow, chain,
                Value(command, 9), Value(command, 11), Value(command, 16), Value(command, 14), hasId, id, 1);
  } else {
    auto it = list.emplace(place, cMessage::kText, text, 0, 0, 0, position, Value(command, 1), Value(command, 2),
                           Value(command, 3), Value(command, 4), Value(command, 5), Value(command, 10), duration,
                           frames, hold, follow, chain, Value(command, 9), Value(command, 11), Value(command, 16),
                           Value(command, 14), hasId, id);
    shown = &*it;
  }
  PlayTraceEvent("message", {{"id", hasId ? id : -1}, {"hold", hold}, {"duration", duration}});
  if (!hold) return 0;
  if (duration == cMessage::kTimedDisplay) {
    scene->m_PauseWait.Set(cPauseWait::kMessage, 0, frames, chain);
  } else {
    // A held window shown "until the stage ends" waits for a key like the first
    // kind: holding until the stage ends would hold for good.
    scene->m_PauseWait.Set(cPauseWait::kMessage, 1, 0, chain);
    if (duration == cMessage::kUntilKey && !chain) PlaySE(kSeMessageOpens);
  }
  HoldPlay(thPause, &PauseThreadProc, scene);
  RemoveMessage(list, shown);
  return 0;
}

int ExecSetTarget(cChara& actor, cEdCommand& command) {
  cStageScene* scene = StageScene();
  if (!scene) return 0;
  cSearchFilter filter;
  filter.bExcludeIdentity = Value(command, 4);
  filter.nIdentity = actor.m_nId;
  filter.bSkipInvincible1 = Value(command, 5);
  filter.bSkipInvincible2 = Value(command, 6);
  filter.bSkipBlock = Value(command, 7);
  filter.bById = Value(command, 8);
  filter.nId = Value(command, 9);
  filter.bByVariable = Value(command, 10);
  filter.nVariableIndex = Value(command, 11);
  filter.nValue = Value(command, 12);
  filter.nOperator = Value(command, 13);
  const int force = Value(command, 1), everyForce = Value(command, 2), scope = Value(command, 3);

  cChara* candidate = nullptr;
  switch (Value(command, 0)) {
    case 0:
      candidate = PlayerOne();
      break;
    case 1:
      candidate = &actor;
      break;
    case 2: {
      const cSearchFacts me = SearchFactsOf(actor);
      if (!everyForce) {
        candidate = FindNearestChara(me.nCentreX, me.nCentreY, scene->m_CharaGroups.At(force), scope, filter);
        break;
      }
      std::list<cChara*> winners;
      for (const std::list<cChara*>& group : scene->m_CharaGroups) {
        if (group.empty()) continue;
        if (cChara* w = FindNearestChara(me.nCentreX, me.nCentreY, group, scope, filter)) winners.push_back(w);
      }
      candidate = FindNearestChara(me.nCentreX, me.nCentreY, winners, scope, filter);
      break;
    }
    case 3:
      if (!everyForce) {
        candidate = FindFirstChara(scene->m_CharaGroups.At(force), filter);
        break;
      }
      for (const std::list<cChara*>& group : scene->m_CharaGroups) {
        if (group.empty()) continue;
        if ((candidate = FindFirstChara(group, filter))) break;
      }
      break;
    default:
      break;
  }
  const int whenNone = Value(command, 14);
  if (whenNone == 0 || (whenNone == 1 && candidate)) actor.SetTarget(candidate);
  return 0;
}

int ExecStatusOperation2(cChara& actor, cEdCommand& command) {
  cStageScene* scene = StageScene();
  if (!scene) return 0;
  const int object = Value(command, 0), item = Value(command, 1), v = Value(command, 2);
  if (object == 2) {
    const double steps = StageData.Timing().dSteps;
    if (item == 0) {
      StageData.bAutoScrollX = v;
      scene->m_ScrollX.SetAutoScroll(v, StageData.nAutoScrollSpeedX, steps);
    } else if (item == 1) {
      StageData.bAutoScrollY = v;
      scene->m_ScrollY.SetAutoScroll(v, StageData.nAutoScrollSpeedY, steps);
    }
    return 0;
  }
  cChara* o = object == 1 ? actor.m_pTarget : object == 0 ? &actor : nullptr;
  if (!o) return 0;
  switch (item) {
    case 0:
      Vanish(*o, actor, *scene);
      break;
    case 1:
      o->m_Def.bTransparent = static_cast<int8_t>(v);
      break;
    case 2:
      o->m_Def.bFixedFacing = static_cast<int8_t>(v);
      break;
    case 3:
      if (IsPlayer(*o)) static_cast<cPlayer*>(o)->ChangeFlight(v);
      break;
    case 4:
      o->m_Def.nInvincible = static_cast<int8_t>(v);
      break;
    case 5: {
      // A scale outside 1 to 10 would size the hit boxes to nothing or past the grid.
      const int scale = std::clamp(v, 1, 10);
      o->SetScale(scale, o->m_Def.nGiant);
      o->m_Def.nGiant = static_cast<int8_t>(scale);
      break;
    }
    case 6:
      o->m_Def.bScrollSync = static_cast<uint8_t>(v);
      o->m_bScrollSync = v;
      break;
    default:
      break;
  }
  return 0;
}

int ExecVanish(cChara& actor, cEdCommand& command) {
  cStageScene* scene = StageScene();
  if (!scene) return 0;
  const int force = Value(command, 1);
  const bool whole = Value(command, 2) == 1;
  if (Value(command, 0) == 0) {
    for (cChara* c : scene->m_CharaGroups.At(force))
      if (c && c->m_bActive && (whole || c->IsInView())) Vanish(*c, actor, *scene);
  } else if (Value(command, 0) == 1) {
    std::list<cShot*>& group = scene->m_ShotGroups.At(force);
    for (auto it = group.begin(); it != group.end();) {
      cShot* s = *it;
      if (!s || !s->m_bActive || !(whole || s->IsInView())) {
        ++it;
        continue;
      }
      if (scene->m_bWalkingShots) {
        scene->MarkShotSpent(*s);
        ++it;
        continue;
      }
      it = group.erase(it);
      scene->m_Shots.remove_if([s](const cShot& shot) { return &shot == s; });
    }
  }
  return 0;
}

int ExecTakeItem(cChara&, cEdCommand& command) {
  cStageScene* scene = StageScene();
  cPlayer* player = PlayerOne();
  const int palette = Value(command, 0);
  // Only the two palettes exist; another value takes nothing.
  if (!scene || !player || (palette != 0 && palette != 1)) return 0;
  const int index = Value(command, 1);
  const cEdItem* def = FindItemDefinition(palette + 1, index);
  if (!def) {
    // An entry that the palette does not hold takes nothing (not its entry 0).
    ReportLog("Take item: palette %d has no item %d", palette, index);
    return 0;
  }
  scene->m_nResultRequest = player->RunItemCommands(def->Commands);
  return 0;
}
