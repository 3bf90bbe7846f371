// The held-play loops on their threads, in-process on a fixture stage: a message
// that waits for a key (its delay, a key already held when it opens), timed holds
// that present exactly their frames, messages that run out during a hold, the
// close of the game during a hold (with and without its quit message), a thread
// that cannot start, the ranking window's genres, and the commands that hold play
// (messages, game waits, effects and pictures).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/base/play_trace.h"
#include "app/base/shell_globals.h"
#include "app/base/thread.h"
#include "app/main_window.h"
#include "app/svc/input.h"
#include "app/svc/mode_manager.h"
#include "chara/command_handlers.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/present_commands.h"
#include "chara/stage_chara.h"
#include "data/command.h"
#include "draw/play_surfaces.h"
#include "data/project_globals.h"
#include "data/stage_loader.h"
#include "data/user_records.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "platform/scripted_input.h"
#include "platform/sjis.h"
#include "stage/held_play.h"
#include "stage/stage_scene.h"
#include "tools/draw_tool/bmp_writer.h"
#include "tools/draw_tool/sheet_project.h"
#include "tests/draw/font_fixture.h"
#include "tests/support/play_stage.h"

namespace {

class HeldPlayThread : public cFontTest {
 protected:
  void SetUp() override {
    cFontTest::SetUp();
    Start(0);
    ASSERT_TRUE(InitGameFonts(SJ("ＭＳ ゴシック"), 1, 1, 0, 0));
    plat::UseVirtualClock(true);
    hMainWnd = plat::RegisterWindow();
    bStartupStage = 0;
    bTestPlay = 0;
    StageData = cEdStage();
    PlayStageData = cEdStage();
    SaveData.Reset();
    SaveData.Validate();
    ModeManager.m_nFrameRate = 60;
    ModeManager.m_nPlayKind = 3;
    ModeManager.m_nPlayCategory = cEdSystem::kStageFile;
    m_dir->Write("data/stg4/.keep", "");
    cPlayStage stage(20, 15);
    stage.Map({"", "..P"});
    ASSERT_TRUE(stage.Write("data\\stg4\\held.stg4_752"));
    ASSERT_EQ(LoadStageForPlay("data\\stg4\\held.stg4", 1, &PlayStageData), 1);
    SaveData.SetFileName(StageData.strFilePath);
    SaveData.nPart = 1;
    SaveData.nLives = 3;
    m_scene = std::make_unique<cStageScene>();
    ModeManager.m_pStage = m_scene.get();
    CurrentStage.store(m_scene.get());
    m_scene->Init();
    m_scene->m_nPhase = cStageScene::kPlay;
    PlayTraceRedirect(m_dir->Path() + "/trace.txt");
  }
  void TearDown() override {
    PlayTraceRedirect("");
    plat::EndScriptedInput();
    CurrentStage.store(nullptr);
    ModeManager.m_pStage = nullptr;
    m_scene.reset();
    plat::UnregisterWindow(hMainWnd);
    hMainWnd = 0;
    plat::UseVirtualClock(false);
    cFontTest::TearDown();
  }

  // Key changes by held frame: (1, "Z=1") is the first frame the loop runs.
  void Script(const std::vector<std::pair<int, std::string>>& changes) {
    std::string text;
    const uint32_t base = FrameNumber();
    for (const auto& c : changes) text += std::to_string(c.first == 0 ? 0 : base + c.first) + " " + c.second + "\n";
    m_dir->Write("input.txt", text);
    std::string error;
    ASSERT_TRUE(plat::LoadScriptedInput(m_dir->Path() + "/input.txt", error)) << error;
  }
  std::vector<std::string> TraceLines() const {
    std::vector<std::string> lines;
    if (!m_dir->Exists("trace.txt")) return lines;
    const std::vector<unsigned char> b = m_dir->Read("trace.txt");
    const std::string t(b.begin(), b.end());
    for (size_t start = 0; start < t.size();) {
      size_t end = t.find('\n', start);
      if (end == std::string::npos) end = t.size();
      lines.push_back(t.substr(start, end - start));
      start = end + 1;
    }
    return lines;
  }
  int Count(const std::string& part) const {
    int n = 0;
    for (const std::string& l : TraceLines()) n += l.find(part) != std::string::npos;
    return n;
  }
  int PhaseLines() const { return Count("\"mode\":4,\"phase\""); }

