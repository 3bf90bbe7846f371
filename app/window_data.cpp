#include "app/window_data.h"

#include "platform/window.h"

cWindowData WindowData;

void cWindowData::RegisterFields(uint32_t) {
  RegisterNoFields();
  REG(m_nX);
  REG(m_nY);
  REG(m_nWidth);
  REG(m_nHeight);
  REG(m_bMaximised);
}

void cWindowData::Set(int x, int y, int width, int height, int maximised) {
  m_nX = x;
  m_nY = y;
  m_nWidth = width;
  m_nHeight = height;
  m_bMaximised = maximised;
}

void cWindowData::ClampPosition(int maxX, int maxY) {
  if (m_nX < 0) m_nX = 0;
  if (m_nX > maxX) m_nX = maxX;
  if (m_nY < 0) m_nY = 0;
  if (m_nY > maxY) m_nY = maxY;
}

int cWindowData::LoadPlacement(const char* path) {
  if (!Load(path)) return 0;
  plat::Size screen = plat::FullScreenClientSize();
  ClampPosition(screen.width, screen.height);
  return 1;
}
