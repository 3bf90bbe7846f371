// The stage clear in-process: a two-part stage played through its clears in the
// story (lives and score kept, extra lives at a score step, the ranking registered
// at the last part), the challenge record, what follows a clear by play kind, the
// next part's file name and its failures, and the registration by F3 with a name
// typed into the name-entry dialog.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/base/play_trace.h"
#include "app/base/shell_globals.h"
#include "app/main_window.h"
#include "app/svc/input.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "app/svc/window_requests.h"
#include "app/ui/name_dlg.h"
#include "data/project_globals.h"
#include "data/ranking_file.h"
#include "data/stage_loader.h"
#include "data/user_records.h"
#include "data/world_map.h"
#include "modes/stage_file_start.h"
#include "stage/stage_hooks.h"
#include "platform/display/png_writer.h"
#include "platform/key_state.h"
#include "platform/messages.h"
#include "platform/scripted_input.h"
#include "platform/test_controls.h"
#include "stage/stage_scene.h"
#include "tests/draw/font_fixture.h"
#include "tests/support/play_stage.h"

namespace {

enum { kConfirm = 1 };

class StageClear : public cFontTest {
 protected:
  void SetUp() override {
    cFontTest::SetUp();
    Start(0);
    ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0));
    hMainWnd = plat::RegisterWindow();
    bStartupStage = 0;
    bTestPlay = 0;
    StageData = cEdStage();
    PlayStageData = cEdStage();
    Database.BmpCharaExcList.clear();
    SaveData.Reset();
    SaveData.Validate();
    SystemData.bExtraLife = 0;
    SystemData.nExtraLifeScore = 0;
    SystemData.RankSettings.resize(cEdSystem::kCategories);
    for (cEdRankSetting& s : SystemData.RankSettings) {
      s.bEnable = 1;
      s.Genres.assign(cRankings::kGenres, 0);
      s.Genres[0] = 1;
    }
    OptionData.nRegisterMode = 3;
    OptionData.strName = "ZED";
    Rankings.Reset();
    WorldMap = cEdWorldMap();
    ModeManager.m_nPrevMode = MODE_TITLE;
    ModeManager.m_nFadeStep = 10;
    ModeManager.m_bRanking = 1;
    MenuCursor.Reset();
    m_dir->Write("data/stg4/.keep", "");
    m_trace = m_dir->Path() + "/trace.txt";
    PlayTraceRedirect(m_trace);
    // The ranking window after a registration runs until a fresh confirm: the
    // script presses it on every other frame of the held loops.
    std::string script;
    for (int f = 1; f <= 4000; ++f) script += std::to_string(f) + (f % 2 ? " Z=1\n" : " Z=0\n");
    m_dir->Write("confirm.txt", script);
    std::string error;
    ASSERT_TRUE(plat::LoadScriptedInput(m_dir->Path() + "/confirm.txt", error)) << error;
  }
  void TearDown() override {
    plat::EndScriptedInput();
    plat::ReleaseAllKeys();
    PlayTraceRedirect("");
    ModeManager.m_pStage = nullptr;
    m_scene.reset();
    plat::UnregisterWindow(hMainWnd);
    hMainWnd = 0;
    BuildSysBmpInfo();
    cFontTest::TearDown();
  }

  // A stage file with the player in it, as the game names it on disk.
  void WriteStage(const std::string& name, int rankScore = 1) {
    cPlayStage stage(20, 15);
    stage.Map({"", "..P"});
    stage.Settings().RankGenres.assign(cRankings::kGenres, 0);
    stage.Settings().RankGenres[0] = rankScore;
    ASSERT_TRUE(stage.Write("data\\stg4\\" + name + ".stg4_752"));
  }
  // Play begins from a stage file's first part, as the scenes that choose it do.
  void Begin(int kind, int category, const std::string& name, int stageNo) {
    ModeManager.m_nPlayKind = kind;
    ModeManager.m_nPlayCategory = category;
    ASSERT_EQ(LoadStageForPlay("data\\stg4\\" + name + ".stg4", 1, &PlayStageData), 1);
    SaveData.SetFileName(StageData.strFilePath);
    SaveData.nStageNo = stageNo;
    SaveData.nPart = 1;
    SaveData.nLivesAtStart = 3;
    SaveData.nLives = 3;
    m_scene = std::make_unique<cStageScene>();
    ModeManager.m_pStage = m_scene.get();  // as the scene manager keeps it
    m_scene->Init();
    m_scene->m_nPhase = cStageScene::kPlay;
  }
  // The play step reports the clear with this stage score and next part.
  void Clear(int stageScore, int nextPart) {
    SaveData.nStageScore = stageScore;
    m_scene->m_nNextPart = nextPart;
    m_scene->EnterStageClear();
    m_scene->m_nPhase = cStageScene::kStageClear;
    m_scene->m_nPhaseStep = 0;
  }
  // One frame of the stage-clear screen with a fresh press of these buttons.
  void Frame(uint16_t buttons) {
    cInput& in = Input.At(0);
    in.Init();
    in.m_wButton = buttons;
    m_scene->StageClear();
  }
  // Frames without a key until the screen takes confirm, then confirm.
  void ConfirmWhenReady() {
    for (int i = 0; i < 60 && m_scene->m_nBannerCount2 < 200; ++i) Frame(0);
    Frame(kConfirm);
  }
  // The fade-out to its end, then the next Run (Init again when the mode is 4).
  void FadeOutAndRun() {
    for (int i = 0; i < 100 && m_scene->m_nPhase == cStageScene::kFadeOut; ++i) m_scene->FadeOut();
    ASSERT_EQ(m_scene->m_nPhase, -1);
    m_scene->Run();
  }
  std::string Trace() const {
    if (!m_dir->Exists("trace.txt")) return "";
    const std::vector<unsigned char> b = m_dir->Read("trace.txt");
    return std::string(b.begin(), b.end());
  }
  int CountInTrace(const std::string& text) const {
    const std::string t = Trace();
    int n = 0;
    for (size_t at = t.find(text); at != std::string::npos; at = t.find(text, at + 1)) ++n;
    return n;
  }

  std::unique_ptr<cStageScene> m_scene;
  std::string m_trace;
};

