#include <gtest/gtest.h>

#include "tests/support/draw_fixture.h"

namespace {

class SurfaceLock : public cDrawTest {};

bool Start(int backEnd, int bpp) {
  return DDInit(backEnd, 1, 640, 480, bpp, 0, 0, 1, 60, 0, Off_Sys, SysBmpInfo, SYS_BMP_COUNT);
}

TEST_F(SurfaceLock, RenderTargetsAreReadBackAndWrittenBack) {
  ASSERT_TRUE(Start(1, 32));
  DDSURFACEDATA sd;
  ASSERT_TRUE(DDCreateSurface(&sd, 16, 16, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  DDFillRect(&sd, 0, 0, 16, 16, 0xFF112233);
  {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(&sd));
    EXPECT_EQ(lock.m_lpSD, &sd);
    EXPECT_EQ(lock.m_nBitsPerPixel, 32);
    EXPECT_GE(lock.m_nPitch, 16);
    EXPECT_EQ(plat::Load32(lock.Row(3) + 4 * 3), 0xFF112233u);  // drawn on the device, read back
    plat::Store32(lock.Row(4) + 4 * 4, 0xFF445566);
  }
  // The change reached the texture: drawing it shows it.
  DDBltFast(&BackBuffer, 0, 0, 16, 16, &sd, 0, 0, 0);
  ASSERT_EQ(DDPresent(60, 0, nullptr), 1);
  plat::PresentedFrame frame;
  ASSERT_TRUE(plat::TakeFrame(frame));
  EXPECT_EQ(frame.pixels[4 * 640 + 4], 0x445566u);
  EXPECT_EQ(frame.pixels[3 * 640 + 3], 0x112233u);
  DDReleaseSurface(&sd);
}

TEST_F(SurfaceLock, AliasesAndTheVirtualBackBufferAreFollowed) {
  ASSERT_TRUE(Start(1, 16));
  DDSURFACEDATA sd, alias;
  ASSERT_TRUE(DDCreateSurface(&sd, 8, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  alias.lpAliasSD = &sd;
  {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(&alias));
    EXPECT_EQ(lock.m_lpSD, &sd);
    EXPECT_EQ(lock.m_nBytesPerPixel, 2);
  }
  DDSetVirBackBuffer(1);
  {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(&BackBuffer));
    EXPECT_EQ(lock.m_lpSD, &VirBackBuffer);
  }
  DDSetVirBackBuffer(0);
  {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(&BackBuffer));  // the lockable back buffer itself
    EXPECT_EQ(lock.m_lpSD, &BackBuffer);
    EXPECT_EQ(lock.m_nWidth, 640);
  }
  DDSURFACEDATA empty;
  cSurfaceLock lock;
  EXPECT_FALSE(lock.Lock(&empty));  // nothing to lock
  EXPECT_FALSE(lock.Lock(nullptr));
  void* bits = &empty;
  plat::LockedRect desc;
  EXPECT_TRUE(DDLock(&sd, &desc, &bits, 16));  // DirectDraw only: no pointer under Direct3D
  EXPECT_EQ(bits, &empty);
  DDReleaseSurface(&sd);
}

TEST_F(SurfaceLock, DirectDrawLocksAndFailures) {
  ASSERT_TRUE(Start(0, 16));
  DDSURFACEDATA sd;
  ASSERT_TRUE(DDCreateSurface(&sd, 10, 4, 0, DDMEMKIND_VIDEO, 0, 0, 0));
  DDFillRect(&sd, 2, 1, 3, 2, 0x1234);
  {
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(&sd));
    EXPECT_EQ(lock.m_nBytesPerPixel, 2);
    EXPECT_GE(lock.m_nPitch, 10);
    EXPECT_EQ(plat::Load16(lock.Row(2) + 2 * 4), 0x1234u);
    EXPECT_EQ(plat::Load16(lock.Row(0) + 2 * 4), 0u);
    cSurfaceLock again;
    EXPECT_FALSE(again.Lock(&sd));  // already locked
  }
  plat::DisplayControl().FailNext(plat::DisplayOp::kLock);
  cSurfaceLock failed;
  EXPECT_FALSE(failed.Lock(&sd));
  plat::DisplayControl().LoseSurfaces();
  EXPECT_FALSE(failed.Lock(&sd));
  EXPECT_TRUE(sd.lpDDPart->lpSurface->IsLost());
  DDReleaseSurface(&sd);
}

}  // namespace
