// Character effects: the runner's value from start to end in its play modes, and
// the sixteen drawers on the real drawing layer (32 bits on both back ends, and
// DirectDraw at 8 bits), probed where the character is drawn. The frame of all
// sixteen kinds side by side is written to chara-effects-<config>.png in the build
// folder for a look.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "chara/chara.h"
#include "chara/player.h"
#include "data/project_globals.h"
#include "platform/display/png_writer.h"
#include "tests/support/draw_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

cEdCharaEffect Def(int kind, std::array<int, 5> p) {
  cEdCharaEffect d;
  d.nKind = kind;
  for (int i = 0; i < 5; ++i) d.Params[i] = p[static_cast<size_t>(i)];
  return d;
}

// Effect 1 of the database (and further ones), prepared as start-up does.
void UseEffects(std::vector<cEdCharaEffect> defs) {
  Database.CharaEffectList.assign(1, Def(0, {0, 0, 0, 0, 0}));
  Database.CharaEffectList.insert(Database.CharaEffectList.end(), defs.begin(), defs.end());
  Database.MakeWorkingCopies();
  PrepareCharaEffects(CharaEffectTable, CharaEffectTableRev);
}

// Frames until the runner reports its end (at most 100), and its values.
int RunToEnd(cCharaEffectAnime& e, std::vector<double>* values = nullptr) {
  for (int f = 1; f <= 100; ++f) {
    const int ended = e.Step();
    if (values) values->push_back(e.dValue);
    if (ended) return f;
  }
  return 0;
}

TEST(CharaEffectRun, ThereAndBackTurnsThenEndsAndEqualEndsWaitTheirTime) {
  Database = cEdDatabase();
  UseEffects({Def(7, {1, 0, 6, 0, 0}), Def(13, {1, 1, 1, 16, 0}), Def(6, {1, 2, 0, 0, 0})});
  cCharaEffectAnime e;
  e.Start(1, 2, 0);
  std::vector<double> values;
  EXPECT_EQ(RunToEnd(e, &values), 14);
  EXPECT_EQ(values, (std::vector<double>{1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1, 0, -1}));
  e.Start(1, 1, 0);
  EXPECT_DOUBLE_EQ(e.dValue, 6);
  EXPECT_EQ(RunToEnd(e), 7);
  e.Start(2, 0, 0);  // strengths 1 and 1: one tenth of a second at 1
  EXPECT_EQ(RunToEnd(e), 7);
  EXPECT_DOUBLE_EQ(e.dValue, 1);
  e.Start(3, 0, 0);  // blinking counts its time
  EXPECT_EQ(RunToEnd(e), 7);
  e.Start(1, 0, 1);  // repeating never ends
  EXPECT_EQ(RunToEnd(e), 0);
}

TEST(CharaEffectRun, ANumberBeyondTheListIsReportedAndRunsNothing) {
  cTempDir dir;
  Database = cEdDatabase();
  UseEffects({Def(7, {1, 0, 6, 0, 0})});
  cChara c;
  c.StartCharaEffect(1, 0, 0);
  EXPECT_EQ(c.m_nCharaEffect, 1);
  c.StartCharaEffect(9, 0, 0);
  EXPECT_EQ(c.m_nCharaEffect, 0);
  EXPECT_TRUE(dir.ReportContains("err V[9]"));
}

enum : int { kBack = 5, kBody = 50 };

