// The stage-play scene in-process: the paths that follow a lost life in story
// play, the menus' choices by play kind, the lives rule, and Init's surfaces.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "app/svc/input.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "app/base/shell_globals.h"
#include "data/project_globals.h"
#include "draw/play_surfaces.h"
#include "platform/messages.h"
#include "stage/stage_scene.h"
#include "tests/support/draw_fixture.h"

namespace {

enum { kDown = 8, kUp = 4, kConfirm = 1, kCancel = 2 };

class StagePlayKinds : public testing::Test {
 protected:
  void SetUp() override {
    hMainWnd = plat::RegisterWindow();
    bStartupStage = 0;
    bTestPlay = 0;
    SaveData.Reset();
    SaveData.nStageNo = 1;
    SaveData.nLivesAtStart = 3;
    SaveData.nLives = 2;
    SaveData.SaveCheckpoint();  // as the stage's set-up keeps it: a retry puts these back
    SystemData.bStoryMissMenu = 1;
    SystemData.bStoryRetry = 0;
    StageData = cEdStage();
    PlayStageData = cEdStage();
    ModeManager.m_nPlayKind = 0;  // new story
    ModeManager.m_nPlayCategory = cEdSystem::kStory;
    ModeManager.m_nNextMode = MODE_STAGE;
    m_scene = std::make_unique<cStageScene>();
    MenuCursor.Reset();
  }
  void TearDown() override {
    m_scene.reset();
    plat::UnregisterWindow(hMainWnd);
    hMainWnd = 0;
  }
  // One frame of a phase with this input of player 1 (a fresh press).
  void Frame(int (cStageScene::*phase)(), uint16_t direction, uint16_t buttons) {
    cInput& in = Input.At(0);
    in.Init();
    in.m_wDirection = direction;
    in.m_wButton = buttons;
    (m_scene.get()->*phase)();
  }
  bool WasClosed() {
    int n = 0;
    plat::MSG m;
    while (plat::PeekMessage(&m, true))
      if (m.message == plat::WM_CLOSE) ++n;
    return n > 0;
  }
  std::unique_ptr<cStageScene> m_scene;
};

TEST_F(StagePlayKinds, ALostLifeInTheStoryOpensTheMissMenuUntilNoneIsLeft) {
  m_scene->m_nPhase = cStageScene::kPlay;
  m_scene->OnPlayerDeathEnd();
  EXPECT_EQ(SaveData.nLives, 1);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kMissMenu);
  EXPECT_EQ(m_scene->m_nPhaseStep, 0);
  // Retry (the first row): the stage starts again with its banner.
  Frame(&cStageScene::MissMenu, 0, kConfirm);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kStartBanner);
  m_scene->OnPlayerDeathEnd();
  EXPECT_EQ(SaveData.nLives, 0);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kMissMenu);
  // Give up (the second row): back on the map, one step back.
  Frame(&cStageScene::MissMenu, kDown, kConfirm);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kFadeOut);
  EXPECT_EQ(ModeManager.m_nNextMode, MODE_WORLDMAP);
  EXPECT_EQ(SaveData.bMapStepBack, 1);
  EXPECT_EQ(MenuCursor.Cur().nRow, 0);  // the title's row of the play kind
  // No life left: game over, and its confirm goes to the title.
  m_scene->m_nPhase = cStageScene::kPlay;
  m_scene->OnPlayerDeathEnd();
  EXPECT_EQ(SaveData.nLives, 0);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kGameOver);
  Frame(&cStageScene::GameOver, 0, kConfirm);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kFadeOut);
  EXPECT_EQ(ModeManager.m_nNextMode, MODE_TITLE);
  EXPECT_FALSE(WasClosed());
}

TEST_F(StagePlayKinds, WithoutTheMissMenuALostLifeRetriesAtOnce) {
  SystemData.bStoryMissMenu = 0;
  m_scene->OnPlayerDeathEnd();
  EXPECT_EQ(SaveData.nLives, 1);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kStartBanner);
  // The challenge never opens the miss menu.
  SystemData.bStoryMissMenu = 1;
  ModeManager.m_nPlayCategory = cEdSystem::kChallenge;
  m_scene->OnPlayerDeathEnd();
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kStartBanner);
  EXPECT_EQ(SaveData.nLives, 0);
}

