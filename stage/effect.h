#pragma once
#include <cstdint>

#include "app/svc/anime_player.h"

struct DDSURFACEDATA;
struct cHitBox;

// A running effect: a strip of cells of one database effect played at a place of
// the stage, cell by cell, until its frames run out.
class cEffect {
 public:
  cEffect() = default;
  // Effect `number` with its top left at stage (x, y), drawn width x height
  // (stretched when that is not the frame size).
  cEffect(int number, double x, double y, int width, int height, int animateWhileHeld);
  virtual ~cEffect() = default;

  // A hit effect of effect `number` centred on where two hit boxes meet, grown by
  // the scale when the effect grows with hits, and jittered by up to 4 x scale
  // dots (random) each way.
  void cEffectAtHit(int number, const cHitBox& a, const cHitBox& b, int scale);
  // Starts the prepared frame sequence of effect n.
  void SetEffect(int n);
  // Draws the current cell (advancing it unless held): 1 when the effect is over.
  int Draw(DDSURFACEDATA* target, int held);

  int16_t m_nNumber = 0;
  double m_dX = 0, m_dY = 0;  // stage dots, top left
  int32_t m_nWidth = 0, m_nHeight = 0;
  int32_t m_bScaled = 0;      // drawn at another size than the frame's
  cAnimePlayer m_Anime;
  int32_t m_bAnimateHeld = 0;
};

// Where two hit boxes meet (touching boxes meet along their edge): the middle of
// the meeting area minus half the size, before the jitter.
void HitEffectPlace(const cHitBox& a, const cHitBox& b, int width, int height, int& x, int& y);
