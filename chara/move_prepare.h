#pragma once

class cChara;
class cCommandRun;

// The preparation of a movement or jump command when its flow's states are built:
// speed from distance and time or time from distance and speed (straight, ground
// turn-back, charge, homing, off-screen moves), the homing delay, the circle's
// angles and radius, the jump's speed and time. Other types are left alone.
void PrepareMoveCommand(cChara& chara, cCommandRun& run);
// Speed from distance and time, or time from distance and speed, by the timing
// byte; a time or speed of 0 divides nothing.
void ConvertMove(cCommandRun& run, int clone);