TEST_F(StagePlayKinds, UseLifeTakesOneUnlessLivesAreUnlimited) {
  struct Case {
    int lives;
    int startup;
    int result;
    int after;
  };
  const Case cases[] = {{3, 0, 1, 2}, {1, 0, 1, 0}, {0, 0, 0, 0}, {-5, 0, 0, -5}, {999999, 0, 1, 999999},
                        {2, 1, 1, 2},  {0, 1, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lives);
    bStartupStage = c.startup;
    cSaveData save;
    save.nLives = c.lives;
    EXPECT_EQ(m_scene->UseLife(save), c.result);
    EXPECT_EQ(save.nLives, c.after);
  }
}

TEST_F(StagePlayKinds, ThePauseMenuOfTheStoryQuitsToTheTitleOrResumes) {
  m_scene->m_nPhase = cStageScene::kPlay;
  m_scene->m_nPhaseStep = 0;
  ASSERT_EQ(m_scene->CheckPauseKey(), 0);  // Space is not held
  m_scene->m_nSavedPhase = cStageScene::kPlay;
  m_scene->m_nPhase = cStageScene::kPauseMenu;
  // Two rows in the story (no retry offered): up from resume is quit.
  Frame(&cStageScene::PauseMenu, kUp, kConfirm);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kFadeOut);
  EXPECT_EQ(ModeManager.m_nNextMode, MODE_TITLE);
  EXPECT_FALSE(WasClosed());  // only a start-up stage ends the program
  // Resume: back where the pause came from, the buttons held back.
  m_scene->m_nPhase = cStageScene::kPauseMenu;
  m_scene->m_nPhaseStep = 0;
  Frame(&cStageScene::PauseMenu, 0, kConfirm);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kPlay);
  EXPECT_EQ(m_scene->m_bButtonLatch, 1);
  // Down from resume wraps to quit with two rows.
  m_scene->m_nPhase = cStageScene::kPauseMenu;
  m_scene->m_nPhaseStep = 0;
  Frame(&cStageScene::PauseMenu, kDown, kConfirm);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kFadeOut);
  // Cancel with two rows: the saved phase, sub-step 0.
  m_scene->m_nPhase = cStageScene::kPauseMenu;
  m_scene->m_nPhaseStep = 0;
  m_scene->m_nSavedPhase = cStageScene::kGameOver;
  m_scene->m_nSavedPhaseStep = 5;
  Frame(&cStageScene::PauseMenu, 0, kCancel);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kGameOver);
  EXPECT_EQ(m_scene->m_nPhaseStep, 0);
}

TEST_F(StagePlayKinds, AStoryStageClearedBeforeOffersTheRetry) {
  SystemData.bStoryRetry = 1;
  SaveData.Flags.At(SaveData.nStageNo) = 1;
  m_scene->m_nSavedPhase = cStageScene::kPlay;
  m_scene->m_nSavedPhaseStep = 3;
  m_scene->m_nPhase = cStageScene::kPauseMenu;
  Frame(&cStageScene::PauseMenu, kDown, kConfirm);  // resume -> retry
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kStartBanner);
  EXPECT_EQ(m_scene->m_nPhaseStep, 0);
  EXPECT_EQ(SaveData.nLives, 2);  // a retry from the menu takes no life
  // Cancel with three rows restores the saved sub-step.
  m_scene->m_nPhase = cStageScene::kPauseMenu;
  m_scene->m_nPhaseStep = 0;
  Frame(&cStageScene::PauseMenu, 0, kCancel);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kPlay);
  EXPECT_EQ(m_scene->m_nPhaseStep, 3);
}

TEST_F(StagePlayKinds, QuitOfAStartUpStageClosesTheGameInOrder) {
  bStartupStage = 1;
  ModeManager.m_nPlayCategory = cEdSystem::kStageFile;
  ModeManager.m_nPlayKind = 3;
  m_scene->m_nPhase = cStageScene::kPauseMenu;
  Frame(&cStageScene::PauseMenu, kUp, kConfirm);
  EXPECT_TRUE(WasClosed());
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kFadeOut);
  // A start-up stage never loses a life.
  m_scene->OnPlayerDeathEnd();
  EXPECT_EQ(SaveData.nLives, 2);
  EXPECT_EQ(m_scene->m_nPhase, cStageScene::kStartBanner);
}