TEST_F(StageClear, AStoryStagePlaysItsSecondPartThenRegistersAndGoesBackToTheMap) {
  WriteStage("w01-1");
  WriteStage("w01-2");
  SystemData.bExtraLife = 1;
  SystemData.nExtraLifeScore = 100;
  WorldMap.Events.resize(1);
  WorldMap.Events[0].Stages[0].nAfterClear = 0;
  SaveData.pWorldStage = WorldStageHandle(0, 0);
  Begin(0, cEdSystem::kStory, "w01-1", 3);
  ASSERT_EQ(SaveData.StageName, "data\\stg4\\w01.");
  EXPECT_EQ(SaveData.nLives, 2);  // the life in play was taken on entry

  // Part 1 cleared with 150: one score step crossed, one extra life. A next part
  // exists, so no ranking is looked up yet.
  m_scene->m_bNoTimeLimit = 0;
  m_scene->m_nTimeLeft = 40;
  m_scene->m_nPlayTime = 1234;
  Clear(150, 2);
  EXPECT_EQ(SaveData.nScore, 150);
  EXPECT_EQ(SaveData.nLives, 3);
  EXPECT_EQ(SaveData.nResultPlayTime, 1234);
  EXPECT_EQ(SaveData.nResultTime, 40);
  EXPECT_TRUE(m_scene->m_Messages.empty());
  EXPECT_EQ(m_scene->m_bPlaceReached, 0);
  EXPECT_EQ(m_scene->m_RankPlaces.At(0), -1);
  // Confirm is refused while the banner closes up (50 frames).
  Frame(kConfirm);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kStageClear);
  ConfirmWhenReady();
  ASSERT_EQ(m_scene->m_nPhase, cStageScene::kFadeOut);
  EXPECT_EQ(ModeManager.m_nNextMode, MODE_STAGE);
  EXPECT_EQ(SaveData.nPart, 2);
  EXPECT_EQ(StageData.strFilePath, "data\\stg4\\w01-2.stg4_752");

  // Part 2 runs on the same scene: lives and score kept, only the set-up again.
  FadeOutAndRun();
  EXPECT_EQ(ModeManager.m_nMode, MODE_STAGE);
  EXPECT_EQ(SaveData.nLives, 3);
  EXPECT_EQ(SaveData.nScore, 150);
  EXPECT_EQ(SaveData.StageName, "data\\stg4\\w01.");

  // The last part (part 3 has no file): the score ranks first and registers on
  // confirm under the option's name; the story then goes back to the map.
  m_scene->m_nPhase = cStageScene::kPlay;
  Clear(100, 3);
  EXPECT_EQ(SaveData.nScore, 250);
  EXPECT_EQ(SaveData.nLives, 4);
  EXPECT_EQ(m_scene->m_bPlaceReached, 1);
  EXPECT_EQ(m_scene->m_RankPlaces.At(0), 0);
  EXPECT_EQ(m_scene->m_RankPlaces.At(1), -1);  // genre not enabled
  ConfirmWhenReady();
  EXPECT_EQ(m_scene->m_bRankRegistered, 1);
  EXPECT_EQ(ModeManager.m_nNextMode, MODE_WORLDMAP);
  EXPECT_EQ(SaveData.nPart, 2);
  EXPECT_EQ(SaveData.Flags.At(3), 1);
  EXPECT_EQ(SaveData.FindStageResult("data\\stg4\\w01."), 250);
  cRankings back;
  ASSERT_TRUE(LoadRankingFile(back, cEdSystem::kStory, "w01."));
  EXPECT_EQ(back.Tables[0].Entries[0].strName, "ZED");
  EXPECT_EQ(back.Tables[0].Entries[0].nValue, 250);
  EXPECT_EQ(back.Tables[0].Entries[1].bUsed, 0);
  // Sounds: two clears, two extra lives, one registration.
  EXPECT_EQ(CountInTrace("\"ev\":\"se\",\"n\":14}"), 2);
  EXPECT_EQ(CountInTrace("\"ev\":\"se\",\"n\":15}"), 2);
  EXPECT_EQ(CountInTrace("\"ev\":\"se\",\"n\":16}"), 1);
  EXPECT_EQ(CountInTrace("\"ev\":\"file\",\"path\":\"user_data\\\\story\\\\w01.rkg\""), 1);
  EXPECT_EQ(FailureExitCode(), 0);
}

