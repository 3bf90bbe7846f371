#include "tests/data/palette_checks.h"

#include "app/base/shell_globals.h"

namespace palfix {

void SetUpDatabase() {
  Database = cEdDatabase();
  Database.AnimeSetList.resize(10);
  Database.AnimeList.resize(10);
  Database.BmpCharaExcList.resize(10);
  Database.SwordTypeList.resize(10);
  Database.EffectList.resize(10);
  Database.CharaEffectList.resize(10);
  Database.ScrEffectList.resize(10);
  Database.PictureList.resize(10);
  Database.SoundList.resize(10);
  Database.BgmList.resize(10);
  cEdSwordType& sword = Database.SwordTypeList[2];
  sword.Frames.resize(2);
  sword.Frames[0].nDuration = 5000;
  sword.Frames[1].nDuration = 6000;
  CommonPalette = cEdPalette();
  SystemData.bKeepTestFlows = 0;
  bTestPlay = 0;
}

std::vector<uint32_t> Versions(std::vector<uint32_t> bounds) {
  std::vector<uint32_t> v;
  for (uint32_t b : bounds) v.insert(v.end(), {b - 1, b});
  v.insert(v.end(), {751, 752, 753, 1000});
  return v;
}

void Take(Value& to, const Value& from, const std::vector<std::string>& names) {
  for (const std::string& n : names) {
    bool found = false;
    if (auto it = from.fields.find(n); it != from.fields.end()) to.fields[n] = it->second, found = true;
    if (auto it = from.strings.find(n); it != from.strings.end()) to.strings[n] = it->second, found = true;
    if (auto it = from.lists.find(n); it != from.lists.end()) to.lists[n] = it->second, found = true;
    if (!found) ADD_FAILURE() << "the source value has no member " << n;
  }
}

}  // namespace palfix
