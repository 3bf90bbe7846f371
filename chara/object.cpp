#include "chara/object.h"

#include <climits>
#include <cmath>

#include "chara/bounds_rules.h"
#include "chara/jump_rules.h"
#include "chara/play_objects.h"
#include "data/project_globals.h"
#include "stage/stage_scene.h"

namespace {

// Outside stage play (tools, tests of the rules) the axes are empty, unless a
// tool has given its own.
const cScrollAxis kNoAxis;
const cScrollAxis* gAxesOutsidePlay[2] = {nullptr, nullptr};

// The stage's speed limit per step; a NaN speed stops.
double LimitSpeed(double v) {
  const double limit = StageData.dSpeedLimitPerStep;
  if (!(v == v)) return 0.0;
  if (v > limit) return limit;
  if (v < -limit) return -limit;
  return v;
}

}  // namespace

const cScrollAxis& PlayAxisX() {
  const cStageScene* scene = StageScene();
  if (scene) return scene->m_ScrollX;
  return gAxesOutsidePlay[0] ? *gAxesOutsidePlay[0] : kNoAxis;
}

const cScrollAxis& PlayAxisY() {
  const cStageScene* scene = StageScene();
  if (scene) return scene->m_ScrollY;
  return gAxesOutsidePlay[1] ? *gAxesOutsidePlay[1] : kNoAxis;
}

void SetAxesOutsidePlay(const cScrollAxis* x, const cScrollAxis* y) {
  gAxesOutsidePlay[0] = x;
  gAxesOutsidePlay[1] = y;
}

void cHitBox::UpdateX(double x) {
  dLeft = static_cast<double>(TruncToInt(x)) + nOffsetX;
  dRight = dLeft + nWidth - 1;
}

void cHitBox::UpdateY(double y) {
  dTop = static_cast<double>(TruncToInt(y)) + nOffsetY;
  dBottom = dTop + nHeight - 1;
}

void cHitBox::Scale(int s) {
  nOffsetX = ScaleDots(nBaseOffsetX, s);
  nOffsetY = ScaleDots(nBaseOffsetY, s);
  nWidth = ScaleDots(nBaseWidth, s);
  nHeight = ScaleDots(nBaseHeight, s);
}

void cHitBox::Cover(int width, int height) {
  nOffsetX = nOffsetY = 0;
  nWidth = width;
  nHeight = height;
}

void cObject::CopyFrom(const cObject& source) {
  if (&source != this) *this = source;
}

void cObject::SetScale(int scale, int oldScale) {
  if (scale < 1) scale = 1;
  if (oldScale < 1) oldScale = 1;
  if (scale == oldScale) return;
  m_nWidth = ScaleDots(m_nBaseWidth, scale);
  m_nHeight = ScaleDots(m_nBaseHeight, scale);
  m_nDrawOffsetX = ScaleDots(m_nBaseDrawOffsetX, scale);
  m_nDrawOffsetY = ScaleDots(m_nBaseDrawOffsetY, scale);
  m_nDrawWidth = ScaleDots(m_nBaseDrawWidth, scale);
  m_nDrawHeight = ScaleDots(m_nBaseDrawHeight, scale);
  KeepCentreX(scale, oldScale);
  KeepBottomOnRescale(scale, oldScale);
  ScaleHitBoxes(scale);
}

void cObject::Init(int identity, int kind, int inputNumber, int passValue, int graphic,
                   const ANIMETABLESTEP* const* anime, int firstSequence, int drawOffsetX, int drawOffsetY, int width,
                   int height, int drawWidth, int drawHeight, int facing, int flight, int16_t clone) {
  m_nId = identity;
  m_nKind = kind;
  m_nInput = inputNumber;
  m_nPass = passValue;
  m_nLifetime = INT32_MAX;
  m_nGraphic = graphic;
  if (anime) {
    m_Anime.Create(anime);
    m_Anime.Set(firstSequence, 1);
  }
  m_nDrawOffsetX = m_nBaseDrawOffsetX = drawOffsetX;
  m_nDrawOffsetY = m_nBaseDrawOffsetY = drawOffsetY;
  m_nClone = clone;
  m_nWidth = m_nBaseWidth = width;
  m_nHeight = m_nBaseHeight = height;
  m_nDrawWidth = m_nBaseDrawWidth = drawWidth;
  m_nDrawHeight = m_nBaseDrawHeight = drawHeight;
  m_nFacing = facing;
  m_dSpeedX = m_dSpeedY = m_dMoveX = m_dMoveY = 0.0;
  m_bActive = m_bInView = 0;
  m_bCondLatched = 0;
  SetFlightOption(flight);
}

void cObject::SetFlightOption(int option) {
  static constexpr struct {
    int32_t flying;
    uint8_t contact;
  } kOptions[] = {{0, kStopAtBlocks}, {1, kPassBlocks}, {1, kStopAtBlocks}, {1, kDieAtBlocks}};
  if (option < 0 || option > 3) return;
  m_bFlying = kOptions[option].flying;
  m_nBlockContact = kOptions[option].contact;
}

void cObject::Rescale(int scale, int oldScale) {
  if (scale == oldScale) return;
  KeepCentreX(scale, oldScale);
  KeepBottomOnRescale(scale, oldScale);
}

void cObject::KeepCentreX(int scale, int oldScale) {
  if (scale == oldScale) return;
  m_dX -= static_cast<double>(static_cast<long long>(scale) - oldScale) * (m_nBaseWidth / 2);
  ClampX(2);
}