class CharaEffectDraw : public cDrawTest, public testing::WithParamInterface<draw_tool::DrawConfig> {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    ASSERT_TRUE(StartLayer(GetParam()));
    // Characters: 32 x 32 cells, column k in colour kBody + k, with a lighter top half.
    std::vector<uint8_t> px(640 * 64);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 640; ++x) px[size_t(y) * 640 + x] = uint8_t(kBody + x / 32 + (y % 32 < 16 ? 20 : 0));
    ASSERT_TRUE(draw_tool::WriteBytes("chara.bmp", draw_tool::EncodeBmp8(640, 64, px, draw_tool::SheetPalette())));
    for (int s : {4, 5, 22, 23})
      ASSERT_EQ(DDCreateSurfaceFromFile(&Off_Sys[s], "chara.bmp", 1, DDBpp(), DDMEMKIND_VIDEO, 0, 0, 0, 0, 0, 0), 0);
    const int work[] = {67, 68, 69, 70};
    ASSERT_TRUE(DDLoadSurfaceTable(Off_Sys, work, 4));
    if (lpDTCon) LinkSurfaceAliases();
    SelectTileSurfaces();
    Database = cEdDatabase();
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kBack);
  }
  void TearDown() override {
    for (int i = 0; i < SYS_BMP_COUNT; ++i) DDReleaseSurface(&Off_Sys[i]);
    cDrawTest::TearDown();
  }
  // A character at screen (x, y) of the given scale, showing sheet column 0.
  static void Place(cChara& c, int x, int y, int scale = 1) {
    c.m_Def.nGraphicKind = 1;
    c.m_Def.nGiant = static_cast<int8_t>(scale);
    c.m_nBaseDrawWidth = c.m_nBaseDrawHeight = 32;
    c.m_nDrawWidth = c.m_nDrawHeight = 32 * scale;
    c.m_nScreenLeft = x;
    c.m_nScreenTop = y;
  }
  // One frame of the character through its effect: 1 when the effect ended.
  static int Draw(cChara& c, int held = 0) {
    GRAPHICSOURCE source;
    c.SetDrawSource(source, 0);
    return c.DrawCharaEffect(&BackBuffer, source, held, 1);
  }
  static uint32_t At(int x, int y) { return PixelAt(&BackBuffer, x, y); }
  static uint32_t Body() { return SheetColor(kBody); }  // the lower half's colour
  static uint32_t Back() { return SheetColor(kBack); }
  void Save(const std::string& name) const {
    std::vector<uint32_t> px(640 * 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) px[size_t(y) * 640 + x] = At(x, y);
    const draw_tool::DrawConfig& c = GetParam();
    plat::WritePngFile(std::string(KORVANE_BIN_DIR) + "/../" + name + "-" + (c.backEnd ? "d3d" : "dd") +
                           std::to_string(c.bpp) + ".png",
                       px.data(), 640, 480);
  }
};

TEST_P(CharaEffectDraw, EverySixteenKindsDrawsAtAChosenValue) {
  std::vector<cEdCharaEffect> defs = {
      Def(1, {10, 6, 6, 0, 0}),    Def(2, {10, 4, 4, 4, 0}),     Def(3, {10, 4, 4, 4, 0}),
      Def(4, {10, 6, 6, 2, 2}),    Def(5, {10, 6, 6, 2, 2}),     Def(6, {10, 1, 0, 0, 0}),
      Def(7, {10, 30, 30, 0, 0}),  Def(8, {10, 45, 45, 0, 0}),   Def(9, {10, 20, 20, 0, 0}),
      Def(10, {10, 12, 12, 2, 0}), Def(11, {10, 48, 48, 0, 0}),  Def(12, {10, 20, 20, 4, 4}),
      Def(13, {10, 3, 3, 16, 0}),  Def(14, {10, 9999, 0, 0, 0}), Def(15, {10, 4, 4, 0, 0}),
      Def(16, {10, 2, 2, 0, 0})};
  UseEffects(defs);
  std::vector<cChara> charas(16);
  for (int k = 0; k < 16; ++k) {
    Place(charas[k], 40 + (k % 8) * 72, 80 + (k / 8) * 120, 1);
    charas[k].StartCharaEffect(k + 1, 0, 0);
  }
  for (int f = 0; f < 2; ++f) {
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kBack);
    for (cChara& c : charas) EXPECT_EQ(Draw(c), 0);
  }
  Save("chara-effects");
  for (int k = 0; k < 16; ++k) {
    int shown = 0;
    for (int y = -16; y < 48; ++y)
      for (int x = -16; x < 48; ++x) shown += At(charas[k].m_nScreenLeft + x, charas[k].m_nScreenTop + y) != Back();
    const int kind = k + 1;
    if (kind == 9 && GetParam().bpp == 8) continue;
    EXPECT_GT(shown, 100) << "kind " << kind;
  }
}

