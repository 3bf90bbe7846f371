#include "platform/rand.h"

#include <cstdint>

namespace plat {
namespace {
thread_local uint32_t tState = 1;
}

int Rand() {
  tState = tState * 214013u + 2531011u;
  return static_cast<int>((tState >> 16) & 0x7FFF);
}

void SRand(unsigned int seed) { tState = seed; }

}  // namespace plat
