// The commands that change how the actor and the stage look and sound, and run
// code: graphic, animation set, animation, effect, character effect, screen
// effect, picture, screen colour, background, sound effect, music and code.
#include <algorithm>
#include <cmath>

#include "app/base/message_box.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/base/thread.h"
#include "app/sound/sound_effects.h"
#include "app/svc/system_ini.h"
#include "chara/chara.h"
#include "chara/command_handlers.h"
#include "chara/flow_run.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/present_commands.h"
#include "chara/run_code.h"
#include "chara/status.h"
#include "data/command.h"
#include "data/project_globals.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "draw/dd_vir_back.h"
#include "draw/play_surfaces.h"
#include "platform/sjis.h"
#include "stage/held_play.h"
#include "stage/stage_scene.h"

namespace {

// Value i of the command; 0 for a value the command does not have.
int V(const cEdCommand& c, int i) { return i < c.Values.Count() ? c.Values[static_cast<size_t>(i)] : 0; }

// Holds play on thPause for the scene's pause request; the game thread waits.
// No thread message is posted (the held loop needs none from these commands).
void HoldPlay(cStageScene& scene) { HoldPlay(thPause, &PauseThreadProc, &scene, false); }

int64_t EffectFrames(const cEdEffect& effect) {
  int64_t frames = 0;
  for (const cIntPair& f : effect.Frames) frames += int64_t(f.nSecond) * 6;
  return std::clamp<int64_t>(frames, 0, INT32_MAX);
}

}  // namespace

void PlaceEffect(int w, int h, int position, int x, int y, int dx, int dy, const cChara& actor, double& outX,
                 double& outY) {
  const cStageScene* scene = StageScene();
  const double scrollX = scene ? scene->m_ScrollX.m_dPos : 0, scrollY = scene ? scene->m_ScrollY.m_dPos : 0;
  auto centreOf = [&](const cChara& c) {
    outX = c.m_nScreenLeft + c.m_nDrawWidth / 2 + scrollX - w / 2 + dx;
    outY = c.m_nScreenTop + c.m_nDrawHeight / 2 + scrollY - h / 2 + dy;
  };
  switch (position) {
    case 1:
      centreOf(actor);
      return;
    case 2:
      if (!Player.empty()) {
        centreOf(Player.front());
        return;
      }
      break;
    case 3:
      outX = scrollX + int64_t(x) * 32 + dx;
      outY = scrollY + int64_t(y) * 32 + dy;
      return;
    case 4:
      outX = (int64_t(x) + 10) * 32 + dx;
      outY = (int64_t(y) + 10) * 32 + dy;
      return;
    default:
      break;
  }
  // The middle of the screen (and any choice the list does not have).
  outX = scrollX + 320 - w / 2 + dx;
  outY = scrollY + 240 - h / 2 + dy;
}

int ExecChangeGraphic(cChara& c, cEdCommand& cmd) {
  c.m_Def.nGraphicKind = static_cast<int8_t>(static_cast<uint8_t>(V(cmd, 0)));
  c.m_Def.nGraphic = static_cast<int16_t>(V(cmd, 1));
  c.m_nGraphic = c.m_Def.nGraphic;
  c.m_Def.nGraphicSub = static_cast<int16_t>(V(cmd, 2));
  return 0;
}

int ExecChangeAnimeSet(cChara& c, cEdCommand& cmd) {
  c.SetAnimeSet(static_cast<uint16_t>(V(cmd, 0)), 0);
  return 0;
}

int ExecPlayAnime(cChara& c, cEdCommand& cmd) {
  cAnimeOverlay overlay;
  const cFlowRun* flow = CurrentFlowRun();
  overlay.nFlowKey = flow ? flow->nSerial : -1;
  overlay.Anime.m_Sequences.push_back(AnimeSequences.At(V(cmd, 0)));
  overlay.Anime.Set(0, 1);
  c.m_Overlays.insert(c.m_Overlays.begin(), overlay);
  return 0;
}

int ExecPlayEffect(cChara& c, cEdCommand& cmd) {
  cStageScene* scene = StageScene();
  if (!scene || scene->m_bQuit.load()) return 0;
  const int number = V(cmd, 0);
  if (number == 0) {
    scene->m_Effects.clear();
    return 0;
  }
  const cEdEffect& def = Database.EffectList.At(number);
  const int w = static_cast<int>(std::clamp<double>(std::round(V(cmd, 6) * double(def.nCellWidth) * 0.01), 0, 1e9));
  const int h = static_cast<int>(std::clamp<double>(std::round(V(cmd, 6) * double(def.nCellHeight) * 0.01), 0, 1e9));
  double x = 0, y = 0;
  PlaceEffect(w, h, V(cmd, 1), V(cmd, 2), V(cmd, 3), V(cmd, 4), V(cmd, 5), c, x, y);
  scene->m_Effects.emplace_back(number, x, y, w, h, V(cmd, 7));
  if (V(cmd, 7)) {
    scene->m_PauseWait.Set(cPauseWait::kEffect, 0, static_cast<int>(EffectFrames(def)), 0);
    HoldPlay(*scene);
  }
  return 0;
}

int ExecCharaEffect(cChara& c, cEdCommand& cmd) {
  c.StartCharaEffect(static_cast<int16_t>(V(cmd, 0)), V(cmd, 1), V(cmd, 2));
  return 0;
}

int ExecScreenEffect(cChara&, cEdCommand& cmd) {
  cStageScene* scene = StageScene();
  if (!scene) return 0;
  scene->m_ScrEffect.Start(static_cast<int16_t>(V(cmd, 0)), V(cmd, 1), V(cmd, 2));
  if (scene->m_ScrEffect.nNo == 0 && lpDTCon && lpDTCon->bVirBackBuffer) DDSetVirBackBuffer(0);
  return 0;
}

