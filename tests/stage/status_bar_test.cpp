// The status bar and the time display drawn in-process on the real drawing layer,
// from made-up pictures whose every cell is one plain colour, so that a probe names
// what it shows: the bar picture, the icons, the gauge rows and the word sheet's
// digits. Text comes from the game's fonts; a probe counts its glyph pixels per
// 16-dot cell.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/base/play_trace.h"
#include "app/base/shell_globals.h"
#include "app/base/timing.h"
#include "app/sound/sound_requests.h"
#include "app/svc/mode_manager.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"
#include "stage/status_bar.h"
#include "tests/draw/font_fixture.h"

namespace {

// Palette indexes of the made-up pictures.
enum : int {
  kBar = 20,         // the bar picture
  kIcon = 60,        // icon i: kIcon + i
  kHpBack = 100,     // HP rows: background, normal bar, warning bar
  kSpBack = 110,     // SP rows the same
  kDigit = 120,      // digit d: kDigit + d
  kScreen = 28,      // the back buffer before drawing
};

bool WriteImage(const char* name, int w, int h, const std::function<int(int, int)>& index) {
  std::vector<uint8_t> px(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[size_t(y) * w + x] = uint8_t(index(x, y));
  return draw_tool::WriteBytes(name, draw_tool::EncodeBmp8(w, h, px, draw_tool::SheetPalette()));
}

bool Load(int slot, const char* name) {
  return DDCreateSurfaceFromFile(&Off_Sys[slot], name, 1, DDBpp(), DDMEMKIND_VIDEO, DTMEMORYTYPE_VIDEO_RT, 0, 0, 0,
                                 0, 0) == 0;
}

cEdStatusItem Item(int shown, int icon, const std::string& caption, int digits, int showValue = 0) {
  cEdStatusItem s;
  s.bShow = shown;
  s.bIcon = icon;
  s.strCaption = caption;
  s.nDigits = digits;
  s.bShowValue = showValue;
  return s;
}

struct LayoutCase {
  const char* name;
  std::vector<cEdStatusItem> items;
  int shown, gap;
  std::vector<int> x;  // the left edge of each item
};

TEST(StatusBarLayout, ItemsShareTheRoomLeftAsEqualGaps) {
  const std::string sc = SJ("スコア");
  const std::vector<LayoutCase> cases = {
      {"all hidden", {Item(0, 1, "A", 4), Item(0, 0, "B", 3), Item(0, 1, "", 0), Item(0, 0, "", 0), Item(0, 1, "", 2)},
       0, 0, {0, 0, 0, 0, 0}},
      // Width 16 + 50 = 66; gap (638 - 66) / 2.
      {"the HP gauge alone with its icon", {Item(0, 0, "", 4), Item(0, 0, "", 3), Item(1, 1, "HP", 0),
                                            Item(0, 0, "", 0), Item(0, 0, "", 2)},
       1, 286, {0, 0, 286, 0, 0}},
      // Widths 112, 96, 82, 82, 48: gap (638 - 420) / 6 = 36; a double-byte
      // character counts as one.
      {"the default five", {Item(1, 0, sc, 4), Item(1, 0, sc, 3), Item(1, 0, "HP", 0), Item(1, 0, "SP", 0),
                            Item(1, 0, SJ("人"), 2)},
       5, 36, {36, 184, 316, 434, 552}},
      // A hidden item takes no room and does not move the next one: 48 + 48,
      // gap (638 - 96) / 3.
      {"first and last", {Item(1, 1, "", 2), Item(0, 0, "XXXX", 9), Item(0, 0, "", 0), Item(0, 0, "", 0),
                          Item(1, 1, "", 2)},
       2, 180, {180, 0, 0, 0, 408}},
      // 640 + 66 = 706: gap -68 / 3 = -22 (toward zero); the first item starts
      // left of the screen and the second overlaps the first's end.
      {"caption longer than the bar", {Item(1, 0, std::string(40, 'W'), 0), Item(0, 0, "", 0), Item(1, 1, "", 0),
                                       Item(0, 0, "", 0), Item(0, 0, "", 0)},
       2, -22, {-22, 0, 596, 0, 0}},
      // A digit count from a damaged file: the sum needs 64 bits, the edges stay
      // far off the screen.
      {"digit count at the int maximum", {Item(1, 0, "", INT_MAX), Item(1, 1, "", 0), Item(0, 0, "", 0),
                                          Item(0, 0, "", 0), Item(0, 0, "", 0)},
       2, -(1 << 24), {-(1 << 24), 1 << 24, 0, 0, 0}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const cStatusBarLayout l = LayOutStatusBar(c.items.data(), static_cast<int>(c.items.size()));
    EXPECT_EQ(l.nShown, c.shown);
    EXPECT_EQ(l.nGap, c.gap);
    EXPECT_EQ(std::vector<int>(l.nX.begin(), l.nX.end()), c.x);
  }
  // Fewer than five records lay out what there is.
  const cEdStatusItem one = Item(1, 1, "", 1);
  EXPECT_EQ(LayOutStatusBar(&one, 1).nX[0], (638 - 32) / 2);
}

TEST(StatusBarLayout, GaugeBarsStayInsideTheirFiftyDots) {
  struct Case {
    int value, maximum, length;
  } cases[] = {{0, 100, 0},     {100, 100, 50},     {50, 100, 25},     {1, 3, 16},
               {150, 100, 50},  {-5, 100, 0},       {5, 0, 0},         {5, -10, 0},
               {INT_MAX, 1, 50}, {INT_MAX, INT_MAX, 50}, {INT_MIN, 7, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(StatusGaugeLength(c.value, c.maximum), c.length) << c.value << " of " << c.maximum;
}

plat::LRESULT NoWindow(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM) { return 0; }

class StatusDisplay : public cFontTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    cFontTest::SetUp();
    Start(GetParam());
    ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0));
    ASSERT_TRUE(WriteImage("status.bmp", 640, 20, [](int, int) { return kBar; }));
    ASSERT_TRUE(WriteImage("accessory.bmp", 128, 176, [](int x, int y) {
      if (y >= 32 && y < 48 && x < 80) return kIcon + x / 16;
      if (y < 128) return 0;
      const int row = (y - 128) / 16;
      if (x < 50) return kHpBack + row;
      if (x >= 64 && x < 114) return kSpBack + row;
      return 0;
    }));
    ASSERT_TRUE(WriteImage("word.bmp", 320, 192, [](int x, int y) { return y >= 160 ? kDigit + x / 32 : 0; }));
    ASSERT_TRUE(Load(46, "status.bmp") && Load(49, "accessory.bmp") && Load(51, "word.bmp"));

    SystemData.SetDefault();
    StageData = cEdStage();
    SaveData.Reset();
    m_scene = std::make_unique<cStageScene>();
    CurrentStage.store(m_scene.get());
    m_scene->m_bStatusBar = 1;
    Player.emplace_back();
    SetSoundRequestSender(&NoWindow);
    m_trace = m_dir->Path() + "/trace.txt";
    PlayTraceRedirect(m_trace);
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kScreen);
  }
  void TearDown() override {
    PlayTraceRedirect("");
    SetSoundRequestSender(nullptr);
    Player.clear();
    CurrentStage.store(nullptr);
    m_scene.reset();
    SystemData.SetDefault();
    for (int i = 0; i < SYS_BMP_COUNT; ++i) DDReleaseSurface(&Off_Sys[i]);
    cFontTest::TearDown();
  }
  void SetItems(const std::vector<cEdStatusItem>& items) {
    SystemData.StatusItems.clear();
    for (const cEdStatusItem& s : items) SystemData.StatusItems.push_back(s);
  }
  cStatusBarLayout Layout() const {
    return LayOutStatusBar(&SystemData.StatusItems[0], SystemData.StatusItems.Count());
  }
  static uint32_t At(int x, int y) { return PixelAt(&BackBuffer, x, y); }
  // Pixels of the 16 x 16 cell at (x, 3) that show neither the bar nor the screen.
  static int Glyph(int x) {
    int n = 0;
    for (int y = 3; y < 19; ++y)
      for (int i = x; i < x + 16; ++i)
        if (i >= 0 && i < 640 && At(i, y) != SheetColor(kBar) && At(i, y) != SheetColor(kScreen)) ++n;
    return n;
  }
  // Which of the `cells` 16-dot cells from x hold glyph pixels, as a string of 1 and 0.
  static std::string Cells(int x, int cells) {
    std::string s;
    for (int c = 0; c < cells; ++c) s += Glyph(x + 16 * c) > 0 ? '1' : '0';
    return s;
  }
  // The se events of the trace so far.
  std::vector<std::string> Sounds() const {
    std::vector<std::string> out;
    if (!m_dir->Exists("trace.txt")) return out;
    const std::vector<unsigned char> bytes = m_dir->Read("trace.txt");
    std::string text(bytes.begin(), bytes.end()), line;
    for (char ch : text) {
      if (ch != '\n') {
        line += ch;
        continue;
      }
      if (line.find("\"ev\":\"se\"") != std::string::npos) out.push_back(line);
      line.clear();
    }
    return out;
  }
  std::unique_ptr<cStageScene> m_scene;
  std::string m_trace;
};