  std::unique_ptr<cStageScene> m_scene;
};

TEST_F(HeldPlayThread, AKeyWaitSkipsItsDelayAndAKeyHeldWhenItOpens) {
  // Confirm is down when the message opens, let go at frame 3, pressed again inside
  // the 10-frame delay at 5 and held past it: only the press at 14 ends the hold.
  Script({{0, "Z=1"}, {3, "Z=0"}, {5, "Z=1"}, {12, "Z=0"}, {14, "Z=1"}});
  const int steps = m_scene->m_nStepCount;
  const uint16_t history = Input.At(0).GetHistory(1, 0);
  m_scene->m_PauseWait.Set(cPauseWait::kMessage, 1, 0, 0);
  const uint32_t before = FrameNumber();
  ASSERT_TRUE(HoldPlay(thPause, &PauseThreadProc, m_scene.get()));
  EXPECT_EQ(Count("\"ev\":\"hold\",\"kind\":1,\"key\":1,\"frames\":0,\"delay\":10"), 1);
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":13"), 1);
  EXPECT_EQ(PhaseLines(), 13);
  EXPECT_EQ(Count("\"ev\":\"se\",\"n\":12"), 1);
  EXPECT_EQ(m_scene->m_bButtonLatch, 1);
  // Held frames run no logic, and the play's own input history is the game thread's.
  EXPECT_EQ(m_scene->m_nStepCount, steps);
  EXPECT_EQ(Input.At(0).GetHistory(1, 0), history);
  // 14 held frames, then the rest of the game's frame as a frame of its own.
  EXPECT_EQ(FrameNumber(), before + 15);
}

TEST_F(HeldPlayThread, AChainedMessageWaitsForTheHeldKeyToBeLetGo) {
  // No delay after a message that ended with the key: it is still down.
  m_scene->m_bButtonLatch = 1;
  Script({{0, "Z=1"}, {4, "Z=0"}, {6, "Z=1"}});
  m_scene->m_PauseWait.Set(cPauseWait::kMessage, 1, 0, 1);
  ASSERT_TRUE(HoldPlay(thPause, &PauseThreadProc, m_scene.get()));
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":5"), 1);
  EXPECT_EQ(Count("\"ev\":\"se\",\"n\":12"), 1);
}

TEST_F(HeldPlayThread, TimedHoldsPresentExactlyTheirFrames) {
  const struct {
    int kind, frames, drawn;
  } cases[] = {{cPauseWait::kWait, 30, 30}, {cPauseWait::kMessage, 1, 1}, {cPauseWait::kEffect, 0, 0},
               {cPauseWait::kPicture, -5, 0}};
  int lines = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.frames);
    m_scene->m_PauseWait.Set(c.kind, 0, c.frames, 1);
    ASSERT_TRUE(HoldPlay(thPause, &PauseThreadProc, m_scene.get()));
    lines += c.drawn;
    EXPECT_EQ(PhaseLines(), lines);
  }
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":30}"), 1);
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":1}"), 1);
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":0}"), 2);
  // A key does nothing to a hold without a key wait.
  EXPECT_EQ(Count("\"ev\":\"se\""), 0);
}

