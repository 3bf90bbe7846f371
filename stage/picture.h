#pragma once
#include <cstdint>

struct DDSURFACEDATA;

// A picture shown over the stage by the picture command: where, how large, in
// which drawing pass and for how long. Its surface lives in Off_Picture, at the
// same place in that list as the picture in the scene's list.
class cPicture {
 public:
  virtual ~cPicture() = default;

  // Takes the values; a picture fixed to the screen takes its screen place from
  // the view now.
  void Set(int number, double x, double y, int width, int height, int fixedToScreen, int pass, int sizePercent,
           int displayMode, int displayTime, int countsWhileHeld, int hasId, int id);
  // Draws the picture from its surface: 1 when its time has run out.
  int Draw(DDSURFACEDATA* target, DDSURFACEDATA* surface, int held);

  int32_t m_nNumber = 0;
  double m_dX = 0, m_dY = 0;  // stage dots
  int32_t m_nWidth = 0, m_nHeight = 0;
  int32_t m_bScaled = 0;      // the size percentage is not 100
  int32_t m_nPass = 0;        // 0 behind the blocks and characters, 1 in front
  int32_t m_nDisplayMode = 0; // 2: for a time
  int32_t m_nDisplayTime = 0; // frames left
  int32_t m_bCountsWhileHeld = 0;
  int32_t m_bFixed = 0;
  int32_t m_bScreenTaken = 0;
  int32_t m_nScreenX = 0, m_nScreenY = 0;
  int32_t m_bHasId = 0;
  int32_t m_nId = 0;
};
