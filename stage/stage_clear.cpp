// The stage clear: the tally of the stage into the play's totals, the places that
// the result reaches in the rankings, the stage-clear screen with its registration,
// and what follows it (the next part, the world map, the challenge list, the title
// or the same stage again).
#include <algorithm>
#include <cstdint>
#include <string>

#include "app/base/path_util.h"
#include "app/base/play_trace.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/base/text_util.h"
#include "app/base/thread.h"
#include "app/sound/sound_effects.h"
#include "app/svc/input.h"
#include "app/svc/menu_cursor.h"
#include "app/svc/mode_manager.h"
#include "app/svc/ranking_window.h"
#include "app/ui/name_dlg.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "data/data_folders.h"
#include "data/project_globals.h"
#include "data/ranking_file.h"
#include "data/stage_loader.h"
#include "data/user_records.h"
#include "data/world_map.h"
#include "draw/dd_blit.h"
#include "draw/dd_distort.h"
#include "draw/dd_globals.h"
#include "draw/font_table.h"
#include "platform/clock.h"
#include "platform/key_state.h"
#include "platform/messages.h"
#include "stage/held_play.h"
#include "stage/replay_keys.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

constexpr int kUnlimitedLives = 999999;
constexpr int kMaxLives = 99;
constexpr int kSeConfirm = 1, kSeCleared = 14, kSeExtraLife = 15, kSeRegistered = 16;
constexpr int kConfirm = 1;
constexpr int kVkF3 = 0x72;
constexpr int kClearReady = 200;   // the banner counter from which confirm is taken
constexpr int kBannerSplitEnd = 100;
constexpr int kRegisterPromptText = 27;
constexpr int kExtraLifeFrames = 30;
constexpr const char* kStageExt = "stg4";

// Registration modes of the options: who registers, and where the name comes from.
bool RegistersByF3(int mode) { return mode == 0 || mode == 1; }
bool RegistersByConfirm(int mode) { return mode == 2 || mode == 3; }
bool UsesOptionName(int mode) { return mode == 1 || mode == 3; }

int32_t AddClamped(int32_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

bool GenreEnabled(int category, int genre) {
  if (category < 0 || category >= SystemData.RankSettings.Count()) return false;
  const cEdRankSetting& s = SystemData.RankSettings[static_cast<size_t>(category)];
  return s.bEnable && genre < s.Genres.Count() && s.Genres[static_cast<size_t>(genre)] != 0;
}

void ClearInputLogs() {
  LogCur.Clear();
  LogPrev.Clear();
}

}  // namespace

void cStageScene::EnterStageClear() {
  PlayTraceEvent("clear", {{"part", SaveData.nPart}, {"next", m_nNextPart}});
  PlaySE(kSeCleared);
  TallyStageEnd();
  m_bRankRegistered = 0;
  m_bPlaceReached = 0;
  m_RankPlaces.assign(kRankGenres, -1);
  m_RankValues.resize(kRankGenres, 0);
  // The rankings wait for the last part of a stage.
  if (!bStartupStage && (!ModeManager.m_bRanking || !IsLastPart(m_nNextPart))) return;
  const int32_t values[kRankGenres] = {SaveData.nScore, SaveData.nResultTime, SaveData.nResultPlayTime,
                                       SaveData.nResultHp, SaveData.nResultSp};
  for (int g = 0; g < kRankGenres; ++g) m_RankValues[static_cast<size_t>(g)] = values[g];
  // A test play registers nothing.
  if (bTestPlay) return;
  const int category = ModeManager.m_nPlayCategory;
  for (int g = 0; g < kRankGenres; ++g) {
    const bool stageCounts = g < StageData.RankGenres.Count() && StageData.RankGenres[static_cast<size_t>(g)] != 0;
    // A ranking set with fewer tables (a file that kept fewer genres) ranks nothing there.
    if (!GenreEnabled(category, g) || !stageCounts || g >= Rankings.Tables.Count()) continue;
    const int place = Rankings.Tables[static_cast<size_t>(g)].FindRank(values[g]);
    m_RankPlaces[static_cast<size_t>(g)] = place;
    if (place != -1) m_bPlaceReached = 1;
  }
}