TEST_F(HeldPlayThread, MessagesRunOutDuringAHoldButStayListedUntilPlayDraws) {
  // A game wait's own entry counts in held frames; a window that does not count
  // while held keeps its time.
  m_scene->m_Messages.emplace_back(0, nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 30, 1, 0, 0, 0, 0, 0, 0, 0, 0);
  m_scene->m_Messages.emplace_back(0, nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  cMessage* counting = &m_scene->m_Messages.front();
  cMessage* waiting = &m_scene->m_Messages.back();
  m_scene->m_PauseWait.Set(cPauseWait::kWait, 0, 40, 0);
  ASSERT_TRUE(HoldPlay(thPause, &PauseThreadProc, m_scene.get()));
  ASSERT_EQ(m_scene->m_Messages.size(), 2u);
  EXPECT_EQ(counting->m_bEnded, 1);
  EXPECT_EQ(waiting->m_bEnded, 0);
  EXPECT_EQ(waiting->m_nDisplayTime, 30);
  // The play phase's drawing takes the ended one out.
  m_scene->Draw(1, 0, 1, 1);
  ASSERT_EQ(m_scene->m_Messages.size(), 1u);
  EXPECT_EQ(&m_scene->m_Messages.front(), waiting);
  EXPECT_EQ(waiting->m_nDisplayTime, 29);
}

TEST_F(HeldPlayThread, ADeathIsEndedByPlaysOwnDrawingHoweverManyFramesTheHoldDrew) {
  // A defeated character without a death effect, and a hold without delay that the
  // key ends at once (nothing drawn) or after three drawn frames: the rest of the
  // logic step finds the same list, as a replay whose viewer is slower must.
  for (int press : {1, 4}) {
    SCOPED_TRACE(press);
    StageChara.clear();
    StageChara.emplace_back();
    StageChara.back().m_nKind = 1;
    StageChara.back().m_bDead = 1;
    m_scene->m_bButtonLatch = 0;
    Script({{press, "Z=1"}, {press + 1, "Z=0"}});
    m_scene->m_PauseWait.Set(cPauseWait::kMessage, 1, 0, 1);
    ASSERT_TRUE(HoldPlay(thPause, &PauseThreadProc, m_scene.get()));
    m_scene->SweepRemoved();
    ASSERT_EQ(StageChara.size(), 1u);
    EXPECT_EQ(StageChara.front().m_bDeathEnded, 0);
    // The play phase's drawing ends it; the next sweep takes it out.
    m_scene->Draw(1, 0, 1, 1);
    m_scene->SweepRemoved();
    EXPECT_TRUE(StageChara.empty());
  }
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":0}"), 1);
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":3}"), 1);
}

// The game window's close arrives from another thread while play is held: once the
// hold has begun its first frame (a close before that skips the hold altogether).
class cCloser {
 public:
  explicit cCloser(bool sendClose) {
    const uint32_t before = FrameNumber();
    m_thread = std::thread([sendClose, before] {
      while (!thPause.IsAlive() || FrameNumber() == before)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      if (sendClose) {
        MainWindow.WndProc(hMainWnd, plat::WM_CLOSE, 0, 0);
      } else if (cStageScene* s = StageScene()) {
        s->m_bQuit.store(1);  // the quit message is lost
      }
    });
  }
  ~cCloser() { m_thread.join(); }

 private:
  std::thread m_thread;
};

TEST_F(HeldPlayThread, ACloseDuringAKeyWaitEndsTheHoldAndTheNextFrameClosesAgain) {
  m_scene->m_PauseWait.Set(cPauseWait::kMessage, 1, 0, 0);
  {
    cCloser closer(true);
    ASSERT_TRUE(HoldPlay(thPause, &PauseThreadProc, m_scene.get()));
  }
  EXPECT_EQ(m_scene->m_bQuit.load(), 1);
  EXPECT_FALSE(thPause.IsRunning());
  // Another hold is not even begun, and the play phase asks for the close again.
  m_scene->m_PauseWait.Set(cPauseWait::kWait, 0, 30, 0);
  ASSERT_TRUE(HoldPlay(thPause, &PauseThreadProc, m_scene.get()));
  EXPECT_EQ(Count("\"ev\":\"hold\""), 1);
  plat::MSG m;
  while (plat::PeekMessage(&m, true)) {
  }
  m_scene->Play();
  int closes = 0;
  while (plat::PeekMessage(&m, true)) closes += m.message == plat::WM_CLOSE;
  EXPECT_EQ(closes, 1);
}

TEST_F(HeldPlayThread, AHoldWhoseQuitMessageIsLostEndsAfterTwoSeconds) {
  m_scene->m_PauseWait.Set(cPauseWait::kMessage, 1, 0, 0);
  const uint32_t start = plat::TimeGetTime();
  {
    cCloser closer(false);
    ASSERT_TRUE(HoldPlay(thPause, &PauseThreadProc, m_scene.get()));
  }
  EXPECT_GE(static_cast<int32_t>(plat::TimeGetTime() - start), kHeldQuitGraceMs);
  EXPECT_EQ(Count("\"ev\":\"se\""), 0);
}

