// The stage drawing in-process on the real drawing layer: layers behind and in
// front, blocks, characters with their marks and gauges, the sight window, the
// layer tiling, the screen colour and the ends of death sequences. Pictures are
// made here, each a plain colour per region, so a probe names what it shows.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "app/base/shell_globals.h"
#include "app/svc/mode_manager.h"
#include "chara/block_map.h"
#include "chara/chara.h"
#include "chara/item.h"
#include "stage/stand_ins.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "platform/display/png_writer.h"
#include "stage/layer_rules.h"
#include "stage/screen_color.h"
#include "stage/sight_mask.h"
#include "stage/stage_scene.h"
#include "tests/support/draw_fixture.h"

namespace {

// Palette indexes of the made-up pictures.
enum : int { kBackLayer = 20, kFrontLayer = 30, kBlockCell = 40, kCharaCell = 50, kMarkCell = 60 };

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

// FNV-1a over the back buffer's pixels as XRGB.
uint64_t FrameHash() {
  uint64_t h = 1469598103934665603ull;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      h ^= PixelAt(&BackBuffer, x, y);
      h *= 1099511628211ull;
    }
  return h;
}

void SaveFrame(const std::string& path) {
  std::vector<uint32_t> px(640 * 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) px[size_t(y) * 640 + x] = PixelAt(&BackBuffer, x, y);
  plat::WritePngFile(path, px.data(), 640, 480);
}

class StageDraw : public cDrawTest, public testing::WithParamInterface<draw_tool::DrawConfig> {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    ASSERT_TRUE(StartLayer(GetParam()));
    // Blocks: cell (c, r) of the block sheet has colour kBlockCell + c * 15 + r... kept small.
    ASSERT_TRUE(WriteImage("block.bmp", 64, 480, [](int x, int y) { return kBlockCell + x / 32 * 15 + y / 32; }));
    // Characters: column k of row 0 is kCharaCell + k, with a keyed 4-dot border.
    ASSERT_TRUE(WriteImage("chara.bmp", 640, 64, [](int x, int y) {
      const int lx = x % 32, ly = y % 32;
      if (lx < 4 || lx >= 28 || ly < 4 || ly >= 28) return 0;
      return kCharaCell + x / 32 + y / 32 * 20;
    }));
    ASSERT_TRUE(WriteImage("mark.bmp", 64, 480, [](int x, int y) {
      // A mark covers only its top-left quarter.
      return x % 32 < 16 && y % 32 < 16 ? kMarkCell + x / 32 * 15 + y / 32 : 0;
    }));
    // Gauges: rows from y 128, 16 apart; row r is colour 100 + r.
    ASSERT_TRUE(WriteImage("accessory.bmp", 128, 208, [](int, int y) { return y >= 128 ? 100 + (y - 128) / 16 : 1; }));
    ASSERT_TRUE(Load(2, "block.bmp") && Load(3, "block.bmp"));
    for (int f = 0; f < 2; ++f) ASSERT_TRUE(Load(4 + f, "chara.bmp") && Load(22 + f, "chara.bmp"));
    ASSERT_TRUE(Load(43, "mark.bmp") && Load(44, "mark.bmp") && Load(49, "accessory.bmp"));
    SelectTileSurfaces();

