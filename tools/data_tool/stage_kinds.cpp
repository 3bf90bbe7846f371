#include "tools/data_tool/stage_kinds.h"

#include <cctype>

#include "app/base/shell_globals.h"
#include "data/project_globals.h"
#include "data/stage_loader.h"
#include "platform/sjis.h"
#include "tools/data_tool/palette_kind.h"

namespace {

std::string Utf8(const std::string& sjis) { return ShownName(sjis); }

// The folder above a folder given with its separator.
std::string ParentOf(const std::string& folder) {
  if (folder.empty()) return "..\\";
  return FolderOf(folder.substr(0, folder.size() - 1));
}

// Which project files a kind's records are checked against.
enum eNeeds { kDatabase = 1, kPalette = 2, kSettings = 4, kWorldMap = 8 };

// Loads the project files under dataFolder (the game's "data\") that the records
// are checked against, as start-up would; what cannot be read keeps the game's
// defaults, with a note (an upgrade then checks against those). The common
// palette is the exception for an upgrade: checked against the default palette,
// every link to it would be cut and written so; without it the upgrade is refused
// (false). --palette names the file when the project is not around the record.
bool LoadProject(const std::string& dataFolder, int needs, bool upgrading, std::FILE* err) {
  // As a test play reads: flows meant for test play only are kept.
  bTestPlay = 1;
  if (needs & (kDatabase | kSettings)) LoadProjectDatabase(dataFolder, err);
  auto load = [&](cRecord& record, const char* name, const char* what) {
    const std::string path = dataFolder + name;
    if (record.Load(path.c_str())) return;
    std::fprintf(err, "note: %s not readable; %s are checked against the game's defaults\n", Utf8(path).c_str(), what);
  };
  if (needs & kSettings) {
    SystemData = cEdSystem();
    load(SystemData, "System.dat", "the challenge records");
  }
  if (needs & kWorldMap) {
    WorldMap = cEdWorldMap();
    load(WorldMap, "WorldMap.dat", "the world-map position");
  }
  if (needs & kPalette) {
    CommonPalette = cEdPalette();
    const std::string path = PaletteOption().empty() ? dataFolder + "CommonPalette.cplt4" : PaletteOption();
    if (!CommonPalette.Load(path.c_str())) {
      if (upgrading) {
        std::fprintf(err,
                     "%s : the common palette cannot be read, and without it the links to it would be lost: "
                     "nothing written (name the file with --palette)\n",
                     Utf8(path).c_str());
        return false;
      }
      std::fprintf(err, "note: %s not readable; links to the common palette are checked against the game's defaults\n",
                   Utf8(path).c_str());
    }
  }
  return true;
}

// A kind whose records are checked against project files: dataFolder finds the
// project's "data\" from the path.
cDataKind WithProject(cDataKind k, std::string (*dataFolder)(const std::string&), int needs) {
  const cDataKind plain = k;
  k.dump = [plain, dataFolder, needs](const std::string& path, std::FILE* out, std::FILE* err) {
    LoadProject(dataFolder(path), needs, false, err);
    return DumpDataFile(plain, path, out, err);
  };
  k.upgrade = [plain, dataFolder, needs](const std::string& in, const std::string& out, std::FILE* err) {
    if (!LoadProject(dataFolder(in), needs, true, err)) return 1;
    return UpgradeDataFile(plain, in, out, err);
  };
  return k;
}

// "data\stg4\NAME.stg4_NNN": the project's data folder is above the stage's.
std::string StageDataFolder(const std::string& path) { return ParentOf(FolderOf(path)); }
// "user_data\story\StoryNN.dat": the project is two folders up.
std::string SaveDataFolder(const std::string& path) { return ParentOf(ParentOf(FolderOf(path))) + "data\\"; }

cDataKind StageKind() {
  cDataKind k;
  k.name = "stage file";
  k.matches = ExtensionStartsWith("stg4");
  k.make = [] { return std::make_unique<cEdStage>(); };
  k.loadError = SJ("ステージファイル %s の読み込みに失敗しました！");
  k = WithProject(k, &StageDataFolder, kDatabase | kPalette);
  // The game refuses a file whose trailer is wrong before it reads it.
  auto dump = k.dump;
  auto upgrade = k.upgrade;
  auto damaged = [](const std::string& path, std::FILE* err) {
    if (StageTrailerIntact(path)) return false;
    std::string msg = Utf8(SJ("ステージファイル %s が破損しています！"));
    msg.replace(msg.find("%s"), 2, Utf8(path));
    std::fprintf(err, "%s : the last word is not %u\n", msg.c_str(), kStageTrailer);
    return true;
  };
  k.dump = [dump, damaged](const std::string& path, std::FILE* out, std::FILE* err) {
    return damaged(path, err) ? 1 : dump(path, out, err);
  };
  k.upgrade = [upgrade, damaged](const std::string& in, const std::string& out, std::FILE* err) {
    return damaged(in, err) ? 1 : upgrade(in, out, err);
  };
  return k;
}

bool IsStorySlot(const std::string& name) {
  // "Story", two digits, ".dat", in any letter case.
  if (name.size() != 11) return false;
  const std::string lower = [&] {
    std::string s = name;
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }();
  return lower.compare(0, 5, "story") == 0 && std::isdigit(static_cast<unsigned char>(lower[5])) &&
         std::isdigit(static_cast<unsigned char>(lower[6])) && lower.compare(7, 4, ".dat") == 0;
}

cDataKind SaveKind(const char* name, std::function<bool(const std::string&)> matches) {
  cDataKind k;
  k.name = name;
  k.matches = std::move(matches);
  k.make = [] { return std::make_unique<cSaveData>(); };
  // The game modes decide what a save that cannot be read means; no message of their own.
  return WithProject(k, &SaveDataFolder, kDatabase | kPalette | kSettings | kWorldMap);
}

}  // namespace

void AddStageAndProgressKinds(std::vector<cDataKind>& kinds) {
  kinds.push_back(StageKind());

  cDataKind map;
  map.name = "WorldMap.dat";
  map.matches = NameIs("WorldMap.dat");
  map.make = [] { return std::make_unique<cEdWorldMap>(); };
  map.loadError = SJ("%s のロードに失敗！");
  kinds.push_back(map);

  kinds.push_back(SaveKind("StoryNN.dat", &IsStorySlot));
  kinds.push_back(SaveKind("Challenge.dat", NameIs("Challenge.dat")));

  cDataKind option;
  option.name = "Option.dat";
  option.matches = NameIs("Option.dat");
  option.make = [] { return std::make_unique<cOptionData>(); };
  // The game keeps the defaults without a word when the file cannot be read.
  kinds.push_back(option);
}
