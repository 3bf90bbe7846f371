#pragma once

namespace plat {

// The classic C-runtime generator: state = state * 214013 + 2531011, result
// (state >> 16) & 0x7FFF. One state per thread, starting at 1. Replays depend on
// this exact sequence, so the C library's rand is never used.
constexpr int kRandMax = 32767;
int Rand();
void SRand(unsigned int seed);

}  // namespace plat