    StageData = cEdStage();
    StageData.Layers.clear();
    StageData.bPriorityGroups = 0;
    SystemData.bPauseLayersOnly = 0;
    ModeManager.m_nFrameRate = 60;
    m_scene = std::make_unique<cStageScene>();
    CurrentStage.store(m_scene.get());
    // A 40 x 30 stage with its margin: 60 x 50 cells, row stride 64; view at (320, 320).
    Axis(m_scene->m_ScrollX, 60, 6);
    Axis(m_scene->m_ScrollY, 50, 0);
    ResetBlockMap(64 * 50);
  }
  void TearDown() override {
    StageChara.clear();
    Player.clear();
    ResetBlockMap(0);
    ReleaseSightSurfaces();
    CurrentStage.store(nullptr);
    m_scene.reset();
    for (int i = 0; i < SYS_BMP_COUNT; ++i) DDReleaseSurface(&Off_Sys[i]);
    cDrawTest::TearDown();
  }
  static void Axis(cScrollAxis& a, int cells, int shift) {
    a.m_nCells = cells;
    a.m_nStrideShift = shift;
    a.m_dPos = 320;
  }
  // A picture layer in slot i (front 0 or 1) from a picture file.
  void AddLayer(int front, const char* file, bool shown = true) {
    cEdBgLayer layer;
    layer.nDepth = front;
    layer.bShown = shown;
    layer.dFactorX = layer.dFactorY = 1.0;
    const int slot = 55 + StageData.Layers.Count();
    StageData.Layers.push_back(layer);
    if (file) {
      ASSERT_TRUE(Load(slot, file));
    }
  }
  void AddFill(int front, int colour) {
    cEdBgLayer layer;
    layer.nDepth = front;
    layer.bFill = 1;
    layer.nFillColor = colour;
    StageData.Layers.push_back(layer);
  }
  // A block of graphic g on the block sheet at screen cell (k, j) of the view.
  static void PutBlock(int k, int j, int g, int layer = 0) {
    cEdBlock b;
    b.nGraphic = static_cast<int16_t>(g);
    b.nLayer = static_cast<int8_t>(layer);
    AddCellBlock((10 + k) + ((10 + j) << 6), b);
  }
  // A 32 x 32 character showing column `column` of the character sheet at screen (x, y).
  static void MakeChara(cChara& c, int x, int y, int column, int scale = 1) {
    c.m_Def.nGraphicKind = 1;
    c.m_Def.nGraphicSub = static_cast<int16_t>(column);
    c.m_Def.nGiant = static_cast<int8_t>(scale);
    c.m_nGraphic = 0;
    c.m_nFacing = 0;
    c.m_nBaseDrawWidth = c.m_nBaseDrawHeight = 32;
    c.m_nDrawWidth = c.m_nDrawHeight = 32 * scale;
    c.m_nWidth = c.m_nHeight = 32 * scale;
    c.m_dX = 320 + x;
    c.m_dY = 320 + y;
    c.m_dRight = c.m_dX + c.m_nWidth - 1;
    c.m_dBottom = c.m_dY + c.m_nHeight - 1;
  }
  cPlayer& AddPlayer(int x, int y) {
    Player.emplace_back();
    MakeChara(Player.back(), x, y, 0);
    Player.back().m_nKind = 0;
    return Player.back();
  }
  uint32_t At(int x, int y) { return PixelAt(&BackBuffer, x, y); }
  std::unique_ptr<cStageScene> m_scene;
};

TEST_P(StageDraw, BackLayerBehindBlocksAndCharactersFrontLayerOverThem) {
  ASSERT_TRUE(WriteImage("back.bmp", 64, 64, [](int, int) { return kBackLayer; }));
  // The front layer: a band over rows 0..7 of every 64, keyed elsewhere.
  ASSERT_TRUE(WriteImage("front.bmp", 64, 64, [](int, int y) { return y < 8 ? kFrontLayer : 0; }));
  AddLayer(0, "back.bmp");
  AddLayer(1, "front.bmp");
  PutBlock(2, 3, 1);      // at screen (64, 96): cell (0, 1) of the sheet
  PutBlock(4, 3, 16, 1);  // a block of the front drawing layer: cell (1, 1)
  AddPlayer(200, 60);     // the band of the front layer crosses its rows 4..7
  m_scene->Draw(1, 0, 1, 0);
  EXPECT_EQ(At(10, 20), SheetColor(kBackLayer));
  EXPECT_EQ(At(70, 110), SheetColor(kBlockCell + 1));
  EXPECT_EQ(At(140, 110), SheetColor(kBlockCell + 16));
  EXPECT_EQ(At(216, 80), SheetColor(kCharaCell));   // the character's middle
  EXPECT_EQ(At(201, 80), SheetColor(kBackLayer));   // its keyed border
  EXPECT_EQ(At(216, 66), SheetColor(kFrontLayer));  // the front band over it
  EXPECT_EQ(At(10, 66), SheetColor(kFrontLayer));
}