TEST_F(StageClear, AChallengeClearKeepsItsBestScoreAndOpensTheNextStage) {
  SystemData.nChallengeStages = 2;
  WriteStage("c01-1");
  SaveData.ChallengeRecords.resize(2);
  SaveData.nChallengeOpen = 1;
  Begin(2, cEdSystem::kChallenge, "c01-1", 1);
  Clear(500, 2);  // no part 2: the challenge stage ends here
  ConfirmWhenReady();
  EXPECT_EQ(ModeManager.m_nNextMode, MODE_CHALLENGE);
  EXPECT_EQ(SaveData.nPart, 1);
  cSaveData read;
  ASSERT_EQ(read.Load("user_data\\challenge\\Challenge.dat"), 1);
  EXPECT_EQ(read.ChallengeRecords.At(0).nFirst, 1);
  EXPECT_EQ(read.ChallengeRecords.At(0).nSecond, 500);
  EXPECT_EQ(read.nTotal, 500);
  EXPECT_EQ(read.nChallengeOpen, 2);
  EXPECT_EQ(CountInTrace("Challenge.dat\""), 1);

  // A lower score later keeps the best; the last stage opens no stage past the list.
  SaveData.nScore = 200;
  EXPECT_EQ(m_scene->LoadNextStage(), MODE_CHALLENGE);
  EXPECT_EQ(SaveData.ChallengeRecords.At(0).nSecond, 500);
  EXPECT_EQ(SaveData.nTotal, 500);
  SaveData.nStageNo = 2;
  SaveData.nChallengeOpen = 2;
  SaveData.nScore = 50;
  EXPECT_EQ(m_scene->LoadNextStage(), MODE_CHALLENGE);
  EXPECT_EQ(SaveData.nChallengeOpen, 2);
  EXPECT_EQ(SaveData.nTotal, 550);
  // A stage number without a record is reported, and the record is still written.
  SaveData.nStageNo = 9;
  EXPECT_EQ(m_scene->LoadNextStage(), MODE_CHALLENGE);
  EXPECT_TRUE(Reported("challenge stage 9 has no record"));
  EXPECT_EQ(FailureExitCode(), 0);
}

