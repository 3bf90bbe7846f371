#pragma once
#include "app/base/thread.h"

class cStageScene;

// The held-play loops. While a message waits for a key, a game wait runs, an
// effect or picture holds play, the stage-end tally announces an extra life or the
// ranking window is shown, the game thread starts one of these loops on its own
// thread and blocks until it ends; the loop paces, reads input, draws the held
// stage and presents frames itself.

// Starts routine on thread for the scene and waits for its end. prime: the new
// thread's queue is primed before the wait (the message and tally holds). A
// thread that cannot be started skips the hold: false, and play goes on. After a
// hold the rest of the game thread's frame counts as a frame of its own.
bool HoldPlay(cThread& thread, cThread::Routine routine, cStageScene* scene, bool prime = true);

// thPause: the held stage for the scene's pause request. 0 when the game was
// already closing at entry, else 1.
unsigned PauseThreadProc(void* scene);
// thRanking: the held stage with the ranking window until confirm; button 8 steps
// through the genres enabled for the play category.
unsigned RankingThreadProc(void* scene);

// How long a closing game lets the pause loop wait for its quit message before it
// posts one to itself.
constexpr int kHeldQuitGraceMs = 2000;