TEST_F(HeldPlayThread, AThreadThatCannotStartSkipsTheHold) {
  std::atomic<int> release{0};
  static std::atomic<int>* gate = nullptr;
  gate = &release;
  ASSERT_TRUE(thPause.Start([](void*) -> unsigned {
    while (!gate->load()) plat::WaitMessageTimeout(1);
    return 0;
  }, nullptr));
  m_scene->m_PauseWait.Set(cPauseWait::kWait, 0, 30, 0);
  EXPECT_FALSE(HoldPlay(thPause, &PauseThreadProc, m_scene.get(), false));
  EXPECT_EQ(PhaseLines(), 0);
  release.store(1);
  thPause.Wait();
}

TEST_F(HeldPlayThread, TheRankingWindowStepsItsGenresAndEndsOnConfirm) {
  SystemData.RankSettings.resize(cEdSystem::kCategories);
  cEdRankSetting& s = SystemData.RankSettings[cEdSystem::kStageFile];
  s.bEnable = 1;
  s.Genres.assign(cRankings::kGenres, 0);
  s.Genres[0] = s.Genres[2] = 1;
  m_scene->m_RankPlaces.assign(cRankings::kGenres, -1);
  // Button 8 (F) twice, then confirm.
  Script({{2, "F=1"}, {3, "F=0"}, {4, "F=1"}, {5, "F=0"}, {7, "Z=1"}});
  ASSERT_TRUE(HoldPlay(thRanking, &RankingThreadProc, m_scene.get()));
  EXPECT_EQ(Count("\"ev\":\"se\",\"n\":6"), 2);
  EXPECT_EQ(Count("\"ev\":\"se\",\"n\":1"), 1);
  EXPECT_EQ(SaveData.nRankGenre, 0);  // 0, 2, and back to 0
  EXPECT_EQ(PhaseLines(), 6);
  // With one genre, button 8 changes nothing.
  s.Genres[2] = 0;
  Script({{1, "Z=0"}, {2, "F=1"}, {3, "F=0"}, {5, "Z=1"}});
  ASSERT_TRUE(HoldPlay(thRanking, &RankingThreadProc, m_scene.get()));
  EXPECT_EQ(Count("\"ev\":\"se\",\"n\":6"), 2);
}

// The message and game-wait commands on the same fixture.
using MessageCommandThread = HeldPlayThread;

cEdCommand MessageCommand(const std::string& text, std::initializer_list<std::pair<int, int>> values) {
  cEdCommand c;
  c.nType = 19;
  c.Values.assign(18, 0);
  for (const auto& v : values) c.Values[static_cast<size_t>(v.first)] = v.second;
  c.strText = text;
  return c;
}

// Two messages in one item list: the second follows the first as a chain (no
// opening); the next list starts a chain of its own.
TEST_F(MessageCommandThread, TheSecondMessageOfAnItemListFollowsTheFirst) {
  cVector<cEdCommand> list;
  for (const char* text : {"ab", "cd"}) {
    cEdCommand c = MessageCommand(text, {});
    c.nSet = cEdCommand::kItemSet;
    c.nType = 4;
    list.push_back(c);
  }
  cPlayer& player = Player.front();
  player.m_nHP = 1;
  EXPECT_EQ(player.RunItemCommands(list), 0);
  list.resize(1);
  EXPECT_EQ(player.RunItemCommands(list), 0);
  std::vector<int> opening;
  for (const cMessage& m : m_scene->m_Messages) opening.push_back(m.m_bOpening);
  EXPECT_EQ(opening, (std::vector<int>{1, 0, 1}));
}

