#pragma once
#include <cstdint>

// Frame timing of the thread that runs frames (the game thread, or the pause or
// ranking thread while the game thread waits for it). Times are milliseconds of
// the program clock.

uint32_t StartFrameTimer();
// With recompute: last frame time := now - frame start. Returns the last frame time.
uint32_t GetFrameTime(bool recompute);
// Frames per second of the last whole second (0 during the first second); with
// count set this call counts a frame.
int CountFPS(bool count);
// mode 0: reset (false); mode 2: true when the counter is 0; other modes count up
// and give true (and restart) every n-th call.
bool CountGate(int mode, int n);
// Opens (true) at most once per 1000 / rate ms; the next tick is counted from the
// moment the gate opened, so a late frame is never caught up. Rate 0: always open.
bool RateGate(int rate);

// Forgets every timing state (tests, and a new run of the frame loop); the present's
// own pacing is forgotten by ResetFramePacing (draw/frame_pacing.h).
void ResetFrameTiming();