TEST_P(CharaEffectDraw, BlinkStartsHiddenAndTranslucentAlternatesWithHidden) {
  UseEffects({Def(6, {10, 3, 0, 0, 0}), Def(14, {10, 2, 0, 0, 0}), Def(14, {10, 9999, 0, 0, 0})});
  cChara c;
  Place(c, 100, 100);
  auto pattern = [&](int frames) {
    std::string p;
    for (int f = 0; f < frames; ++f) {
      DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kBack);
      Draw(c);
      const uint32_t v = At(116, 124);
      p += v == Back() ? 'h' : v == Body() ? 's' : 't';
    }
    return p;
  };
  c.StartCharaEffect(1, 0, 0);
  EXPECT_EQ(pattern(9), "hhhssshhh");
  c.StartCharaEffect(2, 0, 0);
  EXPECT_EQ(pattern(6), "tthhtt");
  c.StartCharaEffect(3, 0, 0);
  EXPECT_EQ(pattern(30), std::string(30, 't'));
}

TEST_P(CharaEffectDraw, GrowthIsInDrawnDotsWhateverTheScale) {
  UseEffects({Def(11, {10, 48, 48, 0, 0})});  // 16 dots larger, waiting
  cChara small, large;
  Place(small, 100, 100);
  Place(large, 300, 100, 2);
  small.StartCharaEffect(1, 0, 0);
  large.StartCharaEffect(1, 0, 0);
  Draw(small);
  Draw(large);
  Save("chara-grow");
  EXPECT_EQ(At(92, 130), Body());   // 48 x 48 from (92, 92)
  EXPECT_EQ(At(91, 130), Back());
  EXPECT_EQ(At(139, 130), Body());
  EXPECT_EQ(At(140, 130), Back());
  EXPECT_EQ(At(292, 160), Body());  // 80 x 80 from (292, 92), not 96 x 96
  EXPECT_EQ(At(291, 160), Back());
  EXPECT_EQ(At(371, 160), Body());
  EXPECT_EQ(At(372, 160), Back());
}

// Turn A and turn B draw alike, except on a scaled character under DirectDraw:
// there turn A turns the picture at its own size and stretches the result, so the
// turned picture comes in 2 x 2 blocks over the square of the drawn diagonal.
TEST_P(CharaEffectDraw, TurnAIsTurnBButStretchesAScaledCharacterUnderDirectDraw) {
  UseEffects({Def(7, {10, 30, 30, 0, 0}), Def(8, {10, 30, 30, 0, 0})});
  auto frame = [&](int number, int scale) {
    cChara c;
    Place(c, 200, 150, scale);
    c.StartCharaEffect(number, 0, 0);
    DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kBack);
    Draw(c);
    std::vector<uint32_t> px;
    for (int y = 100; y < 260; ++y)
      for (int x = 150; x < 310; ++x) px.push_back(At(x, y));
    return px;
  };
  EXPECT_TRUE(frame(1, 1) == frame(2, 1));
  const std::vector<uint32_t> turnA = frame(1, 2);
  if (lpDTCon) {
    EXPECT_TRUE(turnA == frame(2, 2));
    return;
  }
  EXPECT_FALSE(turnA == frame(2, 2));
  // The centre (232, 182); the square of trunc(64 x 1.414) = 90 dots from (187, 137).
  frame(1, 2);
  int blocks = 0, shown = 0;
  for (int y = 137; y < 227; y += 2)
    for (int x = 187; x < 277; x += 2) {
      const uint32_t v = At(x, y);
      blocks += At(x + 1, y) == v && At(x, y + 1) == v && At(x + 1, y + 1) == v;
      shown += v != Back();
    }
  EXPECT_EQ(blocks, 45 * 45);
  EXPECT_GT(shown, 700);
  EXPECT_EQ(At(187, 137), Back());  // the square's corner stays transparent
  EXPECT_EQ(At(186, 182), Back());
  EXPECT_EQ(At(277, 182), Back());
}

