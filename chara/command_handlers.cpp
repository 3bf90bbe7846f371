// The command dispatch: one handler per character command type.
#include "chara/command_handlers.h"

#include <atomic>

#include "app/base/report_log.h"
#include "chara/arrange.h"
#include "chara/chara.h"
#include "chara/flow_run.h"
#include "chara/play_change_count.h"
#include "data/command.h"
#include "stage/stage_scene.h"

namespace {

void CmdNothing(cChara&, cCommandRun&) {}

// Types 17 to 38 forward the command record to the body that item commands share.
#define FORWARD(name)                                          \
  void Cmd##name(cChara& chara, cCommandRun& run) {            \
    if (run.pCommand) Exec##name(chara, *run.pCommand);        \
  }
// The stage clear's result is the stage's result request; a message passes on
// whether the flow is in a chain of messages.
void CmdStageClear(cChara& chara, cCommandRun& run) {
  if (!run.pCommand) return;
  const int result = ExecStageClear(chara, *run.pCommand);
  if (cStageScene* scene = StageScene()) scene->m_nResultRequest = result;
}
FORWARD(GameWait)
void CmdMessage(cChara& chara, cCommandRun& run) {
  const cFlowRun* flow = CurrentFlowRun();
  if (run.pCommand) ExecMessage(chara, *run.pCommand, flow ? flow->bMessageWait : 0);
}
FORWARD(SetTarget)
FORWARD(StatusOperation)
FORWARD(StatusOperation2)
FORWARD(Vanish)
FORWARD(TakeItem)
FORWARD(ChangeGraphic)
FORWARD(ChangeAnimeSet)
FORWARD(PlayAnime)
FORWARD(PlayEffect)
FORWARD(CharaEffect)
FORWARD(ScreenEffect)
FORWARD(ShowPicture)
FORWARD(ScreenColor)
FORWARD(ChangeBackground)
FORWARD(PlaySound)
FORWARD(PlayBgm)
FORWARD(RunCode)
FORWARD(Arrange)
#undef FORWARD

// A type beyond the table is reported once per type value, not on every step.
std::atomic<uint32_t> tReported[8];

}  // namespace

// One entry per command type, in type order; each family of commands defines its
// handlers (or Exec bodies) in its own file.
const CommandHandler CommandHandlers[kCommandTypes] = {
    CmdNothing,            // 0 none
    CmdNothing,            // 1 wait: the countdown alone makes it
    CmdStraightMove,       // 2
    CmdGroundTurnMove,     // 3
    CmdCircleMove,         // 4
    CmdChargeMove,         // 5
    CmdHomingMove,         // 6
    CmdAvoidOffscreenMove, // 7
    CmdStopMove,           // 8
    CmdTurn,               // 9
    CmdJump,               // 10
    CmdShot,               // 11
    CmdSword,              // 12
    CmdSummonBlock,        // 13
    CmdSummonChara,        // 14
    CmdSummonItem,         // 15
    CmdFlowOperation,      // 16
    CmdStageClear,         // 17
    CmdGameWait,           // 18
    CmdMessage,            // 19
    CmdWarp,               // 20
    CmdSetTarget,          // 21
    CmdStatusOperation,    // 22
    CmdStatusOperation2,   // 23
    CmdVanish,             // 24
    CmdTakeItem,           // 25
    CmdChangeGraphic,      // 26
    CmdChangeAnimeSet,     // 27
    CmdPlayAnime,          // 28
    CmdPlayEffect,         // 29
    CmdCharaEffect,        // 30
    CmdScreenEffect,       // 31
    CmdShowPicture,        // 32
    CmdScreenColor,        // 33
    CmdChangeBackground,   // 34
    CmdPlaySound,          // 35
    CmdPlayBgm,            // 36
    CmdRunCode,            // 37
    CmdArrange,            // 38
    CmdNothing,            // 39 loop: unrolled before play
};

void cChara::ExecCommand(cCommandRun& run) {
  if (!run.pCommand) return;
  NotePlayChange();
  // The type is a signed byte in play: 128 to 255 are negative and beyond the table too.
  const int type = static_cast<int8_t>(run.pCommand->nType);
  if (type < 0 || type >= kCommandTypes) {
    const uint32_t bit = 1u << (run.pCommand->nType & 31);
    if (!(tReported[run.pCommand->nType >> 5].fetch_or(bit) & bit))
      ReportLog("Command type %d has no handler", static_cast<int>(run.pCommand->nType));
    return;
  }
  CommandHandlers[type](*this, run);
}
