#pragma once
#include <cstdint>
#include <utility>

#include "app/base/vector.h"
#include "chara/anime_overlay.h"
#include "chara/flow_run.h"
#include "chara/graphic_source.h"
#include "chara/object.h"
#include "data/chara_def.h"
#include "data/chara_effect_anime.h"

class cEdBlock;
class cEdMove;
class cItem;
struct DDSURFACEDATA;
class cShot;
class cInput;
struct cJumpRun;

// What a gauge of HP or SP shows after a change: how long, how much changed (in
// fiftieths of the maximum), the step it shrinks by, and the bar's length.
struct cGauge {
  int32_t nFrames = 0;
  double dChange = 0;
  double dStep = 0;
  int32_t nLength = 0;
};

// The base of every character: a copy of its definition, who it aims at and who
// aims at it, HP and SP, knock-back, contacts, variables and its two hit boxes.
// A character lives in place in its list (StageChara or Player) and is never
// copied by construction: Assign copies another's state but none of the links,
// since a link names the stored object and a copy is not registered anywhere.
class cChara : public cObject {
 public:
  static constexpr int kGroupFlags = 27;
  static constexpr int kVariables = 9;

  cChara();
  // Clears every link to and from it, so no pointer to it outlives it.
  ~cChara() override;
  cChara(const cChara&) = delete;
  cChara& operator=(const cChara&) = delete;

  void KeepBottomOnRescale(int scale, int oldScale) override;
  virtual void SetCentre(double x, double y);
  virtual void SetCentreX(double x);
  virtual void SetCentreY(double y);
  // Copies the whole character base except the links: the copy aims at nothing
  // and nothing aims at it until it is stored and given a target.
  virtual void Assign(const cChara& source);
  virtual cItem* GetCarriedItem() { return nullptr; }
  // The per-character rules of later work (limits, moves, flows, jump step); the
  // base does nothing.
  virtual int LimitX() { return 0; }
  virtual int LimitY() { return 0; }
  virtual int MoveX() { return 0; }
  virtual int MoveY() { return 0; }
  virtual int RunFlows(int) { return 0; }
  // The jump command's work of one step; the base does nothing.
  virtual void StepJump(cJumpRun&) {}

  // Set-up from a definition (none keeps the current copy): links, flags,
  // counters, HP and SP, variables, friction, effect and animation set.
  void Reset(const cEdChara* def, double placeX, double placeY, int16_t clone);
  // The body box centred on the 32-dot cell, standing on its lower edge when bottom.
  void SetBodyHitBox(bool bottom, int width, int height);
  // The base animation from the database's animation set n (entry 0, reported,
  // when n names none); nothing when not forced and n is the current set.
  void SetAnimeSet(int n, int force);

  // Links. SetTarget unregisters from the old target and registers with the new
  // one, each once. Unlink removes every link to and from this character: those
  // aiming at it get a null target, shots aiming at it too.
  void SetTarget(cChara* target);
  void Unlink();
  void AddAimingShot(cShot* shot);
  void RemoveAimingShot(cShot* shot);

  // Physics of one logic step.
  void ApplyGravity();
  void ClearContacts();
  void LandOnBlock();
  void HitCeiling();
  void ResetVerticalState(int pushed);
  bool IsOnGround() const;
  void SavePosition();
  void RestorePosition();
  // Places the character on a block cell (column and row of the stage without its
  // margin); the edge code of its horizontal limit.
  int SetBlockPosition(int column, int row);
  // HP changes: 1 when HP reached 0. An invincible character takes no damage unless
  // forced; a heal stops at the maximum.
  int ChangeHP(int amount, int forced, int show);
  // SP changes: 1 when the maximum SP is 0 or less (no gauge is shown then).
  int ChangeSP(int amount, int show);
  void ApplyImpact(int8_t strength, double dirX, double dirY);
  void ApplyBodyImpact(const cChara& attacker);
  void ApplyShotImpact(const cShot& shot);
  void ApplyVerticalImpact();
  void DecayImpactX();
  void DecayImpactY();
  // Runs the flows of one trigger (landing, ceiling, ...).
  void RunTriggeredFlows(int trigger);
  // Starts a character effect (play mode: 1 reversed, 2 there and back, else forward).
  void StartCharaEffect(int number, int playMode, int repeat);

