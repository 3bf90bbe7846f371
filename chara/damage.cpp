// Damage, invincibility and death of a character, and the extra animations of a
// flow that its pause, resume and end take along.
#include <algorithm>
#include <climits>

#include "chara/chara.h"
#include "chara/item.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/shot.h"
#include "chara/status.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

void SetGauge(cGauge& g, int value, int difference, int maximum) {
  if (difference == 0 || maximum <= 0) return;
  g.nFrames = 120;
  g.nLength = static_cast<int32_t>(static_cast<long long>(value) * 50 / maximum);
  g.dChange = difference * 50.0 / maximum;
  g.dStep = g.dChange / 60;
}

// Frames of a stage setting as logic steps, held to the int range.
int SettingSteps(int frames) {
  const long long steps = static_cast<long long>(frames) * StageData.Timing().nSteps;
  return static_cast<int>(std::clamp<long long>(steps, 0, INT_MAX));
}

// The damage of a power against a defence: a positive power loses the defence and
// stays within 0..999999; a power of 0 or less heals by its size. The HP change.
int DamageAmount(int power, int defence) {
  long long d = power;
  if (d > 0) d = std::clamp<long long>(d - defence, 0, kValueMax);
  return static_cast<int>(std::clamp<long long>(-d, INT_MIN, INT_MAX));
}

void AddHitEffect(int number, const cHitBox& a, const cHitBox& b, int scale) {
  cStageScene* scene = StageScene();
  if (number == 0 || !scene) return;
  cEffect effect;
  effect.cEffectAtHit(number, a, b, scale);
  scene->m_Effects.push_back(effect);
}

}  // namespace

void cChara::UpdateHpGauge(int difference) { SetGauge(m_HPGauge, m_nHP, difference, m_Def.mhp); }
void cChara::UpdateSpGauge(int difference) { SetGauge(m_SPGauge, m_nSP, difference, m_Def.msp); }

void cChara::StartInvincibility() {
  m_nInvincible = SettingSteps(m_nKind == 0 ? StageData.nPlayerDamageInvincible : StageData.nOtherDamageInvincible);
}

void cChara::StartInvincibilityAgainst(int attacker) {
  StartInvincibility();
  m_AttackerInvincible.emplace_back(
      attacker, SettingSteps(m_nKind == 0 ? StageData.nPlayerHitInvincible : StageData.nOtherHitInvincible));
}

void cChara::UpdateInvincibility() {
  m_nInvincible = m_nInvincible <= 1 ? 0 : m_nInvincible - 1;
  auto& list = m_AttackerInvincible;
  list.erase(std::remove_if(list.begin(), list.end(), [](const std::pair<int32_t, int32_t>& e) { return e.second <= 1; }),
             list.end());
  for (auto& e : list) --e.second;
}

bool cChara::IsInvincibleAgainst(int attacker) const {
  if (m_nInvincible > 0) return true;
  return std::any_of(m_AttackerInvincible.begin(), m_AttackerInvincible.end(),
                     [attacker](const std::pair<int32_t, int32_t>& e) { return e.first == attacker; });
}

int cChara::TakeBodyHit(cChara& attacker) {
  const cEdChara& a = attacker.m_Def;
  const int died = ChangeHP(DamageAmount(a.power, m_Def.def), 0, 1);
  AddHitEffect(a.nHitEffect, m_BodyBox, attacker.m_BodyBox, a.nGiant);
  ApplyBodyImpact(attacker);
  // The triggers run even when the defence took all the damage.
  if (a.power != 0) RunTriggeredFlows(1);
  if (a.imp != 0) RunTriggeredFlows(2);
  return died;
}

int cChara::TakeShotHit(cShot& shot) {
  const cShotSpec& s = shot.m_Def;
  const int died = ChangeHP(DamageAmount(s.nPower, m_Def.def), 0, 1);
  AddHitEffect(s.nEffect, m_ShotBox, shot.m_HitBox, s.nSize);
  ApplyShotImpact(shot);
  if (s.nPower != 0) RunTriggeredFlows(1);
  if (s.nImpact != 0) RunTriggeredFlows(2);
  return died;
}

int cChara::Die() {
  RunTriggeredFlows(3);
  RunFlows(1);
  SaveData.nStageScore =
      static_cast<int32_t>(std::clamp<long long>(static_cast<long long>(SaveData.nStageScore) + m_Def.getsc, 0,
                                                 kValueMax));
  int r = 0;
  cItem* item = GetCarriedItem();
  if (item && !Player.empty()) r = TakeItem(item, Player.front());
  cStageScene* scene = StageScene();
  if ((scene && scene->m_nResultRequest == 1) || r == 1) return 1;
  // Owned shots name their owner by identity, so no pointer of theirs outlives it.
  Unlink();
  m_bDead = 1;
  StartCharaEffect(m_Def.nDeathEffect, m_Def.nDeathEffectParam, 0);
  return 0;
}

void cChara::EndFlowAnimes(int flowKey) {
  auto& list = m_Overlays;
  list.erase(std::remove_if(list.begin(), list.end(), [flowKey](const cAnimeOverlay& o) { return o.nFlowKey == flowKey; }),
             list.end());
}

void cChara::PauseFlowAnimes(int flowKey) {
  auto& list = m_Overlays;
  // An overlay that has run out is removed instead of paused.
  list.erase(std::remove_if(list.begin(), list.end(),
                            [flowKey](const cAnimeOverlay& o) {
                              return o.nFlowKey == flowKey &&
                                     static_cast<long long>(o.nCountdown) + o.nFrames - 1 < 0;
                            }),
             list.end());
  for (cAnimeOverlay& o : list)
    if (o.nFlowKey == flowKey) o.bPaused = 1;
}

void cChara::ResumeFlowAnimes(int flowKey) {
  for (cAnimeOverlay& o : m_Overlays)
    if (o.nFlowKey == flowKey) o.bPaused = 0;
}
