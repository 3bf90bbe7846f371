// The ranking window and the stage-clear result panel, drawn with the 16-dot game
// font. Both are drawn by stage play and by the menu scenes.
#include "app/svc/ranking_window.h"

#include <algorithm>
#include <string>

#include "app/base/number_format.h"
#include "app/base/shell_globals.h"
#include "app/base/text_util.h"
#include "app/svc/mode_manager.h"
#include "app/svc/system_ini.h"
#include "data/project_globals.h"
#include "data/user_records.h"
#include "draw/draw.h"
#include "platform/sjis.h"

namespace {

constexpr int kGenreLabelText = 5;   // System texts 5 to 9: the genre labels
constexpr int kGenreSwitchText = 24; // the hint that a key switches the genre
constexpr int kTimeGenre = 2;
constexpr int kTimeWidth = 8;        // "MM:SS.CC"
constexpr int kAccessorySheet = 49;

Font& UiFont() { return Fonts[1]; }

// The 16 x 16 cursor cell of the accessory sheet.
void DrawCursorCell(DDSURFACEDATA* surface, int x, int y) {
  DDBltFast(surface, x, y, 16, 16, &Off_Sys[kAccessorySheet], 16, 48, 1);
}

// Text drawn with the font's glyph atlas switched off, when it has one: names and
// the English title may hold characters the atlas was not made for.
void DrawWithoutAtlas(DDSURFACEDATA* surface, int x, int y, const std::string& text) {
  Font& font = UiFont();
  const int atlas = font.m_nFastFont;
  font.m_nFastFont = 0;
  font.Draw(surface, x, y, text.c_str());
  font.m_nFastFont = atlas;
}

bool GenreEnabled(int category, int genre) {
  const cEdRankSetting& s = SystemData.RankSettings.At(category);
  return s.bEnable && genre < s.Genres.Count() && s.Genres[static_cast<size_t>(genre)];
}

// This clear's value of each genre (the save data's totals).
int ResultValue(int genre) {
  switch (genre) {
    case 0: return SaveData.nScore;
    case 1: return SaveData.nResultTime;
    case 2: return SaveData.nResultPlayTime;
    case 3: return SaveData.nResultHp;
    default: return SaveData.nResultSp;
  }
}

}  // namespace

void cRankingTable::DrawWindow(DDSURFACEDATA* surface, int x, int y, int genre, int highlight) {
  Font& font = UiFont();
  font.DrawWindow(surface, x + 1, y + 1, 270, 350);
  const std::string& label = SystemData.Texts.At(genre + kGenreLabelText);
  if (SystemIni.English)
    DrawWithoutAtlas(surface, x, y, "Ranking     " + label);
  else
    font.Draw(surface, x, y, (std::string(SJ("ランキング    ")) + label).c_str());
  const int width = genre == kTimeGenre ? kTimeWidth : DigitCount(Entries.At(0).nValue);
  for (int i = 0; i < Entries.Count(); ++i) {
    const cRankingEntry& e = Entries[static_cast<size_t>(i)];
    if (!e.bUsed) continue;
    const int row = y + 16 * (i + 1);
    font.Draw(surface, x + 16, row, std::to_string(i + 1).c_str());
    DrawWithoutAtlas(surface, x + 64, row, e.strName);
    if (genre == kTimeGenre) {
      std::string t;
      font.Draw(surface, x + 144, row, FormatTime(t, e.nValue).c_str());
    } else {
      font.Draw(surface, x + (width - DigitCount(e.nValue) + 9) * 16, row, std::to_string(e.nValue).c_str());
    }
  }
  if (SystemData.CountRankGenres(ModeManager.m_nPlayCategory) > 1) {
    const std::string& hint = SystemData.Texts.At(kGenreSwitchText);
    font.Draw(surface, x + 136 - 8 * CountChars(hint), y + 16 * (Entries.Count() + 1), hint.c_str());
  }
  if (highlight != -1) DrawCursorCell(surface, x, y + 16 * (highlight + 1));
}

void cRankings::Draw(DDSURFACEDATA* surface, int x, int y, int genre, int highlight) {
  Tables.At(genre).DrawWindow(surface, x, y, genre, highlight);
}

void DrawResultPanel(DDSURFACEDATA* surface, int x, int y, const cVector<int>& ranks) {
  const int category = ModeManager.m_nPlayCategory;
  bool shown[cRankings::kGenres] = {};
  int rows = 0, labelWidth = 1, valueWidth = 1;
  for (int g = 0; g < cRankings::kGenres; ++g) {
    const bool flag = g < StageData.RankGenres.Count() && StageData.RankGenres[static_cast<size_t>(g)] != 0;
    shown[g] = flag && (bStartupStage || GenreEnabled(category, g));
    if (!shown[g]) continue;
    ++rows;
    labelWidth = std::max(labelWidth, CountChars(SystemData.Texts.At(g + kGenreLabelText)));
    valueWidth = std::max(valueWidth, g == kTimeGenre ? kTimeWidth : DigitCount(ResultValue(g)));
  }
  if (rows == 0) return;
  Font& font = UiFont();
  font.DrawWindow(surface, x, y, (valueWidth + labelWidth + 3) * 16, 16 * rows);
  int row = y;
  for (int g = 0; g < cRankings::kGenres; ++g) {
    if (!shown[g]) continue;
    font.Draw(surface, x + 16, row, SystemData.Texts.At(g + kGenreLabelText).c_str());
    std::string value;
    if (g == kTimeGenre)
      FormatTime(value, ResultValue(g));
    else
      value = std::to_string(ResultValue(g));
    font.Draw(surface, x + 32 + 16 * labelWidth, row, value.c_str());
    row += 16;
  }
  // The markers fill the rows from the top, one per genre that reached a place,
  // whichever rows those genres' values stand in.
  int marker = y;
  for (int g = 0; g < cRankings::kGenres && g < ranks.Count(); ++g)
    if (ranks[static_cast<size_t>(g)] != -1) {
      DrawCursorCell(surface, x, marker);
      marker += 16;
    }
}