// A damaged definition draws as the one held to its editing limits: stripes,
// line sizes, bands and intervals of 0 or below, offsets and colours beyond them.
TEST_P(CharaEffectDraw, DamagedParametersDrawAsTheirLimits) {
  const struct {
    cEdCharaEffect damaged, limited;
  } cases[] = {
      {Def(2, {10, 4, 4, 0, 0}), Def(2, {10, 4, 4, 2, 0})},         {Def(3, {10, 4, 4, -7, 0}), Def(3, {10, 4, 4, 2, 0})},
      {Def(4, {10, 6, 6, 2, 0}), Def(4, {10, 6, 6, 2, 1})},         {Def(5, {10, 6, 6, 99, -3}), Def(5, {10, 6, 6, 16, 1})},
      {Def(6, {10, 0, 0, 0, 0}), Def(6, {10, 1, 0, 0, 0})},         {Def(10, {10, 12, 12, 0, 0}), Def(10, {10, 12, 12, 1, 0})},
      {Def(12, {10, 20, 20, 90, -90}), Def(12, {10, 20, 20, 16, -16})}, {Def(13, {10, 3, 3, 900, 0}), Def(13, {10, 3, 3, 207, 0})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.damaged.nKind);
    UseEffects({c.damaged, c.limited});
    auto frames = [&](int number) {
      cChara ch;
      Place(ch, 200, 150);
      ch.StartCharaEffect(number, 0, 0);
      std::vector<uint32_t> px;
      for (int f = 0; f < 3; ++f) {
        DDFillRectPal(&BackBuffer, 0, 0, 640, 480, kBack);
        Draw(ch);
        for (int y = 110; y < 230; ++y)
          for (int x = 160; x < 280; ++x) px.push_back(At(x, y));
      }
      return px;
    };
    EXPECT_TRUE(frames(1) == frames(2));
  }
}

TEST_P(CharaEffectDraw, AHeldFrameAdvancesNothingAndTheEndIsReported) {
  UseEffects({Def(1, {1, 0, 6, 0, 0})});
  cChara c;
  Place(c, 100, 100);
  c.StartCharaEffect(1, 0, 0);
  for (int f = 0; f < 20; ++f) EXPECT_EQ(Draw(c, 1), 0);
  EXPECT_DOUBLE_EQ(c.m_CharaEffect.dValue, 0);
  int frames = 1;
  while (!Draw(c) && frames < 50) ++frames;
  EXPECT_EQ(frames, 7);
}

TEST_P(CharaEffectDraw, BlurTintsAtEightBitsAndAKindWithoutDrawerDrawsPlainly) {
  UseEffects({Def(16, {10, 3, 3, 0, 0}), Def(30, {10, 0, 0, 0, 0})});
  cChara c;
  Place(c, 100, 100);
  c.StartCharaEffect(1, 0, 0);
  Draw(c);
  // Inside the lower half, away from its edges: a blur of one colour is that colour.
  if (GetParam().bpp == 8)
    EXPECT_NE(At(116, 124), Body());
  else
    EXPECT_EQ(At(116, 124), Body());
  c.StartCharaEffect(2, 0, 0);
  EXPECT_EQ(Draw(c), 1);
  EXPECT_EQ(At(116, 124), Body());
  EXPECT_TRUE(Reported("character effect 2: kind 30"));
}

INSTANTIATE_TEST_SUITE_P(Configs, CharaEffectDraw,
                         testing::Values(draw_tool::DrawConfig{0, 32, 0}, draw_tool::DrawConfig{1, 32, 0},
                                         draw_tool::DrawConfig{0, 8, 0}),
                         [](const testing::TestParamInfo<draw_tool::DrawConfig>& info) {
                           return std::string(info.param.backEnd ? "D3D" : "DDraw") + std::to_string(info.param.bpp);
                         });

}  // namespace
