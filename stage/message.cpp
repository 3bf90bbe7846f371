// A message window: its set-up with the expansion of its text, the text's own
// surface, its place on the screen by position mode, its timed end, its opening
// and the rising icons.
#include "stage/message.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "app/base/shell_globals.h"
#include "chara/chara.h"
#include "chara/object.h"
#include "draw/dd_blit.h"
#include "draw/dd_globals.h"
#include "draw/dd_surface.h"
#include "draw/font.h"
#include "draw/font_table.h"
#include "draw/play_surfaces.h"
#include "draw/video_memory.h"
#include "platform/messages.h"
#include "stage/message_text.h"
#include "stage/stage_scene.h"
#include "stage/stand_ins.h"

namespace {

constexpr int kIconSheet = 49;
constexpr int kLowVideoPercent = 20;
constexpr int kStatusBarHeight = 20;

int Trunc(double v) {
  if (!(v > INT_MIN && v < INT_MAX)) return v > 0 ? INT_MAX : INT_MIN;
  return static_cast<int>(v);
}
int Clamp32(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

double ScrollX() { return PlayAxisX().m_dPos; }
double ScrollY() { return PlayAxisY().m_dPos; }

// Modes 1 to 3 follow the character that ran the command, 4 to 6 the player:
// above it, below it, centred on it.
bool FollowsChara(int mode) { return mode >= 1 && mode <= 6; }

}  // namespace

cMessage::cMessage(int kind, const char* text, int iconKind, int iconNumber, int iconOption, int positionMode,
                   int blockX, int blockY, int offsetX, int offsetY, int keepInside, int fixed, int displayMode,
                   int displayTime, int countsWhileHeld, int chara, int noOpening, int expand, int refresh,
                   int refreshPeriod, int window, int hasId, int id) {
  Set(kind, text, iconKind, iconNumber, iconOption, positionMode, blockX, blockY, offsetX, offsetY, keepInside, fixed,
      displayMode, displayTime, countsWhileHeld, chara, noOpening, expand, refresh, refreshPeriod, window, hasId, id, 0);
}

cMessage::~cMessage() { ReleaseSurface(); }

void cMessage::Set(int kind, const char* text, int iconKind, int iconNumber, int iconOption, int positionMode,
                   int blockX, int blockY, int offsetX, int offsetY, int keepInside, int fixed, int displayMode,
                   int displayTime, int countsWhileHeld, int chara, int noOpening, int expand, int refresh,
                   int refreshPeriod, int window, int hasId, int id, int keepSurface) {
  m_nKind = kind;
  m_nIconKind = iconKind;
  m_nIconNumber = iconNumber;
  m_nIconOption = iconOption;
  m_nPositionMode = positionMode;
  m_nBlockX = blockX;
  m_nBlockY = blockY;
  m_nOffsetX = offsetX;
  m_nOffsetY = offsetY;
  m_bKeepInside = keepInside;
  m_bFixed = fixed;
  m_nDisplayMode = displayMode;
  m_nDisplayTime = displayTime;
  m_bCountsWhileHeld = countsWhileHeld;
  m_nChara = chara;
  m_bExpand = expand;
  m_bRefresh = refresh;
  m_nRefreshPeriod = refreshPeriod;
  m_bWindow = window;
  m_bHasId = hasId;
  m_nId = id;
  m_bPositionTaken = 0;
  m_dOpening = 0.0;
  m_bEnded = 0;

  m_strText = m_strTemplate = text ? text : "";
  if (m_bExpand) ExpandMessageVariables(m_strText);
  if (m_nKind == kText) {
    Measure();
  } else {
    m_nWidth = m_nHeight = 16;
  }
  m_bOpening = displayMode == kUntilKey && noOpening == 0 ? 1 : 0;
  if (m_nKind != kText) {
    ReleaseSurface();
    return;
  }
  // A kept surface must still fit the text: one of another size is made anew.
  if (!keepSurface || !m_lpSurface || m_lpSurface->nWidth != m_nWidth || m_lpSurface->nHeight != m_nHeight) {
    ReleaseSurface();
    if (!CreateSurface()) return;
  }
  Render(m_lpSurface);
}

void cMessage::Measure() { MeasureMessageText(m_strText, &m_nWidth, &m_nHeight); }

bool cMessage::CreateSurface() {
  // DirectDraw keeps a text surface in system memory when video memory runs short.
  const int memKind = !lpDTCon && IsVideoMemoryLow(kLowVideoPercent) ? DDMEMKIND_SYSTEM : DDMEMKIND_VIDEO;
  if (!DDAddSurfaceToList(Off_Msg, MsgInfo, m_nWidth, m_nHeight, 1, memKind, DTMEMORYTYPE_VIDEO_RT, 0)) {
    DDRemoveSurfaceFromList(Off_Msg, MsgInfo, &Off_Msg.back());
    m_lpSurface = nullptr;
    plat::PostMessage(hMainWnd.load(), plat::WM_CLOSE, 0, 0);
    return false;
  }
  m_lpSurface = &Off_Msg.back();
  return true;
}

void cMessage::ReleaseSurface() {
  if (!m_lpSurface) return;
  // The list may have been emptied under it (a stage set-up releases every message surface).
  DDRemoveSurfaceFromList(Off_Msg, MsgInfo, m_lpSurface);
  m_lpSurface = nullptr;
}

void cMessage::Render(DDSURFACEDATA* surface) {
  if (!surface) return;
  Font& font = Fonts[1];
  if (m_bWindow) {
    font.DrawTextWindow(surface, 1, 1, 0, 0, m_strText.c_str());
    return;
  }
  DDFillSurfacePal(surface, 0);
  font.Draw(surface, 1, 1, m_strText.c_str());
}

void cMessage::Refresh() {
  std::string text = m_strTemplate;
  ExpandMessageVariables(text);
  if (text == m_strText) return;
  m_strText = text;
  Measure();
  if (!m_lpSurface || m_lpSurface->nWidth != m_nWidth || m_lpSurface->nHeight != m_nHeight) {
    ReleaseSurface();
    if (!CreateSurface()) return;
  }
  Render(m_lpSurface);
}

bool cMessage::CalcPosition(int& x, int& y) {
  const int w = m_nWidth, h = m_nHeight;
  const int mode = m_nPositionMode;
  if (FollowsChara(mode)) {
    const cChara* c = FindLiveChara(m_nChara);
    if (!c) return false;
    const int left = Trunc(c->m_dX - c->m_nDrawOffsetX - Trunc(ScrollX()));
    const int top = Trunc(c->m_dY - c->m_nDrawOffsetY - Trunc(ScrollY()));
    x = Clamp32(int64_t{left} + c->m_nDrawWidth / 2 - w / 2 + m_nOffsetX);
    const int place = (mode - 1) % 3;  // 0 above, 1 below, 2 centred
    if (place == 0) y = Clamp32(int64_t{top} - h + m_nOffsetY);
    else if (place == 1) y = Clamp32(int64_t{top} + c->m_nDrawHeight + 1 + m_nOffsetY);
    else y = Clamp32(int64_t{top} + c->m_nDrawHeight / 2 - h / 2 + m_nOffsetY);
    return true;
  }
  if (mode == 7) {
    x = Clamp32(int64_t{m_nBlockX} * 32 + m_nOffsetX);
    y = Clamp32(int64_t{m_nBlockY} * 32 + m_nOffsetY);
  } else if (mode == 8) {
    x = Trunc((double(m_nBlockX) + PlayAxisX().m_nMargin) * 32 + m_nOffsetX - ScrollX());
    y = Trunc((double(m_nBlockY) + PlayAxisY().m_nMargin) * 32 + m_nOffsetY - ScrollY());
  } else {
    x = 320 - w / 2 + m_nOffsetX;
    y = 240 - h / 2 + m_nOffsetY;
  }
  return true;
}

int cMessage::Draw(DDSURFACEDATA* target, int held) {
  if (m_bEnded) return 1;
  if (m_nDisplayMode == kTimedDisplay) {
    if (m_bCountsWhileHeld || !held) --m_nDisplayTime;
    if (m_nDisplayTime < 0) {
      ReleaseSurface();
      return 1;
    }
  }
  const cStageScene* scene = StageScene();
  if (m_bRefresh && m_bExpand && m_nRefreshPeriod != 0 && m_nKind == kText && scene &&
      scene->m_nPlayFrames % m_nRefreshPeriod == 0)
    Refresh();

  int x = 0, y = 0;
  if (!CalcPosition(x, y)) {
    ReleaseSurface();
    return 1;
  }
  const int mode = m_nPositionMode;
  if (m_bFixed && (FollowsChara(mode) || mode == 8)) {
    if (!m_bPositionTaken) {
      m_nTakenX = x;
      m_nTakenY = y;
      m_bPositionTaken = 1;
    }
    x = m_nTakenX;
    y = m_nTakenY;
  } else if (!m_bFixed && (mode == 0 || mode == 7)) {
    // The window stays where it opened on the stage and scrolls with it.
    if (!m_bPositionTaken) {
      m_nTakenX = Clamp32(int64_t{x} + Trunc(ScrollX()));
      m_nTakenY = Clamp32(int64_t{y} + Trunc(ScrollY()));
      m_bPositionTaken = 1;
    }
    x = Clamp32(int64_t{m_nTakenX} - Trunc(ScrollX()));
    y = Clamp32(int64_t{m_nTakenY} - Trunc(ScrollY()));
  }
  if (m_bKeepInside) {
    if (x < 0) x = 0;
    else if (int64_t{x} + m_nWidth >= 639) x = 640 - m_nWidth;
    if (y < kStatusBarHeight) y = kStatusBarHeight;
    else if (int64_t{y} + m_nHeight >= 479) y = 480 - m_nHeight;
  }

  if (m_nKind == kFixedIcon || m_nKind == kPaletteIcon) {
    const int rise = (kMessageIconFrames - m_nDisplayTime) / 4;
    const int iy = Clamp32(int64_t{y} - rise);
    if (m_nKind == kFixedIcon)
      DDBltFast(target, x, iy, 16, 16, &Off_Sys[kIconSheet], 0, 48, 1);
    else
      DrawPaletteIcon(target, x, iy, m_nIconKind, m_nIconNumber, m_nIconOption);
    return 0;
  }
  if (m_nKind != kText || !m_lpSurface) return 0;
  if (m_lpSurface->bLost) {
    Render(m_lpSurface);
    m_lpSurface->bLost = 0;
  }
  if (m_strText.empty()) return 0;
  if (m_bOpening) {
    m_dOpening += 1.0;
    const double t = m_dOpening * 0.1;
    if (t < 1.0) {
      if (m_bWindow) {
        const int ow = static_cast<int>(m_nWidth * t), oh = static_cast<int>(m_nHeight * t);
        Fonts[1].DrawWindow(target, x + m_nWidth / 2 - ow / 2, y + m_nHeight / 2 - oh / 2, ow, oh);
      }
      return 0;
    }
  }
  DDBltFast(target, x, y, m_nWidth, m_nHeight, m_lpSurface, 0, 0, 1);
  return 0;
}