TEST_P(StatusDisplay, IconsGaugesAndTheirRowsAtTheirPlaces) {
  SetItems({Item(1, 1, "", 2), Item(1, 1, "", 2), Item(1, 1, "", 0), Item(1, 1, "", 0), Item(1, 1, "", 2)});
  SystemData.StatusItems.At(3).nWarning = 20;  // SP 10 of 100 is in its warning range
  cPlayer& p = Player.front();
  p.m_nHP = 30;
  p.m_Def.mhp = 100;
  p.m_nSP = 10;
  p.m_Def.msp = 100;
  m_scene->DrawStatusBar(&BackBuffer);
  const cStatusBarLayout l = Layout();
  // The bar picture under everything, the screen untouched below it.
  EXPECT_EQ(At(l.nX[0] - 2, 1), SheetColor(kBar));
  EXPECT_EQ(At(639, 19), SheetColor(kBar));
  EXPECT_EQ(At(0, 20), SheetColor(kScreen));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(At(l.nX[i] + 8, 11), SheetColor(kIcon + i)) << "icon " << i;
  // HP 30 of 100: a bar 15 dots long in the normal row over the background.
  const int hp = l.nX[2] + 16, sp = l.nX[3] + 16;
  EXPECT_EQ(At(hp, 3), SheetColor(kHpBack + 1));
  EXPECT_EQ(At(hp + 14, 18), SheetColor(kHpBack + 1));
  EXPECT_EQ(At(hp + 15, 11), SheetColor(kHpBack));
  EXPECT_EQ(At(hp + 49, 11), SheetColor(kHpBack));
  EXPECT_EQ(At(hp + 50, 11), SheetColor(kBar));
  // SP 10 of 100 under the warning value 20: the warning row, 5 dots.
  EXPECT_EQ(At(sp + 4, 11), SheetColor(kSpBack + 2));
  EXPECT_EQ(At(sp + 5, 11), SheetColor(kSpBack));
}

