#include "stage/scroll_axis.h"

void cScrollAxis::Setup(int axis, int viewSize, int blocks, int outer) {
  m_nAxis = axis;
  m_nViewSize = viewSize;
  m_nMargin = kMargin;
  m_nCells = blocks + 2 * kMargin;
  m_nOuterLimit = outer + 640;
  m_nBaseMin = kMargin * kCell;
  const long long baseMax = (static_cast<long long>(m_nCells) - kMargin) * kCell;
  m_nBaseMax = baseMax < 0 ? 0 : baseMax > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(baseMax);
  m_nMin = m_nBaseMin;
  m_nMax = m_nBaseMax;
}

void cScrollAxis::Clamp() {
  if (m_nMin > m_dPos) {
    m_dPos = m_nMin;
    m_bClamped = 1;
  } else if (m_dPos + m_nViewSize >= m_nMax) {
    // Reaching the far edge exactly counts as clamped; a stage smaller than the view
    // stays at its near edge.
    m_dPos = m_nMax - m_nViewSize;
    if (m_dPos < m_nMin) m_dPos = m_nMin;
    m_bClamped = 1;
  } else {
    m_bClamped = 0;
  }
}

void cScrollAxis::Advance() {
  m_dPos += m_dAutoSpeed;
  Clamp();
}

void cScrollAxis::SetAutoScroll(int on, int speed, double steps) {
  if (!on) {
    m_dAutoSpeed = 0.0;
    m_bAuto = 0;
    return;
  }
  m_bAuto = 1;
  m_dAutoSpeed = speed * 0.1 / (steps < 1.0 ? 1.0 : steps);
}

void cScrollAxis::SetRange(int first, int last, int limitFirst, int limitLast) {
  // In 64 bits: a range from a damaged file cannot overflow the positions.
  auto clampInt = [](long long v) {
    return static_cast<int>(v < -0x7FFFFFFFLL ? -0x7FFFFFFFLL : v > 0x7FFFFFFFLL ? 0x7FFFFFFFLL : v);
  };
  m_nMin = limitFirst ? clampInt(m_nBaseMin + static_cast<long long>(first) * kCell) : m_nBaseMin;
  if (limitLast) {
    m_nMax = clampInt(m_nBaseMin + (static_cast<long long>(last) + 1) * kCell);
    if (m_nMax < m_nMin) m_nMax = m_nMin;
  } else {
    m_nMax = m_nBaseMax;
  }
}

void cScrollAxis::Follow(double pos, int size) {
  m_dPos = pos - (m_nViewSize / 2 - size / 2);
  if (m_dPos < m_nMin) {
    m_dPos = m_nMin;
  } else if (m_dPos + m_nViewSize > m_nMax) {
    m_dPos = m_nMax - m_nViewSize;
    // A range smaller than the view: its near edge, as Clamp holds it.
    if (m_dPos < m_nMin) m_dPos = m_nMin;
  }
}
