// What play does with the save data: best results and their total, the retry
// checkpoint, the status carried between stages, new play-throughs and the
// ranking genre.
#include <algorithm>
#include <atomic>

#include "app/base/shell_globals.h"

#include "data/project_globals.h"
#include "data/save_data.h"

namespace {

std::atomic<PlayCategoryReader> gPlayCategory{nullptr};

// The save data's reader takes as many carried players; the game has one.
constexpr int kMaxCarriedPlayers = 1 << 10;

// The carry-over items of the game-wide settings.
enum eCarry {
  kCarryGraphic = 0, kCarryAnimeSet, kCarryZ, kCarryTransparent, kCarryEffect, kCarryFixedFacing, kCarryFlight,
  kCarryInvincible, kCarryGiant, kCarryScrollSync, kCarrySight, kCarryHp, kCarrySp, kCarryMhp, kCarryMsp,
  kCarryBoxKind, kCarryPower, kCarryImp, kCarryDef, kCarryImpd, kCarryStop, kCarryFlows, kCarryTime, kCarryLives,
  kCarryMusic
};

// Whether the game-wide carry-over switch of item k is on.
bool CarryOn(int k) { return k < SystemData.CarryFlags.Count() && SystemData.CarryFlags[static_cast<size_t>(k)] != 0; }

// The stage name of a world-map entry's stage file: its extension removed, cut at
// its last "-1" part suffix, ending in a dot (as SetFileName makes it).
std::string WorldStageName(const std::string& file) {
  std::string name = file;
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  for (size_t k = name.size(); k-- > 1;) {
    if (name[k - 1] == '-' && name[k] == '1') {
      name.resize(k - 1);
      break;
    }
  }
  return name + '.';
}

}  // namespace

void SetPlayCategoryReader(PlayCategoryReader reader) { gPlayCategory.store(reader); }

int CurrentPlayCategory() {
  PlayCategoryReader reader = gPlayCategory.load();
  return reader ? reader() : 0;
}

int IsSameText(const std::string& a, const std::string& b) { return a == b ? 1 : 0; }

int cEdWorldMap::HasStage(const std::string& name) const {
  for (const cEdWorldEvent& event : Events)
    for (const cEdWorldStage& entry : event.Stages)
      if (entry.nPassage == 0 && IsSameText(WorldStageName(entry.strFile), name)) return 1;
  return 0;
}

void cSaveData::AddStageResult(const std::string& name, int value) {
  for (cStageResult& r : StageResults) {
    if (r.strName != name) continue;
    if (r.nValue < value) {
      nTotal = static_cast<int32_t>(int64_t{nTotal} + value - r.nValue);
      r.nValue = value;
    }
    return;
  }
  cStageResult r;
  r.strName = name;
  r.nValue = value;
  StageResults.push_back(r);
  nTotal = static_cast<int32_t>(int64_t{nTotal} + value);
}

int cSaveData::FindStageResult(const std::string& name) const {
  for (const cStageResult& r : StageResults)
    if (r.strName == name) return r.nValue;
  return 0;
}

void cSaveData::SumWorldMapResults() {
  int64_t total = 0;
  for (const cStageResult& r : StageResults)
    if (WorldMap.HasStage(r.strName)) total += r.nValue;
  nTotal = static_cast<int32_t>(total);
}

void cSaveData::StartNewRound() {
  ++nRound;
  Flags.assign(static_cast<size_t>(std::max(Flags.Count(), kStageFlags)), 0);
  nMapX = WorldMap.nStartX;
  nMapY = WorldMap.nStartY;
}

void cSaveData::ClearStageCounters() {
  nScore = 0;
  nResultTime = nResultPlayTime = nResultHp = nResultSp = 0;
}