TEST_P(StatusDisplay, GaugesAreClampedForHpZeroAboveItsMaximumAndAMaximumOfZero) {
  SetItems({Item(0, 0, "", 0), Item(0, 0, "", 0), Item(1, 1, "", 0), Item(0, 0, "", 0), Item(0, 0, "", 0)});
  struct Case {
    int hp, mhp;
    int lastBarDot;  // -1: no bar
  } cases[] = {{0, 100, -1}, {100, 100, 49}, {500, 100, 49}, {INT_MAX, 3, 49}, {7, 0, -1}, {-40, 100, -1}};
  const int b = Layout().nX[2] + 16;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.hp) + " of " + std::to_string(c.mhp));
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kScreen);
    Player.front().m_nHP = c.hp;
    Player.front().m_Def.mhp = c.mhp;
    m_scene->DrawStatusBar(&BackBuffer);
    if (c.lastBarDot >= 0) {
      EXPECT_EQ(At(b + c.lastBarDot, 11), SheetColor(kHpBack + 1));
    }
    if (c.lastBarDot < 49) {
      EXPECT_EQ(At(b + c.lastBarDot + 1, 11), SheetColor(kHpBack));
    }
    // Nothing of the sheet beyond the gauge's 50 dots comes along.
    EXPECT_EQ(At(b + 50, 11), SheetColor(kBar));
    EXPECT_EQ(At(b + 60, 11), SheetColor(kBar));
  }
}