// Items: the picture changes every 15 drawn frames and a held frame keeps it; the
// mark covers the picture's top-left quarter; a hidden item with a mark draws
// neither; an item of size 2 is stretched over 64 x 64.
TEST_P(StageDraw, ItemsAnimateShowTheirMarkAndHiddenOnesDrawNothing) {
  enum : int { kItemCell = 150 };
  ASSERT_TRUE(WriteImage("back.bmp", 64, 64, [](int, int) { return kBackLayer; }));
  AddLayer(0, "back.bmp");
  // Cell (column k, row j) of the item sheet has colour kItemCell + k * 15 + j.
  ASSERT_TRUE(WriteImage("item.bmp", 128, 480, [](int x, int y) { return kItemCell + x / 32 * 15 + y / 32; }));
  ASSERT_TRUE(Load(40, "item.bmp") && Load(41, "item.bmp"));
  StageData.nItemBoxW = StageData.nItemBoxH = 32;
  auto add = [](int x, int y, int size, int hidden, int mark) {
    cEdItem def;
    def.nGraphic = 1;  // cells (0, 1) and (1, 1)
    def.nSize = static_cast<int8_t>(size);
    def.bHidden = static_cast<int8_t>(hidden);
    def.bOverlay = 1;
    def.nOverlayCell = static_cast<int16_t>(mark);
    cItem& item = ItemList.emplace_back();
    item.Setup(static_cast<int>(ItemList.size()), def, 0);
    item.m_dX = 320 + x;
    item.m_dY = 320 + y;
    item.ClampX(-1);
    item.ClampY(-1);
  };
  add(100, 100, 1, 0, 2);
  add(200, 100, 1, 1, 2);
  add(300, 100, 2, 0, 0);
  m_scene->Draw(1, 0, 1, 0);
  EXPECT_EQ(At(120, 120), SheetColor(kItemCell + 1));
  EXPECT_EQ(At(104, 104), SheetColor(kMarkCell + 2));
  EXPECT_EQ(At(204, 104), SheetColor(kBackLayer));
  EXPECT_EQ(At(220, 120), SheetColor(kBackLayer));
  EXPECT_EQ(At(360, 160), SheetColor(kItemCell + 1));
  for (int i = 0; i < 30; ++i) m_scene->Draw(1, 1, 1, 0);  // held: no frame advances
  EXPECT_EQ(At(120, 120), SheetColor(kItemCell + 1));
  for (int i = 1; i < 15; ++i) m_scene->Draw(1, 0, 1, 0);
  EXPECT_EQ(At(120, 120), SheetColor(kItemCell + 16));
  EXPECT_EQ(At(360, 160), SheetColor(kItemCell + 16));
  ItemList.clear();
}

// Palette icons: the item's own 16 x 16 picture, a shot cell shrunk to 16 x 16,
// and nothing for a kind beyond the table or a graphic beyond its sheet.
TEST_P(StageDraw, PaletteIconsDrawTheirCellAt16DotsAndNothingOutsideTheSheet) {
  enum : int { kMini = 150, kShotCell = 190 };
  ASSERT_TRUE(WriteImage("mini.bmp", 64, 32, [](int x, int y) { return kMini + x / 32 * 2 + y / 16; }));
  ASSERT_TRUE(WriteImage("shot.bmp", 128, 64, [](int x, int y) { return kShotCell + x / 64 * 2 + y / 32; }));
  ASSERT_TRUE(Load(42, "mini.bmp") && Load(63, "shot.bmp"));
  AddFill(0, 70);
  m_scene->Draw(1, 0, 1, 0);
  struct Case {
    int kind, graphic, frame, expected;
  };
  const Case cases[] = {
      {2, 1, 0, kMini + 1},       // row 1 of the small pictures' first column
      {2, 15, 0, kMini + 2},      // the second column
      {3, 31, 0, kShotCell + 3},  // column 1, row 1 of the shot sheet, shrunk
      {2, 2, 0, 70},              // below the sheet: nothing
      {2, -1, 0, 70},
      {5, 0, 0, 70},              // no such kind
      {4, 1, 0, 70},              // no special bitmap loaded
  };
  int x = 20;
  for (const Case& c : cases) {
    DrawPaletteIcon(&BackBuffer, x, 40, c.kind, c.graphic, c.frame);
    EXPECT_EQ(At(x + 8, 48), SheetColor(c.expected)) << "kind " << c.kind << " graphic " << c.graphic;
    EXPECT_EQ(At(x + 17, 48), SheetColor(70)) << "the icon is 16 dots wide";
    x += 40;
  }
}

