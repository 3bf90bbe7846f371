#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/base/timing.h"
#include "draw/frame_pacing.h"
#include "platform/clock.h"
#include "tests/support/draw_fixture.h"

namespace {

// Presents on the virtual clock: the frames' work takes no time, so a frame's
// timestamp is when the pacing let it go.
class Presenting : public cDrawTest {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    plat::UseVirtualClock(true);
    ResetFrameTiming();
    ResetFramePacing();
  }
  void TearDown() override {
    cDrawTest::TearDown();
    plat::UseVirtualClock(false);
  }
};

TEST_F(Presenting, Direct3DPacesInRunsOfRateFrames) {
  ASSERT_TRUE(StartLayer({1, 32, 0}, /*vsync=*/0));
  std::vector<uint32_t> at;
  for (int frame = 0; frame < 122; ++frame) {
    ASSERT_EQ(DDPresent(60, 0, nullptr), 1);
    at.push_back(plat::TimeGetTime());
  }
  // The k-th frame of a run goes at the run's start + k x 16.67 ms, on the first
  // whole millisecond at or after it.
  const uint32_t first[] = {0, 17, 34, 50, 67, 84, 100, 117};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(at[k], first[k]) << k;
  EXPECT_EQ(at[59], 984u);  // 983.33
  // The 61st frame starts a new run at once, from the time the 60th went.
  EXPECT_EQ(at[60], 984u);
  EXPECT_EQ(at[61], 1001u);  // 984 + 16.67
  EXPECT_EQ(at[119], 1968u);
  EXPECT_EQ(at[120], 1968u);
  EXPECT_EQ(at[121], 1985u);

  // A late frame does not shift the rest of its run: the next ones catch up.
  DDRelease();
  ResetFrameTiming();
  ResetFramePacing();
  plat::UseVirtualClock(true);
  ASSERT_TRUE(StartLayer({1, 16, 1}, 0));
  at.clear();
  for (int frame = 0; frame < 14; ++frame) {
    if (frame == 10) plat::Sleep(30);  // the tenth frame's work takes 30 ms
    ASSERT_EQ(DDPresent(60, 0, nullptr), 1);
    at.push_back(plat::TimeGetTime());
  }
  EXPECT_EQ(at[9], 150u);
  EXPECT_EQ(at[10], 180u);  // late: goes at once (its slot was 167)
  EXPECT_EQ(at[11], 184u);  // 183.33
  EXPECT_EQ(at[12], 200u);
  EXPECT_EQ(at[13], 217u);
}

TEST_F(Presenting, NoPacingWithVSyncARateOf0OrDirectDraw) {
  ASSERT_TRUE(StartLayer({1, 32, 0}, /*vsync=*/1));
  for (int frame = 0; frame < 100; ++frame) ASSERT_EQ(DDPresent(60, 0, nullptr), 1);
  EXPECT_EQ(plat::TimeGetTime(), 0u);
  DDRelease();
  ASSERT_TRUE(StartLayer({1, 32, 0}, 0));
  for (int frame = 0; frame < 100; ++frame) ASSERT_EQ(DDPresent(0, 0, nullptr), 1);
  EXPECT_EQ(plat::TimeGetTime(), 0u);
  DDRelease();
  // DirectDraw presents in the frame step, which waits for the rate gate first
  // (Sleep(1) between asks): every 1000 / 60 = 16 ms from when the gate last
  // opened, so a late frame moves the later ones.
  ASSERT_TRUE(StartLayer({0, 32, 0}, 0));
  std::vector<uint32_t> at;
  for (int frame = 0; frame < 8; ++frame) {
    if (frame == 4) plat::Sleep(25);
    while (!RateGate(60)) plat::Sleep(1);
    EXPECT_EQ(DDPresent(60, 0, nullptr), 1);
    ASSERT_TRUE(DDPresentDirectDraw(0));
    at.push_back(plat::TimeGetTime());
  }
  EXPECT_EQ(at, (std::vector<uint32_t>{0, 16, 32, 48, 73, 89, 105, 121}));
}

TEST_F(Presenting, PacingStatisticsAreDrawnWithTheSheet) {
  ASSERT_TRUE(WriteCellSheet("chars.bmp", 16, 16, 8, 16));
  ASSERT_TRUE(StartLayer({1, 32, 0}, 0));
  DDSURFACEDATA sheet;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sheet, "chars.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  DDFillRectPal(&BackBuffer, 0, 0, 640, 480, 255);
  ASSERT_EQ(DDPresent(60, 1, nullptr), 1);  // no sheet: no text
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 16), SheetColor(255));
  ASSERT_EQ(DDPresent(60, 1, &sheet), 1);
  // "FPS-Ave 0(0)" from (0, 16): 'F' is cell (6, 4); "dwTime_OneSec" on the next line.
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 16), SheetColor(CellIndex(6, 4)));
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 32), SheetColor(CellIndex(4, 6)));
  EXPECT_EQ(PixelAt(&BackBuffer, 0, 15), SheetColor(255));
  DDReleaseSurface(&sheet);
}