void cSaveData::SelectRankGenre(int category, int steps) {
  if (category < 0 || category >= SystemData.RankSettings.Count()) return;
  const cVector<uint8_t>& genres = SystemData.RankSettings[static_cast<size_t>(category)].Genres;
  const int n = std::min(genres.Count(), static_cast<int>(cEdStage::kRankGenres));
  auto enabled = [&](int g) { return g >= 0 && g < n && genres[static_cast<size_t>(g)] != 0; };
  bool any = false;
  for (int g = 0; g < n; ++g) any = any || enabled(g);
  if (!any) return;
  const int kGenres = cEdStage::kRankGenres;
  auto next = [&](int g, int d) { return ((g + d) % kGenres + kGenres) % kGenres; };
  if (nRankGenre < 0 || nRankGenre >= kGenres) nRankGenre = 0;
  if (steps == 0) {
    while (!enabled(nRankGenre)) nRankGenre = next(nRankGenre, 1);
    return;
  }
  const int d = steps > 0 ? 1 : -1;
  // Every enabled genre is met once per turn: a long way round ends where a short
  // one does.
  int enabledCount = 0;
  for (int g = 0; g < n; ++g) enabledCount += enabled(g) ? 1 : 0;
  int64_t moves = steps > 0 ? int64_t{steps} : -int64_t{steps};
  if (moves > enabledCount) moves = (moves - 1) % enabledCount + 1;
  for (int64_t i = 0; i < moves; ++i) {
    nRankGenre = next(nRankGenre, d);
    while (!enabled(nRankGenre)) nRankGenre = next(nRankGenre, d);
  }
}

void cSaveData::SaveCheckpoint() {
  CheckVars = CommonVars;
  nCheckLives = nLives;
  nCheckScore = nScore;
}

void cSaveData::RestoreCheckpoint(int full) {
  bool vars = true;
  if (!full) {
    if (bStartupStage) {
      vars = SystemData.bTestCheckpoint != 0;
    } else {
      switch (CurrentPlayCategory()) {
        case cEdSystem::kStory: vars = SystemData.bStoryCheckpoint != 0; break;
        case cEdSystem::kChallenge: vars = SystemData.bChallengeCheckpoint != 0; break;
        case cEdSystem::kStageFile: vars = SystemData.bFileCheckpoint != 0; break;
        default: vars = true; break;  // a replay puts everything back
      }
    }
  }
  // A checkpoint never kept (an empty copy) leaves the variables as they are
  // rather than emptying a list that flows index by number.
  if (vars && !CheckVars.empty()) CommonVars = CheckVars;
  nScore = nCheckScore;
  if (full) nLives = nCheckLives;
}

void cSaveData::StoreCarriedStatus(int p, const cEdChara& def, int hp, int sp, int effect, int effectParam1,
                                   int effectParam2, int time, int lives, int music) {
  if (p < 0 || p >= kMaxCarriedPlayers) return;
  if (CarriedCharas.Count() <= p) CarriedCharas.resize(static_cast<size_t>(p) + 1);
  if (CarryFlags.Count() < kCarryItems) CarryFlags.resize(kCarryItems, 0);
  bCarry = 1;
  cSaveChara& to = CarriedCharas[static_cast<size_t>(p)];
  cEdChara& c = to.Chara;
  for (int k = 0; k < kCarryItems; ++k) {
    if (!CarryOn(k)) continue;
    switch (k) {
      case kCarryGraphic:
        c.nGraphic = def.nGraphic;
        c.nGraphicKind = def.nGraphicKind;
        c.nGraphicSub = def.nGraphicSub;
        break;
      case kCarryAnimeSet: c.nAnimeSet = def.nAnimeSet; break;
      case kCarryZ: c.z = def.z; break;
      case kCarryTransparent: c.bTransparent = def.bTransparent; break;
      case kCarryEffect:
        c.nStartEffect = static_cast<int16_t>(effect);
        c.nStartEffectParam1 = static_cast<int8_t>(effectParam1);
        c.nStartEffectParam2 = static_cast<int8_t>(effectParam2);
        break;
      case kCarryFixedFacing: c.bFixedFacing = def.bFixedFacing; break;
      case kCarryFlight: c.nFlight = def.nFlight; break;
      case kCarryInvincible: c.nInvincible = def.nInvincible; break;
      case kCarryGiant: c.nGiant = def.nGiant; break;
      case kCarryScrollSync: c.bScrollSync = def.bScrollSync; break;
      case kCarrySight:
        c.nSightShape = def.nSightShape;
        c.sight = def.sight;
        break;
      case kCarryHp: to.nHp = hp; break;
      case kCarrySp: to.nSp = sp; break;
      case kCarryMhp: c.mhp = def.mhp; break;
      case kCarryMsp: c.msp = def.msp; break;
      case kCarryBoxKind: c.nBoxKind = def.nBoxKind; break;
      case kCarryPower: c.power = def.power; break;
      case kCarryImp: c.imp = def.imp; break;
      case kCarryDef: c.def = def.def; break;
      case kCarryImpd: c.impd = def.impd; break;
      case kCarryStop: c.stop = def.stop; break;
      case kCarryFlows: c.Flows = def.Flows; break;
      case kCarryTime: to.nTime = time; break;
      case kCarryLives: to.nLives = lives; break;
      case kCarryMusic: to.nMusic = music; break;
      default: break;
    }
    CarryFlags[static_cast<size_t>(k)] = 1;
  }
}

