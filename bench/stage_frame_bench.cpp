// The cost of one synthetic stage frame through the real drawing layer: eight
// full-screen colour-keyed background layers, 300 colour-keyed 32x32 sprites from
// two sheets (in a blit batch sorted by texture, as the stage draws them), 320
// characters of sheet text and the present, on each back end at 16 and 32 bits
// (and 8-bit DirectDraw), full screen. The time of one iteration is the frame.
//
// Beside it, the heaviest pixel effects on their own, each one call per
// iteration into the back buffer, to set against the frame: a blur of radius 4
// over a 128x128 picture, a full-screen wave of 1-pixel columns (640 blits), the
// whole 640x480 picture rotated by 30 degrees, one frame of a full-screen fade,
// and full-screen blur (radius 2), mosaic (8-pixel blocks), half and colour blends.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/svc/mode_manager.h"
#include "chara/block_map.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/stage_chara.h"
#include "data/project_globals.h"
#include "draw/draw.h"
#include "stage/stage_scene.h"
#include "platform/display/display_control.h"
#include "platform/present_slot.h"
#include "tools/draw_tool/bmp_writer.h"
#include "tools/draw_tool/sheet_project.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLayers = 8;
constexpr int kSprites = 300;

// A background layer: an opaque lower part under a wavy skyline, with keyed
// holes (windows, leaves) in it; layer 0 is opaque everywhere.
uint8_t LayerPixel(int layer, int x, int y) {
  if (layer == 0) return uint8_t(16 + (x / 40 + y / 30) % 32);
  const int wave = (x / 4 + layer * 37) % 64;
  const int skyline = 40 * layer + (wave < 32 ? wave : 63 - wave);
  if (y < skyline) return 0;
  if ((x / 8 + y / 8 + layer) % 7 == 0 && ((x ^ y) & 4)) return 0;
  return uint8_t(32 + layer * 20 + (x / 16) % 8);
}

bool WriteLayer(int layer) {
  std::vector<uint8_t> px(640 * 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) px[size_t(y) * 640 + x] = LayerPixel(layer, x, y);
  return draw_tool::WriteBytes("layer" + std::to_string(layer) + ".bmp",
                               draw_tool::EncodeBmp8(640, 480, px, draw_tool::SheetPalette()));
}

struct cStage {
  DDSURFACEDATA layers[kLayers];
  DDSURFACEDATA* characters = &Off_Sys[4];
  DDSURFACEDATA* shots = &Off_Sys[20];
  DDSURFACEDATA* debug = &Off_Sys[1];
  struct Sprite {
    int x, y, sx, sy, w, h;
    bool shot;
  };
  std::vector<Sprite> sprites;
  std::string text;
};

void DrawFrame(cStage& s) {
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 1);
  for (DDSURFACEDATA& layer : s.layers) DDBltFast(&BackBuffer, 0, 0, 640, 480, &layer, 0, 0, 1);
  DDBeginBltBatch(1);
  DDAddBatchTexture(s.characters);
  DDAddBatchTexture(s.shots);
  for (const cStage::Sprite& p : s.sprites)
    DDBltFast(&BackBuffer, p.x, p.y, p.w, p.h, p.shot ? s.shots : s.characters, p.sx, p.sy, 1);
  DDEndBltBatch();
  DDDrawSheetText(&BackBuffer, 8, 8, 8, 16, s.debug, s.text.c_str());
  if (lpDTCon) {
    DDPresent(60, 0, nullptr);
  } else {
    DDPresentDirectDraw(0);
  }
}

// The drawing layer set up full screen in a fresh folder holding the made-up
// project and the layer pictures; released and the folder removed at the end.
class cBenchLayer {
 public:
  cBenchLayer(int backEnd, int bpp) : m_old(fs::current_path()) {
    std::mt19937 rng(12345 + backEnd * 100 + bpp);
    m_dir = fs::temp_directory_path() / ("korvane-bench-" + std::to_string(rng()));
    fs::create_directories(m_dir);
    fs::current_path(m_dir);
    plat::DisplayControl().Reset();
    BuildSysBmpInfo();
    bool ok = draw_tool::WriteSheetProject();
    for (int i = 0; i < kLayers && ok; ++i) ok = WriteLayer(i);
    // Full screen with vsync on: the present does not wait for a frame slot.
    ok = ok && DDInit(backEnd, 1, 640, 480, bpp, 1, 0, 1, 60, 1, Off_Sys, SysBmpInfo, SYS_BMP_COUNT);
    if (ok && lpDTCon) LinkSurfaceAliases();
    ok = ok && DDInitPaletteAndTransmit(0, 0, 0, 0);
    const int sheets[] = {1, 4, 20, 47};
    ok = ok && DDLoadSurfaceTable(Off_Sys, sheets, 4);
    m_ok = ok;
  }
  ~cBenchLayer() {
    DDRelease();
    plat::PresentedFrame drained;
    plat::TakeFrame(drained);
    fs::current_path(m_old);
    std::error_code ec;
    fs::remove_all(m_dir, ec);
  }
  bool Ok() const { return m_ok; }