// A stage file not in parts is played again from its file after its clear.
TEST_F(StageClear, AClearedStageFileIsPlayedAgainFromItsFile) {
  WriteStage("free");
  SetStageFileStarter(&StartStageFile);
  Begin(3, cEdSystem::kStageFile, "free", 1);
  ASSERT_EQ(SaveData.bParted, 0);
  Clear(70, 0);
  ConfirmWhenReady();
  EXPECT_EQ(ModeManager.m_nNextMode, MODE_STAGE);
  StageData.nWidth = 99;  // changed by play; the file brings it back
  FadeOutAndRun();
  EXPECT_EQ(ModeManager.m_nMode, MODE_STAGE);
  EXPECT_EQ(StageData.strFilePath, "data\\stg4\\free.stg4_752");
  EXPECT_EQ(StageData.nWidth, 20);
  EXPECT_EQ(SaveData.nPart, 1);
  EXPECT_EQ(FailureExitCode(), 0);
}

TEST_F(StageClear, WhatFollowsAClearByPlayKind) {
  WriteStage("s-1");
  Begin(3, cEdSystem::kStageFile, "s-1", 1);
  WorldMap.Events.resize(1);
  WorldMap.Events[0].Stages.resize(2);
  WorldMap.Events[0].Stages[0].nAfterClear = 2;
  WorldMap.Events[0].Stages[1].nAfterClear = 1;
  struct Case {
    const char* what;
    int kind, parted, startup, nextPart, afterHandle;
    int mode, part;
  };
  const Case cases[] = {
      {"a stage file is played again", 3, 0, 0, 2, 0, MODE_STAGE, 5},
      {"the start-up stage is played again", 3, 1, 1, 2, 0, MODE_STAGE, 5},
      {"a parted file without its next part ends at the title", 3, 1, 0, 2, 0, MODE_TITLE, 5},
      {"a parted file with no next part ends at the title", 3, 1, 0, 0, 0, MODE_TITLE, 5},
      {"a replay starts over", 4, 1, 0, 2, 0, MODE_STAGE, 5},
      {"a story entry that ends the story", 0, 1, 0, 0, WorldStageHandle(0, 0), MODE_TITLE, 5},
      {"a story entry that starts a new round", 1, 1, 0, 0, WorldStageHandle(0, 1), MODE_WORLDMAP, 5},
      {"a handle outside the map goes back to the map", 0, 1, 0, 0, WorldStageHandle(3, 0), MODE_WORLDMAP, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModeManager.m_nPlayKind = c.kind;
    SaveData.bParted = c.parted;
    SaveData.bStartPos = 1;
    SaveData.nPart = 5;
    SaveData.nRound = 0;
    SaveData.Flags.At(4) = 1;
    SaveData.nStageNo = 1;
    SaveData.pWorldStage = c.afterHandle;
    SaveData.nLives = 1;
    SaveData.nCheckLives = 7;
    bStartupStage = c.startup;
    m_scene->m_nNextPart = c.nextPart;
    MenuCursor.Cur().nRow = 9;
    EXPECT_EQ(m_scene->LoadNextStage(), c.mode);
    EXPECT_EQ(SaveData.nPart, c.part);
    if (c.kind == 3 && c.mode == MODE_STAGE) {
      EXPECT_EQ(SaveData.bStartPos, 0);
    }
    if (c.kind == 4) {
      EXPECT_EQ(SaveData.nLives, 7);  // the checkpoint of the replay's start
    }
    if (c.mode == MODE_TITLE && c.kind == 0) {
      EXPECT_EQ(MenuCursor.Cur().nRow, 0);
    }
    if (c.kind == 1) {
      EXPECT_EQ(SaveData.nRound, 1);
      EXPECT_EQ(SaveData.Flags.At(4), 0);
    }
  }
  EXPECT_EQ(FailureExitCode(), 0);
}

TEST_F(StageClear, TheNextPartsFileAndItsFailures) {
  WriteStage("w02-1");
  WriteStage("w02-3");
  WriteStage("bonus");
  Begin(0, cEdSystem::kStory, "w02-1", 1);
  std::string path;
  m_scene->m_nNextPart = 3;
  EXPECT_EQ(m_scene->BuildNextStagePath(path, 3), 1);
  EXPECT_EQ(path, "data\\stg4\\w02-3.stg4_752");
  EXPECT_EQ(m_scene->IsLastPart(3), 0);
  EXPECT_EQ(m_scene->BuildNextStagePath(path, 2), 0);  // no file for part 2
  EXPECT_EQ(path, "");
  // A stage named by the clear command, without a part number.
  m_scene->m_strNextStage = "data\\stg4\\bonus.";
  EXPECT_EQ(m_scene->BuildNextStagePath(path, 7), 1);
  EXPECT_EQ(path, "data\\stg4\\bonus.stg4_752");
  m_scene->m_strNextStage.clear();
  // No next part chosen, a stage not in parts, an empty name, a name too long for a path.
  m_scene->m_nNextPart = 0;
  EXPECT_EQ(m_scene->IsLastPart(0), 1);
  m_scene->m_nNextPart = 3;
  SaveData.bParted = 0;
  EXPECT_EQ(m_scene->IsLastPart(3), 1);
  SaveData.bParted = 1;
  const std::string name = SaveData.StageName;
  SaveData.StageName.clear();
  EXPECT_EQ(m_scene->BuildNextStagePath(path, 3), 0);
  SaveData.StageName = "data\\stg4\\" + std::string(250, 'a') + ".";
  EXPECT_EQ(m_scene->BuildNextStagePath(path, 3), 0);
  SaveData.StageName = name;
  EXPECT_EQ(FailureExitCode(), 0);

  // A damaged next part: the loader's message and the close, then no next part.
  std::vector<unsigned char> bytes = m_dir->Read("data/stg4/w02-3.stg4_752");
  bytes.back() ^= 0xFF;
  m_dir->Write("data/stg4/w02-3.stg4_752", bytes);
  EXPECT_EQ(m_scene->LoadNextStage(), MODE_WORLDMAP);
  EXPECT_TRUE(Reported("ステージファイル data\\stg4\\w02-3.stg4_752 が破損しています！"));
  EXPECT_EQ(FailureExitCode(), 1);
  EXPECT_EQ(StageData.strFilePath, "data\\stg4\\w02-1.stg4_752");
}

TEST_F(StageClear, ExtraLivesAtEveryScoreStepCrossed) {
  WriteStage("e-1");
  Begin(0, cEdSystem::kStory, "e-1", 1);
  SystemData.bExtraLife = 1;
  SystemData.nExtraLifeScore = 100;
  struct Case {
    int score, stageScore, lives, after;
  };
  const Case cases[] = {{99, 1, 5, 6},     {99, 202, 5, 8},   {100, 99, 5, 5},
                        {0, 50, 5, 5},     {99, 1, 99, 99},   {0, 300, 999999, 999999},
                        {0, 100, 150, 150}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.score << "+" << c.stageScore << " lives " << c.lives);
    SaveData.nScore = c.score;
    SaveData.nStageScore = c.stageScore;
    SaveData.nLives = c.lives;
    m_scene->TallyStageEnd();
    EXPECT_EQ(SaveData.nLives, c.after);
    EXPECT_TRUE(m_scene->m_Messages.empty());
  }
  // The score total never wraps.
  SaveData.nScore = INT32_MAX - 5;
  SaveData.nStageScore = 999999;
  SaveData.nLives = 999999;
  m_scene->TallyStageEnd();
  EXPECT_EQ(SaveData.nScore, INT32_MAX);
  // The game closed during the first announcement: the tally stops and closes it again.
  SaveData.nScore = 0;
  SaveData.nStageScore = 300;
  SaveData.nLives = 1;
  m_scene->m_bQuit = 1;
  m_scene->TallyStageEnd();
  EXPECT_EQ(SaveData.nLives, 2);
  plat::MSG m;
  int closes = 0;
  while (plat::PeekMessage(&m, true)) closes += m.message == plat::WM_CLOSE;
  EXPECT_EQ(closes, 1);
}

