#pragma once
#include <cstdint>

class cChara;
class cCommandRun;
class cEdCommand;

// The handler of a character command type, called on every logic step of the
// command's countdown; what it returns is not used.
using CommandHandler = void (*)(cChara& chara, cCommandRun& run);
constexpr int kCommandTypes = 40;
// One handler per character command type 0 to 39 (command_handlers.cpp).
extern const CommandHandler CommandHandlers[kCommandTypes];

// Movement (chara/move_commands.cpp).
void CmdStraightMove(cChara& chara, cCommandRun& run);
void CmdGroundTurnMove(cChara& chara, cCommandRun& run);
void CmdAvoidOffscreenMove(cChara& chara, cCommandRun& run);
void CmdStopMove(cChara& chara, cCommandRun& run);
void CmdTurn(cChara& chara, cCommandRun& run);
void CmdJump(cChara& chara, cCommandRun& run);
// Targeted movement: charge, homing, circle, warp.
void CmdCircleMove(cChara& chara, cCommandRun& run);
void CmdChargeMove(cChara& chara, cCommandRun& run);
void CmdHomingMove(cChara& chara, cCommandRun& run);
void CmdWarp(cChara& chara, cCommandRun& run);
// The warp's whole move in one call (also item command 5): 1 when it moved the
// character, 0 when there was nothing to do or it was undone.
int ExecWarp(cChara& chara, cEdCommand& command);
// Attacks, summons and the flow operation.
void CmdShot(cChara& chara, cCommandRun& run);
void CmdSword(cChara& chara, cCommandRun& run);
void CmdSummonBlock(cChara& chara, cCommandRun& run);
void CmdSummonChara(cChara& chara, cCommandRun& run);
void CmdSummonItem(cChara& chara, cCommandRun& run);
void CmdFlowOperation(cChara& chara, cCommandRun& run);

// The bodies of types 17 to 38, shared with the item commands (item type t runs
// the body of type t + 15). Each handler Cmd... of these types only forwards the
// command to its Exec... body.
int ExecStageClear(cChara& chara, cEdCommand& command);
int ExecGameWait(cChara& chara, cEdCommand& command);
// chain: the window follows a message the flow has just shown (no opening, no
// delay, no opening sound).
int ExecMessage(cChara& chara, cEdCommand& command, int chain = 0);
int ExecSetTarget(cChara& chara, cEdCommand& command);
int ExecStatusOperation(cChara& chara, cEdCommand& command);
int ExecStatusOperation2(cChara& chara, cEdCommand& command);
int ExecVanish(cChara& chara, cEdCommand& command);
int ExecTakeItem(cChara& chara, cEdCommand& command);
int ExecChangeGraphic(cChara& chara, cEdCommand& command);
int ExecChangeAnimeSet(cChara& chara, cEdCommand& command);
int ExecPlayAnime(cChara& chara, cEdCommand& command);
int ExecPlayEffect(cChara& chara, cEdCommand& command);
int ExecCharaEffect(cChara& chara, cEdCommand& command);
int ExecScreenEffect(cChara& chara, cEdCommand& command);
int ExecShowPicture(cChara& chara, cEdCommand& command);
int ExecScreenColor(cChara& chara, cEdCommand& command);
int ExecChangeBackground(cChara& chara, cEdCommand& command);
int ExecPlaySound(cChara& chara, cEdCommand& command);
int ExecPlayBgm(cChara& chara, cEdCommand& command);
int ExecRunCode(cChara& chara, cEdCommand& command);
// ExecArrange: chara/arrange.h.
