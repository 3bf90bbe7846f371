#include "draw/sys_bmp_table.h"

#include <cstdio>
#include <cstring>

#include "app/base/message_box.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "platform/sjis.h"

DDSURFACEINFO SysBmpInfo[SYS_BMP_COUNT];

namespace {

constexpr int kSystem = DDMEMKIND_SYSTEM;

// The entry each copy stands for under Direct3D (-1: none).
int AliasOf(int index) {
  if (index == 3) return 2;
  if (index >= 5 && index <= 19 && (index & 1)) return index - 1;
  if (index == 21) return 20;
  if (index >= 22 && index <= 37) return 4 + ((index - 22) / 2) * 2;
  if (index == 38 || index == 39) return 20;
  if (index == 41) return 40;
  if (index == 44) return 43;
  if (index == 68) return 67;
  return -1;
}

struct cSysBmpInfoBuilder {
  cSysBmpInfoBuilder() { BuildSysBmpInfo(); }
} gBuildSysBmpInfo;

}  // namespace

void BuildSysBmpInfo() {
  DDSURFACEINFO* t = SysBmpInfo;
  //          file                          key mem      d3d nt pal opt mcw mch w    h
  t[0].Set("bmp\\plt\\Palette.bmp",          0, kSystem, 0, 0, 0, 0, 0, 0, 0, 0);
  t[1].Set("bmp\\Debug.bmp",                 1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[2].Set("bmp\\Block.bmp",                 1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[3].Set("bmp\\Block.bmp",                 1, kSystem, 0, 1, 0, 0, 0, 0, 0, 0);
  t[4].Set("bmp\\Character1.bmp",            1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[5].Set("bmp\\Character1.bmp",            1, 0,       0, 1, 0, 0, 32, 0, 0, 0);
  char name[64];
  for (int n = 2; n <= 8; ++n) {
    std::snprintf(name, sizeof name, "bmp\\Character%d.bmp", n);
    int i = 6 + (n - 2) * 2;
    t[i].Set(name, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0);
    t[i + 1].Set(name, 1, 0, 0, 1, 0, 1, 32, 0, 0, 0);
  }
  t[20].Set("bmp\\Shot.bmp",                 1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[21].Set("bmp\\Shot.bmp",                 1, 0,       0, 1, 0, 0, 16, 0, 0, 0);
  for (int n = 1; n <= 8; ++n) {
    std::snprintf(name, sizeof name, "bmp\\Character%d.bmp", n);
    int i = 22 + (n - 1) * 2;
    int optional = n >= 2;
    t[i].Set(name, 1, kSystem, 0, 1, 0, optional, 0, 0, 0, 0);
    t[i + 1].Set(name, 1, kSystem, 0, 1, 0, optional, 32, 0, 0, 0);
  }
  t[38].Set("bmp\\Shot.bmp",                 1, kSystem, 0, 1, 0, 0, 0, 0, 0, 0);
  t[39].Set("bmp\\Shot.bmp",                 1, kSystem, 0, 1, 0, 0, 16, 0, 0, 0);
  t[40].Set("bmp\\Item.bmp",                 1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[41].Set("bmp\\Item.bmp",                 1, kSystem, 0, 1, 0, 0, 0, 0, 0, 0);
  t[42].Set("bmp\\Item_Mini.bmp",            1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[43].Set("bmp\\Mark.bmp",                 1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[44].Set("bmp\\Mark.bmp",                 1, kSystem, 0, 1, 0, 0, 0, 0, 0, 0);
  t[45].Set("bmp\\Window.bmp",               0, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[46].Set("bmp\\StatusWindow.bmp",         1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[47].Set("bmp\\Title.bmp",                0, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[48].Set("bmp\\GameMode.bmp",             1, 0,       0, 0, 0, 1, 0, 0, 0, 0);
  t[49].Set("bmp\\Accessory.bmp",            1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[50].Set("bmp\\Symbol.bmp",               1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[51].Set("bmp\\Word.bmp",                 1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[52].Set("bmp\\WorldMapChip.bmp",         1, 0,       0, 0, 0, 0, 0, 0, 0, 0);
  t[53].Set("bmp\\WorldEvent.bmp",           1, kSystem, 0, 0, 0, 0, 0, 0, 0, 0);
  t[54].Set("bmp\\WorldBack.bmp",            0, kSystem, 0, 0, 0, 1, 0, 0, 0, 0);
  for (int n = 1; n <= 8; ++n) {
    std::snprintf(name, sizeof name, "%s%d.bmp", SJ("背景その"), n);
    t[54 + n].Set(name, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0);
  }
  t[63].Set("E",                             1, kSystem, 0, 0, 0, 0, 0, 0, 256, 960);
  t[64].Set("E",                             1, kSystem, 0, 0, 0, 0, 0, 0, 256, 960);
  t[65].Set("E",                             1, kSystem, 0, 0, 0, 0, 0, 0, 640, 480);
  t[66].Set("E",                             0, kSystem, 0, 0, 0, 0, 0, 0, 640, 480);
  t[67].Set("E",                             1, 0,       0, 0, 0, 0, 0, 0, 640, 480);
  t[68].Set("E",                             1, kSystem, 0, 1, 0, 0, 0, 0, 640, 480);
  t[69].Set("E",                             1, 0,       DTMEMORYTYPE_VIDEO_NORT, 0, 0, 0, 0, 0, 1024, 1024);
  t[70].Set("E",                             1, kSystem, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0, 1024, 1024);
}

bool DDLoadSurfaceTable(DDSURFACEDATA* lpSurfaces, const int* lpIndexes, int nCount) {
  if (!lpSurfaces || !lpIndexes) return nCount <= 0;
  for (int n = 0; n < nCount; ++n) {
    const int i = lpIndexes[n];
    if (i < 0 || i >= SYS_BMP_COUNT) continue;  // not an entry of the table
    DDSURFACEDATA* sd = &lpSurfaces[i];
    const DDSURFACEINFO& info = SysBmpInfo[i];
    DDReleaseSurface(sd);
    if (std::strcmp(info.szFileName, "E") != 0) {
      int code = DDCreateSurfaceFromFile(sd, info.szFileName, info.bColorKey, DDSettings.nBpp, info.nDDMemKind,
                                         info.nDTMemType, info.bNoTexture, info.bPalIndexMap, info.nMirrorCellWidth,
                                         info.nMirrorCellHeight, 0);
      if (!DDSurfaceErrorCheck(code) && !info.bOptional) {
        ReportFailureBox(SJ("%s の読み込みに失敗！"), info.szFileName);
        return false;
      }
    } else if (!DDCreateSurface(sd, info.nWidth, info.nHeight, info.bColorKey, info.nDDMemKind, info.nDTMemType,
                                info.bNoTexture, 0) &&
               !info.bOptional) {
      OutOfMemory();
      return false;
    }
  }
  return true;
}

bool DDLoadAllSystemSurfaces() {
  int indexes[SYS_BMP_COUNT];
  for (int i = 0; i < SYS_BMP_COUNT; ++i) indexes[i] = i;
  return DDLoadSurfaceTable(Off_Sys, indexes, SYS_BMP_COUNT);
}

void LinkSurfaceAliases() {
  for (int i = 0; i < SYS_BMP_COUNT; ++i) {
    int target = AliasOf(i);
    if (target >= 0) Off_Sys[i].lpAliasSD = &Off_Sys[target];
  }
}