int cObject::ClampX(int mode) {
  const int code = ClampAxisX(m_dX, m_nWidth, PlayAxisX(), mode);
  m_dRight = m_nWidth + m_dX - 1;
  UpdateHitBoxX();
  m_nTileLeft = CellOf(m_dX);
  m_nTileRight = CellOf(m_dRight);
  return code;
}

int cObject::ClampY(int mode) {
  const int code = ClampAxisY(m_dY, m_nHeight, PlayAxisY(), mode);
  m_dBottom = m_nHeight + m_dY - 1;
  UpdateHitBoxY();
  m_nTileTop = CellOf(m_dY);
  m_nTileBottom = CellOf(m_dBottom);
  return code;
}

int cObject::CalcScreenRect() {
  m_nScreenLeft = TruncToInt(m_dX - m_nDrawOffsetX - TruncToInt(PlayAxisX().m_dPos));
  m_nScreenRight = m_nScreenLeft + m_nDrawWidth - 1;
  m_nScreenTop = TruncToInt(m_dY - m_nDrawOffsetY - TruncToInt(PlayAxisY().m_dPos));
  m_nScreenBottom = m_nScreenTop + m_nDrawHeight - 1;
  return m_nScreenTop;
}

bool cObject::IsInView() const { return IsInViewAxes(false, false); }

bool cObject::IsInViewOf(const cScrollAxis& x, const cScrollAxis& y) const {
  return AxisInView(m_dX, m_dRight, x) && AxisInView(m_dY, m_dBottom, y);
}

bool cObject::IsInViewAxes(bool ignoreX, bool ignoreY) const {
  const bool x = ignoreX || AxisInView(m_dX, m_dRight, PlayAxisX());
  const bool y = ignoreY || AxisInView(m_dY, m_dBottom, PlayAxisY());
  return x && y;
}

bool cObject::IsInsideArea(bool whole) const {
  const cScrollAxis& h = PlayAxisX();
  const cScrollAxis& v = PlayAxisY();
  if (whole) return m_dX >= 0 && m_dRight < h.m_nOuterLimit && m_dY >= 0 && m_dBottom < v.m_nOuterLimit;
  return m_dX >= h.m_nBaseMin && m_dRight < h.m_nBaseMax && m_dY >= v.m_nBaseMin && m_dBottom < v.m_nBaseMax;
}

int cObject::MoveXLimited(int mode) {
  m_dSpeedX = LimitSpeed(m_dSpeedX);
  m_dX += m_dSpeedX;
  return ClampX(mode);
}

int cObject::MoveYLimited(int mode) {
  m_dSpeedY = LimitSpeed(m_dSpeedY);
  m_dY += m_dSpeedY;
  return ClampY(mode);
}

void cObject::AddGravity() {
  if (!m_bFlying) m_dSpeedY += StageData.dGravityPerStep;
}

void cObject::ApplyFriction(double& speed, int enabled) const {
  if (enabled) speed = ApplyFrictionTo(speed, m_dFriction);
}

bool cObject::HitsBlockCorners() const {
  const int shift = PlayAxisX().m_nStrideShift;
  const int cells[4][2] = {{m_nTileLeft, m_nTileTop}, {m_nTileLeft, m_nTileBottom},
                           {m_nTileRight, m_nTileTop}, {m_nTileRight, m_nTileBottom}};
  for (const auto& c : cells) {
    const long long index = static_cast<long long>(c[0]) + (static_cast<long long>(c[1]) << shift);
    const int at = index < INT_MIN || index > INT_MAX ? -1 : static_cast<int>(index);
    if (CellHitKind(at, m_nPass) != 0) return true;
  }
  return false;
}

bool cObject::IsOutOfRange(const cEdQuadSet& r) const {
  if (IsInView()) return false;
  const cScrollAxis& h = PlayAxisX();
  const cScrollAxis& v = PlayAxisY();
  const double s = h.m_dPos, t = v.m_dPos;
  if (r.bLeft && TruncToInt(s - 32.0 * r.nLeft) >= m_dRight) return true;
  if (r.bRight && m_dX >= TruncToInt(s + 32.0 * r.nRight + 640)) return true;
  if (r.bBottom && m_dY >= TruncToInt(32.0 * r.nBottom + t + 480)) return true;
  if (r.bTop && TruncToInt(t - 32.0 * r.nTop) >= m_dBottom) return true;
  return m_dX <= 0 || m_dRight >= h.m_nOuterLimit - 1 || m_dY <= 0 || m_dBottom >= v.m_nOuterLimit - 1;
}

bool cObject::OverlapsStrip(int start, int size, int otherStart, int otherEnd, int otherOffset, int reachLow,
                            int reachHigh, bool whole, bool refine, const cObject& other) const {
  int low = 0, high = 0;
  DistanceInterval(low, high, start, size, reachLow, reachHigh, whole);
  const long long lo = low, hi = high, os = otherStart, oe = otherEnd, off = otherOffset;
  if (SystemData.bCompat733 || !refine) return lo <= oe - off && os + off <= hi;
  const long long g = static_cast<long long>(TruncToInt(other.m_dBottom - other.m_dY)) + off + 1;
  if (g < other.m_nDrawHeight) return lo <= oe - off && os + off <= hi;
  return lo <= oe && os + off <= hi;
}
