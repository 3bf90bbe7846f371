#include "chara/chara.h"

#include <algorithm>
#include <climits>

#include "chara/bounds_rules.h"
#include "chara/jump_rules.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "data/project_globals.h"

cChara::cChara() {
  // A fresh definition registered for the current data version, with its defaults.
  m_Def.RegisterFields(kDataVersion);
  m_Def.SetDefault();
  m_GroupBusy.assign(kGroupFlags, 0);
  m_GroupEnded.assign(kGroupFlags, 0);
  m_GroupStarted.assign(kGroupFlags, 0);
  m_Vars.assign(kVariables, 0);
}

cChara::~cChara() { Unlink(); }

void cChara::KeepBottomOnRescale(int scale, int oldScale) {
  const long long d = static_cast<long long>(scale) - oldScale;
  if (d == 0) return;
  if (SystemData.bCompat261) {
    m_dY -= static_cast<double>(d) * m_nBaseHeight;
  } else {
    m_dY -= static_cast<double>(d) * m_nBaseDrawHeight;
    m_dY += static_cast<double>(d) * m_nBaseDrawOffsetY;
  }
  LimitY();
}

void cChara::SetCentreX(double x) {
  const double c = m_nScreenLeft + m_nDrawWidth / 2;
  if (c < x) m_dX += x - c;
  else m_dX -= c - x;
  LimitX();
}

void cChara::SetCentreY(double y) {
  const double c = m_nScreenTop + m_nDrawHeight / 2;
  if (c < y) m_dY += y - c;
  else m_dY -= c - y;
  LimitY();
}

void cChara::SetCentre(double x, double y) {
  SetCentreX(x);
  SetCentreY(y);
}

void cChara::Assign(const cChara& source) {
  if (&source == this) return;
  CopyState(source);
}

void cChara::CopyState(const cChara& s) {
  CopyFrom(s);
  // The links stay this object's own: the source's registrations name the source.
  m_Def = s.m_Def;
  m_nFlowSerial = s.m_nFlowSerial;
  CopyFlowStates(s.m_FlowStates);
  m_GroupBusy = s.m_GroupBusy;
  m_GroupEnded = s.m_GroupEnded;
  m_GroupStarted = s.m_GroupStarted;
  m_bGroupEnded = s.m_bGroupEnded;
  m_bFlowsToDelete = s.m_bFlowsToDelete;
  m_dPlaceX = s.m_dPlaceX;
  m_dPlaceY = s.m_dPlaceY;
  m_bMoving = s.m_bMoving;
  m_dImpactX = s.m_dImpactX;
  m_dImpactY = s.m_dImpactY;
  m_bImpact = s.m_bImpact;
  m_dPrevImpactY = s.m_dPrevImpactY;
  m_bMoveDisabled = s.m_bMoveDisabled;
  m_nWallSide = s.m_nWallSide;
  m_bFalling = s.m_bFalling;
  m_bJumped = s.m_bJumped;
  m_bRising = s.m_bRising;
  m_bCeiling = s.m_bCeiling;
  m_nAirSteps = s.m_nAirSteps;
  m_pBlockUnder = s.m_pBlockUnder;
  m_pBlockLanded = s.m_pBlockLanded;
  m_pBlockRemembered = s.m_pBlockRemembered;
  m_nCrushGrace = s.m_nCrushGrace;
  m_bScreenFixedX = s.m_bScreenFixedX;
  m_bScreenFixedY = s.m_bScreenFixedY;
  m_nScreenFixedLeft = s.m_nScreenFixedLeft;
  m_nScreenFixedTop = s.m_nScreenFixedTop;
  m_bDead = s.m_bDead;
  m_nDeathFrames = s.m_nDeathFrames;
  std::copy(std::begin(s.LRUD), std::end(s.LRUD), LRUD);
  m_bPushed = s.m_bPushed;
  m_bRiding = s.m_bRiding;
  m_nRiddenId = s.m_nRiddenId;
  std::copy(std::begin(s.m_RiddenRect), std::end(s.m_RiddenRect), m_RiddenRect);
  std::copy(std::begin(s.m_PrevRect), std::end(s.m_PrevRect), m_PrevRect);
  m_nHP = s.m_nHP;
  m_HPGauge = s.m_HPGauge;
  m_nSP = s.m_nSP;
  m_SPGauge = s.m_SPGauge;
  m_Vars = s.m_Vars;
  m_nInvincible = s.m_nInvincible;
  m_AttackerInvincible = s.m_AttackerInvincible;
  m_Overlays = s.m_Overlays;
  m_nCharaEffect = s.m_nCharaEffect;
  m_CharaEffect = s.m_CharaEffect;
  m_nCharaEffectTime = s.m_nCharaEffectTime;
  m_bVanish = s.m_bVanish;
  m_nSightDots = s.m_nSightDots;
  m_bHidden = s.m_bHidden;
  m_BodyBox = s.m_BodyBox;
  m_ShotBox = s.m_ShotBox;
}

