#pragma once

// Whether the time display plays the countdown tick this frame: the remaining time
// is from 1 to the stage's warning value, the stage clock has just counted a
// second, and the frame comes from play (never while play is held or a menu draws).
bool CountdownTickDue(int timeLeft, int warning, bool secondCounted, int advance);
