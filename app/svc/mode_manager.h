#pragma once
#include <atomic>
#include <cstdint>

#include "app/base/vector.h"
#include "app/svc/scene.h"

class cInput;
struct DDSURFACEDATA;

// DirectDraw surface restore of the frame step, for every surface list that
// keeps its own surfaces: a lost surface is restored and, in video memory, its
// pixels reloaded from its file (bLost set); false when the reload failed.
bool RestoreLostSurface(DDSURFACEDATA& sd);
bool IsSurfaceLost(const DDSURFACEDATA& sd);

// Mode numbers.
enum eMode { MODE_TITLE = 0, MODE_WORLDMAP = 1, MODE_WORLDMAP_MENU = 2, MODE_CHALLENGE = 3, MODE_STAGE = 4,
             MODE_OPTION = 5 };
constexpr int kModeCount = 6;

// The scene manager: the six scenes, the current and requested mode, the kind of
// play running and the values that outlive a scene. Everything here runs on the
// game thread (the pause and ranking loops borrow the frame services while it waits).
class cModeManager {
 public:
  cModeManager() = default;
  ~cModeManager() { DeleteScenes(); }
  cModeManager(const cModeManager&) = delete;
  cModeManager& operator=(const cModeManager&) = delete;

  // One frame; false asks the caller to close the game.
  bool Frame();
  // Makes the scene of mode exist, deleting every other scene first. A mode outside
  // 0..5 deletes every scene. Texts thrown by a scene's construction pass through.
  void ChangeMode(int mode);
  // Deletes the six scenes (title, world map, world-map menu, challenge, option,
  // stage play), clearing each pointer.
  void DeleteScenes();
  bool RestoreLostSurfaces();
  // Samples entry 0 of the input vector (after the scripted input of this frame).
  void ReadInput(cVector<cInput>& in);
  void Present();

  // The scene of a mode; null when it does not exist or the mode is out of range.
  cScene* Scene(int mode) const;

  // The scenes, in this order.
  cScene* m_pTitle = nullptr;
  cScene* m_pWorldMap = nullptr;
  cScene* m_pWorldMapMenu = nullptr;
  cScene* m_pChallenge = nullptr;
  cScene* m_pOption = nullptr;
  cScene* m_pStage = nullptr;
  int m_nMode = 0;              // the mode whose scene runs each frame
  int m_nNextMode = 0;          // written by a scene that leaves; made current by its fade-out
  int m_nPrevMode = 0;          // the mode whose fade-out last completed
  int m_nPlayKind = 0;          // the title menu's last choice
  int m_nPlayCategory = 0;      // 0 story, 1 challenge, 2 stage file, 3 replay
  int m_nChallengeCursor = 0;
  int m_nChallengeListPos = 0;
  int m_bRanking = 0;           // whether the running play registers rankings
  int m_nFrameRate = 0;         // frames per second of pacing and present
  int m_nFadeStep = 0;
  int m_nMenuBgm = 0;           // music number playing for the menu scenes; 0 none

 private:
  cScene*& Slot(int mode);
};

extern cModeManager ModeManager;

// The stage-play scene while it exists: the context that the window's WM_CLOSE and
// the flow commands reach. Written when the stage-play scene is created or deleted.
extern std::atomic<cScene*> CurrentStage;

// How each mode's scene is made. The scene classes are written with the game modes
// and stage play; until a class exists its entry is null and its mode has no scene.
using SceneFactory = cScene* (*)();
SceneFactory GetSceneFactory(int mode);
// Replaces the maker of a mode's scene (the scene classes register here; tests use
// their own scenes).
void SetSceneFactory(int mode, SceneFactory factory);

// The run's frame counter, shared by every frame loop (the frame step, and later
// the pause and ranking loops), by KORVANE_FRAMES, KORVANE_INPUT and KORVANE_DUMP:
// StartFrameNumber begins the next frame (1 the first of the run) and numbers the
// frames presented from now on with it; FrameNumber is the frame being run.
uint32_t StartFrameNumber();
// Frame pacing before a frame: under DirectDraw, Sleep(1) until the next tick of
// the frame rate; Direct3D paces at its present. Every frame loop calls it.
void WaitNextFrame();
uint32_t FrameNumber();

// The game thread's routine: one frame per turn while the application is active.
unsigned GameLoop(void* arg);

// Moves a value one step up or down between low and high (the menu colour cycling);
// true when a fall has just completed.
bool Bounce(int& value, int& direction, int step, int low, int high);