TEST_F(StageClear, RankingsWaitForTheLastPartAndATestPlayLooksNothingUp) {
  WriteStage("r-1");
  WriteStage("r-2");
  Begin(0, cEdSystem::kStory, "r-1", 1);
  Clear(10, 2);  // part 2 exists
  EXPECT_EQ(m_scene->m_bPlaceReached, 0);
  Clear(10, 0);  // the last part
  EXPECT_EQ(m_scene->m_bPlaceReached, 1);
  EXPECT_EQ(m_scene->m_RankValues.At(0), SaveData.nScore);
  bTestPlay = 1;
  Clear(10, 0);
  EXPECT_EQ(m_scene->m_bPlaceReached, 0);
  EXPECT_EQ(m_scene->m_RankPlaces.At(0), -1);
  bTestPlay = 0;
  // The ranking switch of the play off: nothing, whatever the part.
  ModeManager.m_bRanking = 0;
  Clear(10, 0);
  EXPECT_EQ(m_scene->m_bPlaceReached, 0);
  // A start-up stage ranks even with a next part.
  ModeManager.m_bRanking = 1;
  bStartupStage = 1;
  Clear(10, 2);
  EXPECT_EQ(m_scene->m_bPlaceReached, 1);
  // A ranking set holding fewer tables than genres ranks nothing in the missing ones.
  bStartupStage = 0;
  SystemData.RankSettings.At(0).Genres.Fill(1);
  StageData.RankGenres.assign(cRankings::kGenres, 1);
  Rankings.Tables.resize(3);
  Clear(10, 0);
  EXPECT_EQ(m_scene->m_RankPlaces.At(2), 0);
  EXPECT_EQ(m_scene->m_RankPlaces.At(3), -1);
  EXPECT_EQ(FailureExitCode(), 0);
}

