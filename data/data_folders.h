#pragma once
// Where every project and user file lives, relative to the project folder (the
// current folder), and the first start's copy of "default\" to "data\".
#include <string>

// The path table, in its fixed order; the names below are the entries the game uses.
constexpr int kPathCount = 48;
extern const char* const PathTable[kPathCount];
enum ePath {
  kPathData = 0,               // "data\"
  kPathDefault = 1,            // "default\"
  kPathCommonPalette = 7,      // "data\CommonPalette.cplt4"
  kPathWorldMap = 13,          // "data\WorldMap.dat"
  kPathDatabaseFirst = 15,     // the ten database files, each followed by its "default\" twin
  kPathSystem = 35,            // "data\System.dat"
  kPathChallengePrefix = 37,   // "data\stg4\c": challenge stages "%s%02d-1.%s"
  kPathStoryRanking = 38,      // ranking folder of play category 0; 39 and 40 for 1 and 2
  kPathStorySlot = 41,         // "user_data\story\Story": two digits and ".dat" follow
  kPathChallengeRecord = 42,   // "user_data\challenge\Challenge.dat"
  kPathOption = 43,            // "user_data\Option.dat"
  kPathKeyConfig = 45,
  kPathBoot = 46,
  kPathWindow = 47,
};

// The file extensions: entry 1 ("stg4") ends stage file names (then "_" and three
// digits), entry 3 ("rkg") ranking files.
constexpr int kExtCount = 4;
extern const char* const ExtTable[kExtCount];
enum eExt { kExtStage = 1, kExtRanking = 3 };

// The folders start-up creates, in order, ended by an empty entry.
extern const char* const StartupFolders[];

// Makes sure "data\" exists: when only "default\" does, asks whether to make the
// default data and copies the whole "default\" tree. The copy is made under a
// temporary name and renamed to "data\" only when complete, so a failed copy
// leaves no "data\" behind and removes nothing that was there. 1 when "data\"
// exists afterwards; 0 when there is no "default\", the answer is No, or the copy
// failed.
int CopyDefaultData();
// Creates every start-up folder; folders that exist are left alone, failures ignored.
void CreateStartupFolders();
