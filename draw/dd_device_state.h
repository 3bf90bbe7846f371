#pragma once
#include <cstdint>

#include "draw/dd_types.h"

// Direct3D scene, render target, virtual back buffer, surface references and the
// per-draw state of the next blits. Without the Direct3D back end they do nothing.

// Opens the frame's scene when none is open: 1 when a scene is open, 0 when
// there is no device or the scene cannot begin.
int DDBeginScene();
void DDEndScene();
// Makes a render-target surface current: 1 on success, 0 for a surface that
// cannot be a render target or a failure.
int DDSetRenderTarget(DDSURFACEDATA* lpSD);
// The default render target made current again (after each Direct3D draw).
void DDRestoreRenderTarget();

// Virtual back-buffer mode (switched in dd_vir_back.h): draws meant for BackBuffer
// go to VirBackBuffer.
// Replaces BackBuffer by VirBackBuffer while the mode is on; true when it did.
bool DDRedirectBackBuffer(DDSURFACEDATA*& lpSD);
// Replaces an alias record by the record it stands for; true when it did.
bool DDResolveAlias(DDSURFACEDATA*& lpSD);
// The surface is BackBuffer and the game runs full screen.
bool DDIsFullScreenBack(const DDSURFACEDATA* lpSD);

// Vertex colour, texture colour operation and texture alpha operation of the next blits.
void DDSetDiffuse(uint32_t argb);
void DDResetDiffuse();
void DDSetColorOp(uint32_t op);
void DDResetColorOp();
void DDSetAlphaOp(uint32_t op);
void DDResetAlphaOp();