// The automatic clear passes without confirm and registers nothing.
TEST_F(StageClear, TheAutomaticClearLeavesByItselfWithoutRegistering) {
  WriteStage("a-1");
  Begin(0, cEdSystem::kStory, "a-1", 1);
  StageData.bSkipTally = 1;
  OptionData.nRegisterMode = 2;
  Clear(10, 0);
  ASSERT_EQ(m_scene->m_bPlaceReached, 1);
  int frames = 0;
  while (m_scene->m_nPhase == cStageScene::kStageClear && frames < 100) {
    Frame(0);
    ++frames;
  }
  EXPECT_EQ(frames, 51);  // 50 frames of the banner, the 51st leaves
  EXPECT_EQ(m_scene->m_bRankRegistered, 0);
  EXPECT_EQ(ModeManager.m_nNextMode, MODE_WORLDMAP);
  // Without the clear word it leaves at the first frame.
  StageData.bClearBanner = 0;
  m_scene->m_nPhase = cStageScene::kStageClear;
  Frame(0);
  Frame(0);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kFadeOut);
}

// F3 registers in modes 0 and 1; mode 0 asks the name in the window's dialog,
// answered from the script; the name the player typed is kept for next time.
bool gAnswered = false;
bool AnswerNameEntry() {
  MainWindow.WndProc(0, WM_NAME_ENTRY, 0, 0);
  gAnswered = MainWindow.m_bNameEntryDone.load() == 1;
  return gAnswered;
}

