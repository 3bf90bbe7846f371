#pragma once
#include <cstdint>

#include "app/base/vector.h"
#include "data/anime_sequences.h"

// Control values of a step besides the loop (-2) and the end (-4) of
// data/anime_sequences.h; any other value below 0 ends an animation too, and the
// caller stops advancing there.
constexpr int32_t kAnimeHold = -1;  // back to the previous step, which stays current
constexpr int32_t kAnimeJump = -3;  // start the sequence named by the step's frames

// A step of the step tables that objects pass to cAnimePlayer::Create.
struct ANIMETABLESTEP {
  int32_t nValue;
  int32_t nFrames;
  uint8_t bNoInterrupt;
};

// Steps through frame sequences, one call per frame; the value it gives is the
// picture or frame number to draw.
class cAnimePlayer {
 public:
  // tables: null-terminated; each table runs up to and including its first step
  // whose value is below 0.
  void Create(const ANIMETABLESTEP* const* tables);

  // Starts sequence n at its step 0; refused (0) while the current step may not be
  // interrupted, unless forced.
  int Set(int n, int force);
  // As Set, but 1 without a restart when n is already current.
  int Change(int n, int force);

  // Advances one frame and gives the current step's value (0 without sequences).
  int Update();
  // The current step's value without advancing.
  int GetValue() const;

  // Empties the player: it gives 0 until it is given sequences again.
  void Clear();

  cVector<cVector<ANIMESTEP>> m_Sequences;
  int32_t m_nSequence = 0;
  int32_t m_nStep = 0;
  int32_t m_nTimer = 0;

 private:
  const ANIMESTEP& CurrentStep() const;
};
