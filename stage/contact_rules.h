#pragma once

class cChara;
class cStageScene;

// Small rules of the contact pass, shared with its tests and benchmark.
// Takes part in contacts as acting: the player always, others while active and
// not removed.
bool IsContactActive(const cChara& chara);
// Whether this logic step checks shots against characters (the shot-hit schedule;
// outside a step every check runs).
bool ShotHitsThisStep(const cStageScene& scene);
