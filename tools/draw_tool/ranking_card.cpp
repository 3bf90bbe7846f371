#include "tools/draw_tool/ranking_card.h"

#include "app/svc/mode_manager.h"
#include "app/svc/ranking_window.h"
#include "data/project_globals.h"
#include "draw/draw.h"
#include "platform/sjis.h"

namespace draw_tool {

bool DrawRankingCard() {
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 28);
  if (!InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0)) {
    ReleaseGameFonts();
    return false;
  }
  SystemData = cEdSystem();
  ModeManager.m_nPlayCategory = cEdSystem::kStory;
  cEdRankSetting& setting = SystemData.RankSettings.At(cEdSystem::kStory);
  setting.bEnable = 1;
  setting.Genres.Fill(1);
  Rankings.Reset();
  const char* names[] = {"ABC", SJ("あいう"), SJ("ｶﾅ1"), "Z", "", "%s%d"};
  const int scores[] = {123456, 9800, 9800, 70, 5, 0};
  for (int i = 0; i < 6; ++i) Rankings.Tables[0].Insert(names[i], scores[i]);
  const int times[] = {599999, 12345, 4521, 5};
  for (int i = 0; i < 4; ++i) Rankings.Tables[2].Insert(names[i], times[i]);
  Rankings.Draw(&BackBuffer, 16, 8, 0, 2);
  Rankings.Draw(&BackBuffer, 340, 8, 2, 0);
  StageData.RankGenres.assign(5, 1);
  SaveData.nScore = 9801;
  SaveData.nResultTime = 120;
  SaveData.nResultPlayTime = 4521;
  SaveData.nResultHp = 3;
  SaveData.nResultSp = 0;
  DrawResultPanel(&BackBuffer, 16, 384, cVector<int>{1, -1, 1, -1, -1});
  ReleaseGameFonts();
  return true;
}

}  // namespace draw_tool
