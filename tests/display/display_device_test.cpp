#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/display/d3d_device.h"
#include "platform/display/ddraw_device.h"
#include "platform/display/display_control.h"
#include "platform/files.h"
#include "platform/present_slot.h"
#include "tests/support/temp_dir.h"
#include "tools/draw_tool/bmp_writer.h"

namespace {

using plat::PixelFormat;

class DisplayDevice : public testing::Test {
 protected:
  void SetUp() override { plat::DisplayControl().Reset(); }
  void TearDown() override { plat::DisplayControl().Reset(); }
};

std::shared_ptr<plat::cD3DDevice> MakeDevice(PixelFormat back = PixelFormat::kX8R8G8B8) {
  auto d3d = plat::cD3D::Create();
  plat::PresentParams pp;
  pp.backBufferFormat = back;
  pp.lockableBackBuffer = true;
  std::shared_ptr<plat::cD3DDevice> device;
  EXPECT_EQ(d3d->CreateDevice(1, plat::kCreateHardwareVertexProcessing, &pp, &device), plat::kOk);
  return device;
}

TEST_F(DisplayDevice, TextureLoadTurnsTheColourKeyIntoAlpha) {
  cTempDir dir(false);
  // 3 x 2: magenta is the key; the texture is larger than the picture.
  std::vector<uint32_t> picture = {0xFF00FF, 0x102030, 0xFF00FF, 0x405060, 0xFFFFFF, 0x000000};
  ASSERT_TRUE(draw_tool::WriteBytes("pic.bmp", draw_tool::EncodeBmp24(3, 2, picture)));
  auto device = MakeDevice();
  for (PixelFormat format : {PixelFormat::kA8R8G8B8, PixelFormat::kA1R5G5B5}) {
    SCOPED_TRACE(plat::PixelFormatName(format));
    std::shared_ptr<plat::cTexture> tex;
    plat::ImageInfo info;
    ASSERT_EQ(plat::CreateTextureFromBmpFile(device.get(), "pic.bmp", 4, 4, 0, format, plat::MemoryPool::kManaged,
                                             0xFFFF00FF, &info, &tex),
              plat::kOk);
    EXPECT_EQ(info.width, 3);
    EXPECT_EQ(info.height, 2);
    const plat::cSurface& s = *tex->Level0();
    EXPECT_EQ(s.GetPixel(0, 0), 0u);  // key: transparent black
    EXPECT_EQ(s.GetPixel(2, 0), 0u);
    EXPECT_EQ(s.GetPixel(1, 0), plat::ArgbToPixel(format, 0xFF102030));
    EXPECT_EQ(s.GetPixel(2, 1), plat::ArgbToPixel(format, 0xFF000000));  // black stays opaque
    EXPECT_EQ(s.GetPixel(3, 3), 0u);                                      // outside the picture
  }
  std::shared_ptr<plat::cTexture> tex;
  EXPECT_EQ(plat::CreateTextureFromBmpFile(device.get(), "missing.bmp", 4, 4, 0, PixelFormat::kA8R8G8B8,
                                           plat::MemoryPool::kManaged, 0, nullptr, &tex),
            plat::kErrInvalidCall);
}

TEST_F(DisplayDevice, ALostDeviceResetsOnlyWhenItsVideoObjectsAreGone) {
  auto device = MakeDevice();
  std::shared_ptr<plat::cTexture> target, managed;
  ASSERT_EQ(device->CreateTexture(8, 8, 1, plat::cSurface::kUsageRenderTarget, PixelFormat::kA8R8G8B8,
                                  plat::MemoryPool::kVideo, &target),
            plat::kOk);
  ASSERT_EQ(device->CreateTexture(8, 8, 1, 0, PixelFormat::kA8R8G8B8, plat::MemoryPool::kManaged, &managed), plat::kOk);
  std::shared_ptr<plat::cSurface> back;
  device->GetBackBuffer(&back);

  EXPECT_EQ(device->Present(), plat::kOk);
  plat::DisplayControl().LoseDevice();
  EXPECT_EQ(device->Present(), plat::kErrDeviceLost);
  EXPECT_EQ(device->TestCooperativeLevel(), plat::kErrDeviceLost);
  EXPECT_EQ(device->Reset(nullptr), plat::kErrDeviceLost);
  plat::DisplayControl().RegainDevice();
  EXPECT_EQ(device->TestCooperativeLevel(), plat::kErrDeviceNotReset);
  EXPECT_EQ(device->Reset(nullptr), plat::kErrInvalidCall);  // the render target is alive
  target.reset();
  EXPECT_EQ(device->Reset(nullptr), plat::kErrInvalidCall);  // so is a reference to the back buffer
  back.reset();
  EXPECT_EQ(device->Reset(nullptr), plat::kOk);  // managed textures survive
  EXPECT_EQ(device->TestCooperativeLevel(), plat::kOk);
  EXPECT_EQ(device->Present(), plat::kOk);
}

TEST_F(DisplayDevice, Direct3DRulesThatCatchMisuse) {
  auto device = MakeDevice();
  std::shared_ptr<plat::cTexture> target, system;
  ASSERT_EQ(device->CreateTexture(4, 4, 1, plat::cSurface::kUsageRenderTarget, PixelFormat::kA8R8G8B8,
                                  plat::MemoryPool::kVideo, &target),
            plat::kOk);
  ASSERT_EQ(device->CreateTexture(4, 4, 1, plat::cSurface::kUsageDynamic, PixelFormat::kA8R8G8B8,
                                  plat::MemoryPool::kSystem, &system),
            plat::kOk);
  plat::LockedRect lr;
  EXPECT_NE(target->Level0()->Lock(&lr), plat::kOk);  // render targets are read through a copy
  EXPECT_EQ(system->Level0()->Lock(&lr), plat::kOk);
  EXPECT_NE(system->Level0()->Lock(&lr), plat::kOk);  // already locked
  EXPECT_EQ(system->Level0()->Unlock(), plat::kOk);
  EXPECT_NE(device->SetRenderTarget(0, system->Level0()), plat::kOk);
  plat::Vertex quad[4] = {};
  EXPECT_NE(device->DrawTriangleStripUP(quad, 2), plat::kOk);  // outside a scene
  ASSERT_EQ(device->BeginScene(), plat::kOk);
  EXPECT_NE(device->BeginScene(), plat::kOk);
  device->SetTexture(0, system);
  EXPECT_NE(device->DrawTriangleStripUP(quad, 2), plat::kOk);  // a system-memory texture cannot be drawn from
  EXPECT_NE(device->Present(), plat::kOk);                     // inside a scene
  EXPECT_EQ(device->EndScene(), plat::kOk);
  // Textures beyond the device's limits are refused.
  plat::DisplayControl().Machine().caps.pow2Textures = true;
  std::shared_ptr<plat::cTexture> odd;
  EXPECT_NE(device->CreateTexture(300, 200, 1, 0, PixelFormat::kA8R8G8B8, plat::MemoryPool::kManaged, &odd), plat::kOk);
  EXPECT_EQ(device->CreateTexture(512, 256, 1, 0, PixelFormat::kA8R8G8B8, plat::MemoryPool::kManaged, &odd), plat::kOk);
}

TEST_F(DisplayDevice, VideoMemoryRunsOut) {
  plat::DisplayControl().Machine().videoMemoryBytes = 64 * 64 * 4 * 2;
  std::shared_ptr<plat::cDDraw> dd;
  ASSERT_EQ(plat::cDDraw::Create(&dd), plat::kOk);
  std::shared_ptr<plat::cSurface> a, b, c;
  EXPECT_EQ(dd->CreateSurface(64, 64, plat::MemoryPool::kVideo, &a), plat::kOk);
  EXPECT_EQ(dd->CreateSurface(64, 64, plat::MemoryPool::kVideo, &b), plat::kOk);
  EXPECT_EQ(dd->CreateSurface(64, 64, plat::MemoryPool::kVideo, &c), plat::kErrOutOfVideoMemory);
  EXPECT_EQ(dd->CreateSurface(64, 64, plat::MemoryPool::kSystem, &c), plat::kOk);
  uint32_t total = 0, free = 1;
  dd->GetAvailableVidMem(&total, &free);
  EXPECT_EQ(free, 0u);
  a.reset();
  dd->GetAvailableVidMem(&total, &free);
  EXPECT_EQ(free, 64u * 64 * 4);
  EXPECT_EQ(dd->LiveObjects(), 2);
  plat::DisplayControl().FailNext(plat::DisplayOp::kVideoMemory, 1);
  EXPECT_EQ(dd->CreateSurface(8, 8, plat::MemoryPool::kVideo, &a), plat::kErrOutOfVideoMemory);
  EXPECT_EQ(dd->CreateSurface(8, 8, plat::MemoryPool::kVideo, &a), plat::kOk);
}

TEST_F(DisplayDevice, DirectDrawBlitsFillsAndLoss) {
  std::shared_ptr<plat::cDDraw> dd;
  ASSERT_EQ(plat::cDDraw::Create(&dd), plat::kOk);
  std::shared_ptr<plat::cSurface> src, dst;
  ASSERT_EQ(dd->CreateSurface(4, 1, plat::MemoryPool::kVideo, &src), plat::kOk);
  ASSERT_EQ(dd->CreateSurface(8, 2, plat::MemoryPool::kSystem, &dst), plat::kOk);
  for (int x = 0; x < 4; ++x) src->SetPixel(x, 0, x == 2 ? 0xFF00FF : 0x100 * (x + 1));
  src->SetColorKey(0xFF00FF);
  dst->FillAll(7);
  plat::Rect all{0, 0, 4, 1};
  EXPECT_EQ(dst->BltFast(0, 0, src.get(), &all, true), plat::kOk);
  EXPECT_EQ(dst->GetPixel(2, 0), 7u);  // the key is skipped
  EXPECT_EQ(dst->GetPixel(3, 0), 0x400u);
  plat::Rect wide{0, 1, 8, 2};
  EXPECT_EQ(dst->Blt(&wide, src.get(), &all, 0), plat::kOk);  // doubled: pixel k from k / 2
  for (int k = 0; k < 8; ++k) EXPECT_EQ(dst->GetPixel(k, 1), src->GetPixel(k / 2, 0)) << k;
  plat::Rect fill{6, 0, 8, 2};
  EXPECT_EQ(dst->Blt(&fill, nullptr, nullptr, plat::cSurface::kBltColorFill, 9), plat::kOk);
  EXPECT_EQ(dst->GetPixel(7, 1), 9u);
  plat::Rect outside{6, 0, 9, 1};
  EXPECT_EQ(dst->Blt(&outside, src.get(), nullptr, 0), plat::kErrInvalidRect);

  plat::DisplayControl().LoseSurfaces();
  EXPECT_TRUE(src->IsLost());
  EXPECT_EQ(src->GetPixel(1, 0), 0u);  // video memory lost its picture
  EXPECT_EQ(dst->GetPixel(7, 1), 9u);  // system memory kept it
  EXPECT_EQ(dst->BltFast(0, 0, src.get(), &all, false), plat::kErrSurfaceLost);
  plat::LockedRect lr;
  EXPECT_EQ(src->Lock(&lr), plat::kErrSurfaceLost);
  src->Restore();
  dst->Restore();
  EXPECT_EQ(dst->BltFast(0, 0, src.get(), &all, false), plat::kOk);
}

TEST_F(DisplayDevice, FlippingShowsTheBackBuffer) {
  std::shared_ptr<plat::cDDraw> dd;
  ASSERT_EQ(plat::cDDraw::Create(&dd), plat::kOk);
  ASSERT_EQ(dd->SetCooperativeLevel(1, plat::kCoopFullScreen | plat::kCoopExclusive), plat::kOk);
  EXPECT_EQ(dd->SetDisplayMode(16, 8, 32, 75), plat::kErrUnsupportedMode);  // the machine offers 60 Hz only
  ASSERT_EQ(dd->SetDisplayMode(16, 8, 32, 0), plat::kOk);
  std::shared_ptr<plat::cSurface> primary, back;
  ASSERT_EQ(dd->CreatePrimarySurface(1, 0, 0, &primary), plat::kOk);
  ASSERT_EQ(primary->GetAttachedBackBuffer(&back), plat::kOk);
  back->FillAll(0x00123456);
  uint64_t before = plat::SubmittedFrameCount();
  ASSERT_EQ(primary->Flip(), plat::kOk);
  EXPECT_EQ(plat::SubmittedFrameCount(), before + 1);
  plat::PresentedFrame frame;
  ASSERT_TRUE(plat::TakeFrame(frame));
  EXPECT_EQ(frame.width, 16);
  EXPECT_EQ(frame.pixels[0], 0x123456u);
}

}  // namespace
