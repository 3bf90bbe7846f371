// One step of a character's flows, for a stage character and for the player: the
// drift of the step, the per-step flags, the flow loop and what follows it; and the
// jump command's step of both.
#include "app/sound/sound_effects.h"
#include "chara/jump_rules.h"
#include "chara/jump_run.h"
#include "chara/key_conditions.h"
#include "chara/item_commands.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"


namespace {

// The drift of a character of the step: with the game-wide flying-player scroll
// switch (a rule of older projects) nothing drifts and flyers stand still;
// otherwise a character that moves with the view takes the auto-scroll speeds
// (none on an axis held at its limit).
void SetStepDrift(cChara& c, const cStageScene* scene) {
  const bool sync = !SystemData.bCompat214 && c.m_bScrollSync && scene;
  c.m_dSpeedX = sync && !scene->m_ScrollX.m_bClamped ? scene->m_ScrollX.m_dAutoSpeed : 0.0;
  if (c.m_bFlying) c.m_dSpeedY = sync && !scene->m_ScrollY.m_bClamped ? scene->m_ScrollY.m_dAutoSpeed : 0.0;
}

// The per-step flags every run of a character's flows starts with.
void ClearStepFlags(cChara& c) {
  c.m_bMoveDisabled = 0;
  c.m_bFrictionX = c.m_bFrictionY = 1;
  c.m_bHidden = 0;
  c.m_bMoving = 0;
  if (c.m_nCrushGrace > 0) --c.m_nCrushGrace;
}

void ClearActor(cStageScene* scene) {
  if (!scene) return;
  scene->m_pActor = nullptr;
  scene->m_pFlowRun = nullptr;
  scene->m_pCommandRun = nullptr;
}

// A character at rest shows its standing animation.
void RestAnimation(cChara& c) {
  if (!c.m_bMoving && c.m_dMoveX == 0 && c.m_dMoveY == 0) c.m_Anime.Set(c.m_bFlying ? 2 : 0, 0);
}

}  // namespace

int cStageChara::RunFlows(int dying) {
  cStageScene* scene = StageScene();
  if (scene) {
    scene->m_pActor = this;
    scene->m_bStatusDeath = 0;
  }
  SetStepDrift(*this, scene);
  ClearStepFlags(*this);
  StartFlowAnimes();
  if (StepFlowStates(dying, 1)) return 1;
  ClearActor(scene);
  EndFlowStep();
  RestAnimation(*this);
  return m_nHP <= 0 ? 1 : 0;
}

void cStageChara::StepJump(cJumpRun& run) {
  const bool canStart = !m_bFalling && !m_bCeiling && !m_bImpact && m_nAirSteps == 0;
  auto start = [&] {
    run.bStarted = 1;
    PlayProjectSE(run.nSound);
    m_dSpeedY = run.dSpeed;
    m_bRising = m_bJumped = 1;
    m_bRiding = 0;
  };
  if (SystemData.bCompat749) {
    if (canStart) start();
    return;
  }
  if (!run.bStarted) {
    cStageScene* scene = StageScene();
    if (canStart) {
      start();
    } else if (run.nStepCount >= 4 * StageData.Timing().nSteps && !(scene && scene->RestsOnFloor(*this))) {
      // It waited long enough for ground under it: the command gives up. A
      // character resting on a floor under a weak gravity waits for its next
      // landing instead, which is sure to come.
      run.bStarted = 1;
      m_bCeiling = m_bImpact = 0;
      run.nCountdown = 0;
    }
    return;
  }
  if (IsOnGround()) {
    m_bCeiling = m_bImpact = 0;
    run.nCountdown = 0;
  }
}

int cPlayer::RunFlows(int dying) {
  cStageScene* scene = StageScene();
  if (scene) {
    scene->m_pActor = this;
    scene->m_bStatusDeath = 0;
  }
  if (SystemData.bCompat214) {
    // Older projects: a flying player moves with the view whatever its sync flag.
    m_dSpeedX = m_bFlying && scene && !scene->m_ScrollX.m_bClamped ? scene->m_ScrollX.m_dAutoSpeed : 0.0;
    if (m_bFlying) m_dSpeedY = scene && !scene->m_ScrollY.m_bClamped ? scene->m_ScrollY.m_dAutoSpeed : 0.0;
  } else {
    SetStepDrift(*this, scene);
  }
  ClearStepFlags(*this);
  m_bJumpStepDone = 0;
  StartFlowAnimes();
  m_bFlowsRunning = 1;
  const int stopped = StepFlowStates(dying, 0);
  m_bFlowsRunning = 0;
  if (stopped) return 1;
  ClearActor(scene);
  EndFlowStep();
  // The flow changes of items taken while the flows ran wait until they finish.
  ApplyItemFlowChanges();
  if (!m_bJumpStepDone) {
    // No jump command ran in this step: the next press starts a new jump.
    m_nJumpHold = 0;
    m_bMayRaise = 1;
    m_bCeiling = 0;
  }
  RestAnimation(*this);
  return m_nHP <= 0 ? 1 : 0;
}

