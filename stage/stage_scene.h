#pragma once
#include <atomic>
#include <list>
#include <string>
#include <vector>

#include "app/base/vector.h"
#include "app/svc/pause_wait.h"
#include "app/svc/scene.h"
#include "stage/play_records.h"
#include "stage/scroll_axis.h"

class cSaveData;
class cEdChara;
class cEdItem;
class cEdBlock;
struct cSummonParams;
class cItem;
class cStageChara;
class cPlayer;
class cChara;
class cObject;
class cEdFlow;
class cEdCondition;
struct DDSURFACEDATA;

// The layout of the two menus and of the ranking view (x, y, width, height): the
// menus centre their x on their text each frame.
struct STAGERECT {
  int x, y, w, h;
};

// The scene of mode 4, stage play, and the stage context of everything in play:
// characters, commands and rules reach its lists and counters through StageScene().
// It runs its eight phases on the game thread, one call per frame.
class cStageScene : public cScene {
 public:
  enum ePhase {
    kFadeIn = 0, kStartBanner = 1, kPlay = 2, kPauseMenu = 3, kStageClear = 4, kMissMenu = 5, kGameOver = 6,
    kFadeOut = 7, kPhaseCount = 8
  };
  static constexpr int kForces = 8;
  static constexpr int kStageVars = 255;
  static constexpr int kRankGenres = 5;
  static constexpr int kLayerSlots = 8;

  cStageScene();
  ~cStageScene() override;

  int Run() override;
  // The first Run after creation or after a fade-out: the stage's surfaces, and
  // at the first entry into a stage its counters, a life and the set-up.
  void Init() override;
  int FadeIn() override;
  int FadeOut() override;

  // The six phases between the fades.
  int StartBanner();
  int Play();
  int PauseMenu();
  int StageClear();
  int MissMenu();
  int GameOver();

  // Draws the stage frame: from the play phase, held (nothing advances), advancing
  // the drawn animations, with the caption line under the stage.
  void Draw(int fromPlay, int held, int advance, int caption);

  void ResetStageCounters();
  // Takes one life from save: 0 when none was left.
  int UseLife(cSaveData& save);
  void LoadCharaExcImages();
  void ComposeShotImages();
  // Space: the pause menu's return point is stored and 1 returned.
  int CheckPauseKey();
  // The stage music request: the loop setting kept in the save data, then the
  // window asked for music `number` as the stage's; the window's answer.
  int PlayStageBgm(int number, int loop);

  // --- Contacts (stage/contacts.cpp, stage/status_deaths.cpp) ---
  // One contact pass: shots against characters, characters against characters,
  // shots against shots. 0 go on, 1 the stage was cleared, 2 the player died.
  int RunContacts(cList<cStageChara>& list);
  // A character whose HP reached 0: 2 for the player, else the result of its death
  // (0 when it was already dead).
  int KillChara(cChara& chara);
  // Deaths and silent removals after status changes: 1 when the step must end.
  int HandleStatusDeaths();
  // The three parts of the pass; shots destroyed on the way leave their force
  // list at once and the shot list at the sweep.
  int RunShotContacts();
  int RunBodyContacts();
  void RunShotShotContacts();
  void SweepSpentShots();
  // Takes shots marked spent out of every force list (they stay in m_Shots
  // until the sweep).
  void DropSpentShotsFromGroups();

  // The end of the player's death effect: a retry, the miss menu or game over.
  void OnPlayerDeathEnd();

  // The per-frame line of the play trace.
  void TracePhaseLine();

  // --- stage clear, the stage-end tally and the next stage ---
  // The play step's way into the stage-clear phase: the clear sound, the tally,
  // and the ranking places that this result reaches.
  void EnterStageClear();
  // The stage's results added to the save data's totals, with an extra life for
  // each score step crossed (each announced while play is held).
  void TallyStageEnd();
  // What follows a confirmed clear, as a mode (0 title, 1 world map, 3 challenge
  // list, 4 stage play); the next part may be loaded into the stage records.
  int LoadNextStage();
  // The newest file of the next part in out: 1 when one exists; out empty and 0
  // when there is no next part or its file is missing.
  int BuildNextStagePath(std::string& out, int part);
  int IsLastPart(int part);
  // This clear entered into the rankings under a name, the file saved and the
  // ranking window shown; once per clear.
  void RegisterRanking();

