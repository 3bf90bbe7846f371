// The item commands: the table that runs each type's body on player 1, the runner
// of an item's whole list with its stop rules, and the item's flow change.
#include "chara/item_commands.h"

#include <atomic>
#include <cstdint>

#include "app/base/report_log.h"
#include "chara/arrange.h"
#include "chara/command_handlers.h"
#include "chara/player.h"
#include "data/command.h"
#include "data/flow.h"
#include "stage/stage_scene.h"

int FlowGroup(const cEdFlow& flow);

namespace {

constexpr int kArrangeType = 23;

int Nothing(cPlayer&, cEdCommand&) { return 0; }
int ChangeFlow(cPlayer& p, cEdCommand& c) {
  ExecChangeFlow(p, c, 0);
  return 0;
}
int StageClear(cPlayer& p, cEdCommand& c) { return ExecStageClear(p, c); }
// Every message after the first of one list follows it as a chain.
int Message(cPlayer& p, cEdCommand& c) {
  cStageScene* scene = StageScene();
  ExecMessage(p, c, scene ? scene->m_bItemMessage : 0);
  if (scene) scene->m_bItemMessage = 1;
  return 0;
}
// The other bodies' results say nothing to the list: it goes on.
#define BODY(name)                                  \
  int name(cPlayer& p, cEdCommand& c) {             \
    Exec##name(p, c);                               \
    return 0;                                       \
  }
BODY(GameWait)
BODY(Warp)
BODY(SetTarget)
BODY(StatusOperation)
BODY(StatusOperation2)
BODY(Vanish)
BODY(TakeItem)
BODY(ChangeGraphic)
BODY(ChangeAnimeSet)
BODY(PlayAnime)
BODY(PlayEffect)
BODY(CharaEffect)
BODY(ScreenEffect)
BODY(ShowPicture)
BODY(ScreenColor)
BODY(ChangeBackground)
BODY(PlaySound)
BODY(PlayBgm)
BODY(RunCode)
BODY(Arrange)
#undef BODY

// A type beyond the table is reported once per type value.
std::atomic<uint32_t> tReported[8];

// How deep item lists run inside one another on this thread.
thread_local int tDepth = 0;

struct cDepth {
  cDepth() { ++tDepth; }
  ~cDepth() { --tDepth; }
};

// Removes the player's flows of a group (0: every flow); the index of the first
// one removed, or -1.
int RemoveFlowGroup(cPlayer& player, int group) {
  if (group == 0) return player.DeleteFlowsById(0);
  int first = -1;
  for (int i = 0; i < player.m_FlowStates.Count() && i < player.m_Def.Flows.Count();) {
    if (FlowGroup(player.m_Def.Flows[static_cast<size_t>(i)]) != group) {
      ++i;
      continue;
    }
    if (first < 0) first = i;
    player.DeleteFlow(i);
  }
  return first;
}

}  // namespace

const ItemCommandHandler ItemCommandHandlers[kItemCommandHandlers] = {
    Nothing,           // 0 none
    ChangeFlow,        // 1
    StageClear,        // 2
    GameWait,          // 3
    Message,           // 4
    Warp,              // 5
    SetTarget,         // 6
    StatusOperation,   // 7
    StatusOperation2,  // 8
    Vanish,            // 9
    TakeItem,          // 10
    ChangeGraphic,     // 11
    ChangeAnimeSet,    // 12
    PlayAnime,         // 13
    PlayEffect,        // 14
    CharaEffect,       // 15
    ScreenEffect,      // 16
    ShowPicture,       // 17
    ScreenColor,       // 18
    ChangeBackground,  // 19
    PlaySound,         // 20
    PlayBgm,           // 21
    RunCode,           // 22
    Arrange,           // 23
    Nothing,           // 24 loop: unrolled when the item was made
};

int cPlayer::RunItemCommands(const cVector<cEdCommand>& commands) {
  if (tDepth >= kMaxItemListDepth) {
    ReportLog("Item commands nested deeper than %d: the inner list is not run", kMaxItemListDepth);
    return m_nHP <= 0 ? 2 : 0;
  }
  const cDepth depth;
  if (cStageScene* scene = StageScene()) scene->m_bItemMessage = 0;
  for (const cEdCommand& listed : commands) {
    // Each command runs on a copy: arranges and the bodies may change what they
    // run, but never the definition (a palette's entry lives on for the game).
    cEdCommand command = listed;
    if (command.nType != kArrangeType) {
      ApplyItemArranges(command, *this);
      m_ItemArranges.clear();
    }
    int result = 0;
    if (command.nType < kItemCommandHandlers) {
      result = ItemCommandHandlers[command.nType](*this, command);
    } else {
      const uint32_t bit = 1u << (command.nType & 31);
      if (!(tReported[command.nType >> 5].fetch_or(bit) & bit))
        ReportLog("Item command type %d has no handler", static_cast<int>(command.nType));
    }
    if (m_nHP <= 0) return 2;
    if (result != 0) return result;
  }
  return m_nHP <= 0 ? 2 : 0;
}

void ExecChangeFlow(cPlayer& player, const cEdCommand& command, int applyNow) {
  // The player's flow list may not change under its own running flows. Its flag
  // also holds while another character's death ran flows inside the loop and
  // took the actor with it.
  const cStageScene* scene = StageScene();
  const bool acting = scene && scene->m_pActor == static_cast<const void*>(static_cast<cChara*>(&player));
  if (!applyNow && (acting || player.m_bFlowsRunning)) {
    player.m_ItemFlowChanges.push_back(command);
    return;
  }
  const int mode = command.Values.Count() > 0 ? command.Values[0] : 0;
  const int group = command.Values.Count() > 1 ? command.Values[1] : 0;
  switch (mode) {
    case 0:
      player.BuildFlowStates(command.Flows, 1, -1);
      break;
    case 1: {
      // A group of no flow there (or a group beyond Z, which no flow has) adds at the end.
      const int at = RemoveFlowGroup(player, group);
      player.BuildFlowStates(command.Flows, 1, at);
      break;
    }
    case 2:
      RemoveFlowGroup(player, group);
      break;
    default:
      break;
  }
}
