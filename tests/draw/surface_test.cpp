#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/base/shell_globals.h"
#include "app/base/vector.h"
#include "tests/support/draw_fixture.h"
#include "tools/draw_tool/bmp_writer.h"

namespace {

class Surfaces : public cDrawTest {};

bool Start(int backEnd, int bpp) {
  return DDInit(backEnd, 1, 640, 480, bpp, 0, 0, 1, 60, 0, Off_Sys, SysBmpInfo, SYS_BMP_COUNT) &&
         DDInitPaletteAndTransmit(0, 0, 0, 0);
}

void WritePicture(const char* name, int w, int h) {
  ASSERT_TRUE(draw_tool::WriteBytes(name, draw_tool::EncodeBmp8(w, h, std::vector<uint8_t>(size_t(w) * h, 5),
                                                                  draw_tool::SheetPalette())));
}

TEST_F(Surfaces, TheSurfaceListFollowsRecordsInGrowingContainers) {
  ASSERT_TRUE(Start(1, 32));
  const size_t base = SurfaceList.size();
  cVector<DDSURFACEDATA> surfaces;
  cVector<DDSURFACEINFO> infos;
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(DDAddSurface(surfaces, infos, 16, 16, 1, 0, 0, 0));
  ASSERT_EQ(SurfaceList.size(), base + 40);
  // Every entry is a record where it lives now, not where the vector had it before growing.
  std::set<const DDSURFACEDATA*> records;
  for (const DDSURFACEDATA& sd : surfaces) records.insert(&sd);
  int found = 0;
  for (DDSURFACEDATA* e : SurfaceList) found += records.count(e);
  EXPECT_EQ(found, 40);

  DDSURFACEDATA copy = surfaces[3];  // a copy owns no surface
  EXPECT_EQ(copy.lpDT, nullptr);
  EXPECT_EQ(copy.nWidth, 16);
  EXPECT_EQ(DDRemoveSurfaceFromList(surfaces, infos, &surfaces[5]), 1);
  EXPECT_EQ(surfaces.size(), 39u);
  EXPECT_EQ(infos.size(), 39u);
  EXPECT_EQ(SurfaceList.size(), base + 39);
  EXPECT_EQ(DDRemoveSurfaceFromList(surfaces, infos, &copy), 0);
  surfaces.erase(surfaces.begin());  // records move down; the list follows
  for (DDSURFACEDATA* e : SurfaceList) EXPECT_NE(e->lpDT, nullptr);
  surfaces.clear();  // dropped without a release: no entry is left dangling
  EXPECT_EQ(SurfaceList.size(), base);

  cList<DDSURFACEDATA> list;
  cList<DDSURFACEINFO> listInfos;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(DDAddSurfaceToList(list, listInfos, 8, 8, 0, 0, 0, 0));
  EXPECT_EQ(SurfaceList.size(), base + 3);
  DDReleaseSurfaceList(list);
  EXPECT_EQ(SurfaceList.size(), base);
}

TEST_F(Surfaces, TextureSizesFollowTheDevice) {
  WritePicture("p.bmp", 300, 200);
  plat::DisplayControl().Machine().caps.pow2Textures = true;
  ASSERT_TRUE(Start(1, 32));
  DDSURFACEDATA sd;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "p.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(sd.nWidth, 300);
  EXPECT_EQ(sd.nHeight, 200);
  EXPECT_EQ(sd.nTexWidth, 512);
  EXPECT_EQ(sd.nTexHeight, 256);
  DDReleaseSurface(&sd);
  DDRelease();
  plat::DisplayControl().Machine().caps.squareTextures = true;
  ASSERT_TRUE(Start(1, 32));
  ASSERT_EQ(DDCreateSurfaceFromFile(&sd, "p.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(sd.nTexWidth, 512);
  EXPECT_EQ(sd.nTexHeight, 512);
  int w = 0, h = 3;
  DDAdjustTextureSize(w, h);
  EXPECT_EQ(w, 4);  // square: both take the larger side, 0 itself stays a power of two
  DDReleaseSurface(&sd);
  DDRelease();
  // Larger than the device allows: reported, and the creation goes on (and fails).
  plat::DisplayControl().Machine().caps = plat::DeviceCaps{};
  plat::DisplayControl().Machine().caps.maxTextureWidth = 256;
  ASSERT_TRUE(Start(1, 32));
  EXPECT_LT(DDCreateSurfaceFromFile(&sd, "p.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_TRUE(Reported("このビデオカードでは横幅256を超える画像はサポートされていません！"));
  EXPECT_TRUE(Reported("テクスチャの作成に失敗。(p.bmp)"));
  EXPECT_TRUE(DDSurfaceErrorCheck(-5));  // a texture failure is not a load failure
}

TEST_F(Surfaces, ReleasingAnAliasLeavesTheSheet) {
  ASSERT_TRUE(draw_tool::StartDrawing({1, 32, 0}));
  DDReleaseSurface(&Off_Sys[5]);
  EXPECT_EQ(Off_Sys[5].lpDT, nullptr);
  ASSERT_NE(Off_Sys[4].lpDT, nullptr);
  EXPECT_NE(Off_Sys[4].lpDT->lpTexture, nullptr);
  EXPECT_NE(std::find(SurfaceList.begin(), SurfaceList.end(), &Off_Sys[4]), SurfaceList.end());
}

TEST_F(Surfaces, EightBitScreensCopyPaletteIndexes) {
  ASSERT_TRUE(Start(0, 8));
  DDSURFACEDATA sd;
  ASSERT_TRUE(DDCreateSurface(&sd, 8, 8, 1, DDMEMKIND_VIDEO, 0, 0, 0));
  // A picture of another size copies nothing, and that is no failure.
  EXPECT_TRUE(CopyBitmap(&sd, "bmp\\Window.bmp", 8, 0, 0, 0));
  EXPECT_EQ(sd.lpDDPart->lpSurface->GetPixel(3, 3), 0u);
  WritePicture("w8.bmp", 8, 8);
  EXPECT_TRUE(CopyBitmap(&sd, "w8.bmp", 8, 0, 0, 0));
  EXPECT_EQ(sd.lpDDPart->lpSurface->GetPixel(3, 3), 5u);
  // A true-colour picture has no indexes for an 8-bit screen.
  ASSERT_TRUE(draw_tool::WriteBytes("t24.bmp", draw_tool::EncodeBmp24(2, 2, {1, 2, 3, 4})));
  DDSURFACEDATA truecolour;
  EXPECT_EQ(DDCreateSurfaceFromFile(&truecolour, "t24.bmp", 1, 8, 0, 0, 0, 0, 0, 0, 0), DDERRCODE_LOADIMAGE);
  EXPECT_FALSE(DDSurfaceErrorCheck(DDERRCODE_LOADIMAGE));
  DDReleaseSurface(&sd);
  DDReleaseSurface(&truecolour);
}

TEST_F(Surfaces, OutOfVideoMemoryFallsBackToSystemMemory) {
  ASSERT_TRUE(Start(0, 32));
  DDSURFACEDATA sd;
  plat::DisplayControl().FailNext(plat::DisplayOp::kVideoMemory);
  ASSERT_TRUE(DDCreateSurface(&sd, 8, 8, 1, DDMEMKIND_VIDEO, 0, 0, 0));
  EXPECT_EQ(sd.nMemKind, DDMEMKIND_SYSTEM);
  DDReleaseSurface(&sd);
  DDRelease();

  ASSERT_TRUE(Start(1, 32));
  plat::DisplayControl().FailNext(plat::DisplayOp::kVideoMemory);
  ASSERT_TRUE(DDCreateSurface(&sd, 8, 8, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  EXPECT_EQ(sd.lpDT->nMemType, DTMEMORYTYPE_SYSTEM);
  EXPECT_EQ(sd.lpDT->bRenderTarget, 0);
  EXPECT_EQ(sd.lpDT->lpSurface->Pool(), plat::MemoryPool::kSystem);
  EXPECT_TRUE(Reported("VRAM不足のためシステムメモリにテクスチャを作成します。(空)"));
  DDSURFACEDATA file;
  plat::DisplayControl().FailNext(plat::DisplayOp::kVideoMemory);
  ASSERT_EQ(DDCreateSurfaceFromFile(&file, "bmp\\Item.bmp", 1, 32, 0, 0, 0, 0, 0, 0, 0), 0);
  EXPECT_EQ(file.lpDT->nMemType, DTMEMORYTYPE_SYSTEM);
  EXPECT_TRUE(Reported("VRAM不足のためシステムメモリにテクスチャを作成します。(bmp\\Item.bmp)"));
  DDReleaseSurface(&sd);
  DDReleaseSurface(&file);
}

TEST_F(Surfaces, ATextureThatCannotBeMadeClosesTheGame) {
  hMainWnd = plat::RegisterWindow();
  ASSERT_TRUE(Start(1, 32));
  lpDTCon->strMessage = plat::Utf8ToSjis("テクスチャの作成に失敗しました！");
  DDSURFACEDATA sd;
  plat::DisplayControl().FailNext(plat::DisplayOp::kCreateTexture);
  EXPECT_FALSE(DDCreateSurface(&sd, 8, 8, 1, DDMEMKIND_SYSTEM, DTMEMORYTYPE_SYSTEM, 0, 0));
  EXPECT_TRUE(Reported("D3DXCreateTexture Err hr = "));
  EXPECT_TRUE(Reported("MessageBox [エラー] テクスチャの作成に失敗しました！"));
  plat::MSG msg;
  ASSERT_TRUE(plat::PeekMessage(&msg, true));
  EXPECT_EQ(msg.message, plat::WM_CLOSE);
  DDReleaseSurface(&sd);
  plat::UnregisterWindow(hMainWnd);
  hMainWnd = 0;
}

TEST_F(Surfaces, Direct3DMirrorTexturesHoldMirroredCells) {
  const draw_tool::SheetDesc& sheet = draw_tool::SheetDescs()[2];
  ASSERT_TRUE(Start(1, 32));
  DDSURFACEDATA sd;
  ASSERT_EQ(DDCreateSurfaceFromFile(&sd, sheet.gamePath.c_str(), 1, 32, 0, 0, 0, 0, 32, 0, 0), 0);
  const plat::cSurface& tex = *sd.lpDT->lpSurface;
  const plat::PaletteEntry* palette = draw_tool::SheetPalette();
  int wrong = 0;
  for (int y = 0; y < sheet.height; ++y)
    for (int x = 0; x < sheet.width; ++x) {
      uint8_t index = draw_tool::SheetPixel(sheet, (x / 32) * 32 + 31 - x % 32, y);
      uint32_t want = index == 0 ? 0u
                                 : 0xFF000000u | uint32_t(palette[index].red) << 16 |
                                       uint32_t(palette[index].green) << 8 | palette[index].blue;
      wrong += tex.GetPixel(x, y) != want;
    }
  EXPECT_EQ(wrong, 0);
  DDReleaseSurface(&sd);
}

TEST_F(Surfaces, BitmapSizeCheck) {
  ASSERT_TRUE(Start(0, 32));
  int larger = -1;
  EXPECT_EQ(DDCheckBitmapSize(&larger, "bmp\\Title.bmp", 640, 480), 1);
  EXPECT_EQ(larger, 0);
  EXPECT_EQ(DDCheckBitmapSize(&larger, "bmp\\Title.bmp", 640, 479), 1);
  EXPECT_EQ(larger, 1);
  EXPECT_EQ(DDCheckBitmapSize(&larger, "bmp\\None.bmp", 640, 480), 0);
  EXPECT_EQ(larger, 0);
}

}  // namespace
