#include "tools/make_demo/demo_world.h"

#include <cstdio>

#include "app/base/shell_globals.h"
#include "data/data_folders.h"
#include "data/project_globals.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace demo {
namespace {

constexpr const char* kFirstStage = "data\\stg4\\w01-1.stg4";
constexpr const char* kChallengeStage = "data\\stg4\\c01-1.stg4";

// A definition placed at a cell that takes every group from a common-palette entry.
template <class T>
T Linked(int index, int col, int row) {
  T def;
  def.nLinkKind = 1;
  def.nLinkIndex = static_cast<int16_t>(index);
  def.InheritFlags.assign(T::kGroups, 1);
  def.nCol = static_cast<int16_t>(col);
  def.nRow = static_cast<int16_t>(row);
  return def;
}

// The stage palette's own block: a solid brick on sheet cell 2.
cEdBlock Brick() {
  cEdBlock b;
  b.strName = SJ("レンガ");
  b.nGraphic = 2;
  b.nHitKind = 1;
  return b;
}

// A stage of `width` cells on two rows of floor, the player at the left, enemies
// and coins along the way, bricks from the stage palette to jump onto.
cEdStage Stage(const char* name, int width, int enemies, int coins) {
  cEdStage s;
  s.strName = name;
  s.nWidth = width;
  s.nHeight = 15;
  s.nMusic = 1;
  s.bMusicLoop = 1;
  s.bTimeLimit = 1;
  // The outer limits at the stage's margins, as the editor saves them: objects may
  // stand anywhere in the stage.
  s.nScrollOffsetX = (width + 20) * 32 - 640;
  s.nScrollOffsetY = (s.nHeight + 20) * 32 - 640;
  s.PaletteBlocks.resize(1);
  s.PaletteBlocks.push_back(Brick());
  for (int x = 0; x < width; ++x) {
    s.Blocks.push_back(Linked<cEdBlock>(1, x, 13));
    s.Blocks.push_back(Linked<cEdBlock>(1, x, 14));
  }
  for (int x = 10; x < width - 5; x += 9) {
    cEdBlock brick;
    brick.nLinkKind = 2;
    brick.nLinkIndex = 1;
    brick.InheritFlags.assign(cEdBlock::kGroups, 1);
    brick.nCol = static_cast<int16_t>(x);
    brick.nRow = 10;
    s.Blocks.push_back(brick);
  }
  s.Charas.push_back(Linked<cEdChara>(1, 2, 12));
  for (int i = 0; i < enemies; ++i) s.Charas.push_back(Linked<cEdChara>(2, 14 + 8 * i, 12));
  for (int i = 0; i < coins; ++i) s.Items.push_back(Linked<cEdItem>(1, 6 + 7 * i, 11));
  return s;
}

cEdWorldMap World() {
  cEdWorldMap map;
  map.strName = SJ("デモワールド");
  // Passable ground (chip 5) framed by impassable rock (chip 0), and one rock just
  // above the start, against which a step only turns the figure.
  for (int y = 0; y < map.nHeight; ++y)
    for (int x = 0; x < map.nWidth; ++x)
      map.Cells[static_cast<size_t>(x + (y << map.nPitchShift))] =
          x == 0 || y == 0 || x == map.nWidth - 1 || y == map.nHeight - 1 ? 0 : 5;
  map.Cells[static_cast<size_t>(map.nStartX + ((map.nStartY - 1) << map.nPitchShift))] = 0;
  // The first stage on the start cell waits for button 1 and a question, so that a
  // new story shows the map first.
  cEdWorldEvent first;
  first.nCol = map.nStartX;
  first.nRow = map.nStartY;
  first.strName = SJ("はじまりの草原");
  cEdWorldStage& entry = first.Stages[0];
  entry.strName = first.strName;
  entry.strFile = kFirstStage;
  entry.nStageNo = 1;
  entry.bNoAutoStart = 1;
  entry.bReplayable = 1;
  map.Events.push_back(first);
  // Two cells to the right, the same stage again as stage 2, shown once stage 1 is
  // cleared.
  cEdWorldEvent second = first;
  second.nCol = map.nStartX + 2;
  second.strName = SJ("草原ふたたび");
  second.Stages[0].strName = second.strName;
  second.Stages[0].nStageNo = 2;
  second.Stages[0].nNeedFlag = 1;
  second.Stages[0].nSymbolRow = 1;
  map.Events.push_back(second);
  return map;
}

bool Save(cRecord& record, const std::string& path) {
  if (record.Save(path.c_str())) return true;
  std::fprintf(stderr, "korvane-mkdemo: cannot write %s\n", plat::SjisToUtf8(path).c_str());
  return false;
}

// A stage as the game and the editor keep it: the groups a definition inherits
// from a palette are stored as they were copied at reading. Written, read (which
// copies them) and written again, the file is what any later rewrite gives, byte
// for byte.
bool SaveStage(cEdStage& stage, const std::string& path) {
  if (!Save(stage, path)) return false;
  cEdStage again;
  if (!again.Load(path.c_str())) {
    std::fprintf(stderr, "korvane-mkdemo: cannot read back %s\n", plat::SjisToUtf8(path).c_str());
    return false;
  }
  return Save(again, path);
}

}  // namespace

bool WriteWorldAndStages() {
  // The stage's definitions are checked against the project, as the game reads them.
  if (!Database.Load() || !CommonPalette.Load(PathTable[kPathCommonPalette])) {
    std::fprintf(stderr, "korvane-mkdemo: the database and the common palette must be written first\n");
    return false;
  }
  if (!plat::MakeDirectory("data\\stg4")) {
    std::fprintf(stderr, "korvane-mkdemo: cannot make data/stg4\n");
    return false;
  }
  cEdWorldMap world = World();
  cEdStage first = Stage(SJ("はじまりの草原"), 60, 3, 4);
  cEdStage challenge = Stage(SJ("チャレンジ 1"), 40, 2, 6);
  const std::string version = std::string("_") + kProgramVersion;
  return Save(world, PathTable[kPathWorldMap]) && SaveStage(first, std::string(kFirstStage) + version) &&
         SaveStage(challenge, std::string(kChallengeStage) + version);
}

}  // namespace demo