TEST_F(StagePlayKinds, ResetStageCountersStartsTheStageFromItsLives) {
  SaveData.nScore = 50;
  SaveData.nStageScore = 7;
  SaveData.nResultHp = 3;
  SaveData.bStartPos = 1;
  m_scene->m_nBannerCount = 12;
  m_scene->m_bButtonLatch = 1;
  m_scene->m_ScrollX.m_dPos = 900;
  m_scene->ResetStageCounters();
  EXPECT_EQ(SaveData.nLives, 3);
  EXPECT_EQ(SaveData.nScore, 0);
  EXPECT_EQ(SaveData.nStageScore, 0);
  EXPECT_EQ(SaveData.nResultHp, 0);
  EXPECT_EQ(SaveData.bStartPos, 0);
  EXPECT_EQ(m_scene->m_nBannerCount, 0);
  EXPECT_EQ(m_scene->m_bButtonLatch, 0);
  EXPECT_EQ(m_scene->m_ScrollX.m_dPos, 0.0);
}

TEST_F(StagePlayKinds, PlayBeginsFromThePlayersBaseAnimation) {
  // The stage-start flows left the player in another animation; no banner is shown.
  StageData.bStartBanner1 = StageData.bStartBanner2 = 0;
  for (const bool flying : {false, true}) {
    SCOPED_TRACE(flying);
    Player.resize(1);
    Player.front().m_bFlying = flying;
    Player.front().m_Anime.Set(5, 1);
    m_scene->m_nPhase = cStageScene::kStartBanner;
    m_scene->StartBanner();
    EXPECT_EQ(m_scene->m_nPhase, cStageScene::kPlay);
    EXPECT_EQ(Player.front().m_Anime.m_nSequence, flying ? 2 : 0);
  }
  Player.clear();
}

// Init and its surfaces, through the real drawing layer.
class StageInit : public cDrawTest {
 protected:
  void SetUp() override {
    cDrawTest::SetUp();
    ASSERT_TRUE(StartLayer({0, 32, 1}));
    hMainWnd = plat::RegisterWindow();
    bStartupStage = 1;
    StageData = cEdStage();
    PlayStageData = cEdStage();
    Database.BmpCharaExcList.clear();
    ModeManager.m_nPrevMode = MODE_TITLE;
    ModeManager.m_nPlayKind = 3;
    ModeManager.m_nPlayCategory = cEdSystem::kStageFile;
    ModeManager.m_bRanking = 0;
  }
  void TearDown() override {
    plat::UnregisterWindow(hMainWnd);
    hMainWnd = 0;
    BuildSysBmpInfo();
    cDrawTest::TearDown();
  }
};

TEST_F(StageInit, LoadsTheStageSurfacesAndReleasesThemAtTheEnd) {
  {
    cStageScene scene;
    scene.Run();
    EXPECT_EQ(scene.m_nPhase, 0);
    EXPECT_GT(Off_Sys[51].nWidth, 0);   // the word image
    EXPECT_EQ(Off_Sys[63].nWidth, 256);  // the composed shot sheets
    EXPECT_EQ(FailureExitCode(), 0);
  }
  EXPECT_EQ(Off_Sys[51].lpDDPart, nullptr);
  EXPECT_EQ(Off_Sys[63].lpDDPart, nullptr);
}

TEST_F(StageInit, LayersOfTheStageFillTheEightSlotsAndNoMore) {
  // No layers: every slot empty.
  {
    cStageScene scene;
    scene.Init();
    for (int i = 55; i <= 62; ++i) EXPECT_STREQ(SysBmpInfo[i].szFileName, "") << i;
  }
  // Twelve layers, the first a picture larger than the screen, the second a fill.
  std::vector<uint8_t> big(700 * 500, 3);
  m_dir->Write("big.bmp", draw_tool::EncodeBmp8(700, 500, big, draw_tool::SheetPalette()));
  StageData.Layers.resize(12);
  for (int i = 0; i < 12; ++i) StageData.Layers.At(i).bFill = 0;
  StageData.Layers.At(0).strPicture = "big.bmp";
  StageData.Layers.At(1).bFill = 1;
  StageData.Layers.At(1).strPicture = "big.bmp";
  for (int i = 2; i < 12; ++i) StageData.Layers.At(i).strPicture = "";
  cStageScene scene;
  scene.Init();
  EXPECT_STREQ(SysBmpInfo[55].szFileName, "big.bmp");
  EXPECT_EQ(scene.m_bLayerLarge[0], 1);
  EXPECT_STREQ(SysBmpInfo[56].szFileName, "");  // a fill layer has no picture
  EXPECT_EQ(Off_Sys[55].nWidth, 700);
  EXPECT_EQ(FailureExitCode(), 0);
}

