#pragma once
#include <cstdint>

#include "app/base/vector.h"
#include "chara/target_move_rules.h"

class cChara;
class cEdCommand;
class cEdFlow;
class cEdKeyCondition;

// A pending arrange: a copy of an arrange command's values (0 the table type, 1
// the parameter, 2 the operation, 3 the source scope, 4 the variable number).
using cArrangeEntry = cVector<int32_t>;

// The running state of one command of a flow: its countdown and the work fields
// of its handler. Points into the character's own definition copy, so a copy of a
// character re-points its states (cChara::RepointFlowStates).
class cCommandRun {
 public:
  // Starts the command again: countdown = time, handler work cleared, pending
  // arranges of the current flow applied (except to an arrange command).
  void Reset();
  // One logic step of the command; 1 when its countdown ran out.
  int RunFrame();

  cEdCommand* pCommand = nullptr;
  int32_t bDone = 0;
  int32_t nTime = 0;          // logic steps
  int32_t nCountdown = 0;     // logic steps left
  // Movement work (straight, ground turn-back, off-screen avoidance, and the
  // targeted moves: charge, homing, circle, warp).
  int32_t nDirection = 0;     // direction choice, or the circle's turning choice
  int32_t nTargetDX = 0, nTargetDY = 0;
  double dSpeed = 0;          // dots per step (circle: degrees per step; jump: the jump speed)
  int32_t nMoveAngle = 0;
  int32_t nExtent = 0;        // circle radius, homing delay
  int32_t nStartAngle = 0, nEndAngle = 0;
  cVector<cAimPoint> TargetQueue;  // homing: the target's places waiting for the delay
  double dVelX = 0, dVelY = 0;
  int32_t nFacingRequest = 0; // 0 keep, 1 left, 2 right
  int32_t nStepCount = 0;     // steps since the command started
  int32_t bStarted = 0;
  double dPhaseX = 0, dPhaseY = 0;
  double dMaxSpeed = 0;       // inertia: the largest speed per step
  int32_t nLastFacing = 0;
  // Work of other handlers: a few ints that Reset clears.
  int32_t nWork[4] = {0, 0, 0, 0};
};

// The running state of one flow of a character.
class cFlowRun {
 public:
  // Starts the flow (a flow of trigger 18 runs its instant commands at once and
  // stops again).
  void Start();
  // One logic step; 1 when the flow has finished.
  int Step();
  // 0 when the flow was not running.
  int Stop(cChara& chara);
  void Pause() { bPaused = 1; }
  void Resume() { bPaused = 0; }
  void StopForever(cChara& chara);

  int32_t nFlowIndex = 0;
  int32_t nSerial = 0;
  cEdFlow* pFlow = nullptr;
  uint8_t bCondLatched = 0;
  cVector<cEdKeyCondition*> KeyConditions;
  int32_t bKeyHeld = 0;
  cVector<cCommandRun> Commands;
  // Scheduled starts of command animations: start step, animation, frames to
  // skip, length in frames, the command's frames, hold flag.
  struct cLeadIn {
    int32_t nStartStep = 0, nAnime = 0, nSkip = 0, nLength = 0, nCommandFrames = 0, bHold = 0;
  };
  cVector<cLeadIn> LeadIns;
  int32_t bRunning = 0;
  int32_t bPaused = 0;
  int32_t bStoppedForGood = 0;
  int32_t bDelete = 0;
  int32_t nCurrent = 0;
  int32_t nStepsRun = 0;
  int32_t nStartDirection = 0;
  int32_t bTriggerLatch = 0;
  int32_t bStartedLatch = 0;
  int32_t bMessageWait = 0;
  int32_t bAbort = 0;
  cVector<cArrangeEntry> Arranges;
  // The character whose flow this is (set when the states are built or re-pointed).
  cChara* pOwner = nullptr;
};

// Loop commands (character type 39, item type 24) are unrolled before play. One
// pass unrolls the first loop found: 1 when one was found. The whole expansion
// stops at kMaxExpandedCommands commands, with a report line, since repeat counts
// come from files and nest.
int ExpandLoopCommands(cVector<cEdCommand>& commands);
void ExpandAllLoopCommands(cVector<cEdCommand>& commands);
constexpr int kMaxExpandedCommands = 4096;

// The character whose flows run, its flow and its command: the live stage scene
// holds them while flows run (commands read them); without a scene (tools) a
// context of this thread holds them.
cChara* CurrentActor();
cFlowRun* CurrentFlowRun();
cCommandRun* CurrentCommandRun();
void SetCurrentActor(cChara* actor);
void SetCurrentFlowRun(cFlowRun* run);
void SetCurrentCommandRun(cCommandRun* run);
// Logic steps for a time in tenths of a second (with clone increment), computed
// in 64 bits and kept within int32.
int32_t CommandSteps(int64_t tenths, int64_t tenthsPerClone, int64_t clone, int steps);
// The flow's group 1 to 26; 0 for none and for a group byte beyond the table.
int FlowGroup(const cEdFlow& flow);
