#pragma once
#include <climits>
#include <cstdint>

class cScrollAxis;

// The bounds arithmetic of stage objects on one axis, as pure functions of the
// axis (Setup and SetRange give its scroll range, base range and outer limit).

// Clamps a position `pos` of an object `size` dots long by mode (see
// cObject::ClampX) and gives the horizontal edge code: 0 inside, 1 outside the
// scroll range, 2 in the margin, 3 at an outer end.
int ClampAxisX(double& pos, int size, const cScrollAxis& axis, int mode);
// The vertical edge code tells top from bottom: 1, 2, 3 above, in the top margin,
// at the top end; 4, 5, 6 the same below.
int ClampAxisY(double& pos, int size, const cScrollAxis& axis, int mode);

// A double as an int, truncated toward zero, kept within the int range (NaN 0).
// Inline: every move and block test of every object goes through these.
inline int TruncToInt(double v) {
  if (!(v == v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}
// The cell of a stage dot: trunc(pos) >> 5.
inline int CellOf(double pos) { return TruncToInt(pos) >> 5; }
// The view overlaps [pos, end] on the axis: end >= S and S + view > pos.
bool AxisInView(double pos, double end, const cScrollAxis& axis);

// An impact strength (a signed byte, already reduced by the resistance) split
// between the axes in proportion to the direction's components, each share d
// becoming the speed (sqrt(1 + 128 N d) - 1) / (2N) with d's sign. Strength 0
// leaves both; a direction (0, 0), or one that is not finite, gives 0 and 0.
void ImpactSpeeds(double& speedX, double& speedY, int8_t strength, double dirX, double dirY, double steps);

// One axis of a distance-condition area around an object: from its centre, a side
// with a reach goes half the size plus the reach; a side without stops at the
// centre, unless neither has a reach and whole is set.
void DistanceInterval(int& low, int& high, int start, int size, int reachLow, int reachHigh, bool whole);

// A per-frame-per-second quantity as one per logic step: value / N / 60.
double ToStepAcceleration(double value, double steps);

// value x scale for the sizes and offsets of a rescale, kept within the int range.
int32_t ScaleDots(int32_t value, int scale);