  cChara* m_pTarget = nullptr;
  cVector<cChara*> m_TargetedBy;      // every character whose target this is, each once
  cVector<cShot*> m_ShotsAiming;      // the shots in flight whose target this is
  cEdChara m_Def;
  int32_t m_nFlowSerial = 0;
  cVector<uint8_t> m_GroupBusy, m_GroupEnded, m_GroupStarted;
  int32_t m_bGroupEnded = 0;
  int32_t m_bFlowsToDelete = 0;
  double m_dPlaceX = 0, m_dPlaceY = 0;
  int32_t m_bMoving = 0;
  double m_dImpactX = 0, m_dImpactY = 0;
  int32_t m_bImpact = 0;
  double m_dPrevImpactY = 0;
  int32_t m_bMoveDisabled = 0;
  int32_t m_nWallSide = -1;
  int32_t m_bFalling = 1;
  int32_t m_bJumped = 0;              // the jump can rise no further by holding
  int32_t m_bRising = 0;
  int32_t m_bCeiling = 0;
  int32_t m_nAirSteps = 0;
  cEdBlock* m_pBlockUnder = nullptr;
  cEdBlock* m_pBlockLanded = nullptr;
  cEdBlock* m_pBlockRemembered = nullptr;
  int32_t m_nCrushGrace = 0;
  int32_t m_bScreenFixedX = 0, m_bScreenFixedY = 0;
  int32_t m_nScreenFixedLeft = 0, m_nScreenFixedTop = 0;
  int32_t m_bDead = 0;
  int32_t m_nDeathFrames = 0;
  int32_t LRUD[4] = {0, 0, 0, 0};    // left, right, up, down
  int32_t m_bPushed = 0;
  int32_t m_bRiding = 0;
  int32_t m_nRiddenId = 0;
  double m_RiddenRect[4] = {0, 0, 0, 0};
  double m_PrevRect[4] = {0, 0, 0, 0};
  int32_t m_nHP = 0;
  cGauge m_HPGauge;
  int32_t m_nSP = 0;
  cGauge m_SPGauge;
  cVector<int32_t> m_Vars;            // v1 to v8 at indexes 1 to 8
  int32_t m_nInvincible = 0;
  cVector<std::pair<int32_t, int32_t>> m_AttackerInvincible;  // (identity, steps)
  cVector<cAnimeOverlay> m_Overlays;
  int16_t m_nCharaEffect = 0;
  int32_t m_nCharaEffectTime = 0;
  // The running character effect (its number is m_nCharaEffect; 0 draws plainly).
  cCharaEffectAnime m_CharaEffect;
  int32_t m_bVanish = 0;              // removed without dying
  int32_t m_nSightDots = 0;
  int32_t m_bHidden = 0;
  cHitBox m_BodyBox;
  cHitBox m_ShotBox;

