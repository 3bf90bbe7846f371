#pragma once
#include <iterator>

#include "draw/dd_types.h"

// Surfaces: creation (empty or from a bitmap file), release, the DirectDraw pixel
// copy with mirrored cells, the Direct3D mirror textures and texture sizes.

// Error codes of surface creation.
constexpr int DDERRCODE_OK = 0;
constexpr int DDERRCODE_CREATESURFACE = 4;
constexpr int DDERRCODE_LOADIMAGE = 8;
constexpr int DDERRCODE_SETCOLORKEY = 9;

// Gives a record its back-end part when it has none.
void DDAllocSurfaceParts(DDSURFACEDATA* lpSD);

// Makes an empty surface.
bool DDCreateSurface(DDSURFACEDATA* lpSD, int nWidth, int nHeight, int bColorKey, int nDDMemKind, int nDTMemType,
                     int bNoTexture, int bRecreate);
// Makes a surface from a bitmap file: 0, 8 (the bitmap cannot be loaded), 4 (no
// DirectDraw surface) or a negative Direct3D result (no texture).
int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* szFileName, int bColorKey, int nBpp, int nDDMemKind,
                            int nDTMemType, int bNoTexture, int bPalIndexMap, int nMirrorCellWidth,
                            int nMirrorCellHeight, int bRecreate);
// False for 4, 8 and 9 (the error's name goes to the trace log), true otherwise.
bool DDSurfaceErrorCheck(int nCode);

// DirectDraw: copies a bitmap file into an existing surface.
bool CopyBitmap(DDSURFACEDATA* lpSD, const char* szFileName, int nBpp, int bPalIndexMap, int nMirrorCellWidth,
                int nMirrorCellHeight);
// DirectDraw: copies the record's own bitmap file into it again (true at once in Direct3D).
bool DDReloadSurface(DDSURFACEDATA* lpSD, int nBpp);
// Direct3D: the source's whole cells drawn mirrored into the destination.
void CreateMirror(DDSURFACEDATA* lpDstSD, DDSURFACEDATA* lpSrcSD, int nMirrorCellWidth, int nMirrorCellHeight);
// DirectDraw: *lpFlag := the bitmap is wider or higher than the size; 0 when it
// cannot be loaded (returns 1 at once in Direct3D).
int DDCheckBitmapSize(int* lpFlag, const char* szFileName, int nWidth, int nHeight);

// Direct3D texture sizes: powers of two and square textures when the device wants them.
void DDAdjustTextureSize(int& nWidth, int& nHeight);
bool DDCheckTextureSize(int nWidth, int nHeight);

// Release: the record stays, with no parts, ready to be made again.
void DDReleaseSurfaceData(DDSURFACEDATA* lpSD);
void DDReleaseSurface(DDSURFACEDATA* lpSD);
template <class Container>
void DDReleaseSurfaceVector(Container& surfaces) {
  for (auto& sd : surfaces) DDReleaseSurface(&sd);
}
template <class Container>
void DDReleaseSurfaceList(Container& surfaces) {
  for (auto& sd : surfaces) DDReleaseSurface(&sd);
}

// Appends a record and its descriptor (empty file name, no mirror cells) and
// makes the surface; false when it could not be made (the record stays appended).
template <class SurfaceContainer, class InfoContainer>
bool DDAddSurface(SurfaceContainer& surfaces, InfoContainer& infos, int nWidth, int nHeight, int bColorKey,
                  int nDDMemKind, int nDTMemType, int bNoTexture) {
  DDSURFACEINFO info;
  info.Set("", bColorKey, nDDMemKind, nDTMemType, bNoTexture, 0, 0, 0, 0, nWidth, nHeight);
  infos.push_back(info);
  surfaces.emplace_back();
  return DDCreateSurface(&surfaces.back(), nWidth, nHeight, bColorKey, nDDMemKind, nDTMemType, bNoTexture, 0);
}
// The same for a pair of lists.
template <class SurfaceContainer, class InfoContainer>
bool DDAddSurfaceToList(SurfaceContainer& surfaces, InfoContainer& infos, int nWidth, int nHeight, int bColorKey,
                        int nDDMemKind, int nDTMemType, int bNoTexture) {
  return DDAddSurface(surfaces, infos, nWidth, nHeight, bColorKey, nDDMemKind, nDTMemType, bNoTexture);
}
// Releases and erases the record and the descriptor at the same position: 1, or
// 0 when the record is not in the list.
template <class SurfaceContainer, class InfoContainer>
int DDRemoveSurfaceFromList(SurfaceContainer& surfaces, InfoContainer& infos, DDSURFACEDATA* lpSD) {
  auto info = infos.begin();
  for (auto it = surfaces.begin(); it != surfaces.end(); ++it) {
    if (&*it == lpSD) {
      DDReleaseSurface(lpSD);
      surfaces.erase(it);
      if (info != infos.end()) infos.erase(info);
      return 1;
    }
    if (info != infos.end()) ++info;
  }
  return 0;
}
