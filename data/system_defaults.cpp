// The values of a new game-wide settings record: what an old file keeps for every
// member or list it does not hold.
#include "data/system_data.h"
#include "platform/sjis.h"

namespace {

cEdStatusItem StatusItem(int digits, const char* caption) {
  cEdStatusItem s;
  s.bShow = 1;
  s.bIcon = 1;
  s.nDigits = digits;
  s.strCaption = caption;
  return s;
}

cEdRankSetting RankSetting(int enable) {
  cEdRankSetting r;
  r.bEnable = enable;
  r.Genres.assign(cEdRankSetting::kGenres, enable ? 1 : 0);
  return r;
}

cVector<cEdMenuItem> Menu(std::initializer_list<const char*> captions) {
  cVector<cEdMenuItem> menu;
  for (const char* c : captions) {
    cEdMenuItem m;
    m.bShow = 1;
    m.strCaption = c;
    menu.push_back(m);
  }
  return menu;
}

cEdIniKey IntKey(const char* name, int value) {
  cEdIniKey k;
  k.SetInt(name, value);
  return k;
}

}  // namespace

void cEdSystem::SetDefault() {
  ResetFields();
  bDeathEffect = 1;
  bRiseLanding = 0;
  nExtraLifeScore = 100;
  bPauseLayersOnly = 1;
  nFont = 60;  // "ＭＳ Ｐゴシック"
  bRecordReplay = 1;
  bTitleMenuCentre = 1;
  bStoryKeepLives = 1;
  bStoryMissMenu = 1;
  bMapLives = 1;
  nChallengeStages = 40;
  bChallengeAllOpen = 1;
  bStoryHighScore = bStoryTotalScore = bStoryCheckpoint = bStoryRetry = 1;
  bChallengeHighScore = bChallengeTotalScore = bChallengeCheckpoint = bChallengeRetry = 1;
  bFileCheckpoint = 1;
  nMenuColorStep = 16;
  nD3DBpp = 0;  // 32 bit
  nDDBpp = 2;   // 8 bit

  CarryFlags.assign(kCarryFlags, 0);
  for (int i : {0, 1, 13, 14, 16, 17, 19, 20, 21}) CarryFlags[i] = 1;
  MissDropFlags.assign(kCarryFlags, 0);
  MissDropFlags[11] = MissDropFlags[12] = 1;  // HP and SP

  StatusItems.clear();
  StatusItems.push_back(StatusItem(4, SJ("スコア")));
  StatusItems.push_back(StatusItem(3, SJ("スコア")));
  StatusItems.push_back(StatusItem(0, "HP"));
  StatusItems.push_back(StatusItem(0, "SP"));
  StatusItems.push_back(StatusItem(2, SJ("人")));

  RankSettings = {RankSetting(1), RankSetting(1), RankSetting(1), RankSetting(0)};

  TitleMenu = Menu({SJ("はじめから"), SJ("つづきから"), SJ("チャレンジ"), SJ("フリー"), SJ("リプレイ"),
                    SJ("オプション"), SJ("しゅうりょう")});
  WorldMapMenu = Menu({SJ("セーブ"), SJ("オートセーブ"), SJ("もどる"), SJ("タイトルへ")});
  OptionMenu = Menu({"BGM", "SE", SJ("ランキング登録"), SJ("ランキング登録名"), SJ("もどる"), ""});

  RankModes = {SJ("手動登録（登録名入力）"), SJ("手動登録（登録名固定）"), SJ("自動登録（登録名入力）"),
               SJ("自動登録（登録名固定）")};

  StartLives = {5, 5, 5, 99};
  InfiniteLives = {1, 1, 1, 1};

  // The scenes address these by index.
  Texts = {SJ("ワールド"),
           SJ("ステージ"),
           SJ("スコア"),
           SJ("ハイスコア"),
           SJ("トータルスコア"),
           SJ("スコア"),
           SJ("残り時間"),
           SJ("クリア時間"),
           SJ("残りHP"),
           SJ("残りSP"),
           SJ("ステージに挑む"),
           SJ("やっぱりやめる"),
           SJ("セーブする"),
           SJ("やっぱりやめる"),
           SJ("オートセーブＯＮ"),
           SJ("オートセーブＯＦＦ"),
           SJ("保存先が不明です！一度は「セーブ」して下さい！"),
           SJ("タイトルへ戻る"),
           SJ("やっぱりやめる"),
           SJ("しゅうりょう"),
           SJ("つづける"),
           SJ("リトライ"),
           SJ("リトライ"),
           SJ("マップへ戻る"),
           SJ("Vキーでジャンルの切り替え"),
           SJ("スペースキーでタイトルへ戻る"),
           SJ("スペースキーで終了"),
           SJ("F3キーでランキングへ登録")};

  SystemSounds.assign(kSystemSounds, std::string());
  SceneBgm.assign(kSceneBgm, 0);
  SceneBgmLoop.assign(kSceneBgm, 1);

  IniKeys.clear();
  IniKeys.push_back(IntKey("Direct3D", 2));
  IniKeys.push_back(IntKey("WindowMode", 0));
  IniKeys.push_back(IntKey("Bpp", 0));
  IniKeys.push_back(IntKey("VSync", 2));
  IniKeys.push_back(IntKey("D3D_FontCache", 0));
  IniKeys.push_back(IntKey("DD_FontCache", 1));
  IniKeys.push_back(IntKey("DD_VideoStretch", 0));
  IniKeys.push_back(IntKey("ShowFps", 1));
  cEdIniKey freeStage;
  freeStage.SetString("FreeStage", "");
  IniKeys.push_back(freeStage);
  IniKeys.push_back(IntKey("English", 0));
}
