#include "draw/surface_lock.h"

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "draw/dd_blit.h"
#include "draw/dd_device_state.h"
#include "draw/dd_globals.h"

cSurfaceLock::~cSurfaceLock() { Unlock(); }

bool cSurfaceLock::Lock(DDSURFACEDATA* lpSD) {
  Unlock();
  m_nBitsPerPixel = DDSettings.nBpp;
  m_nBytesPerPixel = DDSettings.nBpp / 8;
  if (!lpSD || m_nBytesPerPixel <= 0) return false;
  plat::LockedRect locked;
  if (lpDTCon) {
    DDResolveAlias(lpSD);
    DDRedirectBackBuffer(lpSD);
    DTSURFACEDATA* dt = lpSD->lpDT.get();
    if (!dt || !dt->lpSurface) return false;  // nothing to lock: fails silently
    if (dt->bRenderTarget && lpSD != &BackBuffer) {
      if (!dt->lpSystemSurface ||
          plat::Failed(lpDevice->GetRenderTargetData(dt->lpSurface.get(), dt->lpSystemSurface.get()))) {
        ECLog("FAILED( lpDevice->GetRenderTargetData(lpSD->lpDT->lpSurface,lpSD->lpDT->lpSystemSurface) )");
        if (!dt->lpSystemSurface) return false;
      }
      if (plat::Failed(dt->lpSystemSurface->Lock(&locked))) {
        ECLog("FAILED( lpSD->lpDT->lpSystemSurface->LockRect(&lock, NULL, 0) )");
        return false;
      }
      m_lpLocked = dt->lpSystemSurface;
    } else {
      if (plat::Failed(dt->lpSurface->Lock(&locked))) {
        DebugBoxf("FAILED( lpSD->lpDT->lpSurface->LockRect(&(lock), NULL, 0) )");
        return false;
      }
      m_lpLocked = dt->lpSurface;
    }
  } else {
    void* bits = nullptr;
    if (!DDLock(lpSD, &locked, &bits, DDSettings.nBpp) || !bits) return false;
    m_lpLocked = lpSD->lpDDPart->lpSurface;
  }
  // The storage's own format decides the pixel size (it is the screen's in every case the layer makes).
  m_nBytesPerPixel = m_lpLocked->BytesPerPixel();
  m_nBitsPerPixel = m_nBytesPerPixel * 8;
  m_bD3D = lpDTCon != nullptr;
  m_lpSD = lpSD;
  m_pBits = locked.bits;
  m_nPitch = locked.pitch / m_nBytesPerPixel;
  m_nWidth = m_lpLocked->Width();
  m_nHeight = m_lpLocked->Height();
  return true;
}

void cSurfaceLock::Unlock() {
  if (!m_lpLocked) return;
  std::shared_ptr<plat::cSurface> locked = std::move(m_lpLocked);
  DDSURFACEDATA* sd = m_lpSD;
  m_lpLocked.reset();
  m_lpSD = nullptr;
  m_pBits = nullptr;
  DTSURFACEDATA* dt = sd ? sd->lpDT.get() : nullptr;
  if (!m_bD3D || !lpDevice || !dt) {
    locked->Unlock();
    return;
  }
  if (sd == &BackBuffer) {
    if (plat::Failed(locked->Unlock())) ECLog("Back :: D3D_OK != m_lpSD->lpDT->lpSurface->UnlockRect();");
  } else if (locked == dt->lpSystemSurface) {
    if (plat::Failed(locked->Unlock())) {
      ECLog("D3D_OK != m_lpSD->lpDT->lpSystemSurface->UnlockRect();");
      return;
    }
    if (plat::Failed(lpDevice->UpdateSurface(dt->lpSystemSurface.get(), dt->lpSurface.get())))
      DebugBoxf("FAILED( lpDevice->UpdateSurface(m_lpSD->lpDT->lpSystemSurface, NULL, m_lpSD->lpDT->lpSurface, NULL)");
  } else {
    if (plat::Failed(locked->Unlock())) ECLog("D3D_OK != m_lpSD->lpDT->lpSurface->UnlockRect();");
  }
}