void cStageScene::TallyStageEnd() {
  const int32_t oldScore = SaveData.nScore;
  SaveData.nScore = AddClamped(SaveData.nScore, SaveData.nStageScore);
  if (!m_bNoTimeLimit) SaveData.nResultTime = AddClamped(SaveData.nResultTime, m_nTimeLeft);
  SaveData.nResultPlayTime = AddClamped(SaveData.nResultPlayTime, m_nPlayTime);
  const cPlayer* player = Player.empty() ? nullptr : &Player.front();
  SaveData.nResultHp = AddClamped(SaveData.nResultHp, player ? player->m_nHP : 0);
  SaveData.nResultSp = AddClamped(SaveData.nResultSp, player ? player->m_nSP : 0);

  const int32_t step = SystemData.nExtraLifeScore;
  if (SaveData.nLives == kUnlimitedLives || !SystemData.bExtraLife || step == 0) return;
  const int64_t crossed = int64_t{SaveData.nScore} / step - int64_t{oldScore} / step;
  for (int64_t k = 0; k < crossed; ++k) {
    // Lives above the cap (a project's own start value) are not taken away.
    if (SaveData.nLives < kMaxLives) ++SaveData.nLives;
    PlaySE(kSeExtraLife);
    // The extra-life icon above the player for the length of the hold.
    m_Messages.emplace_back();
    cMessage* icon = &m_Messages.back();
    icon->Set(3, nullptr, 0, 0, 0, 4, 0, 0, 0, 0, 0, 1, 2, kExtraLifeFrames, 1, player ? player->m_nId : 0, 0, 0, 0,
              0, 0, 0, 0, 0);
    m_PauseWait.Set(cPauseWait::kStageEnd, 0, kExtraLifeFrames, 0);
    HoldPlay(thPause, &PauseThreadProc, this);
    // The held drawing may already have ended and removed it.
    for (auto it = m_Messages.begin(); it != m_Messages.end(); ++it) {
      if (&*it == icon) {
        m_Messages.erase(it);
        break;
      }
    }
    if (m_bQuit.load()) {
      plat::PostMessage(hMainWnd.load(), plat::WM_CLOSE, 0, 0);
      return;
    }
    while (!bActive.load()) plat::Sleep(1);
  }
}

int cStageScene::StageClear() {
  // With the automatic clear the screen passes by itself: no pause, no replay
  // saving, no registration.
  const bool autoClear = StageData.bSkipTally != 0;
  const int mode = OptionData.nRegisterMode;
  if (!autoClear) {
    if (CheckPauseKey()) {
      m_nPhaseStep = 0;
      m_nPhase = kPauseMenu;
      return 0;
    }
    CheckReplaySaveKeys();
    if (RegistersByF3(mode) && plat::IsKeyDown(kVkF3)) RegisterRanking();
  }
  if (m_nPhaseStep == 0) {
    m_nBannerCount2 = 0;
    m_nPhaseStep = 1;
  }
  cInput& in = Input.At(0);
  in.LatchButtons(0);
  in.ApplyRepeat();
  const bool ready = m_nBannerCount2 >= kClearReady;
  const bool confirmed = !autoClear && ready && (in.m_wButton & kConfirm);
  if ((autoClear && ready) || confirmed) {
    if (confirmed) {
      if (m_bPlaceReached && RegistersByConfirm(mode))
        RegisterRanking();
      else
        PlaySE(kSeConfirm);
    }
    ModeManager.m_nNextMode = LoadNextStage();
    m_nBannerCount2 = 0;
    m_nPhaseStep = 0;
    m_nPhase = kFadeOut;
    return 0;
  }

  // The registration prompt stands where the caption would.
  if (!autoClear && !m_bRankRegistered && m_bPlaceReached && RegistersByF3(mode)) {
    Draw(0, 1, 0, 0);
    const std::string& prompt = SystemData.Texts.At(kRegisterPromptText);
    Fonts[1].Draw(&BackBuffer, 320 - CountChars(prompt) * 16 / 2, 456, prompt.c_str());
  } else {
    Draw(0, 1, 0, 1);
  }
  if (StageData.bClearBanner) {
    // The clear word closes up from split stripes, then stands; the counter stops
    // where confirm is taken.
    m_nBannerCount2 = std::min(m_nBannerCount2 + 4, kClearReady);
    if (m_nBannerCount2 < kBannerSplitEnd)
      DDBltSplit(&BackBuffer, 256, 192, 128, 32, 4, kBannerSplitEnd - m_nBannerCount2, &Off_Sys[51], 0, 64, 1, 0);
    else
      DDBltFast(&BackBuffer, 256, 192, 128, 32, &Off_Sys[51], 0, 64, 1);
  } else {
    m_nBannerCount2 = kClearReady;
  }
  if (m_nBannerCount2 >= kClearReady && ModeManager.m_bRanking && !autoClear)
    DrawResultPanel(&BackBuffer, 336, 224, m_RankPlaces);
  return 0;
}

int cStageScene::BuildNextStagePath(std::string& out, int part) {
  out.clear();
  if (!SaveData.bParted || m_nNextPart == 0) return 0;
  const bool named = !m_strNextStage.empty();
  std::string base = named ? m_strNextStage : SaveData.StageName;
  // The normalised name ends in its dot; an empty one names no file.
  if (base.empty()) return 0;
  base.pop_back();
  const std::string path = named ? base + "." + kStageExt : base + "-" + std::to_string(part) + "." + kStageExt;
  if (path.size() > kMaxPathChars) return 0;
  std::string found;
  if (!FindLatestVersion(found, path, kStageExt)) return 0;
  out = found;
  return 1;
}