void cChara::Reset(const cEdChara* def, double placeX, double placeY, int16_t clone) {
  m_nClone = clone;
  Unlink();
  SetTarget(Player.empty() ? nullptr : &Player.front());
  m_nFlowSerial = 0;
  m_GroupBusy.assign(kGroupFlags, 0);
  m_GroupEnded.assign(kGroupFlags, 0);
  m_GroupStarted.assign(kGroupFlags, 0);
  m_bGroupEnded = m_bFlowsToDelete = 0;
  m_dPlaceX = placeX;
  m_dPlaceY = placeY;
  m_dImpactX = m_dImpactY = m_dPrevImpactY = 0;
  m_bImpact = m_bMoving = m_bMoveDisabled = 0;
  m_bJumped = m_bRising = m_bCeiling = m_nAirSteps = 0;
  m_bPushed = m_bRiding = m_nRiddenId = 0;
  m_nCrushGrace = 0;
  m_bScreenFixedX = m_bScreenFixedY = m_nScreenFixedLeft = m_nScreenFixedTop = 0;
  std::fill(std::begin(m_RiddenRect), std::end(m_RiddenRect), 0.0);
  std::fill(std::begin(m_PrevRect), std::end(m_PrevRect), 0.0);
  std::fill(std::begin(LRUD), std::end(LRUD), 0);
  m_bDead = m_nDeathFrames = 0;
  m_nHP = m_nSP = 0;
  m_HPGauge = cGauge();
  m_SPGauge = cGauge();
  m_nWallSide = -1;
  m_bFalling = 1;
  m_Vars.assign(kVariables, 0);
  if (def) {
    if (def != &m_Def) m_Def = *def;
    m_nHP = m_Def.mhp;
    m_nSP = m_Def.msp;
  }
  m_bScrollSync = m_Def.bScrollSync;
  m_bVanish = m_bHidden = 0;
  m_nSightDots = m_Def.sight * 16;
  m_dFriction = StopToFriction(StageData.Timing(), m_Def.stop);
  m_nCharaEffect = 0;
  m_CharaEffect = cCharaEffectAnime();
  m_nCharaEffectTime = 0;
  if (m_Def.nStartEffect != 0) StartCharaEffect(m_Def.nStartEffect, m_Def.nStartEffectParam1, m_Def.nStartEffectParam2);
  m_nInvincible = 0;
  m_AttackerInvincible.clear();
  SetAnimeSet(m_Def.nAnimeSet, 1);
  m_Overlays.clear();
}

void cChara::SetBodyHitBox(bool bottom, int width, int height) {
  cHitBox& b = m_BodyBox;
  b.nOffsetX = 16 - m_nDrawOffsetX - (width >> 1);
  b.nOffsetY = bottom ? 32 - m_nDrawOffsetY - height : 16 - m_nDrawOffsetY - (height >> 1);
  b.nWidth = width;
  b.nHeight = height;
  b.nBaseOffsetX = b.nOffsetX;
  b.nBaseOffsetY = b.nOffsetY;
  b.nBaseWidth = width;
  b.nBaseHeight = height;
}

void cChara::SetAnimeSet(int n, int force) {
  if (!force && n == m_Def.nAnimeSet) return;
  m_Def.nAnimeSet = static_cast<int16_t>(n);
  m_Anime.m_Sequences.clear();
  // A number that names no set is reported and closes the game; entry 0 is read.
  const cEdAnimeSet& set = Database.AnimeSetList.At(n);
  for (const cEdAnime& anime : set.Motions) {
    cVector<ANIMESTEP> steps;
    for (const cEdAnimeFrame& f : anime.Frames) {
      const long long frames = static_cast<long long>(f.nDuration) * 6;
      steps.push_back(ANIMESTEP{f.nPicture, static_cast<int32_t>(std::clamp<long long>(frames, INT_MIN, INT_MAX)), 1});
    }
    steps.push_back(ANIMESTEP{kAnimeLoop, 0, 0});
    m_Anime.m_Sequences.push_back(std::move(steps));
  }
  m_Anime.m_nStep = 0;
  m_Anime.m_nTimer = 0;
}

void cChara::SetTarget(cChara* target) {
  if (m_pTarget) m_pTarget->m_TargetedBy.Remove(this);
  m_pTarget = target;
  if (target && std::find(target->m_TargetedBy.begin(), target->m_TargetedBy.end(), this) ==
                    target->m_TargetedBy.end())
    target->m_TargetedBy.push_back(this);
}

void cChara::Unlink() {
  for (cChara* c : m_TargetedBy) {
    if (c && c != this) c->m_pTarget = nullptr;
  }
  m_TargetedBy.clear();
  for (cShot* s : m_ShotsAiming) {
    if (s) s->m_pTarget = nullptr;
  }
  m_ShotsAiming.clear();
  if (m_pTarget) {
    if (m_pTarget != this) m_pTarget->m_TargetedBy.Remove(this);
    m_pTarget = nullptr;
  }
}

void cChara::AddAimingShot(cShot* shot) {
  if (std::find(m_ShotsAiming.begin(), m_ShotsAiming.end(), shot) == m_ShotsAiming.end())
    m_ShotsAiming.push_back(shot);
}

void cChara::RemoveAimingShot(cShot* shot) { m_ShotsAiming.Remove(shot); }
