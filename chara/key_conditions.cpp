#include "chara/key_conditions.h"

#include "data/condition.h"
#include "data/project_globals.h"

namespace {

// The history a key reads: with the relative flag, for a character facing left,
// left and right (and the diagonals) change places.
int KeyHistory(int key, bool swap) {
  if (!swap) return key;
  switch (key) {
    case 1: return 2;
    case 2: return 1;
    case 5: return 7;
    case 7: return 5;
    case 6: return 8;
    case 8: return 6;
    default: return key;
  }
}

int KeyMode(const cEdKeyCondition& c, int key) {
  return key < c.Keys.Count() ? c.Keys[static_cast<size_t>(key)] : 0;
}

// How the held keys combine: 0 all, 1 one or more, 2 exactly one.
bool Combine(int mode, int used, int held, int failed) {
  switch (mode) {
    case 0: return failed == 0 && used >= 0;
    case 1: return held >= 1;
    case 2: return held == 1;
    default: return false;
  }
}

}  // namespace

cKeyCursors KeyCursorsAtPresent(const cInput& input) {
  cKeyCursors c;
  for (int h = 0; h < kKeyHistoryCount; ++h) c.nPos[static_cast<size_t>(h)] = input.GetSequence(h)[0].nFrames;
  return c;
}

void ShiftKeyCursor(cKeyCursors& cursors, const cInput& input, int d) {
  for (int h = 0; h < kKeyHistoryCount; ++h) {
    const cRunHistory& runs = input.GetSequence(h);
    int32_t& r = cursors.nRun[static_cast<size_t>(h)];
    int64_t p = static_cast<int64_t>(cursors.nPos[static_cast<size_t>(h)]) + d;
    if (d < 0) {
      while (p <= 0 && r < kRunHistoryLength - 1) {
        ++r;
        p += runs[static_cast<size_t>(r)].nFrames;
      }
    } else {
      while (r > 0 && p > runs[static_cast<size_t>(r)].nFrames) {
        p -= runs[static_cast<size_t>(r)].nFrames;
        --r;
      }
    }
    cursors.nPos[static_cast<size_t>(h)] = static_cast<int32_t>(p < INT32_MIN ? INT32_MIN : p > INT32_MAX ? INT32_MAX : p);
  }
}

bool TestKeyRun(int mode, const INPUTRUN& run, int pos, const cEdKeyCondition& c) {
  if (mode == 1) {
    if (!run.nState) return false;
    return c.bAnyLength ? pos > 0 : c.nMinFrames <= pos && pos <= c.nMaxFrames;
  }
  if (mode == 2) return !run.nState && pos > 0;
  return false;
}

bool MatchKeyCondition(const cEdKeyCondition& c, const cInput& input, const cKeyCursors& cursors, bool facingLeft,
                       int& hold) {
  const bool swap = c.bRelative && facingLeft;
  int used = 0, held = 0, failed = 0;
  hold = 0;
  for (int key = 0; key < cEdKeyCondition::kKeys; ++key) {
    const int mode = KeyMode(c, key);
    if (mode == 0) continue;
    ++used;
    const int h = KeyHistory(key, swap);
    const int r = cursors.nRun[static_cast<size_t>(h)];
    const int p = cursors.nPos[static_cast<size_t>(h)];
    if (!TestKeyRun(mode, input.GetSequence(h)[static_cast<size_t>(r)], p, c)) {
      ++failed;
      continue;
    }
    if (held == 0 || c.nMode == 2) hold = p;
    else if (c.nMode == 0 && p < hold) hold = p;
    else if (c.nMode == 1 && p > hold) hold = p;
    ++held;
  }
  return Combine(c.nMode, used, held, failed);
}

bool MatchKeySequence(const cVector<cEdKeyCondition*>& conditions, int tolerance, const cInput& input,
                      bool facingLeft) {
  const int n = conditions.Count();
  if (n == 0) return true;
  cKeyCursors cur = KeyCursorsAtPresent(input);
  int hold = 0;
  auto match = [&](int i, int& h) {
    const cEdKeyCondition* c = conditions[static_cast<size_t>(i)];
    return c && MatchKeyCondition(*c, input, cur, facingLeft, h);
  };
  if (!match(n - 1, hold)) return false;
  ShiftKeyCursor(cur, input, -hold);
  for (int i = n - 2; i >= 0; --i) {
    if (match(i, hold)) {
      ShiftKeyCursor(cur, input, -hold);
      continue;
    }
    if (tolerance <= 0) return false;
    int back = 0;
    bool found = false;
    while (back < tolerance) {
      ShiftKeyCursor(cur, input, -1);
      ++back;
      if (match(i, hold)) {
        found = true;
        break;
      }
    }
    if (!found) {
      // Back to where the search began, then one frame toward the present: the
      // older key may have overlapped the newer one by a frame.
      ShiftKeyCursor(cur, input, back + 1);
      int newer = 0;
      if (!match(i, hold)) return false;
      if (!SystemData.bCompat669 && match(i + 1, newer)) return false;
    }
    ShiftKeyCursor(cur, input, -hold);
  }
  return true;
}

int GetDirectionState(const cInput& input) {
  for (int h = 0; h < kDirHistoryCount; ++h)
    if (input.GetSequence(h)[0].nState) return h;
  return 0;
}

bool IsKeyConditionHeld(cInput* input, const cEdKeyCondition& c) {
  if (!input) return false;
  int used = 0, held = 0, failed = 0;
  for (int key = 0; key < cEdKeyCondition::kKeys; ++key) {
    const int mode = KeyMode(c, key);
    if (mode == 0) continue;
    ++used;
    const bool active = input->GetSequence(key)[0].nState != 0;
    if ((mode == 1 && active) || (mode == 2 && !active)) {
      ++held;
      if (c.nMode == 1) break;
    } else {
      ++failed;
    }
  }
  return Combine(c.nMode, used, held, failed);
}