TEST_F(StageInit, AMissingCharacterPictureIsReportedAndPlayGoesOn) {
  Database.BmpCharaExcList.resize(3);
  Database.BmpCharaExcList.At(1).strFile = "bmp\\Missing.bmp";
  Database.BmpCharaExcList.At(2).strFile = "bmp\\Character1.bmp";
  Database.BmpCharaExcList.At(2).bOwnCellSize = 1;
  Database.BmpCharaExcList.At(2).nCellSize = 2;
  cStageScene scene;
  scene.Init();
  EXPECT_TRUE(Reported("専用bmp bmp\\Missing.bmp 読み込み失敗！"));
  ASSERT_EQ(Off_CharaExc.Count(), 8);
  EXPECT_EQ(CharaExcInfo.At(4).nMirrorCellWidth, 64);
  EXPECT_EQ(CharaExcInfo.At(6).nMirrorCellWidth, 0);
  EXPECT_EQ(CharaExcInfo.At(6).nDDMemKind, DDMEMKIND_SYSTEM);
  EXPECT_GT(Off_CharaExc.At(4).nWidth, 0);
  EXPECT_EQ(Off_CharaExc.At(0).nWidth, 0);
  EXPECT_EQ(FailureExitCode(), 0);
}

TEST_F(StageInit, AMissingSystemPictureShowsItsMessageAndClosesTheGame) {
  std::remove((m_dir->Path() + "/bmp/Word.bmp").c_str());
  cStageScene scene;
  scene.Run();
  EXPECT_TRUE(Reported("bmp\\Word.bmp の読み込みに失敗！"));
  EXPECT_EQ(FailureExitCode(), 1);
  EXPECT_EQ(scene.m_nPhase, 0);  // the frame goes on; the close comes from the window
}

// A text thrown by Init: reported, the game closes, the phase still starts.
struct cThrowingStage : cStageScene {
  void Init() override {
    cStageScene::Init();
    throw "stage init failed";
  }
};

TEST_F(StageInit, ATextThrownByInitClosesTheGame) {
  cThrowingStage scene;
  scene.Run();
  EXPECT_EQ(scene.m_nPhase, 0);
  EXPECT_TRUE(m_dir->ReportContains("stage init failed"));
  EXPECT_EQ(FailureExitCode(), 1);
}

// The shot sheets: every 16x16 cell of the shot picture centred in a 32x32 slot,
// the rest transparent.
TEST_F(StageInit, TheShotSheetsHoldEachShotCellCentredInItsSlot) {
  std::vector<uint8_t> shot(128 * 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 128; ++x) shot[size_t(y) * 128 + x] = uint8_t(1 + (x * 7 + y * 3) % 250);
  m_dir->Write("bmp/Shot.bmp", draw_tool::EncodeBmp8(128, 480, shot, draw_tool::SheetPalette()));
  const int list[] = {20, 21, 63, 64};
  ASSERT_TRUE(DDLoadSurfaceTable(Off_Sys, list, 4));
  cStageScene scene;
  scene.ComposeShotImages();
  const uint32_t key = PixelAt(&Off_Sys[63], 0, 0);
  for (int c = 0; c < 30; ++c) {
    for (int d = 0; d < 4; ++d) {
      for (int half = 0; half < 2; ++half) {
        const int sx = 32 * d + 16 * half, sy = 16 * c;
        const int tx = 8 + 64 * d + 32 * half, ty = 8 + 32 * c;
        SCOPED_TRACE(testing::Message() << "cell " << c << "," << d << "," << half);
        for (int k : {0, 7, 15}) {
          EXPECT_EQ(PixelAt(&Off_Sys[63], tx + k, ty + k), PixelAt(&Off_Sys[20], sx + k, sy + k));
          EXPECT_EQ(PixelAt(&Off_Sys[64], tx + k, ty + 15 - k), PixelAt(&Off_Sys[21], sx + k, sy + 15 - k));
        }
        // The slot's margin around the cell stays transparent.
        EXPECT_EQ(PixelAt(&Off_Sys[63], tx - 1, ty - 1), key);
        EXPECT_EQ(PixelAt(&Off_Sys[63], tx + 16, ty + 16), key);
      }
    }
  }
  // The mirrored copy holds the cells mirrored.
  EXPECT_EQ(PixelAt(&Off_Sys[21], 0, 0), PixelAt(&Off_Sys[20], 15, 0));
}

}  // namespace
