#pragma once

// F1 and F2 during stage play: the replay of the current (F1) or the previous (F2)
// attempt saved through the window's save request. 1 when a replay was saved (the
// frame then ends), else 0.
int CheckReplaySaveKeys();