TEST_P(StageDraw, HiddenLayersShowColour16AndAFirstFillKeysThePicturesAfterIt) {
  AddLayer(0, nullptr, false);
  m_scene->Draw(1, 0, 1, 0);
  EXPECT_EQ(At(320, 240), SheetColor(16));
  // A fill first, then a picture with a keyed half: the fill shows through.
  StageData.Layers.clear();
  AddFill(0, 70);
  ASSERT_TRUE(WriteImage("half.bmp", 64, 64, [](int x, int) { return x < 32 ? kBackLayer : 0; }));
  AddLayer(0, "half.bmp");
  m_scene->Draw(1, 0, 1, 0);
  EXPECT_EQ(At(10, 10), SheetColor(kBackLayer));
  EXPECT_EQ(At(40, 10), SheetColor(70));
  // A fill colour beyond the palette draws no colour of it and reads nothing wrong.
  StageData.Layers.clear();
  AddFill(0, 4000);
  DDFillSurfacePal(&BackBuffer, 5);
  m_scene->Draw(1, 0, 1, 0);
  EXPECT_NE(At(40, 10), SheetColor(70));
}

TEST_P(StageDraw, LayerTilesStartAtTheColumnOfTheScrollFactor) {
  // Column x of the picture has colour 1 + x: the first screen column names it.
  ASSERT_TRUE(WriteImage("columns.bmp", 100, 30, [](int x, int) { return 1 + x; }));
  AddLayer(0, "columns.bmp");
  StageData.Layers[0].dFactorX = 0.5;
  for (const auto& [view, first] : std::vector<std::pair<double, int>>{{320, 0}, {420, 50}, {519.4, 99}}) {
    SCOPED_TRACE(view);
    m_scene->m_ScrollX.m_dPos = view;
    // (trunc(view + 0.5) - 320) x 0.5, truncated, modulo the width.
    EXPECT_EQ(LayerTileStart(LayerOrigin(view, 0, 320, 0.5, 0, true), 100), first);
    m_scene->Draw(1, 0, 1, 0);
    EXPECT_EQ(At(0, 5), SheetColor(1 + first));
    EXPECT_EQ(At(100 - first, 5), SheetColor(1));  // the next tile starts at column 0
    EXPECT_EQ(At(0, 35), SheetColor(1 + first));    // and the next row alike
  }
}

TEST(StageLayerRules, OriginsWrapAndAutoScrollStaysInRange) {
  EXPECT_EQ(LayerTileStart(-30, 100), 70);
  EXPECT_EQ(LayerTileStart(250, 100), 50);
  EXPECT_EQ(LayerTileStart(7, 0), 0);
  // Vertical: no rounding of the view.
  EXPECT_EQ(LayerOrigin(419.9, 0, 320, 1.0, 0, false), 99);
  EXPECT_EQ(LayerOrigin(419.9, 0, 320, 1.0, 0, true), 100);
  EXPECT_EQ(LayerOrigin(400, 12.5, 320, 9.0, 1, true), 92);
  // A speed larger than the picture wraps once; the drawing's modulo does the rest.
  double p = 0;
  for (int i = 0; i < 5; ++i) p = ScrollLayerPosition(p, 150, 64);
  EXPECT_LT(p, 0);
  EXPECT_GE(LayerTileStart(LayerOrigin(320, p, 320, 150, 1, true), 64), 0);
  EXPECT_EQ(ScrollLayerPosition(10, 4, 64), 6);
  EXPECT_EQ(ScrollLayerPosition(2, 4, 64), 62);
  EXPECT_EQ(ScrollLayerPosition(62, -4, 64), 2);
}

