#pragma once
// Small builders of the flows and commands that drive the demo's characters and
// items: a command by its type and settings, a flow by its trigger or its keys.
#include <initializer_list>
#include <string>
#include <vector>

#include "data/command.h"
#include "data/flow.h"

namespace demo {

// Key-condition entries: stick positions 0..9 (1 left, 2 right, 3 up, 4 down,
// 5 up-left, 6 down-left, 7 up-right, 8 down-right), buttons 1..8 at 10 + n.
enum : int { kStickLeft = 1, kStickRight = 2, kStickUp = 3, kStickDown = 4, kButton1 = 11, kButton2 = 12 };
// Trigger numbers of a flow.
enum : int { kAlways = 0, kDamaged = 1, kDied = 3, kTouchedChara = 4, kBeforeStart = 18, kNoTrigger = 19 };
// Directions of a movement: 2 left, 3 right, 6 up, 7 down.
enum : int { kLeft = 2, kRight = 3, kUp = 6, kDown = 7 };

// A flow that runs its commands while any of `keys` is held (every step when
// `repeat`, else once a press).
cEdFlow KeyFlow(std::initializer_list<int> keys, bool repeat, std::vector<cEdCommand> commands);
// A flow started by a trigger.
cEdFlow TriggerFlow(int trigger, std::vector<cEdCommand> commands);
// A flow that starts once the player comes within `halfBlocks` of the character
// (centre to centre).
cEdFlow NearPlayerFlow(int halfBlocks, std::vector<cEdCommand> commands);

// Straight movement toward a direction, `speed` tenths of a dot a frame, for
// `tenths` tenths of a second.
cEdCommand Straight(int direction, int speed, int tenths);
// Walking along the ground, turning back at walls and ledges.
cEdCommand GroundWalk(int speed, int tenths);
// A jump: kind 0 a fixed height, kind 1 a height held by the key (player only);
// `height` in half-blocks.
cEdCommand Jump(int kind, int height, int sound = 0);
// A wait.
cEdCommand Wait(int tenths);
// A turn: 0 left, 1 right, 2 toward the target.
cEdCommand Turn(int kind);
// The player as the target.
cEdCommand TargetPlayer();
// One shot a tenth of a second for `tenths`: `count` shots of graphic `graphic`
// toward the facing (or aimed at the player with `aimAtPlayer`).
struct cShotPlan {
  int count = 1;
  int speed = 60;
  int power = 1;
  int graphic = 1;
  int range = 20;  // half-blocks
  bool aimAtPlayer = false;
  int spread = 0;  // the straight pattern's spread angle, degrees (0 all one way)
  int sound = 0;
};
cEdCommand Shot(const cShotPlan& plan, int tenths = 0);
// The stage cleared toward its next part (or the world map after the last part).
cEdCommand StageClear();
// A message window over the middle of the screen for `tenths` tenths of a
// second; play goes on beneath it.
cEdCommand Message(const std::string& sjisText, int tenths);
// Runs a screen effect of the database.
cEdCommand ScreenEffect(int effect);
// Stops the running flow for good: it never starts again.
cEdCommand StopThisFlow();
// A line of run-code.
cEdCommand RunCode(const std::string& line);
// A database sound.
cEdCommand Sound(int sound);
// A line of run-code in an item's commands.
cEdCommand ItemCode(const std::string& line);

}  // namespace demo