  // Members, in the order of the stage context.
  int m_nSavedPhase = 0;       // where the pause menu returns to
  int m_nSavedPhaseStep = 0;
  int m_nResultRequest = 0;    // 0 none, 1 the stage is cleared, 2 the player is to die
  cScrollAxis m_ScrollX;
  cScrollAxis m_ScrollY;
  std::list<cShot> m_Shots;    // every shot in flight
  cVector<std::list<cChara*>> m_CharaGroups;  // one list per force
  cVector<std::list<cShot*>> m_ShotGroups;
  // Set while the shot pass walks the force lists: a flow it starts (a death,
  // an item) that vanishes shots only marks them, so no list being walked loses
  // the node it stands on.
  int m_bWalkingShots = 0;
  std::list<cMessage> m_Messages;
  std::list<cEffect> m_Effects;
  std::list<cPicture> m_Pictures;  // parallel to Off_Picture and PictureInfo
  cScrEffectAnime m_ScrEffect;  // the running screen effect
  cScreenColor m_ScreenColor;
  cPauseWait m_PauseWait;
  int m_nPauseSpare = 0;       // the pause request's spare field
  std::atomic<int> m_bQuit{0}; // the game was closed while thPause ran
  void* m_pActor = nullptr;    // the character whose flows run, and its flow and command
  void* m_pFlowRun = nullptr;
  void* m_pCommandRun = nullptr;
  int m_nPlayers = 1;
  int m_nStepIndex = 0;        // 1-based logic step inside the frame; 0 outside
  int m_nStepCount = 0;        // logic steps since the stage started
  cVector<int> m_ShotHitSchedule;  // one flag per logic step of a frame
  int m_nTimeLeft = 0;
  int m_bNoTimeLimit = 0;
  int m_nPlayFrames = 0;
  int m_nPlayTime = 0;         // hundredths of a second
  int m_nBannerCount = 0;      // the start banners
  int m_nBannerCount2 = 0;     // the start word, and the stage-clear banner
  int m_nSeed = 0;             // what SetStage gave srand
  int m_bButtonLatch = 0;      // player 1's buttons are held back until all are released
  int m_bStatusDeath = 0;
  cVector<int> m_StageVars;    // the stage scope of the flows
  int m_nNextCharaId = 0;
  int m_nNextItemId = 0;
  int m_bItemMessage = 0;      // a message command of the running item list has run
  int m_nShotSerial = 0;
  int m_bRemoveOutOfRange[3] = {0, 0, 0};  // other characters, block characters, items
  int m_nFrameCount = 0;       // frames of the play phase since the stage started
  int m_nNextPart = 0;
  std::string m_strNextStage;
  int m_bPlaceReached = 0;
  cVector<int> m_RankPlaces;   // per ranking genre, -1 none
  cVector<int> m_RankValues;
  std::string m_strRankName;
  int m_bRankRegistered = 0;
  int m_bStatusBar = 0;
  // Frames per second measured by the frame step.
  std::atomic<int> m_nFps{0};
  // Per background layer slot: its picture is larger than the screen.
  int m_bLayerLarge[kLayerSlots] = {};

  // Stage set-up and spawning.
  // Set-up creation of a placed character (and its copies) at its cell; the
  // counter grows by one per character kept inside the stage.
  void SpawnStageChara(cList<cStageChara>& list, int column, int row, int& counter, const cEdChara& placed,
                       const cItem* carried);
  // Set-up creation of a placed item at its cell.
  void SpawnItem(cList<cItem>& list, int column, int row, int& counter, const cEdItem& placed);
  // A summon of a character and its copies at (x, y) dots with the force and copy
  // direction given; those that land on a blocked place are erased again.
  void SummonCharas(cList<cStageChara>& list, double x, double y, int force, int direction, const cSummonParams& summon,
                    const cEdChara& def, int& counter);
  // Writes, erases or toggles the map cell nearest to a block at (x, y) by the
  // summon's block mode. `block` is a palette block (it outlives the stage).
  void SummonBlock(double x, double y, const cSummonParams& summon, const cEdBlock& block);
  // Gives the characters a new block embeds their crush grace; 1 when the summon's
  // refusal flags ask for it to be undone.
  int RefuseBlockOverlap(int cell, int column, int row, const cSummonParams& summon);
  // --- The play step (stage/play_step.cpp, play_step_parts.cpp) ---
  // A stage character whose HP ran out: the kill, and the stage clear or the
  // player's death that follows from it; 0, 1 (stage cleared) or 2 (player died).
  int HandleCharaDeath(cStageChara& chara);
  // The item pick-up of one logic step: 0, or the first non-zero result of a take.
  int PickUpItems(cPlayer& player);
  // Whether a block character other than `chara` overlaps it.
  bool HitsBlockChara(const cChara& chara);
  // Stage characters and items that a step removed are marked while lists are
  // walked and erased here (also the characters whose death effect ended).
  void SweepRemoved();
  // The logic of one frame of play: the flow latches reset, then the stage's
  // logic steps; 1 when a rule ended the frame (it is not drawn).
  int RunFrameSteps();
  // One logic step (a = 0 .. N-1) and its passes: 1 when the frame ends there.
  int RunLogicStep(int a);
  int StepBlockCharas();
  int StepPlayer();
  int StepOtherCharas();
  void StepShots();
  void RemoveOutOfRange();
  int StepContactsAndItems();
  // The death of player 1 with its death code (the number of its trace text: 1 to
  // 9, 10 for a crush; 0 none): the sound, the death and a stage clear it causes.
  void KillPlayer(int code);
  // A stage character whose HP ran out in its flows, and one that the step killed
  // (crushed, a deadly block, a fall): 1 when the frame ends.
  int OnCharaHpOut(cStageChara& chara);
  int OnCharaKilled(cStageChara& chara);
  // The end of a character's move: killed, removed (left the stage) or its
  // knock-back decayed; 1 when the frame ends.
  int EndCharaStep(cStageChara& chara, bool die, bool remove);