void cSaveData::ApplyCarriedStatus(int p, cEdChara& def, cEdStage& stage) {
  if (!bCarry || p < 0 || p >= CarriedCharas.Count()) return;
  const cSaveChara& from = CarriedCharas[static_cast<size_t>(p)];
  const cEdChara& c = from.Chara;
  for (int k = 0; k < kCarryItems && k < CarryFlags.Count(); ++k) {
    if (!CarryOn(k) || !CarryFlags[static_cast<size_t>(k)]) continue;
    switch (k) {
      case kCarryGraphic:
        def.nGraphic = c.nGraphic != 0 ? c.nGraphic : 1;
        def.nGraphicKind = c.nGraphicKind;
        def.nGraphicSub = c.nGraphicSub;
        break;
      case kCarryAnimeSet: def.nAnimeSet = c.nAnimeSet; break;
      case kCarryZ: def.z = c.z; break;
      case kCarryTransparent: def.bTransparent = c.bTransparent; break;
      case kCarryEffect:
        def.nStartEffect = c.nStartEffect;
        def.nStartEffectParam1 = c.nStartEffectParam1;
        def.nStartEffectParam2 = c.nStartEffectParam2;
        break;
      case kCarryFixedFacing: def.bFixedFacing = c.bFixedFacing; break;
      case kCarryFlight: def.nFlight = c.nFlight; break;
      case kCarryInvincible: def.nInvincible = c.nInvincible; break;
      case kCarryGiant: def.nGiant = c.nGiant; break;
      case kCarryScrollSync: def.bScrollSync = c.bScrollSync; break;
      case kCarrySight:
        def.nSightShape = c.nSightShape;
        def.sight = c.sight;
        break;
      case kCarryMhp: def.mhp = c.mhp; break;
      case kCarryMsp: def.msp = c.msp; break;
      case kCarryBoxKind: def.nBoxKind = c.nBoxKind; break;
      case kCarryPower: def.power = c.power; break;
      case kCarryImp: def.imp = c.imp; break;
      case kCarryDef: def.def = c.def; break;
      case kCarryImpd: def.impd = c.impd; break;
      case kCarryStop: def.stop = c.stop; break;
      case kCarryFlows: def.Flows = c.Flows; break;
      case kCarryTime: stage.nTimeLimit = from.nTime; break;
      case kCarryLives: nLives = from.nLives; break;
      case kCarryMusic: stage.nMusic = from.nMusic; break;
      default: break;  // HP and SP go to the player through GetCarriedHpSp
    }
  }
}

void cSaveData::GetCarriedHpSp(int p, int& hp, int& sp) const {
  if (!bCarry || p < 0 || p >= CarriedCharas.Count()) return;
  const cSaveChara& from = CarriedCharas[static_cast<size_t>(p)];
  auto carried = [&](int k) { return CarryOn(k) && k < CarryFlags.Count() && CarryFlags[static_cast<size_t>(k)]; };
  if (carried(kCarryHp)) hp = from.nHp;
  if (carried(kCarrySp)) sp = from.nSp;
}

void cSaveData::ClearCarryFlags() {
  const int n = std::min(CarryFlags.Count(), SystemData.MissDropFlags.Count());
  for (int i = 0; i < n; ++i)
    if (SystemData.MissDropFlags[static_cast<size_t>(i)]) CarryFlags[static_cast<size_t>(i)] = 0;
}
