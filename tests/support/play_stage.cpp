#include "tests/support/play_stage.h"

#include "data/chara_def.h"

namespace {

template <class T>
T LinkedToStage(int index, int col, int row) {
  T def;
  def.nLinkKind = 2;
  def.nLinkIndex = static_cast<int16_t>(index);
  def.InheritFlags.assign(T::kGroups, 1);
  def.nCol = static_cast<int16_t>(col);
  def.nRow = static_cast<int16_t>(row);
  return def;
}

}  // namespace

cPlayStage::cPlayStage(int columns, int rows) {
  m_Stage.strName = "fixture";
  m_Stage.nWidth = columns;
  m_Stage.nHeight = rows;
}

cPlayStage& cPlayStage::Level(int hitLevel) {
  m_Stage.nHitLevel = hitLevel;
  return *this;
}

cPlayStage& cPlayStage::Gravity(double gravity) {
  m_Stage.dGravity = gravity;
  return *this;
}

cPlayStage& cPlayStage::Map(const std::vector<std::string>& rows) {
  m_Map = rows;
  return *this;
}

cPlayStage& cPlayStage::Kind(char letter, const cEdBlock& block) {
  m_Kinds[letter] = block;
  return *this;
}

cEdStage cPlayStage::Build() const {
  cEdStage s = m_Stage;
  s.PaletteBlocks.clear();
  s.PaletteBlocks.resize(1);
  cEdBlock solid;
  solid.strName = "solid";
  solid.nGraphic = 2;
  solid.nHitKind = 1;
  s.PaletteBlocks.push_back(solid);
  std::map<char, int> kindIndex;
  for (const auto& [letter, block] : m_Kinds) {
    kindIndex[letter] = s.PaletteBlocks.Count();
    s.PaletteBlocks.push_back(block);
  }
  // The player and the enemy of the stage palette.
  s.PaletteCharas.clear();
  s.PaletteCharas.resize(1);
  cEdChara player;
  player.strName = "player";
  player.nGraphic = 1;
  player.nOperator = 0;
  s.PaletteCharas.push_back(player);
  cEdChara enemy;
  enemy.strName = "enemy";
  enemy.nGraphic = 2;
  enemy.nOperator = 1;
  s.PaletteCharas.push_back(enemy);
  s.PaletteItems.resize(2);
  for (int row = 0; row < static_cast<int>(m_Map.size()) && row < s.nHeight; ++row) {
    const std::string& line = m_Map[static_cast<size_t>(row)];
    for (int col = 0; col < static_cast<int>(line.size()) && col < s.nWidth; ++col) {
      const char c = line[static_cast<size_t>(col)];
      if (c == '.') continue;
      if (c == '#') {
        s.Blocks.push_back(LinkedToStage<cEdBlock>(1, col, row));
      } else if (c == 'P') {
        cEdChara p = player;
        p.nCarriedItem = -1;
        p.nCol = static_cast<int16_t>(col);
        p.nRow = static_cast<int16_t>(row);
        s.Charas.push_back(p);
      } else if (c == 'E') {
        cEdChara e = enemy;
        e.nCarriedItem = -1;
        e.nCol = static_cast<int16_t>(col);
        e.nRow = static_cast<int16_t>(row);
        s.Charas.push_back(e);
      } else if (kindIndex.count(c)) {
        s.Blocks.push_back(LinkedToStage<cEdBlock>(kindIndex[c], col, row));
      }
    }
  }
  return s;
}

bool cPlayStage::Write(const std::string& gamePath) const {
  cEdStage s = Build();
  return s.Save(gamePath.c_str());
}
