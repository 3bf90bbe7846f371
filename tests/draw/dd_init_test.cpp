#include <gtest/gtest.h>

#include "tests/support/draw_fixture.h"

namespace {

using plat::PixelFormat;

class DrawSetUp : public cDrawTest {};

bool Init(int backEnd, int bpp, int windowed, int vsync = 0, int refreshAtModeSet = 0) {
  return DDInit(backEnd, 1, 640, 480, bpp, vsync, windowed, 1, 60, refreshAtModeSet, Off_Sys, SysBmpInfo,
                SYS_BMP_COUNT);
}

PixelFormat BackBufferFormat() {
  if (BackBuffer.lpDT) return BackBuffer.lpDT->lpSurface ? BackBuffer.lpDT->lpSurface->Format() : PixelFormat::kUnknown;
  return BackBuffer.lpDDPart && BackBuffer.lpDDPart->lpSurface ? BackBuffer.lpDDPart->lpSurface->Format()
                                                               : PixelFormat::kUnknown;
}

TEST_F(DrawSetUp, EveryConfigurationSetsUpAndReleases) {
  struct Expect {
    PixelFormat back;
    DDCOLORMASK mask;  // PixelColorMask, red/green/blue fields
  };
  for (const draw_tool::DrawConfig& c : AllConfigs()) {
    SCOPED_TRACE(c.Name());
    if (c.windowed) plat::DisplayControl().Machine().desktopBpp = c.bpp;
    ASSERT_TRUE(Init(c.backEnd, c.bpp, c.windowed));
    EXPECT_EQ(lpDTCon != nullptr, c.backEnd != 0);
    EXPECT_EQ(lpDDCon != nullptr, c.backEnd == 0);
    EXPECT_TRUE(bDDReady && bDDCreated);
    PixelFormat expected = c.bpp == 8 ? PixelFormat::kP8 : c.bpp == 32 ? PixelFormat::kX8R8G8B8
                           : c.backEnd && c.windowed ? PixelFormat::kA1R5G5B5 : PixelFormat::kR5G6B5;
    EXPECT_EQ(BackBufferFormat(), expected);
    if (c.bpp == 16) {
      // DirectDraw: the screen's 5-6-5; Direct3D: the 1-5-5-5 textures.
      EXPECT_EQ(PixelColorMask.nMaskG, c.backEnd ? 0x1F : 0x3F);
      EXPECT_EQ(PixelColorMask.nShiftR, c.backEnd ? 10 : 11);
    } else if (c.bpp == 32) {
      EXPECT_EQ(PixelColorMask.nShiftR, 16);
      EXPECT_EQ(PixelColorMask.nMaskB, 255);
    }
    if (c.backEnd) {
      EXPECT_STREQ(VirBackBuffer.szSurfaceType, "VirBackBuffer");
      EXPECT_STREQ(WorkSD.szSurfaceType, "WorkSD");
      EXPECT_EQ(SurfaceList.size(), 2u);
      EXPECT_EQ(lpDTCon->dwAlphaOp, 2u);
      EXPECT_EQ(lpDTCon->nTexCounter, 3);  // 1 and 2 went to the two work surfaces
    } else {
      EXPECT_TRUE(lpDDPalette != nullptr);
      EXPECT_EQ(PrimarySD.lpDDPart->lpSurface->Palette() != nullptr, c.bpp == 8);
      EXPECT_EQ(lpDDClipper != nullptr, c.windowed != 0);
      EXPECT_EQ(ScreenCopySD.nMemKind, DDMEMKIND_SYSTEM);
    }
    // Full screen hides the mouse cursor, a window shows it.
    EXPECT_EQ(plat::GetDisplayWindowState().cursorCount < 0, c.windowed == 0);
    DDRelease();
    EXPECT_EQ(lpDTCon, nullptr);
    EXPECT_EQ(lpDDCon, nullptr);
    EXPECT_EQ(lpDD, nullptr);
    EXPECT_EQ(lpDevice, nullptr);
    EXPECT_TRUE(SurfaceList.empty());
    EXPECT_FALSE(BackBuffer.lpDT || BackBuffer.lpDDPart || PrimarySD.lpDDPart || VirBackBuffer.lpDT);
    plat::ResetDisplayWindowState();
  }
  EXPECT_TRUE(Reported("VSync : 0"));
  EXPECT_TRUE(Reported("Device HAL-HARD"));
  EXPECT_TRUE(Reported("A1R5G5B5"));
  EXPECT_FALSE(Reported("解放漏れがあります"));
}

TEST_F(DrawSetUp, Direct3DFallsBackToDirectDraw) {
  // Depths that Direct3D does not run fail after the device record exists; the
  // release leaves no record, so the DirectDraw set-up takes the DirectDraw paths.
  for (int bpp : {8, 24}) {
    EXPECT_FALSE(Init(1, bpp, 0)) << bpp;
    EXPECT_NE(lpDTCon, nullptr);
    DDRelease();
    EXPECT_EQ(lpDTCon, nullptr);
  }
  ASSERT_TRUE(Init(0, 8, 0));
  EXPECT_EQ(lpDTCon, nullptr);
  EXPECT_NE(lpDDCon, nullptr);
  DDRelease();

  // The harness falls back as start-up does.
  bool fellBack = false;
  plat::DisplayControl().FailNext(plat::DisplayOp::kDirect3DCreate);
  ASSERT_TRUE(draw_tool::StartDrawing({1, 32, 0}, &fellBack));
  EXPECT_TRUE(fellBack);
  EXPECT_EQ(lpDTCon, nullptr);
  EXPECT_TRUE(Reported("ビデオカードがDirectX9をサポートしていません！"));
}

TEST_F(DrawSetUp, Direct3DFailuresAreReported) {
  plat::DisplayControl().Machine().driverLevel = 8;
  EXPECT_FALSE(Init(1, 32, 0));
  EXPECT_TRUE(Reported("ビデオカードのドライバがDirectX9をサポートしていません！ 8"));
  DDRelease();
  plat::DisplayControl().Reset();

  // Hardware vertex processing refused: software is used.
  plat::DisplayControl().FailNext(plat::DisplayOp::kCreateDeviceHardware);
  ASSERT_TRUE(Init(1, 32, 0));
  EXPECT_TRUE(Reported("Device HAL-SOFT"));
  DDRelease();

  plat::DisplayControl().FailNext(plat::DisplayOp::kCreateDeviceHardware);
  plat::DisplayControl().FailNext(plat::DisplayOp::kCreateDeviceSoftware);
  EXPECT_FALSE(Init(1, 32, 0));
  DDRelease();

  plat::DisplayControl().FailNext(plat::DisplayOp::kCreateVertexBuffer);
  EXPECT_FALSE(Init(1, 16, 0));
  EXPECT_TRUE(Reported("Back CreateVertexBuffer Err"));
  DDRelease();
  EXPECT_EQ(lpDTCon, nullptr);
}

TEST_F(DrawSetUp, DirectDrawFailuresStopTheSetUpAndReleaseCleanly) {
  struct Case {
    plat::DisplayOp op;
    int failures, bpp, windowed;
    const char* line;
  } cases[] = {
      {plat::DisplayOp::kDirectDrawCreate, 1, 32, 0, "DirectDrawCreateEx Err"},
      {plat::DisplayOp::kSetCooperativeLevel, 1, 16, 0, "SetCooperativeLevel Err"},
      {plat::DisplayOp::kSetDisplayMode, 1, 32, 0, "SetDisplayMode Err"},
      {plat::DisplayOp::kCreatePrimary, 1, 8, 0, "Primary CreateSurface Err"},
      {plat::DisplayOp::kGetAttachedSurface, 1, 16, 0, "GetAttachedSurface Err"},
      {plat::DisplayOp::kCreatePalette, 1, 32, 0, "CreatePalette Err"},
      {plat::DisplayOp::kSetPalette, 1, 8, 0, "SetPalette Err"},
      {plat::DisplayOp::kCreateSurface, 1, 32, 0, "CreateSurface System Err"},  // the screen copy
      {plat::DisplayOp::kCreateSurface, 2, 32, 1, "CreateSurface Video -> System Err"},  // the back buffer
      {plat::DisplayOp::kCreateClipper, 1, 32, 1, "CreateClipper Err"},
      {plat::DisplayOp::kClipperSetWindow, 1, 16, 1, "SetHWnd Err"},
      {plat::DisplayOp::kSetClipper, 1, 32, 1, "SetClipper Err"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    plat::DisplayControl().Reset();
    plat::DisplayControl().Machine().desktopBpp = c.windowed ? c.bpp : 32;
    plat::DisplayControl().FailNext(c.op, c.failures);
    EXPECT_FALSE(Init(0, c.bpp, c.windowed));
    EXPECT_TRUE(Reported(c.line));
    DDRelease();  // after a partial set-up
    EXPECT_EQ(lpDD, nullptr);
    EXPECT_EQ(lpDDCon, nullptr);
    EXPECT_FALSE(PrimarySD.lpDDPart || BackBuffer.lpDDPart || ScreenCopySD.lpDDPart);
    ASSERT_TRUE(Init(0, c.bpp, c.windowed));  // nothing left behind
    DDRelease();
  }
}

TEST_F(DrawSetUp, DisplayModeAndRefreshRate) {
  // Full screen asking for 60 Hz on a display that only offers 75 Hz retries
  // without a rate.
  plat::DisplayControl().Machine().fullScreenRefreshRates = {75};
  ASSERT_TRUE(Init(0, 32, 0, 0, 1));
  uint32_t hz = 0;
  lpDD->GetMonitorFrequency(&hz);
  EXPECT_EQ(hz, 75u);
  DDRelease();

  // A windowed Direct3D game with vsync on a desktop stuck at 75 Hz runs without vsync.
  plat::DisplayControl().Machine().desktopRefresh = 75;
  plat::DisplayControl().Machine().desktopCan60Hz = false;
  ASSERT_TRUE(Init(1, 32, 1, 1));
  EXPECT_EQ(DDSettings.bVSync, 0);
  EXPECT_EQ(lpDTCon->PresentParams.presentInterval, plat::kIntervalImmediate);
  EXPECT_TRUE(Reported("ChangeDisplaySettings != DISP_CHANGE_SUCCESSFUL"));
  EXPECT_TRUE(Reported("RefreshRate : 75"));
  EXPECT_TRUE(Reported("リフレッシュレートの変更に失敗しました！垂直同期が無効になります！"));
  DDRelease();

  // A desktop that can switch to 60 Hz keeps vsync.
  plat::DisplayControl().Machine().desktopCan60Hz = true;
  ASSERT_TRUE(Init(1, 32, 1, 1));
  EXPECT_EQ(DDSettings.bVSync, 1);
  EXPECT_TRUE(Reported("RefreshRate : 60"));
}

TEST_F(DrawSetUp, ASecondSetUpReleasesTheFirst) {
  ASSERT_TRUE(Init(1, 32, 0));
  ASSERT_TRUE(Init(0, 16, 0));
  EXPECT_EQ(lpDTCon, nullptr);
  EXPECT_EQ(lpD3D, nullptr);
  EXPECT_TRUE(SurfaceList.empty());
  ASSERT_NE(lpDDCon, nullptr);
  plat::DisplayControl().Machine().desktopBpp = 16;
  ASSERT_TRUE(Init(0, 16, 1));
  EXPECT_NE(lpDDCon, nullptr);  // the new device record survives the release of the old set-up
  EXPECT_TRUE(lpDDClipper != nullptr);
  ASSERT_TRUE(Init(1, 16, 1));
  EXPECT_EQ(lpDDCon, nullptr);
  EXPECT_EQ(lpDD, nullptr);
}

TEST_F(DrawSetUp, ASurfaceLeftAtReleaseIsReported) {
  ASSERT_TRUE(Init(0, 32, 0));
  DDSURFACEDATA forgotten;
  ASSERT_TRUE(DDCreateSurface(&forgotten, 8, 8, 1, DDMEMKIND_VIDEO, 0, 0, 0));
  DDRelease();
  EXPECT_TRUE(Reported("MessageBox [DirectDraw] 解放漏れがあります"));
}

}  // namespace
