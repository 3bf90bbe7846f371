#pragma once
// The small records of the user's side: the options, the rankings of one stage
// or course and the replay input log.
#include <cstdint>
#include <string>

#include "app/base/record.h"

class cEdStage;
class cSaveData;
struct DDSURFACEDATA;

// "user_data\Option.dat". Values out of range are kept as read; their users limit them.
class cOptionData : public cRecord {
  RECORD_CLASS(cOptionData)
 public:
  int32_t nPaletteSet = 0;    // 8-bit drawing mode, 0 to 23
  int32_t bMusic = 1;
  int32_t nVolume = 7;        // sound effects, 0 to 10
  int32_t nRegisterMode = 0;  // ranking registration, 0 to 3
  std::string strName = "aaa";  // registration name

  void RegisterFields(uint32_t) override;
};

// One place of a ranking.
class cRankingEntry : public cRecord {
  RECORD_CLASS(cRankingEntry)
 public:
  int32_t bUsed = 0;
  int32_t nValue = 0;
  std::string strName;

  void RegisterFields(uint32_t) override;
};

// The ranking of one genre: twenty places and the order of its values.
class cRankingTable : public cRecord {
  RECORD_CLASS(cRankingTable)
 public:
  static constexpr int kEntries = 20;

  cRankingTable() { Reset(); }

  int32_t bHighFirst = 1;  // 1: a larger value ranks higher
  cVector<cRankingEntry> Entries;

  void RegisterFields(uint32_t) override;
  // The order flag, then the entries (a count and each entry).
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
  // Fields reset (a smaller value ranking higher), the places cut or padded to
  // twenty; the places kept stay as they are.
  void Reset();

  // The place a value would reach: the first unused place or the first whose value
  // it beats (an equal value does not beat, so it ranks below); -1 when none.
  int FindRank(int value) const;
  // Registers the name and value at the place they reach; the table keeps its
  // length (the last place drops out), and nothing changes when they reach none.
  void Insert(const std::string& name, int value);
  // Draws the table as the ranking window on the surface at (x, y): genre g's
  // label in the title and a cursor beside place `highlight` (-1 none).
  void DrawWindow(DDSURFACEDATA* surface, int x, int y, int genre, int highlight);
};

// The rankings of one stage or course, one table per genre: 0 score, 1 remaining
// time, 2 play time (a smaller value ranks higher), 3 remaining HP, 4 remaining SP.
class cRankings : public cRecord {
  RECORD_CLASS(cRankings)
 public:
  static constexpr int kGenres = 5;

  cRankings();

  cVector<cRankingTable> Tables;

  // The table count, then each table. Files of version 180 or older hold fewer
  // genres with other orders: they come out as five tables, HP and SP ranking the
  // larger value first. Any file comes out with at least the five genres of twenty
  // places that the window shows (missing ones fresh).
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;
  // Five genres of twenty unused places.
  void Reset();
  // The ranking window of genre g (a genre beyond the tables goes through the
  // checked list).
  void Draw(DDSURFACEDATA* surface, int x, int y, int genre, int highlight);
};

// The replay input log of one attempt: the random seed, and the direction and
// button words of player 1 as runs of equal values.
class cInputLog : public cRecord {
  RECORD_CLASS(cInputLog)
 public:
  cInputLog() { Clear(); }
  cInputLog(const cInputLog&) = default;
  // The recorded input and the seed; the playback cursor of this log stays where it is.
  cInputLog& operator=(const cInputLog& other);

  cVector<uint16_t> Values0;  // direction words
  cVector<uint16_t> Values1;  // button words
  cVector<int32_t> Runs0;     // frames of each value
  cVector<int32_t> Runs1;
  int32_t nSeed = 0;
  // The playback cursor, never in a file.
  int32_t nPos0 = 0, nPos1 = 0, nRun0 = 0, nRun1 = 0;

  void RegisterFields(uint32_t) override;
  // No input, seed 0, the cursor at the start.
  void Clear();

  // Appends one frame: player 1's direction word and button word.
  void Record(uint16_t direction, uint16_t button);
  // The words of the next frame; 1 (nothing written) once either stream has ended.
  int Play(uint16_t& direction, uint16_t& button);
  // Whether any frame is recorded.
  bool HasFrames() const { return !Values0.empty(); }

  // The base part (the seed), then the four lists. A list of values and its list of
  // runs must be equally long and every run must last at least one frame, or the
  // log is refused.
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

  // A replay file: the version word, the stage (settings from `settings`, palette
  // and placements from `stage`), this log and `save`. 1 when every byte reached
  // the disk; 0 otherwise, with any earlier file of that name untouched.
  int SaveReplay(const char* path, cEdStage& stage, cEdStage& settings, cSaveData& save);
  // Reads a replay file: the stage into `stage`, its settings part into `settings`
  // (whose palette and placement lists are emptied), the log into this one (its
  // playback cursor stays) and, from version 173 on, the save data into `save`. The
  // whole file is read first; only a good one with a player character is taken. 1
  // on success; 0 after a message naming the file, with nothing changed.
  int LoadReplay(const char* path, cEdStage& stage, cEdStage& settings, cSaveData& save);
};

// Reads a whole replay file over the three records: the stage, the log and (from
// version 173 on; `save` is left alone before it) the save data. False, with the
// reason in `error`, for a file that cannot be opened, is newer than this program,
// is damaged or holds no player character; the records may then be partly read.
bool ReadReplayFile(const char* path, cEdStage& stage, cInputLog& log, cSaveData& save, uint32_t& version,
                    std::string& error);

// The folder of the replay files; their extension is "rpl4_" and the data version.
constexpr const char* kReplayFolder = "user_data\\rpl4\\";
// "rpl4_752".
std::string ReplayExtension();