int cStageScene::IsLastPart(int part) {
  std::string scratch;
  return 1 - BuildNextStagePath(scratch, part);
}

int cStageScene::LoadNextStage() {
  if (StageData.bCarryToNext) {
    int p = 0;
    for (cPlayer& player : Player) {
      if (p >= m_nPlayers) break;
      // The character effect's play mode and repeat flag are not kept by the
      // character: the effect carries over by its number.
      SaveData.StoreCarriedStatus(p, player.m_Def, player.m_nHP, player.m_nSP, player.m_nCharaEffect, 0, 0,
                                  m_nTimeLeft, SaveData.nLives, SaveData.nMusicNo);
      ++p;
    }
  }
  const int savedPart = SaveData.nPart;
  const int kind = ModeManager.m_nPlayKind;
  std::string path;
  // The next part, when the stage has one and its file loads.
  auto loadNextPart = [&]() {
    const int p = m_nNextPart;
    SaveData.nPart = p;
    if (!BuildNextStagePath(path, p) || !LoadStageForPlay(path, 1, &PlayStageData)) return false;
    ClearInputLogs();
    return true;
  };
  switch (kind) {
    case 0:
    case 1:
    case 2: {
      if (SaveData.bParted && m_nNextPart != 0 && loadNextPart()) return MODE_STAGE;
      if (kind == 2) {
        const int n = SaveData.nStageNo - 1;
        if (n >= 0 && n < SaveData.ChallengeRecords.Count()) {
          cIntPair& record = SaveData.ChallengeRecords[static_cast<size_t>(n)];
          record.nFirst = 1;
          if (SaveData.nScore > record.nSecond) {
            SaveData.nTotal = AddClamped(SaveData.nTotal, int64_t{SaveData.nScore} - record.nSecond);
            record.nSecond = SaveData.nScore;
          }
        } else {
          ReportLog("challenge stage %d has no record", SaveData.nStageNo);
        }
        if (SaveData.nStageNo >= SaveData.nChallengeOpen)
          SaveData.nChallengeOpen = std::min(AddClamped(SaveData.nStageNo, 1), SystemData.nChallengeStages);
        const char* file = PathTable[kPathChallengeRecord];
        if (SaveData.Save(file))
          PlayTraceFile(file);
        else
          ReportLog("%s : could not be written", file);
        SaveData.nPart = savedPart;
        return MODE_CHALLENGE;
      }
      SaveData.Flags.At(SaveData.nStageNo) = 1;
      SaveData.AddStageResult(SaveData.StageName, SaveData.nScore);
      const cEdWorldStage* entry = FindWorldStage(WorldMap, SaveData.pWorldStage);
      const int after = entry ? entry->nAfterClear : 0;
      if (after == 2) {
        MenuCursor.Cur().nRow = kind;
        return MODE_TITLE;
      }
      if (after == 1) SaveData.StartNewRound();
      SaveData.nPart = savedPart;
      return MODE_WORLDMAP;
    }
    case 3:
      if (!SaveData.bParted || bStartupStage) {
        // The fade-out starts the same stage file again.
        SaveData.bStartPos = 0;
        return MODE_STAGE;
      }
      if (m_nNextPart != 0 && loadNextPart()) return MODE_STAGE;
      SaveData.nPart = savedPart;
      return MODE_TITLE;
    case 4:
      // A replay that reaches the clear starts over from its beginning.
      SaveData.RestoreCheckpoint(1);
      return MODE_STAGE;
    default:
      return MODE_TITLE;
  }
}

void cStageScene::RegisterRanking() {
  if (!ModeManager.m_bRanking || !m_bPlaceReached || m_bRankRegistered) return;
  const int mode = OptionData.nRegisterMode;
  if (UsesOptionName(mode)) {
    m_strRankName = OptionData.strName;
  } else {
    // The dialog edits the scene's ranking name (see the source installed by the
    // constructor), starting from the player's last name.
    m_strRankName = SaveData.Name;
    RequestNameEntry();
    SaveData.Name = m_strRankName;
  }
  PlaySE(kSeRegistered);
  for (int g = 0; g < kRankGenres && g < m_RankPlaces.Count(); ++g) {
    if (m_RankPlaces[static_cast<size_t>(g)] == -1 || g >= Rankings.Tables.Count()) continue;
    Rankings.Tables[static_cast<size_t>(g)].Insert(m_strRankName, m_RankValues.At(g));
  }
  const int category = ModeManager.m_nPlayCategory;
  if (SaveRankingFile(Rankings, category, SaveData.StageName)) {
    std::string path;
    if (MakeRankingPath(path, category, SaveData.StageName)) PlayTraceFile(path);
  }
  m_bRankRegistered = 1;
  HoldPlay(thRanking, &RankingThreadProc, this);
}
