// The rankings' tables: their file part, the rank lookup and the registration.
#include "app/base/record_dump.h"
#include "data/user_records.h"

namespace {

// The smallest file part of one table (field count, string count, entry count)
// and of one entry (field count, string count): the counts read are checked
// against them before anything is made.
constexpr size_t kMinTableBytes = 12;
constexpr size_t kMinEntryBytes = 8;
// Files of this version or older hold fewer genres, with HP and SP ranked the
// other way round.
constexpr uint32_t kLastOldRankingVersion = 180;

// The order of a genre in a fresh ranking set: play time (genre 2) ranks the
// smaller value first, every other genre the larger.
int FreshOrder(int genre) { return genre == 2 ? 0 : 1; }

}  // namespace

bool cRankingTable::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  return ReadRecordList<cRankingEntry>(file, Entries, "ranking entries", 1u << 20, kMinEntryBytes);
}

bool cRankingTable::Write(cDataFile& file) {
  cRecord::Write(file);
  return WriteRecordList(file, Entries);
}

void cRankingTable::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.RecordList("Entries", Entries);
}

int cRankingTable::FindRank(int value) const {
  for (int i = 0; i < Entries.Count(); ++i) {
    const cRankingEntry& e = Entries[static_cast<size_t>(i)];
    if (!e.bUsed) return i;
    if (bHighFirst == 1 ? value > e.nValue : value < e.nValue) return i;
  }
  return -1;
}

void cRankingTable::Insert(const std::string& name, int value) {
  const int r = FindRank(value);
  cRankingEntry e;
  e.bUsed = 1;
  e.strName = name;
  e.nValue = value;
  if (r >= 0 && r < Entries.Count())
    Entries.insert(Entries.begin() + r, e);
  else
    Entries.push_back(e);
  Entries.pop_back();
}

void cRankings::Reset() {
  cRankingTable fresh;
  fresh.Reset();
  Tables.assign(kGenres, fresh);
  for (int g = 0; g < kGenres; ++g) Tables[static_cast<size_t>(g)].bHighFirst = FreshOrder(g);
}

bool cRankings::Read(cDataFile& file) {
  if (!cRecord::Read(file)) return false;
  if (!ReadRecordList<cRankingTable>(file, Tables, "ranking tables", 1u << 16, kMinTableBytes)) return false;
  if (file.Version() <= kLastOldRankingVersion) {
    cRankingTable fresh;
    fresh.Reset();
    Tables.resize(kGenres, fresh);
    Tables[3].bHighFirst = 1;
    Tables[4].bHighFirst = 1;
  }
  // Later files are taken as they are, but the window and the registration reach
  // five genres of twenty places: what a file lacks of them is added fresh, so a
  // file without tables or entries never leaves those places missing.
  for (int g = Tables.Count(); g < kGenres; ++g) {
    cRankingTable fresh;
    fresh.Reset();
    fresh.bHighFirst = FreshOrder(g);
    Tables.push_back(fresh);
  }
  for (cRankingTable& t : Tables)
    if (t.Entries.Count() < cRankingTable::kEntries) t.Entries.resize(cRankingTable::kEntries);
  return true;
}

bool cRankings::Write(cDataFile& file) {
  cRecord::Write(file);
  return WriteRecordList(file, Tables);
}

void cRankings::Dump(cDumpWriter& out) {
  cRecord::Dump(out);
  out.RecordList("Tables", Tables);
}
