#pragma once
#include "chara/aim_rules.h"

class cObject;

// The auto-scroll as the aims of play see it: the live stage's axes (no term on a
// clamped axis) and the game-wide additive scroll sync setting.
cAimScroll PlayAimScroll();
// An aim's target: none, or whether its auto-scroll sync flag is set.
eAimTarget AimTargetOf(const cObject* target);