TEST_P(StageDraw, TheSightWindowOpensAroundThePlayer) {
  ASSERT_TRUE(WriteImage("back.bmp", 64, 64, [](int, int) { return kBackLayer; }));
  AddLayer(0, "back.bmp");
  cPlayer& p = AddPlayer(304, 224);  // centred on (320, 240)
  struct Case {
    int mode, dots;
    uint32_t centre, inCircleOnly, far;
  };
  const uint32_t back = SheetColor(kBackLayer), mask = SheetColor(16);
  // (320 + 60, 240 + 60) lies inside the square and outside the circle of 64.
  const Case cases[] = {{1, 64, SheetColor(kCharaCell), mask, mask},
                        {3, 64, SheetColor(kCharaCell), back, mask},
                        {1, 0, mask, mask, mask},
                        {0, 64, SheetColor(kCharaCell), back, back},
                        {1, 5000, SheetColor(kCharaCell), back, back}};  // clamped: everything seen
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.dots);
    p.m_Def.nSightShape = static_cast<int8_t>(c.mode);
    p.m_nSightDots = c.dots;
    m_scene->CreateSightSurfaces(&SightMask, &SightShape);
    EXPECT_EQ(SightMask.nWidth, 1280 + 2 * SightRadius(c.dots));
    m_scene->Draw(1, 0, 1, 0);
    EXPECT_EQ(At(320, 240), c.centre);
    EXPECT_EQ(At(380, 300), c.inCircleOnly);
    EXPECT_EQ(At(5, 5), c.far);
  }
}

TEST_P(StageDraw, BlocksAndMarksBeyondTheirSheetsDrawNothing) {
  ASSERT_TRUE(WriteImage("back.bmp", 64, 64, [](int, int) { return kBackLayer; }));
  AddLayer(0, "back.bmp");
  cEdBlock b;
  b.nGraphic = 9999;
  b.bOverlay = 1;
  b.nOverlayCell = 9999;
  AddCellBlock(10 + (10 << 6), b);
  b.nGraphic = -5;
  b.nOverlayCell = -20;
  AddCellBlock(11 + (10 << 6), b);
  b.nGraphic = 1;
  b.nOverlayCell = 16;  // from (32, 32) of the mark sheet
  AddCellBlock(12 + (10 << 6), b);
  cPlayer& p = AddPlayer(200, 200);
  p.m_Def.bMarkShown = 1;
  p.m_Def.mark = 30000;
  m_scene->Draw(1, 0, 1, 0);
  EXPECT_EQ(At(5, 5), SheetColor(kBackLayer));
  EXPECT_EQ(At(40, 5), SheetColor(kBackLayer));
  EXPECT_EQ(At(70, 5), SheetColor(kMarkCell + 16));
  EXPECT_EQ(At(70, 25), SheetColor(kBlockCell + 1));
  EXPECT_EQ(At(201, 205), SheetColor(kBackLayer));  // the keyed border, no mark
}

// Markers: the body as a frame and the body hit box filled, each in its colour,
// blinking to the next colour after eight drawn frames; a marker hidden draws nothing.
TEST_P(StageDraw, PlayerMarkersFrameTheBodyAndFillABoxAndBlink) {
  ASSERT_TRUE(WriteImage("back.bmp", 64, 64, [](int, int) { return kBackLayer; }));
  AddLayer(0, "back.bmp");
  cPlayer& p = AddPlayer(200, 200);
  p.m_BodyBox.nOffsetX = p.m_BodyBox.nOffsetY = 4;
  p.m_BodyBox.nWidth = p.m_BodyBox.nHeight = 8;
  p.m_ItemBox.nWidth = p.m_ItemBox.nHeight = 32;
  StageData.nShowPlayerBody = 2;
  StageData.nColorPlayerBody = 3;
  StageData.nShowPlayerHit = 1;
  StageData.nColorPlayerHit = 5;
  StageData.nShowPlayerBox2 = 0;  // the item box, hidden
  StageData.nColorPlayerBox2 = 6;
  m_scene->Draw(1, 0, 1, 0);
  // Colour c is the palette group from entry 208 + 4c.
  EXPECT_EQ(At(200, 216), SheetColor(220));  // the body's left edge
  EXPECT_EQ(At(231, 231), SheetColor(220));
  EXPECT_EQ(At(206, 206), SheetColor(228));  // inside the body box
  EXPECT_NE(At(220, 220), SheetColor(220));
  EXPECT_NE(At(220, 220), SheetColor(232));
  for (int i = 0; i < 8; ++i) m_scene->Draw(1, 0, 1, 0);
  EXPECT_EQ(At(200, 216), SheetColor(221));
  EXPECT_EQ(At(206, 206), SheetColor(229));
  StageData.nShowPlayerBody = StageData.nShowPlayerHit = 0;
}