// Fonts' part of a restore, recorded in order.
std::string gFontCalls;
void FontsLost() { gFontCalls += "lost;"; }
void FontsRestore() { gFontCalls += "restore;"; }

std::vector<uint32_t> Pixels(DDSURFACEDATA* sd) {
  std::vector<uint32_t> v;
  plat::cSurface* s = StorageOf(sd);
  for (int y = 0; s && y < s->Height(); ++y)
    for (int x = 0; x < s->Width(); ++x) v.push_back(s->GetPixel(x, y));
  return v;
}

class DeviceLoss : public cDrawTest {
 protected:
  void TearDown() override {
    DDSetFontRestoreHooks({});
    cDrawTest::TearDown();
  }
};

TEST_F(DeviceLoss, TheWholeCycleGivesBackEverySurface) {
  TraceOn();
  gFontCalls.clear();
  DDSetFontRestoreHooks({&FontsLost, &FontsRestore});
  ASSERT_TRUE(WriteCellSheet("cells.bmp", 16, 4, 8, 8));
  for (int bpp : {32, 16}) {
    SCOPED_TRACE(bpp);
    ASSERT_TRUE(StartLayer({1, bpp, 0}));
    DDSURFACEDATA file, mirrored, systemFile, empty, systemEmpty;
    ASSERT_EQ(DDCreateSurfaceFromFile(&file, "cells.bmp", 1, bpp, 0, 0, 0, 1, 0, 0, 0), 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&mirrored, "cells.bmp", 1, bpp, 0, 0, 0, 0, 8, 0, 0), 0);
    ASSERT_EQ(DDCreateSurfaceFromFile(&systemFile, "cells.bmp", 1, bpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0), 0);
    ASSERT_TRUE(DDCreateSurface(&empty, 64, 32, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    ASSERT_TRUE(DDCreateSurface(&systemEmpty, 64, 32, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0));
    DDBltFast(&empty, 0, 0, 64, 32, &file, 0, 0, 1);
    DDBltFast(&systemEmpty, 0, 0, 64, 32, &file, 0, 0, 1);
    EXPECT_FALSE(file.lpDT->PalIndexMap.empty());
    const std::vector<uint32_t> filePixels = Pixels(&file), mirroredPixels = Pixels(&mirrored),
                                systemPixels = Pixels(&systemFile), systemEmptyPixels = Pixels(&systemEmpty);
    const std::list<DDSURFACEDATA*> listBefore = SurfaceList;
    const int texNo = file.lpDT->nTexNo;

    plat::DisplayControl().LoseDevice();
    DDBltFast(&BackBuffer, 0, 0, 64, 32, &file, 0, 0, 1);
    EXPECT_EQ(DDPresent(60, 0, nullptr), 0);
    EXPECT_EQ(plat::GetDisplayWindowState().lastShowCommand, plat::kShowMinNoActive);
    // Not back yet: the restore fails and the next frame asks again.
    EXPECT_EQ(DDRestoreSurface(), 0);
    EXPECT_TRUE(Traced("復旧失敗…リセット可能な状態ではありません…"));
    EXPECT_EQ(file.lpDT->lpTexture, nullptr);
    DDBltFast(&BackBuffer, 0, 0, 64, 32, &file, 0, 0, 1);  // drawing with released surfaces is harmless
    EXPECT_EQ(DDPresent(60, 0, nullptr), 0);

    plat::DisplayControl().RegainDevice();
    EXPECT_EQ(DDRestoreSurface(), 1);
    EXPECT_FALSE(plat::DisplayControl().DeviceLost());
    EXPECT_EQ(plat::GetDisplayWindowState().lastShowCommand, plat::kShowNormal);
    // Pictures come back from their files pixel for pixel, mirrored ones mirrored;
    // empty ones are made again and marked for their owners to redraw.
    EXPECT_EQ(Pixels(&file), filePixels);
    EXPECT_EQ(Pixels(&mirrored), mirroredPixels);
    EXPECT_EQ(Pixels(&systemFile), systemPixels);
    EXPECT_EQ(Pixels(&systemEmpty), systemEmptyPixels);  // system memory keeps its pixels
    EXPECT_FALSE(file.bLost || mirrored.bLost || systemFile.bLost);
    EXPECT_TRUE(empty.bLost && systemEmpty.bLost && VirBackBuffer.bLost && WorkSD.bLost);
    EXPECT_TRUE(file.lpDT->PalIndexMap.empty());
    EXPECT_EQ(SurfaceList, listBefore);
    EXPECT_EQ(file.lpDT->nTexNo, texNo);
    EXPECT_STREQ(file.szSurfaceType, "OffScreenFromFile");
    EXPECT_STREQ(file.szFileName, "cells.bmp");
    EXPECT_STREQ(WorkSD.szSurfaceType, "WorkSD");
    EXPECT_TRUE(Traced("i = 0 lpSD->szSurfaceType = VirBackBuffer lpSD->szFileName = E Size = (640,480)"));
    EXPECT_TRUE(Traced("Restore Out"));

    // The frame after: drawing and presenting work again.
    DDBltFast(&BackBuffer, 0, 0, 64, 32, &file, 0, 0, 1);
    ASSERT_EQ(DDPresent(60, 0, nullptr), 1);
    plat::PresentedFrame frame;
    ASSERT_TRUE(plat::TakeFrame(frame));
    EXPECT_EQ(frame.pixels[9], PixelAt(&BackBuffer, 9, 0));
    EXPECT_NE(frame.pixels[9], frame.pixels[3]);  // two cells of the picture
    for (DDSURFACEDATA* sd : {&file, &mirrored, &systemFile, &empty, &systemEmpty}) DDReleaseSurface(sd);
    DDRelease();
    plat::ResetDisplayWindowState();
  }
  EXPECT_EQ(gFontCalls, "lost;lost;restore;lost;lost;restore;");
}

TEST_F(DeviceLoss, AFailedResetIsRetriedAndAWindowStaysShown) {
  ASSERT_TRUE(WriteCellSheet("cells.bmp", 16, 4, 8, 8));
  ASSERT_TRUE(StartLayer({1, 32, 1}));
  DDSURFACEDATA file;
  ASSERT_EQ(DDCreateSurfaceFromFile(&file, "cells.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  const std::vector<uint32_t> pixels = Pixels(&file);
  plat::DisplayControl().LoseDevice();
  EXPECT_EQ(DDPresent(60, 0, nullptr), 0);
  EXPECT_EQ(plat::GetDisplayWindowState().lastShowCommand, 0);  // a window is not minimised
  plat::DisplayControl().RegainDevice();
  plat::DisplayControl().FailNext(plat::DisplayOp::kReset);
  EXPECT_EQ(DDRestoreSurface(), 0);
  EXPECT_EQ(DDPresent(60, 0, nullptr), 0);
  EXPECT_EQ(DDRestoreSurface(), 1);
  EXPECT_EQ(Pixels(&file), pixels);
  EXPECT_EQ(plat::GetDisplayWindowState().lastShowCommand, 0);
  EXPECT_EQ(DDPresent(60, 0, nullptr), 1);
  DDReleaseSurface(&file);
}

TEST_F(DeviceLoss, EachRestoreBelongsToItsBackEnd) {
  TraceOn();
  ASSERT_TRUE(StartLayer({0, 32, 0}));
  EXPECT_EQ(DDRestoreSurface(), 1);
  EXPECT_TRUE(Traced("DDではDDRestoreSurfaceは未対応"));
  DDRelease();
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  EXPECT_TRUE(DDRestore());
  EXPECT_TRUE(Traced("D3DではDDRestoreは未対応"));
}

TEST_F(DeviceLoss, DirectDrawSurfacesAreRestoredAndReloaded) {
  gFontCalls.clear();
  DDSetFontRestoreHooks({&FontsLost, &FontsRestore});
  for (int bpp : {8, 16}) {
    SCOPED_TRACE(bpp);
    ASSERT_TRUE(StartLayer({0, bpp, 0}));
    const int entries[] = {4, 53, 65, 67};  // video file, system file, system empty, video empty
    ASSERT_TRUE(DDLoadSurfaceTable(Off_Sys, entries, 4));
    DDBltFast(&Off_Sys[65], 0, 0, 64, 64, &Off_Sys[4], 0, 0, 0);
    DDBltFast(&Off_Sys[67], 0, 0, 64, 64, &Off_Sys[4], 0, 0, 0);
    const std::vector<uint32_t> video = Pixels(&Off_Sys[4]), system = Pixels(&Off_Sys[53]),
                                systemEmpty = Pixels(&Off_Sys[65]), videoEmpty = Pixels(&Off_Sys[67]);
    EXPECT_TRUE(DDRestore());  // nothing lost: nothing done
    EXPECT_FALSE(Off_Sys[67].bLost);

    plat::DisplayControl().LoseSurfaces();
    if (bpp == 8) {
      PALETTEENTRY black[256] = {};
      lpDDPalette->SetEntries(0, 256, black);
    }
    EXPECT_FALSE(DDPresentDirectDraw(0));
    EXPECT_TRUE(DDRestore());
    EXPECT_EQ(Pixels(&Off_Sys[4]), video);  // reloaded from its file
    EXPECT_EQ(Pixels(&Off_Sys[53]), system);
    EXPECT_EQ(Pixels(&Off_Sys[65]), systemEmpty);
    EXPECT_NE(Pixels(&Off_Sys[67]), videoEmpty);  // gone: its owner redraws it
    EXPECT_TRUE(Off_Sys[67].bLost);
    EXPECT_FALSE(Off_Sys[4].bLost || Off_Sys[53].bLost || Off_Sys[65].bLost);
    EXPECT_FALSE(ScreenCopySD.lpDDPart->lpSurface->IsLost());
    if (bpp == 8) {
      for (int i = 0; i < 256; ++i) ASSERT_EQ(lpDDPalette->Entries()[i].red, ScreenPalette[i].red) << i;
    }
    EXPECT_TRUE(DDPresentDirectDraw(0));
    Off_Sys[67].bLost = 0;  // as its owner does after redrawing
    for (int i : entries) DDReleaseSurface(&Off_Sys[i]);
    DDRelease();
  }
  EXPECT_EQ(gFontCalls, "restore;restore;");
}

// Message boxes over a full-screen game.
struct BoxSeen {
  int shown = 0;
  bool dialogMode = false;
  int cursorCount = 0;
} gBox;
int RecordBox(uint32_t, const char*, const char*, unsigned) {
  ++gBox.shown;
  gBox.dialogMode = lpDevice && lpDevice->DialogBoxMode();
  gBox.cursorCount = plat::GetDisplayWindowState().cursorCount;
  return 7;  // No
}

class MessageBoxes : public cDrawTest {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    gBox = BoxSeen{};
    plat::DisplayWindowHooks hooks;
    hooks.messageBox = &RecordBox;
    plat::SetDisplayWindowHooks(hooks);
    TraceOn();
  }
  void TearDown() override {
    plat::SetDisplayWindowHooks({});
    cDrawTest::TearDown();
  }
};

TEST_F(MessageBoxes, FullScreenSwitchesToDialogBoxModeAroundTheBox) {
  ASSERT_TRUE(StartLayer({1, 32, 0}));
  EXPECT_LT(plat::GetDisplayWindowState().cursorCount, 0);
  int answer = 0;
  EXPECT_EQ(DDMesBox("text", "caption", 4, &answer), 1);
  EXPECT_EQ(answer, 7);
  EXPECT_EQ(gBox.shown, 1);
  EXPECT_TRUE(gBox.dialogMode);
  EXPECT_GE(gBox.cursorCount, 0);
  EXPECT_FALSE(lpDevice->DialogBoxMode());
  EXPECT_LT(plat::GetDisplayWindowState().cursorCount, 0);
  EXPECT_EQ(plat::GetDisplayWindowState().lastBoxText, "text");

  plat::DisplayControl().FailNext(plat::DisplayOp::kSetDialogBoxMode);
  EXPECT_EQ(DDMesBox("second", "caption", 0), 0);
  EXPECT_EQ(gBox.shown, 1);
  EXPECT_TRUE(Traced("D3D_OK != lpDevice->SetDialogBoxMode(TRUE)"));
  EXPECT_TRUE(Traced("DDMesBox 失敗! second, caption"));
  DDRelease();

  // DirectDraw full screen shows the desktop's surface first.
  plat::ResetDisplayWindowState();
  ASSERT_TRUE(StartLayer({0, 16, 0}));
  EXPECT_EQ(DDMesBox("third", "caption", 0), 1);
  EXPECT_EQ(gBox.shown, 2);
  EXPECT_GE(gBox.cursorCount, 0);
  EXPECT_LT(plat::GetDisplayWindowState().cursorCount, 0);
  plat::DisplayControl().FailNext(plat::DisplayOp::kFlipToGDISurface);
  EXPECT_EQ(DDMesBox("fourth", "caption", 0), 0);
  EXPECT_EQ(gBox.shown, 2);
}

TEST_F(MessageBoxes, AWindowShowsTheBoxWithoutSwitching) {
  ASSERT_TRUE(StartLayer({1, 32, 1}));
  plat::DisplayControl().FailNext(plat::DisplayOp::kSetDialogBoxMode);  // never asked for
  EXPECT_EQ(DDSetDialogBoxMode(1), 1);
  EXPECT_EQ(DDMesBox("text", "caption", 0), 1);
  EXPECT_EQ(gBox.shown, 1);
  EXPECT_FALSE(gBox.dialogMode);
  DDRelease();
  EXPECT_EQ(DDSetDialogBoxMode(1), 0);  // no layer
}

}  // namespace
