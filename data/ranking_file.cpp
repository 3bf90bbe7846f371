#include "data/ranking_file.h"

#include "app/base/path_util.h"
#include "app/base/report_log.h"
#include "data/user_records.h"
#include "platform/files.h"

namespace {

const char* RankingFolder(int category) {
  switch (category) {
    case 0: return "user_data\\story\\";
    case 1: return "user_data\\challenge\\";
    case 2: return "user_data\\free\\";
    default: return nullptr;
  }
}

}  // namespace

bool MakeRankingPath(std::string& out, int category, const std::string& stageName) {
  const char* folder = RankingFolder(category);
  if (!folder || stageName.size() > kMaxPathChars) return false;
  std::string name = stageName;
  StripDirectory(name);
  std::string path = std::string(folder) + name + "rkg";
  if (path.size() > kMaxPathChars) return false;
  out = std::move(path);
  return true;
}

bool LoadRankingFile(cRankings& rankings, int category, const std::string& stageName) {
  std::string path;
  if (MakeRankingPath(path, category, stageName)) {
    if (rankings.Load(path.c_str())) return true;
    // A missing file is a stage without rankings yet; one that is there is damaged.
    if (plat::FileExists(path) && !plat::DirectoryExists(path)) {
      const std::string kept = path + ".bak";
      if (plat::RenamePath(path, kept))
        ReportLog("%s : cannot be read; kept as %s, a fresh ranking used", path.c_str(), kept.c_str());
      else
        ReportLog("%s : cannot be read; a fresh ranking used", path.c_str());
    }
  }
  rankings.Reset();
  return false;
}

bool SaveRankingFile(cRankings& rankings, int category, const std::string& stageName) {
  std::string path;
  if (!MakeRankingPath(path, category, stageName)) return false;
  // The folders are made at start-up; a folder removed since is made again.
  const std::string folder = RankingFolder(category);
  plat::MakeDirectory("user_data");
  plat::MakeDirectory(folder.substr(0, folder.size() - 1));
  return rankings.Save(path.c_str()) == 1;
}
