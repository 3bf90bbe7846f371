#pragma once
#include <cstdint>

struct DDSURFACEDATA;

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

// The frame gate of the Direct3D present (vsync off): within each run of `rate`
// frames the k-th frame may go from the run's start + k x 1000 / rate ms on; a new
// run starts when the rate-th frame goes. True at once without the Direct3D back
// end or with rate 0. With bStats and a character sheet, the frame that goes draws
// the present's statistics on the back buffer.
bool FramePacing(int rate, bool bStats, DDSURFACEDATA* lpCharSD);

// Forgets every timing state (tests, and a new run of the frame loop).
void ResetFrameTiming();
