#pragma once
#include <cstdint>

// What the bytes of a movement definition mean in play: the one place that maps a
// stored byte to a behaviour. The record (data/move_def.h) stores the bytes as the
// editor writes them; every handler and preparation reads them through here.
//
// byte              | value: behaviour
// ------------------+-----------------------------------------------------------
// nTimeSpeedMode    | straight, ground turn-back, charge, homing, off-screen
//   (timing)        |   moves ("時間と速度を指定" / "時間と距離を指定" /
//                   |   "速度と距離を指定"): 0 time and speed as given; 1 the speed
//                   |   follows from the distance and the time; 2 the time follows
//                   |   from the distance and the speed; others as 0.
//                   | circle ("時間を指定" / "速度を指定"): 0 the speed follows
//                   |   from the swept angle and the time; 1 the time follows from
//                   |   the angle and the speed; others leave both.
// nDistanceUnit     | 1 dots; any other value half blocks of 16 dots.
// bStopAtTarget     | 1 the move stops where the countdown to the target runs
//   (stop on        |   out (its speed on the used axes becomes 0); the
//   arrival)        |   character is not snapped onto the target.
// bNoMoveX/Y        | 1 no motion along that axis (the "X fixed" byte); the
//   (X/Y fixed)     |   distance to the target is still measured on both axes.
// bUseX/Y           | 0 the target's offset on that axis counts as 0.
// nCoordRef         | 0 from the placement position, 1 relative, 2 absolute
//                   |   (stage without its margin), 3 screen; others as 1.
// nMoveMode         | 1 by target coordinates; any other value by direction.
enum class eMoveTiming { kAsGiven, kSpeedFromDistance, kTimeFromDistance };
enum class eCircleTiming { kSpeedFromTime, kTimeFromSpeed, kAsGiven };

struct cMoveByteMap {
  eMoveTiming Timing[3];
  eCircleTiming CircleTiming[2];
};
constexpr cMoveByteMap kMoveBytes = {
    {eMoveTiming::kAsGiven, eMoveTiming::kSpeedFromDistance, eMoveTiming::kTimeFromDistance},
    {eCircleTiming::kSpeedFromTime, eCircleTiming::kTimeFromSpeed},
};

constexpr eMoveTiming MoveTiming(uint8_t mode) { return mode < 3 ? kMoveBytes.Timing[mode] : eMoveTiming::kAsGiven; }
constexpr eCircleTiming CircleTiming(uint8_t mode) {
  return mode < 2 ? kMoveBytes.CircleTiming[mode] : eCircleTiming::kAsGiven;
}
// Dots of a distance by its unit byte.
constexpr double DistanceDots(int64_t distance, uint8_t unit) {
  return unit == 1 ? static_cast<double>(distance) : static_cast<double>(distance) * 16.0;
}
constexpr bool ByTargetCoordinates(uint8_t moveMode) { return moveMode == 1; }