TEST_P(StageDraw, GaugesStayInsideTheirFiftyDots) {
  ASSERT_TRUE(WriteImage("back.bmp", 64, 64, [](int, int) { return kBackLayer; }));
  AddLayer(0, "back.bmp");
  cPlayer& p = AddPlayer(300, 200);  // gauge from x 291, HP at y 197, SP at y 193
  p.m_Def.mhp = 10;
  p.m_nHP = 25;
  p.m_HPGauge = cGauge{120, -40, -0.5, 125};  // above the maximum, with a loss
  p.m_Def.msp = 10;
  p.m_nSP = 0;
  p.m_SPGauge = cGauge{50, 30, 0.5, 0};       // nothing left, with a gain
  m_scene->Draw(1, 0, 1, 0);
  EXPECT_EQ(At(291, 197), SheetColor(101));  // the bar, clamped to 50
  EXPECT_EQ(At(340, 197), SheetColor(101));
  EXPECT_EQ(At(341, 197), SheetColor(kBackLayer));
  EXPECT_EQ(At(290, 197), SheetColor(kBackLayer));
  EXPECT_EQ(At(291, 193), SheetColor(100));  // an empty SP bar shows its background only
  EXPECT_EQ(At(341, 193), SheetColor(kBackLayer));
  EXPECT_EQ(p.m_HPGauge.nFrames, 119);
  EXPECT_DOUBLE_EQ(p.m_HPGauge.dChange, -39.5);
  EXPECT_EQ(p.m_SPGauge.dChange, 0);  // below 60 frames left the change is gone
}

// The plain drawer at scale 1 and 2 with a mark, reviewed once as a picture.
TEST_P(StageDraw, ThePlainDrawerAtScaleOneAndTwo) {
  AddFill(0, 16);
  for (int scale : {1, 2}) {
    StageChara.emplace_back();
    cStageChara& c = StageChara.back();
    MakeChara(c, 100 + 120 * scale, 100, 3, scale);
    c.m_nKind = 1;
    c.m_bInView = 1;
    c.m_Def.bMarkShown = 1;
    c.m_Def.mark = 16;
  }
  m_scene->Draw(1, 0, 1, 0);
  // Scale 1: column 3 at (220, 100); its mark's quarter over the top left.
  EXPECT_EQ(At(236, 120), SheetColor(kCharaCell + 3));
  EXPECT_EQ(At(222, 102), SheetColor(kMarkCell + 16));
  // Scale 2: stretched to 64 x 64 at (340, 100), the keyed border 8 dots wide.
  EXPECT_EQ(At(346, 140), SheetColor(16));
  EXPECT_EQ(At(349, 140), SheetColor(kCharaCell + 3));
  EXPECT_EQ(At(395, 140), SheetColor(kCharaCell + 3));
  EXPECT_EQ(At(343, 130), SheetColor(kMarkCell + 16));  // the mark stretched too
  const draw_tool::DrawConfig c = GetParam();
  if (const char* dir = std::getenv("KORVANE_REVIEW_DIR"))
    SaveFrame(std::string(dir) + "/plain-drawer-" + std::to_string(c.backEnd) + "-" + std::to_string(c.bpp) + ".png");
  // Reviewed: a 24-dot square under a 16-dot mark, and the same at twice the size.
  EXPECT_EQ(FrameHash(), 0x4eb8bc5d79d5b5b3ull) << std::hex << FrameHash();
}

