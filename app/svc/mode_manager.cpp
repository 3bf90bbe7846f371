#include "app/svc/mode_manager.h"

#include <new>

#include "app/base/message_box.h"
#include "app/base/play_trace.h"
#include "app/base/report_log.h"
#include "data/save_data.h"

cModeManager ModeManager;
std::atomic<cScene*> CurrentStage{nullptr};

namespace {
// The save data's retry checkpoint asks which kind of play runs.
const bool kPlayCategoryReader = (SetPlayCategoryReader([] { return ModeManager.m_nPlayCategory; }), true);
}  // namespace

cScene*& cModeManager::Slot(int mode) {
  switch (mode) {
    case MODE_TITLE: return m_pTitle;
    case MODE_WORLDMAP: return m_pWorldMap;
    case MODE_WORLDMAP_MENU: return m_pWorldMapMenu;
    case MODE_CHALLENGE: return m_pChallenge;
    case MODE_STAGE: return m_pStage;
    default: return m_pOption;
  }
}

cScene* cModeManager::Scene(int mode) const {
  if (mode < 0 || mode >= kModeCount) return nullptr;
  return const_cast<cModeManager*>(this)->Slot(mode);
}

void cModeManager::ChangeMode(int mode) {
  // The trace records each mode that starts running (the first one from -1).
  static int tracedMode = -1;
  if (mode != tracedMode) {
    PlayTraceEvent("mode", {{"from", tracedMode}, {"to", mode}});
    tracedMode = mode;
  }
  static const int kDeleteOrder[] = {MODE_TITLE, MODE_WORLDMAP_MENU, MODE_WORLDMAP, MODE_CHALLENGE, MODE_STAGE,
                                     MODE_OPTION};
  for (int m : kDeleteOrder) {
    cScene*& s = Slot(m);
    if (m == mode || !s) continue;
    if (m == MODE_STAGE) CurrentStage.store(nullptr);
    delete s;
    s = nullptr;
  }
  if (mode < 0 || mode >= kModeCount) return;
  cScene*& s = Slot(mode);
  if (s) return;
  SceneFactory make = GetSceneFactory(mode);
  if (!make) {
    // The scene class is not written yet (see scene_factories.cpp).
    static bool reported[kModeCount] = {};
    if (!reported[mode]) ECLogf("mode %d has no scene yet", mode);
    reported[mode] = true;
    return;
  }
  try {
    s = make();
  } catch (const std::bad_alloc&) {
    s = nullptr;
    OutOfMemory();
    return;
  }
  if (mode == MODE_STAGE) CurrentStage.store(s);
}

void cModeManager::DeleteScenes() {
  for (cScene** s : {&m_pTitle, &m_pWorldMap, &m_pWorldMapMenu, &m_pChallenge, &m_pOption, &m_pStage}) {
    if (s == &m_pStage && *s) CurrentStage.store(nullptr);
    delete *s;
    *s = nullptr;
  }
}
