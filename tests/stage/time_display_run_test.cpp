// The status bar and the time display in the real program, headless: a fixture
// stage with a short time limit played as the demo's start-up stage, its frames
// dumped and probed, its countdown ticks and time-out death read from the trace.
// The demo's status pictures are replaced by made-up ones whose cells are plain
// colours, so that a probe names what it shows. The run is made twice: the two
// traces must be the same.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/system_data.h"
#include "stage/status_bar.h"
#include "tests/support/draw_fixture.h"
#include "tests/support/play_stage.h"
#include "tests/support/png_reader.h"
#include "tests/support/run_game.h"
#include "tests/support/temp_dir.h"

namespace {

enum : int { kBar = 20, kIcon = 60, kHpBack = 100, kSpBack = 110, kDigit = 120 };

std::vector<unsigned char> Picture(int w, int h, const std::function<int(int, int)>& index) {
  std::vector<uint8_t> px(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[size_t(y) * w + x] = uint8_t(index(x, y));
  return draw_tool::EncodeBmp8(w, h, px, draw_tool::SheetPalette());
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

struct cRun {
  int exitCode = -1;
  std::vector<std::string> events;  // the trace lines that are not per-frame lines
  std::vector<cPngFrame> frames;    // the dumped frames asked for, in order
};

// Time limit 3 s with the warning at 2 s; no banners, so play starts on frame 11.
cRun RunTimedStage(const std::vector<int>& dumpFrames) {
  cTempDir dir(false);
  cRun run;
  if (!MakeDemoProject(dir.Path())) return run;
  dir.Write("bmp/StatusWindow.bmp", Picture(640, 20, [](int, int) { return kBar; }));
  dir.Write("bmp/Accessory.bmp", Picture(128, 176, [](int x, int y) {
    if (y >= 32 && y < 48 && x < 80) return kIcon + x / 16;
    if (y < 128) return 0;
    const int row = (y - 128) / 16;
    if (x < 50) return kHpBack + row;
    if (x >= 64 && x < 114) return kSpBack + row;
    return 0;
  }));
  dir.Write("bmp/Word.bmp", Picture(320, 192, [](int x, int y) { return y >= 160 ? kDigit + x / 32 : 0; }));
  cPlayStage stage(30, 20);
  stage.Map({"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "..P",
             "##############################"});
  stage.Settings().nScrollOffsetX = (30 + 20) * 32 - 640;  // the outer limits at the margins
  stage.Settings().nScrollOffsetY = (20 + 20) * 32 - 480;
  stage.Settings().bStartBanner1 = 0;
  stage.Settings().bStartBanner2 = 0;
  stage.Settings().bTimeLimit = 1;
  stage.Settings().nTimeLimit = 3;
  stage.Settings().nTimeWarning = 2;
  if (!stage.Write(dir.Path() + "/data/stg4/fixture.stg4_752")) return run;
  std::string frames;
  for (int f : dumpFrames) frames += (frames.empty() ? "" : ",") + std::to_string(f);
  cProcessResult r = RunGame(dir.Path(),
                             {"KORVANE_FRAMES=260", "KORVANE_TRACE=" + dir.Path() + "/trace.txt",
                              "KORVANE_DUMP=" + dir.Path() + "/dump", "KORVANE_DUMP_FRAMES=" + frames},
                             {"data\\stg4\\fixture.stg4"});
  run.exitCode = r.exitCode;
  const std::vector<unsigned char> bytes = dir.Exists("trace.txt") ? dir.Read("trace.txt") : std::vector<unsigned char>{};
  for (const std::string& l : SplitLines(std::string(bytes.begin(), bytes.end())))
    if (l.find("\"ev\"") != std::string::npos) run.events.push_back(l);
  for (int f : dumpFrames) {
    char name[64];
    std::snprintf(name, sizeof name, "/dump/frame-%06d.png", f);
    run.frames.push_back(ReadPngFrame(dir.Path() + name));
  }
  return run;
}

// The digits shown by the time display, read from the word sheet's colours in the
// cells from x 272 (-1 where a cell shows no digit).
std::vector<int> TimeCells(const cPngFrame& f) {
  std::vector<int> cells;
  for (int x = 256; x < 400; x += 16) {
    int digit = -1;
    for (int d = 0; d < 10; ++d)
      if (f.At(x + 8, 40) == SheetColor(kDigit + d)) digit = d;
    cells.push_back(digit);
  }
  return cells;
}

TEST(StatusDisplayRun, TheTimeCountsDownTicksInTheWarningRangeAndKillsThePlayerAtZero) {
  // Frames: the last before play (frame 12 is play's first), the frames before
  // and at the tick to 2, the tick to 1, and one after the time-out.
  const std::vector<int> dumps = {11, 70, 71, 131, 200};
  cRun run = RunTimedStage(dumps);
  cRun again = RunTimedStage(dumps);
  EXPECT_EQ(run.events, again.events) << "the same run gave two traces";
  EXPECT_EQ(run.exitCode, 0);
  // Every 60 play frames a second; the ticks at 2 and 1, then the death (code 11,
  // the time-out) with the player's death sound at 0.
  const std::vector<std::string> expected = {
      "{\"f\":1,\"ev\":\"mode\",\"from\":-1,\"to\":4}",  "{\"f\":1,\"ev\":\"bgm\",\"kind\":4,\"n\":0}",
      "{\"f\":71,\"ev\":\"se\",\"n\":13}",               "{\"f\":131,\"ev\":\"se\",\"n\":13}",
      "{\"f\":191,\"ev\":\"dead\",\"id\":0,\"code\":11}", "{\"f\":191,\"ev\":\"se\",\"n\":8}",
  };
  ASSERT_GE(run.events.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(run.events.begin(), run.events.begin() + expected.size()), expected);
  ASSERT_EQ(run.frames.size(), dumps.size());
  for (const cPngFrame& f : run.frames) ASSERT_EQ(f.width, 640);

  // 3 until the first second, 2 from frame 71, 1 from 131, 0 after the death:
  // one digit in the middle cell of three (x 304 to 335).
  const std::vector<int> shown = {3, 3, 2, 1, 0};
  for (size_t i = 0; i < dumps.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(dumps[i]));
    EXPECT_EQ(TimeCells(run.frames[i]), (std::vector<int>{-1, -1, -1, shown[i], shown[i], -1, -1, -1, -1}));
  }

  // The status bar of the demo's items: five icons with their values after them.
  cEdSystem settings;
  settings.SetDefault();
  const cStatusBarLayout l = LayOutStatusBar(&settings.StatusItems[0], settings.StatusItems.Count());
  ASSERT_EQ(l.nShown, 5);
  const cPngFrame& f = run.frames[0];
  EXPECT_EQ(f.At(l.nX[0] - 2, 1), SheetColor(kBar));
  EXPECT_EQ(f.At(639, 19), SheetColor(kBar));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(f.At(l.nX[i] + 8, 11), SheetColor(kIcon + i)) << "icon " << i;
  // Score 0 after its icon: glyph pixels in the first cell only.
  auto glyphs = [&](int x) {
    int n = 0;
    for (int y = 3; y < 19; ++y)
      for (int i = x; i < x + 16; ++i) n += f.At(i, y) != SheetColor(kBar);
    return n;
  };
  EXPECT_GT(glyphs(l.nX[0] + 16), 0);
  EXPECT_EQ(glyphs(l.nX[0] + 32), 0);
  // The HP gauge at the icon's right: its first and last dots from the gauge rows.
  const int hp = l.nX[2] + 16;
  EXPECT_EQ(f.At(hp, 3), SheetColor(kHpBack + 1));
  EXPECT_EQ(f.At(hp + 50, 11), SheetColor(kBar));
}

}  // namespace