TEST_P(StatusDisplay, CaptionsAndValuesStartAtTheItemsEdges) {
  // Caption "SC" and score 123 in one run of cells; an icon and the stage score;
  // the HP caption before its gauge, with the value printed over it; lives
  // unlimited: the caption and "-".
  SetItems({Item(1, 0, "SC", 3), Item(1, 1, "", 2), Item(1, 0, "HP", 0, 1), Item(0, 0, "", 0),
            Item(1, 0, SJ("人"), 2)});
  SaveData.nScore = 123;
  SaveData.nStageScore = 45;
  SaveData.nLives = 999999;
  Player.front().m_nHP = Player.front().m_Def.mhp = 80;
  m_scene->DrawStatusBar(&BackBuffer);
  const cStatusBarLayout l = Layout();
  EXPECT_EQ(Cells(l.nX[0] - 16, 7), "0111110");  // "SC123" from x
  EXPECT_EQ(At(l.nX[1] + 8, 11), SheetColor(kIcon + 1));
  EXPECT_EQ(Cells(l.nX[1] + 16, 3), "110");  // "45" after the icon
  EXPECT_EQ(Cells(l.nX[2] - 16, 3), "011");  // "HP"
  EXPECT_EQ(At(l.nX[2] + 32 + 40, 11), SheetColor(kHpBack + 1));
  EXPECT_EQ(Cells(l.nX[4] - 16, 4), "0110");  // the double-byte caption and "-"
  // The gauge's value in the small font, over the bar.
  int small = 0;
  for (int y = 6; y < 16; ++y)
    for (int x = l.nX[2] + 32; x < l.nX[2] + 52; ++x) small += At(x, y) != SheetColor(kHpBack + 1);
  EXPECT_GT(small, 0);
  // Counted lives show their number.
  SaveData.nLives = 7;
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kScreen);
  m_scene->DrawStatusBar(&BackBuffer);
  EXPECT_EQ(Cells(l.nX[4] - 16, 4), "0110");
  // Every frame's text comes from the glyph atlases: the caption's double-byte
  // character was put there once and is drawn from there again.
  ASSERT_TRUE(Fonts[1].HasAtlases());
  EXPECT_GE(Fonts[1].m_lpFastFont_FullAdd->FindGlyph(SJ("人")), 0);
  const int held = Fonts[1].m_lpFastFont_FullAdd->m_nGlyphCount;
  m_scene->DrawStatusBar(&BackBuffer);
  EXPECT_EQ(Fonts[1].m_lpFastFont_FullAdd->m_nGlyphCount, held);
}

TEST_P(StatusDisplay, ACaptionLongerThanTheBarStartsLeftOfTheScreen) {
  SetItems({Item(1, 0, std::string(40, 'W'), 0), Item(0, 0, "", 0), Item(1, 1, "", 0), Item(0, 0, "", 0),
            Item(0, 0, "", 0)});
  Player.front().m_nHP = Player.front().m_Def.mhp = 10;
  m_scene->DrawStatusBar(&BackBuffer);
  // Gap -22: the caption runs from x -22, the icon at 596 and the gauge from 612,
  // cut at the screen's edge.
  EXPECT_GT(Glyph(0), 0);
  EXPECT_GT(Glyph(560), 0);
  EXPECT_EQ(At(600, 11), SheetColor(kIcon + 2));
  EXPECT_EQ(At(639, 11), SheetColor(kHpBack + 1));
}

TEST_P(StatusDisplay, NothingWithoutTheFlagOrWithEveryItemHidden) {
  SetItems({Item(0, 1, "A", 2), Item(0, 1, "B", 2), Item(0, 1, "", 0), Item(0, 1, "", 0), Item(0, 1, "", 2)});
  m_scene->DrawStatusBar(&BackBuffer);
  EXPECT_EQ(At(0, 0), SheetColor(kScreen));
  EXPECT_EQ(At(320, 10), SheetColor(kScreen));
  SystemData.StatusItems.At(2).bShow = 1;
  m_scene->m_bStatusBar = 0;
  m_scene->DrawStatusBar(&BackBuffer);
  EXPECT_EQ(At(320, 10), SheetColor(kScreen));
  m_scene->m_bStatusBar = 1;
  m_scene->DrawStatusBar(&BackBuffer);
  EXPECT_EQ(At(0, 0), SheetColor(kBar));
}