  // Set-up, stage characters and the player: the flow states and the flow loop of
  // one step, which the flow runtime provides.
  // Builds the flow states of a list of flows (add 0: rebuilt for the definition's
  // own list); the number of flows given.
  int BuildFlowStates(const cVector<cEdFlow>& flows, int add, int index);
  // Starts the animation lead-ins that are due, once per step before the flows.
  void StartFlowAnimes();
  // Steps every running flow state in order (dying: only trigger-3 flows); 1 when
  // the loop had to end early: the character vanished (when stopOnVanish) or its HP
  // ran out in a flow that is not a dying flow.
  int StepFlowStates(int dying, int stopOnVanish);
  // The end of a step of flows: flows marked for deletion deleted, ended groups
  // freed.
  void EndFlowStep();
  // --- The flow runtime (chara/flow_*.cpp, chara/command_handlers.cpp) ---
  // One state per flow of the definition copy, in its order.
  cVector<cFlowRun> m_FlowStates;
  // Every state points at the flow of its index again (after the list changed).
  void RepointFlowStates();
  // The states of another character, pointed at this one's flows.
  void CopyFlowStates(const cVector<cFlowRun>& source);
  // Stops, ends the animations of, and erases flow `index` with its state.
  void DeleteFlow(int index);
  // id 0: every flow; else the flows with that ID byte. The first erased index,
  // -1 when none (0 for id 0).
  int DeleteFlowsById(int id);
  // Once per frame: the trigger and started latches, the group started flags.
  void ResetFlowLatches();
  // Runs the handler of the command's type for one step.
  void ExecCommand(cCommandRun& run);
  // --- Movement commands' shared routines (chara/move_routines.cpp) ---
  // The command's angle (clone increment, mirrored for a right-facing definition).
  void CalcMoveAngle(cCommandRun& run);
  // The command's target offset in dots (mirrored for a right-facing definition).
  void CalcMoveTarget(cCommandRun& run);
  // The direction code of a direction choice (front, back, input direction, ...).
  int ResolveDirection(int choice, int liveInput, int diagonals);
  // Velocity of a move by direction (angle 0) or by angle, and the facing it asks
  // for (0 none, 1 left, 2 right).
  void VelocityByDirection(double& x, double& y, int& facing, double speed, int choice);
  void VelocityByAngle(double& x, double& y, int& facing, double speed, int choice, int angle);
  // Velocity toward a target offset by the move's coordinate reference; with the
  // time-from-distance flag the countdown becomes the steps to arrive.
  void VelocityToPoint(double& x, double& y, int& facing, double speed, double tx, double ty, const cEdMove& move,
                       int32_t* countdown);
  void GroundTurnStep(cCommandRun& run, const cEdMove& move, double& x, double& y, int& facing);
  void AvoidOffscreenStep(cCommandRun& run, const cEdMove& move, double& x, double& y, int& facing);
  // Adds the velocity (or accelerates toward it with inertia), turns, and shows the
  // moving animation; the move's no-walk-animation flag.
  int ApplyMoveVelocity(double x, double y, int facing, cCommandRun& run, const cEdMove& move, int force);
  // --- Targeted movement (chara/object_aim.cpp) ---
  // The centre put on the point, the run's speeds cleared; 1.
  int WarpTo(int x, int y, cCommandRun& run) override;
  int WarpToX(int x, cCommandRun& run) override;
  int WarpToY(int y, cCommandRun& run) override;
  void ClearMoveSpeeds(cCommandRun& run);
  // The run's velocity aimed at a screen point at its speed against this
  // character's target, on the axes its move may use.
  void AimAtPoint(cCommandRun& run, double x, double y);
  // --- Drawing a character (chara/chara_draw.cpp) ---
  // Advances the base animation and the overlays unless held; the picture column
  // to draw this frame.
  int AnimateFrame(int held);
  // The picture column base of the definition (its animation set's offsets while
  // flying, as a block character, while invincible) and the invincible tint.
  int GetGraphicBase(GRAPHICSOURCE& source);
  void Draw(DDSURFACEDATA* target, int held);
  // A dead character's last frames: 1 when it may be removed (the player: when
  // the miss may be handled).
  int DrawDying(DDSURFACEDATA* target, int held);
  // Runs the character effect one frame without drawing; 1 when it ended.
  int StepCharaEffect(int held);
  // The current picture at (0, 0) of a work surface, without the colour key:
  // scaled as drawn, or unscaled with the source's vertex colour.
  void DrawToWork(DDSURFACEDATA* work, const GRAPHICSOURCE& source);
  void DrawToWorkColoured(DDSURFACEDATA* work, const GRAPHICSOURCE& source);
  void DrawHpGauge(DDSURFACEDATA* target);
  void DrawSpGauge(DDSURFACEDATA* target);
  void DrawGauge(DDSURFACEDATA* target, cGauge& gauge, int which);
  // The drawer of the running character effect's kind (kind 0, the plain drawer,
  // when none runs); 1 when the effect ended.
  int DrawCharaEffect(DDSURFACEDATA* target, GRAPHICSOURCE& source, int held, int draw);
  // The graphic source of this frame's picture: the mapping, then the tint.
  void SetDrawSource(GRAPHICSOURCE& source, int frame);

  // --- Statuses, damage, invincibility and death (chara/run_code.cpp, chara/damage.cpp) ---
  // The gauge shows a change of HP (SP) made outside ChangeHP (ChangeSP).
  void UpdateHpGauge(int difference);
  void UpdateSpGauge(int difference);
  // Invincibility: a general time, and a list of attackers that cannot hurt it
  // again yet (logic steps each).
  void StartInvincibility();
  void StartInvincibilityAgainst(int attacker);
  void UpdateInvincibility();
  bool IsInvincible() const { return m_nInvincible > 0; }
  bool IsInvincibleAgainst(int attacker) const;
  // A hit by another character's body or by a shot: damage, hit effect, impact,
  // triggers; 1 when it brought HP to 0.
  int TakeBodyHit(cChara& attacker);
  int TakeShotHit(cShot& shot);
  // Death: trigger, last flow step, score, carried item, unlinking, the dead flag
  // and the death effect. 1 when the stage ends now (the character is left alive).
  int Die();
  // The extra animations started by one flow: removed, paused, resumed.
  void EndFlowAnimes(int flowKey);
  void PauseFlowAnimes(int flowKey);
  void ResumeFlowAnimes(int flowKey);

 protected:
  // Assign's copy of the character state, without the links.
  void CopyState(const cChara& source);
};

// --- Drawing a character ---
// The plain drawer (character effect kind 0): the picture, stretched when the
// character is scaled, with the colour key; draws only when draw is 1 and never ends.
int DrawCharaNormal(cChara& chara, DDSURFACEDATA* target, GRAPHICSOURCE& source, int held, int draw);
// The player or else the stage character with that identity; null when none lives.
cChara* FindLiveChara(int identity);
