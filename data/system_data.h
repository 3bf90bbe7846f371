#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"
#include "data/system_sub_records.h"

// The game-wide settings ("data\System.dat"): title, menus, status bar, the rules
// of each play category, menu music, display defaults, font and colour mode, the
// system sounds, the fixed texts, and the switches that keep old projects behaving
// as they did when they were made. The global SystemData is built with the
// defaults, read once at start-up and never written by the game.
class cEdSystem : public cRecord {
  RECORD_CLASS(cEdSystem)
 public:
  size_t StringCap() const override { return kSystemStringCap; }
  // Play categories (the index of the per-category lists).
  enum { kStory = 0, kChallenge = 1, kStageFile = 2, kReplay = 3 };
  // The number of entries each list has in current data.
  enum {
    kCarryFlags = 25, kStatusItems = 5, kCategories = 4, kTexts = 28, kSystemSounds = 17, kSceneBgm = 4,
    kTitleMenu = 7, kWorldMapMenu = 4, kOptionMenu = 6, kRankModes = 4, kIniKeys = 10
  };

  cEdSystem() { SetDefault(); }

  // --- registered fields, in file order (the version that introduced each) ---
  int32_t bExtraLife = 0;        // 185: a score total crossing a step gives lives
  int32_t nExtraLifeScore = 0;   // score per extra life; 0 switches it off
  int32_t bPauseLayersOnly = 0;  // the pause menu shows only the stage's layers
  int32_t bFontIcons = 0;        // the game font draws a..z as icons
  int32_t nFont = 0;             // 205: index into the font face table
  int32_t bFontCentre = 0;       // 170: the game font centres characters in their cell
  int32_t bKeepTestFlows = 0;    // 113: keep flows meant for test play only
  int32_t bRecordReplay = 0;     // 184
  int32_t bTitleMenuCentre = 0;  // 157: the title menu centred on x = 288
  int32_t bStoryKeepLives = 0;   // story: lives carried from the world map
  int32_t bStoryMissMenu = 0;    // 191: story: a lost life opens the miss menu
  int32_t bMapLives = 0;         // 191: the world map shows the lives
  int32_t nChallengeStages = 0;
  int32_t bChallengeAllOpen = 0;
  int32_t bStoryHighScore = 0;   // 167
  int32_t bStoryTotalScore = 0;  // 167
  int32_t bStoryCheckpoint = 0;  // 188: play again from the last checkpoint
  int32_t bStoryRetry = 0;       // 224: the pause menu offers a retry
  int32_t bChallengeHighScore = 0;   // 167
  int32_t bChallengeTotalScore = 0;  // 167
  int32_t bChallengeCheckpoint = 0;  // 188
  int32_t bChallengeRetry = 0;       // 224
  int32_t bFileCheckpoint = 0;       // 188: play of a stage file
  int32_t bTestCheckpoint = 0;       // 192: test play
  int32_t nColorMode = 0;            // 187: 0 palette graphics, 1 full colour
  uint8_t byTransR = 0, byTransG = 0, byTransB = 0;  // 187: transparent colour in full colour
  // Rule switches: each is 1 in projects made before the version in its name and
  // keeps the older behaviour of one rule of stage play or the characters.
  int32_t bCompat214 = 0;        // per-frame flow step
  // (221 to 259: one dropped field)
  int32_t bCompat261 = 0;        // rescaling keeps the feet in place
  int32_t bRemoveSwitch = 0;     // 272: read where stage play removes characters
  int32_t bInvincibleTint = 0;   // 287: invincible characters tinted under Direct3D
  int32_t nMenuColorStep = 0;    // 515: step of the menu colour cycling
  int32_t bPaletteRotation = 0;  // 289: colour cycling by palette rotation in 8-bit mode
  int32_t bCompat525 = 0;        // triggered flows (A)
  int32_t bCompat555 = 0;        // a shot pattern
  int32_t bCompat637 = 0;        // block summon
  int32_t bCompat669 = 0;        // triggered flows
  int32_t bCompat677 = 0;        // two character state checks
  int32_t bCompat695 = 0;        // movement distance, time and speed conversion
  int32_t bCompat696 = 0;        // kept, read by nothing
  int32_t bCompat697 = 0;        // stage set-up
  int32_t bCompat721 = 0;        // warp command
  int32_t bCompat728 = 0;        // charge-move command
  int32_t bCompat733 = 0;        // distance condition
  int32_t bCompat744 = 0;        // triggered flows (B)
  int32_t bCompat749 = 0;        // jump step
  int32_t bCompat752 = 0;        // run-code operand removal
  int32_t nD3DBpp = 0;           // 670: full-screen depth under Direct3D (0 32 bit, 1 16 bit)
  int32_t nDDBpp = 0;            // 670: under DirectDraw (0 32, 1 16, 2 8 bit)
  std::string strTitle;

  // --- play settings that no file field carries: every project plays with these ---
  int32_t bDeathEffect = 1;      // defeated characters play their death effect (else erased at once)
  int32_t bRiseLanding = 0;      // a character moving upward may land on a block

  // --- lists, in file order ---
  cVector<uint8_t> CarryFlags;        // status items carried to the next stage
  cVector<uint8_t> MissDropFlags;     // 501: carried items dropped after a lost life
  cVector<cEdStatusItem> StatusItems;
  cVector<int32_t> StartLives;        // per play category
  cVector<int32_t> InfiniteLives;     // 191: per play category
  cVector<cEdRankSetting> RankSettings;  // 186: per play category
  cVector<std::string> Texts;
  cVector<std::string> SystemSounds;  // file names of the 17 system sound effects
  cVector<int32_t> SceneBgm;          // music of the title, world map, challenge, option scenes
  cVector<uint8_t> SceneBgmLoop;      // 202
  cVector<cEdMenuItem> TitleMenu;
  cVector<cEdMenuItem> WorldMapMenu;
  cVector<cEdMenuItem> OptionMenu;
  cVector<std::string> RankModes;     // 674: captions of the ranking registration modes
  cVector<cEdIniKey> IniKeys;         // the "System.ini" keys and their defaults

  void RegisterFields(uint32_t version) override;
  bool Read(cDataFile& file) override;
  bool Write(cDataFile& file) override;
  void Dump(cDumpWriter& out) override;

  // The values of a new record (the wording of the menus, texts and hints).
  void SetDefault();
  // Scene music numbers that name no entry of the database's music list become 0.
  void Validate();
  // Ranking genres in use for a play category (0 when its rankings are off).
  int CountRankGenres(int category) const;
  // 1 when the value of status item `item` is at its warning level.
  int CheckWarning(int item, int value, int maximum) const;
  // Left edge of a block of texts first .. first+count-1 centred on centreX (16-dot
  // characters; one more when indented).
  int TextBlockLeft(int centreX, int first, int count, int indent) const;
  // The texts first .. first+count-1, one a line (after a blank when indented), in a
  // text window of the 16-dot game font on the back buffer at (x, y), as wide as
  // TextBlockLeft counts and count lines high. Nothing when count is 0 or less.
  void DrawTextBlock(int x, int y, int first, int count, int indent);

 private:
  // Brings the values of a file older than the current data version up to date.
  void Upgrade(uint32_t version);
  // Lists shorter than their fixed size get the default entries they lack.
  void PadShortLists(const std::string& path);
  // The widest of the texts first .. first+count-1 in characters, one more when indented.
  int TextBlockChars(int first, int count, int indent) const;
};