 private:
  fs::path m_old, m_dir;
  bool m_ok = false;
};

void StageFrame(benchmark::State& state) {
  const int backEnd = static_cast<int>(state.range(0)), bpp = static_cast<int>(state.range(1));
  std::mt19937 rng(12345);
  cBenchLayer layer(backEnd, bpp);
  bool ok = layer.Ok();
  auto stage = std::make_unique<cStage>();
  for (int i = 0; i < kLayers && ok; ++i)
    ok = DDCreateSurfaceFromFile(&stage->layers[i], ("layer" + std::to_string(i) + ".bmp").c_str(), 1, bpp, 0, 0,
                                 0, 0, 0, 0, 0) == 0;
  if (!ok) {
    state.SkipWithError("the drawing layer could not be set up");
  } else {
    for (int i = 0; i < kSprites; ++i) {
      // Spread over the screen and a little past its edges, so that some are clipped.
      cStage::Sprite p{int(rng() % 680) - 20, int(rng() % 520) - 20, 0, 0, 32, 32, i % 3 == 2};
      if (p.shot) {
        p.sx = int(rng() % 4) * 32;
        p.sy = int(rng() % 2) * 32;
      } else {
        p.sx = int(rng() % 8) * 32;
        p.sy = int(rng() % 4) * 32;
      }
      stage->sprites.push_back(p);
    }
    for (int line = 0; line < 8; ++line) {
      for (int c = 0; c < 40; ++c) stage->text += char(0x21 + (line * 40 + c) % 94);
      stage->text += '\n';
    }
    DrawFrame(*stage);  // warm-up
    for (auto _ : state) DrawFrame(*stage);
    state.counters["frames"] = static_cast<double>(state.iterations());
  }
  for (DDSURFACEDATA& l : stage->layers) DDReleaseSurface(&l);
}

// The same frame drawn by the stage itself: eight shown background layers in the
// layer slots (the first opaque), a floor and platforms of blocks over the
// view's grid, the player and 300 characters in view from the character sheets,
// through cStageScene::Draw, then the present. Against StageFrame it shows what
// the stage's own order and bookkeeping cost beyond the raw blits.
void StageSceneFrame(benchmark::State& state) {
  const int backEnd = static_cast<int>(state.range(0)), bpp = static_cast<int>(state.range(1));
  std::mt19937 rng(12345);
  cBenchLayer layer(backEnd, bpp);
  bool ok = layer.Ok();
  const int sheets[] = {2, 3, 4, 5, 22, 23, 43, 44, 49};
  ok = ok && DDLoadSurfaceTable(Off_Sys, sheets, 9);
  if (ok && lpDTCon) LinkSurfaceAliases();
  for (int i = 0; i < kLayers && ok; ++i)
    ok = DDCreateSurfaceFromFile(&Off_Sys[55 + i], ("layer" + std::to_string(i) + ".bmp").c_str(), 1, bpp, 0, 0, 0,
                                 0, 0, 0, 0) == 0;
  if (!ok) {
    state.SkipWithError("the drawing layer could not be set up");
    return;
  }
  SelectTileSurfaces();
  StageData = cEdStage();
  StageData.Layers.clear();
  for (int i = 0; i < kLayers; ++i) {
    cEdBgLayer l;
    l.dFactorX = l.dFactorY = 0.5;
    StageData.Layers.push_back(l);
  }
  StageData.bPriorityGroups = 1;
  auto scene = std::make_unique<cStageScene>();
  CurrentStage.store(scene.get());
  // A 60 x 40 stage with its margin, row stride 128; the view in its middle.
  scene->m_ScrollX.m_nCells = 80;
  scene->m_ScrollX.m_nStrideShift = 7;
  scene->m_ScrollY.m_nCells = 60;
  scene->m_ScrollX.m_dPos = 900.5;
  scene->m_ScrollY.m_dPos = 700;
  ResetBlockMap(128 * 60);
  cEdBlock block;
  for (int r = 0; r < 60; ++r)
    for (int c = 0; c < 80; ++c) {
      // The floor, and one cell in seven above it; an overlay mark on some.
      if (r < 37 && (c * 7 + r * 3) % 7 != 0) continue;
      block.nGraphic = static_cast<int16_t>(1 + (c + r) % 20);
      block.nLayer = static_cast<int8_t>((c + r) % 5 == 0 ? 1 : 0);
      block.bOverlay = (c + r) % 11 == 0 ? 1 : 0;
      block.nOverlayCell = static_cast<int16_t>(c % 15);
      AddCellBlock(c + (r << 7), block);
    }
  auto place = [&](cChara& c, double x, double y, int z) {
    c.m_Def.nGraphicKind = 1;
    c.m_Def.z = static_cast<int8_t>(z);
    c.m_nGraphic = static_cast<int>(rng() % 8);
    c.m_nFacing = static_cast<int>(rng() % 2);
    c.m_nBaseDrawWidth = c.m_nBaseDrawHeight = c.m_nDrawWidth = c.m_nDrawHeight = 32;
    c.m_nWidth = c.m_nHeight = 32;
    c.m_dX = x;
    c.m_dY = y;
    c.m_dRight = x + 31;
    c.m_dBottom = y + 31;
  };
  Player.emplace_back();
  place(Player.back(), 1200, 900, 3);
  for (int i = 0; i < kSprites; ++i) {
    StageChara.emplace_back();
    cStageChara& c = StageChara.back();
    place(c, 880 + rng() % 680, 680 + rng() % 520, static_cast<int>(rng() % 8));
    c.m_nKind = 1;
    c.m_bInView = 1;
  }
  auto frame = [&] {
    scene->Draw(1, 0, 1, 1);
    if (lpDTCon) {
      DDPresent(60, 0, nullptr);
    } else {
      DDPresentDirectDraw(0);
    }
  };
  frame();  // warm-up
  for (auto _ : state) frame();
  state.counters["frames"] = static_cast<double>(state.iterations());
  StageChara.clear();
  Player.clear();
  ResetBlockMap(0);
  CurrentStage.store(nullptr);
  scene.reset();
}

