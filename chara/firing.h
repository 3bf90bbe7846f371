#pragma once
#include <cstddef>
#include <list>

#include "chara/shot_patterns.h"

class cChara;
class cCommandRun;
class cEdShot;
class cShot;

// Where a firing hands its objects: by default SpawnPatternObject; a tool may give
// its own sink to see the launch values instead.
struct cPatternSink {
  PatternSink fn = nullptr;
  void* user = nullptr;
};

// The most shots the stage keeps in flight at once: a damaged definition (the
// lightning pattern at its largest fires some 800,000 objects a pass) may not
// take all memory. Shots beyond it are not made.
constexpr size_t kMaxLiveShots = 65536;

// What a firing reads of the live stage and objects: the view, the auto-scroll,
// the steps per frame, the input direction of the running flow, and the screen
// rectangles of the firer (refreshed unless it is the player, or always with
// refreshFirer), its target (refreshed when it is a stage character) and player 1.
cFiringView BuildFiringView(cChara& firer, bool refreshFirer);

// The shot command's firing of a definition from a character.
void FireShots(std::list<cShot>* shots, cChara& firer, cCommandRun* state, cEdShot& def,
               const cPatternSink* sink = nullptr);
// The summon commands: the definition's palette entry placed in its pattern; an
// entry outside its list (or a player definition) places nothing.
void SummonBlocksByPattern(cChara& firer, cCommandRun* state, cEdShot& def);
void SummonCharasByPattern(cChara& firer, cCommandRun* state, cEdShot& def);
void SummonItemsByPattern(cChara& firer, cCommandRun* state, cEdShot& def);
// One object of a firing by the running command's type: 11 a shot, 13 a block,
// 14 characters, 15 an item; any other type nothing.
void SpawnPatternObject(std::list<cShot>* shots, const cLaunchValues& values, cChara& firer, cCommandRun* state,
                        cEdShot& def);
// A shot (type 11) or stroke (12) built and launched in place at the end of the
// stage's shot list, entered into its force's list, numbered by the scene's shot
// counter. Null (with a report line) for a force outside 0 to 7 or a full list.
cShot* AddShotToStage(std::list<cShot>& shots, cChara& owner, int type, cEdShot& def, const cLaunchValues& values);
