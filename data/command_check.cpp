// The checks of a command's references: into the database after every read and
// before every write, into the palettes once both palettes are loaded.
#include <algorithm>

#include "data/flow.h"
#include "data/palette_links.h"
#include "data/project_globals.h"

namespace {

// P0 of the commands that name one database entry: out of range, it becomes the
// given replacement (today's character numbering).
void CheckDatabaseParameter(cEdCommand& c, int charaType) {
  if (c.Values.empty()) return;
  int32_t& p0 = c.Values[0];
  switch (charaType) {
    case 27: if (IndexBeyond(p0, Database.AnimeSetList.Count())) p0 = 0; break;
    case 28: if (IndexBeyond(p0, Database.AnimeList.Count())) p0 = 1; break;
    case 29: if (IndexBeyond(p0, Database.EffectList.Count())) p0 = 1; break;
    case 30: if (IndexBeyond(p0, Database.CharaEffectList.Count())) p0 = 1; break;
    case 31: if (IndexBeyond(p0, Database.ScrEffectList.Count())) p0 = 1; break;
    case 32: if (IndexBeyond(p0, Database.PictureList.Count())) p0 = 1; break;
    case 35: if (IndexBeyond(p0, Database.SoundList.Count())) p0 = 1; break;
    case 36: if (IndexBeyond(p0, Database.BgmList.Count())) p0 = 1; break;
    default: break;
  }
}

// A sword lasts as long as its sword type's frames.
void CheckSword(cEdCommand& c) {
  if (!c.pShot) return;
  cEdShot& s = *c.pShot;
  const int swords = Database.SwordTypeList.Count();
  if (IndexBeyond(s.nMoveType, swords)) s.nMoveType = 0;
  // A sword-type file may hold no entry at all: there is then no sword type 0.
  if (swords == 0) return;
  int64_t time = 0;
  for (const cEdSwordFrame& f : Database.SwordTypeList[static_cast<size_t>(s.nMoveType)].Frames)
    time = std::min<int64_t>(time + f.nDuration, 9999);
  c.nTime = static_cast<int16_t>(time);
}

// The list of a palette that a command names with 0 (common) or anything else (stage).
const cPaletteLists& SummonPalette(int kind) { return LinkedPalette(kind == 0 ? 1 : 2); }

}  // namespace

void cEdCommand::Validate() {
  if (IndexBeyond(nAnime, Database.AnimeList.Count())) nAnime = 0;
  if (IndexBeyond(nSound, Database.SoundList.Count())) nSound = 0;
  if (const cLabelItem* entry = TableEntry()) Values.resize(static_cast<size_t>(std::max(entry->nValue, 0)), 0);
  if (TableEntry()) {
    const int type = CharaType();
    if (nSet == kCharaSet && type == 12) CheckSword(*this);
    if (type >= 27 && type <= 36) CheckDatabaseParameter(*this, type);
  }
  for (cEdFlow& f : Flows) f.Validate();
}

void cEdCommand::ValidatePalette() {
  const int type = CharaType();
  if (nSet == kCharaSet && (type == 11 || type == 12) && pShot) {
    cEdShot& s = *pShot;
    if ((s.nItemKind == 1 || s.nItemKind == 2) && IndexBeyond(s.nItemIndex, LinkedPalette(s.nItemKind).ItemCount())) {
      s.nItemKind = 0;
      s.nItemIndex = 0;
    }
  }
  if (nSet == kCharaSet && type >= 13 && type <= 15 && pShot) {
    cEdShot& s = *pShot;
    const cPaletteLists& palette = SummonPalette(s.nPaletteKind);
    const int count = type == 13 ? palette.BlockCount() : type == 14 ? palette.CharaCount() : palette.ItemCount();
    if (IndexBeyond(s.nPaletteIndex, count)) s.nPaletteIndex = 1;
  }
  if (type == 25 && Values.Count() >= 2 && IndexBeyond(Values[1], SummonPalette(Values[0]).ItemCount())) Values[1] = 1;
  for (cEdFlow& f : Flows) f.ValidatePalette();
}