TEST_F(MessageCommandThread, AWindowWithAnIdIsUpdatedInPlaceReplacedOrClosed) {
  cPlayer& actor = Player.front();
  cEdCommand first = MessageCommand("abc", {{12, 1}, {13, 7}, {6, 1}});
  ExecMessage(actor, first);
  cEdCommand other = MessageCommand("zz", {{6, 1}});
  ExecMessage(actor, other);
  ASSERT_EQ(m_scene->m_Messages.size(), 2u);
  cMessage* window = &m_scene->m_Messages.front();
  EXPECT_EQ(window->m_nWidth, 3 * 16 + 2);
  EXPECT_EQ(Off_Msg.size(), 2u);
  // The same size: the window itself takes the new text.
  cEdCommand same = MessageCommand("xyz", {{12, 1}, {13, 7}, {6, 1}});
  ExecMessage(actor, same);
  ASSERT_EQ(m_scene->m_Messages.size(), 2u);
  EXPECT_EQ(&m_scene->m_Messages.front(), window);
  EXPECT_EQ(window->m_strText, "xyz");
  // Longer: a new window in its place.
  cEdCommand longer = MessageCommand("longer", {{12, 1}, {13, 7}, {6, 1}});
  ExecMessage(actor, longer);
  ASSERT_EQ(m_scene->m_Messages.size(), 2u);
  EXPECT_EQ(m_scene->m_Messages.front().m_strText, "longer");
  EXPECT_EQ(m_scene->m_Messages.back().m_strText, "zz");
  EXPECT_EQ(Off_Msg.size(), 2u);
  // Closed by its ID; a close without an ID does nothing.
  cEdCommand closeIt = MessageCommand("", {{12, 1}, {13, 7}, {15, 1}});
  ExecMessage(actor, closeIt);
  cEdCommand closeNothing = MessageCommand("", {{15, 1}});
  ExecMessage(actor, closeNothing);
  ASSERT_EQ(m_scene->m_Messages.size(), 1u);
  EXPECT_EQ(m_scene->m_Messages.front().m_strText, "zz");
  EXPECT_EQ(Off_Msg.size(), 1u);
}

TEST_F(MessageCommandThread, AHeldMessageWaitsForAKeyAndOnlyTheFirstOfAChainSounds) {
  cPlayer& actor = Player.front();
  Script({{12, "Z=1"}, {13, "Z=0"}, {16, "Z=1"}});
  cEdCommand held = MessageCommand("#C1", {{8, 1}, {9, 1}});
  SaveData.CommonVars[1] = 5;
  ExecMessage(actor, held, 0);
  EXPECT_EQ(Count("\"ev\":\"hold\",\"kind\":1,\"key\":1,\"frames\":0,\"delay\":10"), 1);
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":11"), 1);
  EXPECT_TRUE(m_scene->m_Messages.empty());
  EXPECT_TRUE(Off_Msg.empty());
  // The next of a chain: no delay, no opening sound; the key must be let go first.
  ExecMessage(actor, held, 1);
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":2"), 1);
  EXPECT_EQ(Count("\"ev\":\"se\",\"n\":11"), 1);
  EXPECT_EQ(Count("\"ev\":\"se\",\"n\":12"), 2);
  // A timed hold of one frame.
  cEdCommand oneFrame = MessageCommand("x", {{8, 1}, {6, 2}, {17, 1}});
  ExecMessage(actor, oneFrame, 0);
  EXPECT_EQ(Count("\"ev\":\"held\",\"drawn\":1}"), 1);
}

TEST_F(MessageCommandThread, AGameWaitPresentsItsFramesAndTakesItsEntryAway) {
  cEdCommand wait;
  wait.nType = 18;
  wait.Values.assign(1, 5);  // half a second
  const int steps = m_scene->m_nStepCount;
  ExecGameWait(Player.front(), wait);
  EXPECT_EQ(PhaseLines(), 30);
  EXPECT_EQ(Count("\"ev\":\"hold\",\"kind\":0,\"key\":0,\"frames\":30"), 1);
  EXPECT_EQ(m_scene->m_nStepCount, steps);
  EXPECT_TRUE(m_scene->m_Messages.empty());
}

TEST_F(MessageCommandThread, AMessageCommandWithTooFewValuesReadsZeroAndClosesTheGame) {
  cEdCommand shortOne;
  shortOne.nType = 19;
  shortOne.Values.assign(3, 0);
  shortOne.strText = "a";
  ExecMessage(Player.front(), shortOne);
  plat::MSG m;
  int closes = 0;
  while (plat::PeekMessage(&m, true)) closes += m.message == plat::WM_CLOSE;
  EXPECT_GE(closes, 1);
  EXPECT_EQ(m_scene->m_Messages.size(), 1u);
}

