#pragma once
#include <array>
#include <cstdint>

#include "app/base/vector.h"
#include "app/svc/input.h"

class cEdKeyCondition;

// Key conditions: timed sequences of direction and button states matched against
// a player's run histories (19 of them: 0-9 directions, 10-18 buttons).

// A cursor into each of the 19 histories: the run and the position within it
// (frames from the run's start up to and including the cursor frame).
struct cKeyCursors {
  std::array<int32_t, kKeyHistoryCount> nRun{};
  std::array<int32_t, kKeyHistoryCount> nPos{};
};

// All cursors at the present (the newest run, at its length).
cKeyCursors KeyCursorsAtPresent(const cInput& input);
// Moves every cursor d frames (negative: into the past).
void ShiftKeyCursor(cKeyCursors& cursors, const cInput& input, int d);
// Whether one key's run passes its mode (1 held for min..max frames, or any
// length; 2 not held).
bool TestKeyRun(int mode, const INPUTRUN& run, int pos, const cEdKeyCondition& condition);
// Whether a key condition holds at the cursors; `hold` gets the frames it covers.
// With facingLeft and the relative flag the left/right directions swap.
bool MatchKeyCondition(const cEdKeyCondition& condition, const cInput& input, const cKeyCursors& cursors,
                       bool facingLeft, int& hold);
// Whether the conditions (oldest first) match the input's recent history, each
// gap between them up to `tolerance` frames long.
bool MatchKeySequence(const cVector<cEdKeyCondition*>& conditions, int tolerance, const cInput& input,
                      bool facingLeft);
// The first direction history (0-9) whose newest run is held; 0 when none.
int GetDirectionState(const cInput& input);
// Whether the keys of a key condition are in their state now (newest runs, no
// facing exchange); the player's jump reads it.
bool IsKeyConditionHeld(cInput* input, const cEdKeyCondition& condition);