TEST_P(StageDraw, DeathsEndInDrawingAndTheSweepRemovesThem) {
  AddFill(0, 16);
  StageChara.emplace_back();
  MakeChara(StageChara.back(), 100, 100, 1);
  StageChara.back().m_nKind = 1;
  StageChara.back().m_bDead = 1;
  cPlayer& p = AddPlayer(300, 200);
  p.m_bDead = 1;
  // A held frame (a message holding play, the pause menu) leaves the death to play's
  // own drawing: how many there are must not change when play sees it end.
  m_scene->Draw(0, 1, 0, 1);
  ASSERT_EQ(StageChara.size(), 1u);
  EXPECT_EQ(StageChara.front().m_bDeathEnded, 0);
  EXPECT_EQ(p.m_nDeathFrames, 0);  // held frames do not shorten the wait
  // The play phase's drawing sweeps it; the player waits one second of frames.
  m_scene->m_nPhase = cStageScene::kPlay;
  SaveData.nLives = 0;
  bStartupStage = 0;
  ModeManager.m_nPlayKind = 0;
  for (int i = 0; i < 60; ++i) m_scene->Draw(1, 0, 1, 1);
  EXPECT_TRUE(StageChara.empty());
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kPlay);
  // The 61st frame ends the wait: no life is left, so game over straight away.
  m_scene->Draw(1, 0, 1, 1);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kGameOver);
}

INSTANTIATE_TEST_SUITE_P(Configs, StageDraw,
                         testing::Values(draw_tool::DrawConfig{0, 32, 0}, draw_tool::DrawConfig{1, 32, 0}),
                         [](const testing::TestParamInfo<draw_tool::DrawConfig>& i) {
                           return std::string(i.param.backEnd ? "Direct3D" : "DirectDraw") +
                                  std::to_string(i.param.bpp);
                         });

TEST(StageOverlays, ALeadInWinsAndAmongCommandOverlaysTheFrontOne) {
  auto overlays = [](std::initializer_list<std::array<int, 3>> rows) {
    cVector<cAnimeOverlay> v;
    for (const auto& [leadIn, countdown, paused] : rows) {
      cAnimeOverlay o;
      o.bLeadIn = leadIn;
      o.nCountdown = countdown;
      o.bPaused = paused;
      v.push_back(o);
    }
    return v;
  };
  EXPECT_EQ(ChooseOverlay(overlays({})), -1);
  EXPECT_EQ(ChooseOverlay(overlays({{0, 0, 0}, {0, 0, 0}, {1, 5, 0}})), 2);
  EXPECT_EQ(ChooseOverlay(overlays({{0, 0, 0}, {0, 3, 0}})), 0);
  EXPECT_EQ(ChooseOverlay(overlays({{0, 0, 1}, {0, 3, 0}})), 1);  // a paused one is skipped
  EXPECT_EQ(ChooseOverlay(overlays({{1, 5, 0}, {1, 2, 0}})), 1);  // the lead-in nearest its end
  EXPECT_EQ(ChooseOverlay(overlays({{1, 1, 1}})), -1);
}

TEST(StageScreenColour, TintsRevertsAndFlashes) {
  cScreenColor c;
  // Strength 50 over 1 second: 128 after 60 frames, and it stays.
  c.Set(255, 0, 0, 50, 0, 10, 0, 0);
  for (int i = 0; i < 60; ++i) c.Step(0);
  EXPECT_EQ(c.Step(0), 1);
  EXPECT_EQ(c.nTransparency, 128);
  for (int i = 0; i < 100; ++i) c.Step(0);
  EXPECT_EQ(c.bActive, 1);
  EXPECT_EQ(c.nTransparency, 128);
  // The revert fades the red out over 60 frames and ends.
  c.Set(0, 0, 255, 0, 1, 10, 0, 0);
  EXPECT_EQ(c.nRed, 255);
  EXPECT_EQ(c.Step(0), 2);
  EXPECT_EQ(c.nTransparency, 128);
  int frames = 1;
  while (c.bActive && frames < 1000) {
    c.Step(0);
    ++frames;
  }
  EXPECT_EQ(frames, 61);
  EXPECT_EQ(c.nTransparency, 255);
  // Three flashes, then no colour; held frames change nothing.
  c.Reset();
  c.Set(255, 255, 255, 100, 0, 1, 1, 3);
  c.Step(1);
  EXPECT_EQ(c.nFrame, 0);
  int ends = 0;
  for (int i = 0; i < 100 && c.bActive; ++i) ends += c.Step(0) == 3 ? 1 : 0;
  EXPECT_EQ(ends, 3);
  EXPECT_EQ(c.bActive, 0);
  // A strength of 0 ends when its time is up.
  c.Set(0, 0, 0, 0, 0, 0, 0, 0);
  c.Step(0);
  EXPECT_EQ(c.bActive, 0);
}

}  // namespace
