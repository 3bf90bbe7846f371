// Brings "data\System.dat" of an older data version up to the current layout. The
// steps run in this order, each testing the file's version against its own bound.
#include "data/system_data.h"
#include "data/record_lists.h"
#include "platform/sjis.h"

namespace {

cEdMenuItem MenuItem(const char* caption) {
  cEdMenuItem m;
  m.bShow = 1;
  m.strCaption = caption;
  return m;
}

cEdIniKey IntKey(const char* name, int value) {
  cEdIniKey k;
  k.SetInt(name, value);
  return k;
}

}  // namespace

void cEdSystem::Upgrade(uint32_t v) {
  if (v < 113) bKeepTestFlows = 0;
  if (v < 157) bTitleMenuCentre = 0;
  if (v < 167) bStoryHighScore = bStoryTotalScore = bChallengeHighScore = bChallengeTotalScore = 1;
  if (v < 168) {
    CarryFlags.resize(kCarryFlags);
    InsertKeepingSize<uint8_t>(CarryFlags, 16, 1);
  }
  if (v < 169) {
    WorldMapMenu.resize(kWorldMapMenu);
    InsertKeepingSize(WorldMapMenu, 1, MenuItem(SJ("オートセーブ")));
    Texts.resize(kTexts);
    InsertKeepingSize<std::string>(Texts, 12, SJ("保存先が不明です！一度は「セーブ」して下さい！"));
    InsertKeepingSize<std::string>(Texts, 12, SJ("オートセーブＯＦＦ"));
    InsertKeepingSize<std::string>(Texts, 12, SJ("オートセーブＯＮ"));
  }
  if (v < 170) bFontCentre = 0;
  if (v < 181) {
    // Genres 3 and 4 did not exist yet. A file with fewer than four ranking
    // settings has only its own changed; the missing ones take the defaults later.
    for (int i = 0; i < 4 && i < RankSettings.Count(); ++i) {
      cVector<uint8_t>& g = RankSettings[i].Genres;
      g.resize(cEdRankSetting::kGenres, 0);
      g[3] = g[4] = 0;
    }
    Texts.resize(kTexts);
    InsertKeepingSize<std::string>(Texts, 8, SJ("残りHP"));
    InsertKeepingSize<std::string>(Texts, 9, SJ("残りSP"));
  }
  if (v < 184) bRecordReplay = 1;
  if (v < 185) bExtraLife = 1;
  if (v < 187) {
    nColorMode = 0;
    byTransR = 0;
    byTransG = 177;
    byTransB = 0;
  }
  if (v < 188) bStoryCheckpoint = bChallengeCheckpoint = bFileCheckpoint = 1;
  if (v < 191) {
    InfiniteLives = {0, 0, 0, 1};
    bStoryMissMenu = bMapLives = 0;
  }
  if (v < 192) bTestCheckpoint = 1;
  if (v < 193) {
    Texts.resize(kTexts);
    InsertKeepingSize<std::string>(Texts, 22, SJ("リトライ"));
    InsertKeepingSize<std::string>(Texts, 23, SJ("マップへ戻る"));
  }
  if (v < 201) {
    CarryFlags.resize(kCarryFlags);
    InsertKeepingSize<uint8_t>(CarryFlags, 14, 0);
  }
  if (v < 202) SceneBgmLoop.assign(kSceneBgm, 1);
  if (v < 205) nFont = 60;
  if (v < 210) {
    CarryFlags.resize(kCarryFlags);
    InsertKeepingSize<uint8_t>(CarryFlags, 9, 0);
  }
  if (v < 214) bCompat214 = 1;
  if (v < 224) bStoryRetry = bChallengeRetry = 0;
  if (v < 261) bCompat261 = 1;
  if (v < 272) bRemoveSwitch = 0;
  if (v < 286) {
    IniKeys.resize(kIniKeys);
    InsertKeepingSize(IniKeys, 0, IntKey("Direct3D", 1));
    if (IniKeys[3].nInt >= 3) IniKeys[3].nInt = 2;  // VSync
  }
  if (v < 287) bInvincibleTint = 0;
  if (v < 289) bPaletteRotation = nColorMode == 0 ? 1 : 0;
  if (v < 501) MissDropFlags.assign(kCarryFlags, 0);
  if (v < 515) nMenuColorStep = 16;
  if (v < 525) bCompat525 = 1;
  if (v < 555) bCompat555 = 1;
  if (v < 567) {
    IniKeys.resize(kIniKeys);
    InsertKeepingSize(IniKeys, 4, IntKey("DD_VideoStretch", 0));
  }
  if (v < 568) {
    IniKeys.resize(kIniKeys);
    InsertKeepingSize(IniKeys, 4, IntKey("D3D_FontCache", 0));
    InsertKeepingSize(IniKeys, 5, IntKey("DD_FontCache", 1));
  }
  if (v < 587) {
    StatusItems.resize(kStatusItems);
    for (int i : {2, 3}) {
      StatusItems[i].nWarning = 33;
      StatusItems[i].bWarnPercent = 1;
    }
  }
  if (v < 637) bCompat637 = v <= 616 ? 1 : 0;
  if (v < 669) bCompat669 = 1;
  if (v < 670) {
    nD3DBpp = 0;
    nDDBpp = 2;
  }
  if (v < 672) {
    IniKeys.resize(kIniKeys);
    IniKeys[9] = IntKey("English", 0);
  }
  if (v < 677) bCompat677 = 1;
  if (v < 695) bCompat695 = 1;
  if (v < 696) bCompat696 = 1;
  if (v < 697) bCompat697 = 1;
  if (v < 721) bCompat721 = 1;
  if (v < 728) bCompat728 = 1;
  if (v < 733) bCompat733 = 1;
  if (v < 744) bCompat744 = 1;
  if (v < 749) bCompat749 = 1;
  if (v < 752) bCompat752 = 1;
}