// The effect and picture commands that hold play, on the same fixture.
class PresentCommandThread : public HeldPlayThread {
 protected:
  void SetUp() override {
    HeldPlayThread::SetUp();
    std::vector<uint8_t> px(40 * 20, 60);
    ASSERT_TRUE(draw_tool::WriteBytes("pic.bmp", draw_tool::EncodeBmp8(40, 20, px, draw_tool::SheetPalette())));
    Database.EffectList.resize(3);
    Database.EffectList[1].nCellWidth = Database.EffectList[1].nCellHeight = 16;
    Database.EffectList[1].Frames = {cIntPair(0, 2), cIntPair(1, 3)};  // five tenths of a second
    Database.EffectList[2].Frames.clear();
    BuildEffectSequences(EffectSequences);
    Database.PictureList.resize(2);
    Database.PictureList[1].strFile = "pic.bmp";
  }
  static cEdCommand Values(std::vector<int32_t> values) {
    cEdCommand c;
    c.Values.assign(values.begin(), values.end());
    return c;
  }
  // Picture 1 at the screen's middle: display mode, time in tenths, hold, one frame.
  static cEdCommand Picture(int display, int tenths, int hold, int oneFrame = 0) {
    return Values({1, 0, 0, 0, 0, 0, 0, 100, display, tenths, hold, 0, 0, 0, oneFrame});
  }
  bool PicturesGone() const { return m_scene->m_Pictures.empty() && Off_Picture.empty() && PictureInfo.empty(); }
};

TEST_F(PresentCommandThread, AHeldEffectHoldsForItsFramesAndOneWithoutFramesNotAtAll) {
  const int steps = m_scene->m_nStepCount;
  cEdCommand held = Values({1, 0, 0, 0, 0, 0, 100, 1});
  ExecPlayEffect(Player.front(), held);
  EXPECT_EQ(Count("\"ev\":\"hold\",\"kind\":2,\"key\":0,\"frames\":30,"), 1);
  EXPECT_EQ(PhaseLines(), 30);
  EXPECT_EQ(m_scene->m_nStepCount, steps);
  // It ran its frames while held: the next drawing takes it out.
  m_scene->Draw(1, 0, 1, 1);
  EXPECT_TRUE(m_scene->m_Effects.empty());
  cEdCommand empty = Values({2, 0, 0, 0, 0, 0, 100, 1});
  ExecPlayEffect(Player.front(), empty);
  EXPECT_EQ(Count("\"ev\":\"hold\",\"kind\":2,\"key\":0,\"frames\":0,"), 1);
  EXPECT_EQ(PhaseLines(), 30);
  // Without the hold value play goes on at once.
  cEdCommand free = Values({1, 0, 0, 0, 0, 0, 100, 0});
  ExecPlayEffect(Player.front(), free);
  EXPECT_EQ(Count("\"ev\":\"hold\""), 2);
  EXPECT_EQ(m_scene->m_Effects.size(), 2u);
}

TEST_F(PresentCommandThread, AHeldPictureShowsForItsTimeOrUntilAKeyAndGoesAfterwards) {
  cEdCommand timed = Picture(2, 5, 1);
  ExecShowPicture(Player.front(), timed);
  EXPECT_EQ(Count("\"ev\":\"hold\",\"kind\":3,\"key\":0,\"frames\":30,"), 1);
  EXPECT_EQ(PhaseLines(), 30);
  EXPECT_TRUE(PicturesGone());
  // A one-frame picture runs out in the held frame itself: the lists stay together.
  cEdCommand oneFrame = Picture(2, 5, 1, 1);
  ExecShowPicture(Player.front(), oneFrame);
  EXPECT_EQ(Count("\"ev\":\"hold\",\"kind\":3,\"key\":0,\"frames\":1,"), 1);
  EXPECT_EQ(PhaseLines(), 31);
  EXPECT_TRUE(PicturesGone());
  // Until a key: the press at the fourth held frame ends it.
  Script({{4, "Z=1"}});
  cEdCommand keyed = Picture(0, 0, 1);
  ExecShowPicture(Player.front(), keyed);
  EXPECT_EQ(Count("\"ev\":\"hold\",\"kind\":3,\"key\":1,\"frames\":0,"), 1);
  EXPECT_EQ(PhaseLines(), 34);
  EXPECT_TRUE(PicturesGone());
  // Shown until the stage ends, or not held: no hold, and the picture stays.
  cEdCommand untilEnd = Picture(1, 0, 1);
  ExecShowPicture(Player.front(), untilEnd);
  cEdCommand notHeld = Picture(2, 5, 0);
  ExecShowPicture(Player.front(), notHeld);
  EXPECT_EQ(Count("\"ev\":\"hold\""), 3);
  EXPECT_EQ(m_scene->m_Pictures.size(), 2u);
  EXPECT_EQ(Off_Picture.size(), 2u);
}

}  // namespace
