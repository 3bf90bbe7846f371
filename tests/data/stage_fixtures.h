#pragma once
// Stage files for the tests, written by the independent fixture writer.
#include <cstdint>
#include <vector>

#include "tests/data/palette_checks.h"
#include "tests/support/stage_layout.h"

namespace stagefix {

using fix::Value;
using Bytes = std::vector<unsigned char>;

std::vector<double> Zeros(int n);

// New definitions as they are written.
Value DefaultBlock();
Value DefaultChara();
Value DefaultItem();
// A placed player character (operator 0, a graphic) at the cell.
Value Player(int col, int row);
// A placed enemy (operator 1).
Value Enemy(int col, int row);

// The character definition's own rules for a file of version v: a group inserted
// at 168, 201 and 210 (its flag set), the invincible tint 1 before 285.
Value ExpectedChara(uint32_t v, Value chara);

// A current stage of 60 x 40 cells holding the player, two blocks, an enemy and an
// item, as a file of this version holds it read back (so the file read and
// written again is the same file).
Value SmallStage();
// The stage with its trailer, as the file of `version` (from 173 on).
Bytes StageFile(uint32_t version, Value stage);

}  // namespace stagefix
