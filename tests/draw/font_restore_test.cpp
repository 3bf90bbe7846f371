#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display/display_control.h"
#include "platform/font/d3dx_font.h"
#include "tests/draw/font_fixture.h"

namespace {

class FontDeviceLoss : public cFontTest {
 protected:
  void TearDown() override {
    DDSetFontRestoreHooks({});
    cFontTest::TearDown();
  }
};

void RestoreEveryFont() {
  for (Font* font : FontList) font->Restore();
}

// Before the reset every font lets go of its device objects, each with its trace
// line; one that refuses is traced and the restore goes on to its end.
TEST_F(FontDeviceLoss, EveryFontIsToldAndARefusalDoesNotStopTheRestore) {
  TraceOn();
  Start(1);
  ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0));
  DDSetFontRestoreHooks({&LoseFontDevices, &RestoreEveryFont});
  ASSERT_TRUE(Fonts[1].m_lpFont);
  Fonts[1].m_lpFont->SetLostDeviceResult(plat::kErrDeviceLost);

  plat::DisplayControl().LoseDevice();
  EXPECT_EQ(DDPresent(60, 0, nullptr), 0);
  plat::DisplayControl().RegainDevice();
  EXPECT_EQ(DDRestoreSurface(), 1);
  for (const char* line : {"Font i = 0", "Font i = 1", "Font i = 2", "Restore Out"}) EXPECT_TRUE(Traced(line)) << line;
  EXPECT_TRUE(Traced(("lpFont->OnLostDevice hr = " + std::to_string(plat::kErrDeviceLost)).c_str()));

  // The fonts draw again after the restore (their atlases filled anew).
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 28);
  Fonts[1].Draw(&BackBuffer, 10, 10, SJ("AB あい"));
  const std::vector<uint32_t> after = ReadPixels(&BackBuffer, 10, 10, 96, 16);
  EXPECT_GT(CountNot(after, ReadPixels(&BackBuffer, 200, 200, 1, 1)[0]), 0);
}

}  // namespace