  // --- Activity, conditions and the stage clock (stage/stage_activity.cpp) ---
  void UpdateActivity();
  bool CheckBlockConditions(cEdBlock& block);
  bool CheckCharaConditions(cChara& chara);
  bool CheckItemConditions(cItem& item);
  bool CheckFlowConditions(const cEdFlow& flow, uint8_t& latched, cChara& chara);
  // mode 0: every condition holds (an empty list holds); 1: at least one; else false.
  bool CheckConditionList(const cVector<cEdCondition>& list, int mode, cChara* subject);
  bool CheckCondition(const cEdCondition& condition, cChara* subject);
  // The time limit, once a frame: 1 when the time ran out now.
  int CountDownTime(int amount);
  void CountPlayTime();

  // --- Block collisions (stage/block_collisions.cpp, block_underfoot.cpp) ---
  int FindStrongestCell(cChara& chara, int x1, int y1, int x2, int y2);
  int FindFootCell(cChara& chara);
  int FindStrongestCorner(int column1, int row1, int column2, int row2, int passValue);
  int CollideLeft(cChara& chara);
  int CollideRight(cChara& chara);
  int CollideX(cChara& chara);
  int CollideSides(cChara& chara);
  int CollideUp(cChara& chara);
  int CollideDown(cChara& chara);
  int CollideY(cChara& chara);
  int CollideFeetAndHead(cChara& chara);
  // A walking character whose feet are on the last dot row above a cell solid for
  // it, not rising, under a gravity that will land it there again.
  bool RestsOnFloor(cChara& chara);
  int KeepInScreenX(cPlayer& player);
  int KeepInScreenY(cPlayer& player);
  // Whether an object's place is blocked by a solid cell or a block character.
  bool IsPlaceBlocked(cChara& chara);
  int ApplyBlockEffect(cPlayer& player);
  int TakeBlockItem(cPlayer& player);

  // --- Block characters (stage/block_charas.cpp) ---
  int ResolveBlockCharas(cChara& chara);
  int CarryRider(cChara& rider);
  void ResolveFlyingContacts(cChara& chara, int axis);
  bool IsOnRiddenChara(cChara& chara);
  cStageChara* FindCharaBelow(cChara& chara);
  // Every edge touches a block character, at the resolved position and at the
  // position before the resolution.
  bool IsSqueezed(cChara& chara, const double before[4]);
  bool TouchesBlockChara(const cObject& object, int ignoredId);
  // The block characters of StageChara in list order, rebuilt by the activity pass;
  // RemoveStageChara takes a character out of it.
  std::vector<cStageChara*> m_BlockCharas;
  void RebuildBlockCharas();

  cVector<int> m_ChangedCells;  // cells a toggling block summon has changed this stage
  int m_bSeedTaken = 0;         // a set-up has given m_nSeed a value
  // --- The stage drawing (stage/stage_draw.cpp, stage_layers.cpp, screen_color.cpp,
  // sight_mask.cpp) ---
  // Player 1, or its death sequence and what follows its end.
  void DrawPlayer(int held);
  // 1 when a dead character's death effect has ended.
  int DrawStageChara(cStageChara& chara, int held);
  // The auto-scroll of the layers, once per drawn frame.
  void ScrollLayers();
  // The layers of one pass (0 behind, 1 in front).
  void DrawLayers(DDSURFACEDATA* target, int front);
  // The block cells in view of one drawing layer (0 behind the characters, 1 in front).
  void DrawBlocks(DDSURFACEDATA* target, int layer);
  // Rebuilds the sight mask (and the circle's shape) for player 1's sight.
  void CreateSightSurfaces(DDSURFACEDATA* mask, DDSURFACEDATA* shape);
  // The screen colour over the back buffer; advances it unless held.
  void DrawScreenColor(int held);
  // The drawers that the stage drawing calls in its order and that belong to the
  // pictures, the screen effect and the status display.
  void DrawPictures(DDSURFACEDATA* target, int pass, int held);
  void DrawScrEffect(int held);
  // Every picture removed with its surface (stage set-up).
  void ClearPictures();
  void DrawStatusBar(DDSURFACEDATA* target);
  void DrawTime(DDSURFACEDATA* target, int advance);

 private:
  // The pause and miss menus: cursor, confirm and cancel; the row confirmed, -2
  // for cancel, -1 while nothing was chosen (the menu is then drawn).
  int RunMenu(int items, int firstText, int startRow, STAGERECT& rect);
};

// The live stage-play scene, or null outside stage play.
cStageScene* StageScene();

// The 65 system surfaces that stage play loads and releases.
const int* StageSurfaceList(int& count);

// The scene maker of mode 4.
cScene* MakeStageScene();

extern STAGERECT PauseRect;
extern STAGERECT MissRect;
extern STAGERECT RankingRect;