namespace {

// Removes the picture at list place `index` with its surface and descriptor.
void RemovePictureAt(cStageScene& scene, int index) {
  auto p = std::next(scene.m_Pictures.begin(), index);
  scene.m_Pictures.erase(p);
  if (index < Off_Picture.Count()) {
    DDReleaseSurface(&Off_Picture.At(index));
    Off_Picture.EraseAt(index);
  }
  PictureInfo.EraseAt(index);
}

int PictureIndex(const cStageScene& scene, const cPicture* picture) {
  int i = 0;
  for (const cPicture& p : scene.m_Pictures) {
    if (&p == picture) return i;
    ++i;
  }
  return -1;
}

}  // namespace

int ExecShowPicture(cChara& c, cEdCommand& cmd) {
  cStageScene* scene = StageScene();
  if (!scene || scene->m_bQuit.load()) return 0;
  const int number = static_cast<int16_t>(V(cmd, 0));
  const int hasId = V(cmd, 12), id = V(cmd, 13);
  if (number == 0 && !hasId) {
    scene->ClearPictures();
    return 0;
  }
  int place = 0;
  if (hasId) {
    int index = 0, found = -1;
    for (const cPicture& p : scene->m_Pictures) {
      if (p.m_bHasId && p.m_nId == id) {
        found = index;
        break;
      }
      ++index;
    }
    if (found >= 0) {
      RemovePictureAt(*scene, found);
      place = found;
    }
    if (number == 0) return 0;
  }
  const cEdPicture& entry = Database.PictureList.At(number);
  const int percent = V(cmd, 7);
  DDSURFACEINFO info;
  std::snprintf(info.szFileName, sizeof info.szFileName, "%s", entry.strFile.c_str());
  const bool system = !lpDTCon && percent != 100 && !SystemIni.DD_VideoStretch;
  info.nDDMemKind = system ? DDMEMKIND_SYSTEM : DDMEMKIND_VIDEO;
  Off_Picture.InsertAt(place, DDSURFACEDATA());
  PictureInfo.InsertAt(place, info);
  DDSURFACEDATA* surface = &Off_Picture.At(place);
  const int code = DDCreateSurfaceFromFile(surface, info.szFileName, 1, DDSettings.nBpp, info.nDDMemKind, 0, 0, 0, 0,
                                           0, 0);
  if (!DDSurfaceErrorCheck(code)) {
    // The lists stay parallel: the empty record and its descriptor go again.
    DDReleaseSurface(surface);
    Off_Picture.EraseAt(place);
    PictureInfo.EraseAt(place);
    ReportLogBox(SJ("%s 読み込み失敗！"), entry.strFile.c_str());
    RequestClose();
    return 0;
  }
  const int w = PercentOf(surface->nWidth, percent), h = PercentOf(surface->nHeight, percent);
  double x = 0, y = 0;
  PlaceEffect(w, h, V(cmd, 1), V(cmd, 2), V(cmd, 3), V(cmd, 4), V(cmd, 5), c, x, y);
  const int64_t time = V(cmd, 14) ? 1 : std::clamp<int64_t>(int64_t(V(cmd, 9)) * 6, INT32_MIN, INT32_MAX);
  cPicture picture;
  picture.Set(number, x, y, w, h, V(cmd, 11), V(cmd, 6), percent, V(cmd, 8), static_cast<int>(time), V(cmd, 10),
              hasId, id);
  auto it = scene->m_Pictures.insert(std::next(scene->m_Pictures.begin(), place), picture);
  const int display = V(cmd, 8);
  // Held until a key (display 0) or for its time (display 2); a picture shown
  // until the stage ends does not hold play.
  if (V(cmd, 10) && (display == 0 || display == 2)) {
    scene->m_PauseWait.Set(cPauseWait::kPicture, display == 0 ? 1 : 0, display == 0 ? 0 : static_cast<int>(time), 0);
    const cPicture* held = &*it;
    HoldPlay(*scene);
    // The held drawing may have removed it already when its time ran out.
    const int index = PictureIndex(*scene, held);
    if (index >= 0) RemovePictureAt(*scene, index);
  }
  return 0;
}

int ExecScreenColor(cChara&, cEdCommand& cmd) {
  if (cStageScene* scene = StageScene())
    scene->m_ScreenColor.Set(V(cmd, 0), V(cmd, 1), V(cmd, 2), V(cmd, 3), V(cmd, 4), V(cmd, 5), V(cmd, 6), V(cmd, 7));
  return 0;
}

int ExecChangeBackground(cChara&, cEdCommand& cmd) {
  const int layer = V(cmd, 0), mode = V(cmd, 1);
  if (layer < 1 || layer > StageData.Layers.Count()) return 0;
  cEdBgLayer& l = StageData.Layers[static_cast<size_t>(layer - 1)];
  if (mode == 0) l.bShown = 1;
  else if (mode == 1) l.bShown = 0;
  else if (mode == 2) l.bShown = l.bShown ? 0 : 1;
  return 0;
}

int ExecPlaySound(cChara& c, cEdCommand& cmd) {
  if (cmd.bSoundInView && !c.IsInView()) return 0;
  PlayProjectSE(static_cast<int16_t>(V(cmd, 0)));
  return 0;
}

int ExecPlayBgm(cChara&, cEdCommand& cmd) {
  if (cStageScene* scene = StageScene()) scene->PlayStageBgm(V(cmd, 0), V(cmd, 1));
  return 0;
}

int ExecRunCode(cChara& c, cEdCommand& cmd) {
  RunCode(cmd.strText, c);
  return 0;
}