TEST_F(StageClear, F3RegistersWithTheNameTypedIntoTheDialog) {
  ASSERT_TRUE(plat::IsHeadless());
  WriteStage("n-1");
  Begin(0, cEdSystem::kStory, "n-1", 1);
  SaveData.Name = "old";
  OptionData.nRegisterMode = 0;
  Rankings.Tables[0].Insert("TOP", 1000);
  Clear(10, 0);
  ASSERT_EQ(m_scene->m_RankPlaces.At(0), 1);
  // The prompt frame: the registration is offered, nothing registered yet.
  Frame(0);
  EXPECT_EQ(m_scene->m_bRankRegistered, 0);
  setenv("KORVANE_ANSWERS", "text:ＺＯＥＹ", 1);
  plat::ReloadTestControls();
  SetNameEntrySender(&AnswerNameEntry);
  plat::SetKeyDown(0x72, true);
  Frame(0);
  plat::SetKeyDown(0x72, false);
  SetNameEntrySender(nullptr);
  EXPECT_TRUE(gAnswered);
  EXPECT_EQ(m_scene->m_bRankRegistered, 1);
  EXPECT_EQ(m_scene->m_strRankName, SJ("ＺＯＥ"));
  EXPECT_EQ(SaveData.Name, SJ("ＺＯＥ"));
  EXPECT_EQ(Rankings.Tables[0].Entries[1].strName, SJ("ＺＯＥ"));
  // Once per clear: F3 again and the confirm do not register a second time.
  plat::SetKeyDown(0x72, true);
  Frame(0);
  plat::SetKeyDown(0x72, false);
  EXPECT_EQ(Rankings.Tables[0].Entries[2].bUsed, 0);
  cRankings back;
  ASSERT_TRUE(LoadRankingFile(back, cEdSystem::kStory, "n."));
  EXPECT_EQ(back.Tables[0].Entries[1].strName, SJ("ＺＯＥ"));
  EXPECT_EQ(back.Tables[0].Entries[1].nValue, 10);
  unsetenv("KORVANE_ANSWERS");
  plat::ReloadTestControls();
}

// The stage-clear screen as it waits for confirm: the clear word, the prompt to
// register with F3 where the caption would be, and the result panel. The frame is
// written beside the test binary for a look.
TEST_F(StageClear, TheClearScreenShowsTheWordThePromptAndTheResultPanel) {
  WriteStage("p-1");
  Begin(0, cEdSystem::kStory, "p-1", 1);
  SystemData.RankSettings.At(0).Genres.Fill(1);
  StageData.RankGenres.assign(cRankings::kGenres, 1);
  OptionData.nRegisterMode = 0;
  m_scene->m_nPlayTime = 12345;
  Clear(4200, 0);
  for (int i = 0; i < 60 && m_scene->m_nBannerCount2 < 200; ++i) Frame(0);
  ASSERT_EQ(m_scene->m_nPhase, cStageScene::kStageClear);
  const std::vector<uint32_t> pixels = ReadPixels(&BackBuffer, 0, 0, 640, 480);
  plat::WritePngFile(std::string(KORVANE_BIN_DIR) + "/stage-clear.png", pixels.data(), 640, 480);
  const uint32_t bg = pixels.back();
  const std::vector<uint32_t> prompt = ReadPixels(&BackBuffer, 0, 456, 640, 16);
  EXPECT_GT(CountNot(ReadPixels(&BackBuffer, 256, 192, 128, 32), bg), 20);   // the clear word
  EXPECT_GT(CountNot(ReadPixels(&BackBuffer, 0, 456, 640, 16), bg), 50);     // the prompt
  EXPECT_GT(CountNot(ReadPixels(&BackBuffer, 336, 224, 200, 80), bg), 200);  // the panel
  // Once registered the prompt goes and the caption line comes back.
  OptionData.nRegisterMode = 1;
  m_scene->RegisterRanking();
  OptionData.nRegisterMode = 0;
  Frame(0);
  EXPECT_EQ(m_scene->m_bRankRegistered, 1);
  EXPECT_NE(ReadPixels(&BackBuffer, 0, 456, 640, 16), prompt);
}

}  // namespace
