#pragma once
#include <map>
#include <string>
#include <vector>

#include "data/block_def.h"
#include "data/stage.h"

// Stages for the tests of play, made in memory with the game's own records: the
// size, processing level and gravity, a block map drawn as text, the placements
// and the stage's switches. The same stage can be written as a stage file.
//
// The map, one string a row from the top: '#' a solid block, '.' nothing, 'P' the
// player, 'E' an enemy; any other letter a block of its own (Kind). Rows may be
// shorter than the stage: what they leave out is empty.
class cPlayStage {
 public:
  cPlayStage(int columns, int rows);

  cPlayStage& Level(int hitLevel);
  cPlayStage& Gravity(double gravity);
  cPlayStage& Map(const std::vector<std::string>& rows);
  // The block that a letter of the map places (a stage-palette entry of its own).
  cPlayStage& Kind(char letter, const cEdBlock& block);
  // The stage's own switches, changed on the record before it is built.
  cEdStage& Settings() { return m_Stage; }

  // The stage record: its palette holds the fixed entry 0, the solid block and one
  // entry per kind; placements link to them.
  cEdStage Build() const;
  // The stage written as a stage file (game path, the current data version).
  bool Write(const std::string& gamePath) const;

 private:
  cEdStage m_Stage;
  std::vector<std::string> m_Map;
  std::map<char, cEdBlock> m_Kinds;
};
