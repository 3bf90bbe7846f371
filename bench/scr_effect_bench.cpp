// The screen-effect drawers at full screen: one drawn frame of each kind per
// iteration (copy of the frame, clear, the distorted copy back, the step), over a
// full-screen picture, on each back end at 32 bits (and DirectDraw at 16), with the
// effect held at a middle value so that every iteration does the same work. The
// goal is under a millisecond a frame for every kind on one core.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <random>
#include <string>

#include "data/project_globals.h"
#include "draw/draw.h"
#include "platform/display/display_control.h"
#include "platform/present_slot.h"
#include "stage/scr_effect_draw.h"
#include "tools/draw_tool/sheet_project.h"

namespace {

namespace fs = std::filesystem;

// The drawing layer set up full screen in a fresh folder with the made-up sheets,
// the picture in the back buffer and both work surfaces made.
class cBenchScreen {
 public:
  cBenchScreen(int backEnd, int bpp) : m_old(fs::current_path()) {
    std::mt19937 rng(777 + backEnd * 100 + bpp);
    m_dir = fs::temp_directory_path() / ("korvane-scr-bench-" + std::to_string(rng()));
    fs::create_directories(m_dir);
    fs::current_path(m_dir);
    plat::DisplayControl().Reset();
    BuildSysBmpInfo();
    bool ok = draw_tool::WriteSheetProject();
    ok = ok && DDInit(backEnd, 1, 640, 480, bpp, 1, 0, 1, 60, 1, Off_Sys, SysBmpInfo, SYS_BMP_COUNT);
    if (ok && lpDTCon) LinkSurfaceAliases();
    ok = ok && DDInitPaletteAndTransmit(0, 0, 0, 0);
    const int sheets[] = {47, 67, 68};
    ok = ok && DDLoadSurfaceTable(Off_Sys, sheets, 3);
    DDSetVirBackBuffer(1);
    m_ok = ok;
  }
  ~cBenchScreen() {
    DDSetVirBackBuffer(0);
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

// Kind, parameters and what each runs through (drawer names in the report).
struct BenchKind {
  int kind;
  std::array<int, 5> params;
};
constexpr BenchKind kKinds[] = {
    {1, {10, 0, 0, 64, 32}},      // move
    {2, {10, 8, 4, 0, 0}},        // shake sideways
    {3, {10, 8, 4, 0, 0}},        // shake up and down
    {4, {10, 16, 16, 15, 0}},     // split in rows
    {5, {10, 16, 16, 20, 0}},     // split in columns
    {6, {10, 24, 24, 4, 1}},      // wave in rows of one line
    {7, {10, 24, 24, 4, 1}},      // wave in columns of one line
    {8, {10, 10, 0, 0, 0}},       // blink (no layers here: the step only)
    {9, {10, 30, 30, 0, 0}},      // rotate by 30 degrees
    {10, {10, 200, 200, 8, 0}},   // circle of radius 200
    {11, {10, 1000, 1000, 0, 0}}, // zoom in
    {12, {10, 300, 300, 0, 0}},   // lens over the whole screen
    {13, {10, 8, 8, 0, 0}},       // mosaic of 8-dot blocks
};

void ScrEffectKind(benchmark::State& state) {
  const BenchKind& k = kKinds[state.range(2)];
  cBenchScreen screen(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  if (!screen.Ok()) {
    state.SkipWithError("the drawing layer could not be set up");
    return;
  }
  Database = cEdDatabase();
  cEdScrEffect def;
  def.nKind = k.kind;
  for (int i = 0; i < 5; ++i) def.Params[i] = k.params[static_cast<size_t>(i)];
  Database.ScrEffectList = {cEdScrEffect(), def};
  Database.MakeWorkingCopies();
  PrepareScrEffects(ScrEffectTable, ScrEffectTableRev);
  cScrEffectAnime effect;
  // Repeating: the effect never ends, whatever the number of iterations.
  effect.Start(1, 0, 1);
  cScrEffectView view;
  view.nCenterX = 300;
  view.nCenterY = 260;
  DDBltFast(&BackBuffer, 0, 0, 640, 480, &Off_Sys[47], 0, 0, 0);
  DrawScrEffectFrame(effect, view, 0);  // warm-up
  for (auto _ : state) benchmark::DoNotOptimize(DrawScrEffectFrame(effect, view, 0));
  state.SetLabel("kind " + std::to_string(k.kind));
}

void Configs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"d3d", "bpp", "k"});
  for (int backEnd : {0, 1})
    for (int k = 0; k < static_cast<int>(std::size(kKinds)); ++k) b->Args({backEnd, 32, k});
  for (int k = 0; k < static_cast<int>(std::size(kKinds)); ++k) b->Args({0, 16, k});
  b->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(ScrEffectKind)->Apply(Configs);

BENCHMARK_MAIN();