// One effect call per iteration on the set-up layer.
template <class Effect>
void RunEffect(benchmark::State& state, Effect effect) {
  cBenchLayer layer(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  if (!layer.Ok()) {
    state.SkipWithError("the drawing layer could not be set up");
    return;
  }
  DDBltFast(&BackBuffer, 0, 0, 640, 480, &Off_Sys[47], 0, 0, 0);
  effect();  // warm-up
  for (auto _ : state) effect();
  // A fade left part of the way is completed, so that the next run starts at rest.
  DDFadeOut(ScreenPalette, 0, 255, 0, 0, 0, 10.0, GamePalette, 1);
}

void Blur(benchmark::State& state) {
  RunEffect(state, [] { DDBlur(&BackBuffer, 100, 100, 128, 128, 4, 4, &Off_Sys[47], 0, 0, 0); });
}

void Wave(benchmark::State& state) {
  RunEffect(state, [] { DDBltWave(&BackBuffer, 0, 0, 640, 480, 2, 8.0, 30, 1, &Off_Sys[47], 0, 0, 0, 1); });
}

void Rotate(benchmark::State& state) {
  RunEffect(state, [] { DDBltRotate(&BackBuffer, 320, 240, 640, 480, 320, 240, 30, &Off_Sys[47], 0, 0, 0); });
}

void BlurFull(benchmark::State& state) {
  RunEffect(state, [] { DDBlur(&BackBuffer, 0, 0, 640, 480, 2, 2, &Off_Sys[47], 0, 0, 0); });
}

void Mosaic(benchmark::State& state) {
  RunEffect(state, [] { DDMosaic(&BackBuffer, 0, 0, 640, 480, 8, &Off_Sys[47], 0, 0, 0); });
}

void HalfBlend(benchmark::State& state) {
  RunEffect(state, [] { DDBltHalf(&BackBuffer, 0, 0, 640, 480, &Off_Sys[47], 0, 0, 0, nullptr); });
}

void ColorBlend(benchmark::State& state) {
  RunEffect(state, [] {
    DDBltColorBlend(&BackBuffer, 0, 0, 640, 480, &Off_Sys[47], 0, 0, 0, GamePalette, nullptr, 5, 128);
  });
}

void Fade(benchmark::State& state) {
  RunEffect(state, [] { DDFadeOut(ScreenPalette, 0, 255, 0, 0, 0, 10.0, GamePalette, 0); });
}

}  // namespace

// Each back end at each depth, full screen; the 8-bit depth is DirectDraw's only.
void BackEnds(benchmark::internal::Benchmark* b) {
  b->ArgNames({"d3d", "bpp"})->Args({0, 8})->Args({0, 16})->Args({0, 32})->Args({1, 16})->Args({1, 32});
  b->Unit(benchmark::kMillisecond);
}

void BackEndsAbove8(benchmark::internal::Benchmark* b) {
  b->ArgNames({"d3d", "bpp"})->Args({0, 16})->Args({0, 32})->Args({1, 16})->Args({1, 32});
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(StageFrame)->Apply(BackEnds);
BENCHMARK(StageSceneFrame)->Apply(BackEnds);
BENCHMARK(Blur)->Apply(BackEndsAbove8);  // the blur draws nothing at 8 bits per pixel
BENCHMARK(Wave)->Apply(BackEnds);
BENCHMARK(Rotate)->Apply(BackEnds);
BENCHMARK(Fade)->Apply(BackEnds);
BENCHMARK(BlurFull)->Apply(BackEndsAbove8);
BENCHMARK(Mosaic)->Apply(BackEnds);
BENCHMARK(HalfBlend)->Apply(BackEnds);
BENCHMARK(ColorBlend)->Apply(BackEnds);

BENCHMARK_MAIN();