TEST_P(StatusDisplay, TheTimeIsCentredUnderTheBarInWordSheetDigits) {
  struct Case {
    int time;
    std::vector<int> digits;  // from x 272, one cell of 32 apart
    int firstX;
  } cases[] = {{7, {7}, 304},      {120, {1, 2, 0}, 272}, {0, {0}, 304}, {45, {4, 5}, 288},
               {1500, {1, 5, 0, 0}, 272}, {INT_MAX, {2, 1, 4, 7, 4, 8, 3, 6, 4, 7}, 272}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.time);
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kScreen);
    m_scene->m_bNoTimeLimit = 0;
    m_scene->m_nTimeLeft = c.time;
    m_scene->DrawTime(&BackBuffer, 0);
    EXPECT_EQ(At(c.firstX - 1, 40), SheetColor(kScreen));
    for (size_t d = 0; d < c.digits.size(); ++d) {
      const int x = c.firstX + 32 * static_cast<int>(d);
      EXPECT_EQ(At(x, 24), SheetColor(kDigit + c.digits[d])) << "digit " << d;
      EXPECT_EQ(At(x + 31, 55), SheetColor(kDigit + c.digits[d])) << "digit " << d;
    }
    EXPECT_EQ(At(c.firstX + 32 * static_cast<int>(c.digits.size()), 40), SheetColor(kScreen));
    EXPECT_EQ(At(320, 23), SheetColor(kScreen));
  }
  // No time limit: nothing.
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kScreen);
  m_scene->m_bNoTimeLimit = 1;
  m_scene->DrawTime(&BackBuffer, 1);
  EXPECT_EQ(At(320, 40), SheetColor(kScreen));
  EXPECT_TRUE(Sounds().empty());
}

TEST_P(StatusDisplay, TheCountdownTicksOncePerSecondOfTheWarningRangeOnlyInPlay) {
  StageData.nTimeWarning = 3;
  m_scene->m_bNoTimeLimit = 0;
  m_scene->m_nTimeLeft = 5;
  CountGate(0, 0);
  // Frames as the play step runs them: the clock, then the drawing with advance.
  for (int f = 1; f <= 300; ++f) {
    PlayTraceSetFrame(static_cast<uint32_t>(f));
    if (m_scene->CountDownTime(-1)) break;  // the time-out ends the frame undrawn
    m_scene->DrawTime(&BackBuffer, 1);
  }
  // The seconds that show 3, 2 and 1; none at 5, 4 or 0.
  EXPECT_EQ(Sounds(), (std::vector<std::string>{"{\"f\":120,\"ev\":\"se\",\"n\":13}",
                                                "{\"f\":180,\"ev\":\"se\",\"n\":13}",
                                                "{\"f\":240,\"ev\":\"se\",\"n\":13}"}));
  EXPECT_EQ(m_scene->m_nTimeLeft, 0);
  // Held or menu drawing at the same moment plays nothing; nor does a warning of 0
  // or a time at 0.
  m_scene->m_nTimeLeft = 2;
  CountGate(0, 0);
  m_scene->DrawTime(&BackBuffer, 0);
  StageData.nTimeWarning = 0;
  m_scene->DrawTime(&BackBuffer, 1);
  StageData.nTimeWarning = 3;
  m_scene->m_nTimeLeft = 0;
  m_scene->DrawTime(&BackBuffer, 1);
  EXPECT_EQ(Sounds().size(), 3u);
  m_scene->m_nTimeLeft = 2;
  m_scene->DrawTime(&BackBuffer, 1);
  EXPECT_EQ(Sounds().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(BackEnds, StatusDisplay, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& i) { return i.param ? "Direct3D" : "DirectDraw"; });

}  // namespace