void cPlayer::StepJump(cJumpRun& run) {
  if (m_bFlying || m_bJumpStepDone) return;
  const cStageTiming t = StageData.Timing();
  const int kind = run.nValues[0];
  const bool keysHeld = run.pLastKey && m_pInput && IsKeyConditionHeld(m_pInput, *run.pLastKey);
  // A jump of kind 0 rises to its full height whatever the keys do.
  const bool held = kind == 0 || keysHeld;
  if (kind == 2) {
    const cInertiaJump j = InertiaJumpHeight(t, m_dMoveX, run.nValues[1], run.nValues[2], run.nValues[3],
                                             run.nValues[4]);
    run.dSpeed = JumpSpeedForHbl(t, m_nKind, static_cast<int8_t>(j.nHeight & 0xff));
  }
  if (held && !m_bJumpBlocked) {
    ++m_nJumpHold;
    if (m_nJumpHold >= run.nTime && (!m_bJumped || m_bRiding) && m_bMayRaise && !m_bCeiling &&
        (m_dSpeedY < 0 || m_bRiding)) {
      // Held to the command's time: the jump rises no further.
      m_bJumped = 1;
      m_bMayRaise = 0;
    } else if (!m_bFalling && m_nJumpHold <= t.nSteps && (!m_bJumped || m_bRiding) && m_bMayRaise && !m_bCeiling &&
               !m_bImpact && !run.bStarted) {
      const cStageScene* scene = StageScene();
      const bool lastStep = !scene || scene->m_nStepIndex == 0 || scene->m_nStepIndex >= t.nSteps;
      if (!m_bRiding) {
        m_bRising = 1;
        m_dSpeedY = run.dSpeed;
        run.bStarted = 1;
        PlayProjectSE(run.nSound);
      } else if (lastStep) {
        // Off a ridden character only in the frame's last step, a little stronger.
        m_bRising = 1;
        m_dSpeedY = run.dSpeed * 1.0199999809265137;
        m_bRiding = 0;
        run.bStarted = 1;
        PlayProjectSE(run.nSound);
      }
    }
  } else {
    if (m_nJumpHold > 0 && m_nJumpHold < run.nTime && !m_bJumped && !m_bCeiling && !m_bJumpBlocked && !m_bImpact) {
      // Released early: the jump is cut short.
      m_bRiding = 0;
      if (m_dSpeedY < 0) m_dSpeedY *= 0.3;
      m_bJumped = 1;
    }
    m_nJumpHold = 0;
    m_bMayRaise = 1;
    m_bCeiling = 0;
  }
  if (IsOnGround() && m_dSpeedY >= 0) {
    const bool keyed = run.pLastKey != nullptr;
    if (!keyed || !keysHeld) {
      m_nJumpHold = 0;
      m_bMayRaise = 1;
      m_bCeiling = m_bImpact = 0;
      run.bStarted = 0;
      // With key conditions the command ends once the keys are released on the ground.
      if (keyed) run.nCountdown = 0;
    }
  }
  m_bJumpStepDone = 1;
}

bool cPlayer::IsNewItemTouch(const cItem* item) const {
  for (const cItem* i : m_TouchedItems)
    if (i == item) return false;
  return true;
}

void cPlayer::ForgetItemTouch(const cItem* item) { m_TouchedItems.remove(const_cast<cItem*>(item)); }

void cPlayer::ApplyItemFlowChanges() {
  // Applying one may take a further item whose change joins the list: taken in turn.
  for (int i = 0; i < m_ItemFlowChanges.Count(); ++i) {
    const cEdCommand change = m_ItemFlowChanges[static_cast<size_t>(i)];
    ExecChangeFlow(*this, change, 1);
  }
  m_ItemFlowChanges.clear();
}
