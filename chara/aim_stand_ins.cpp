// Stand-ins for operations that other work builds, each under its final name and
// doing the least its callers need. Each says what replaces it.
#include "chara/aim_stand_ins.h"

#include <cstdint>
#include <cstdlib>

// Replaced by the statuses and variables (their comparison of a value with an
// operand).
bool CompareByOperator(int a, int b, int op) {
  const int64_t magnitude = std::llabs(static_cast<int64_t>(a));
  switch (op) {
    case 0: return a == b;
    case 1: return a != b;
    case 2: return a >= b;
    case 3: return a <= b;
    case 4: return a > b;
    case 5: return a < b;
    case 6: return b == 0 || magnitude % b == 0;
    case 7: return b != 0 && magnitude % b != 0;
    default: return false;
  }
}
