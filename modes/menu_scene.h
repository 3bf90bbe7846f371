#pragma once
#include <cstdint>
#include <vector>

#include "app/base/vector.h"
#include "app/svc/scene.h"

class cEdMenuItem;
struct DDSURFACEDATA;

// What the five menu scenes (title, world map, world-map menu, challenge, option)
// share: menu key repeat and button latch before each frame, the scene's music and
// pictures, the fades, the cursor sound and cursors, and the two-answer questions.
class cMenuScene : public cScene {
 public:
  // mode: the scene's own mode number; latchMask: the buttons latched each frame.
  cMenuScene(int mode, uint16_t latchMask);
  // Releases the scene's pictures and every surface of the scene surface list.
  ~cMenuScene() override;

  // Key repeat and latch on Input[0], then Init or the current phase.
  int Run() override;

  // Music kinds of the scenes.
  enum { kMusicTitle = 0, kMusicWorldMap = 1, kMusicChallenge = 2, kMusicOption = 3 };

 protected:
  // The scene's music: requested when the settings' number for the kind is 0 or
  // differs from the one the menus last asked for; otherwise what plays goes on.
  static void StartSceneMusic(int kind);
  // Loads the scene's system pictures (kept to be released at the end); a failure
  // closes the game after the loader's message.
  void LoadPictures(std::initializer_list<int> indexes);
  // One frame of the fade-in / fade-out; true when it has finished.
  static bool FadeInStep();
  static bool FadeOutStep();
  // The end of every fade-out: back buffer cleared to colour 16, the requested mode
  // made current, this scene's mode recorded as the one left.
  void LeaveScene();
  // The cursor sound for the directions of Input[0]: flags 2 vertical moves, 3 both.
  static void CursorSound(int flags);
  // Cursors of Accessory.bmp on the back buffer: the 16x16 cell at (cellX, 0), the
  // 32x32 large cursor.
  static void DrawCursor16(int x, int y, int cellX = 64);
  static void DrawCursor32(int x, int y);
  // Writes story slot n from the save data (the slot summary follows); the trace
  // records the file written.
  static void SaveStorySlot(int n);
  // Releases every surface of the scene surface list.
  static void ReleaseSceneSurfaces();
  // Appends a surface to the scene surface list; null (and the game closing) when
  // it cannot be made.
  static DDSURFACEDATA* AddSceneSurface(int width, int height, int colorKey);
  // A scene surface lost under DirectDraw: true when it must be rendered again.
  static bool SceneSurfaceLost(size_t index);

  // A two-answer question of texts first and first + 1 centred on centreX at y,
  // with the cursor cell column; Layout moves the top cursor over it; Draw draws it.
  static int QuestionLeft(int centreX, int first);
  static void MoveQuestion(int centreX, int y, int first);
  static void DrawQuestion(int centreX, int y, int first, bool cursor = true);

  int m_nOwnMode;
  uint16_t m_wLatchMask;
  std::vector<int> m_Pictures;
};

// The indexes of a menu whose shown flag is set, in order, at most `limit`; item 0
// alone when none is shown.
std::vector<int> VisibleMenuItems(const cVector<cEdMenuItem>& menu, int limit);
// Whether a menu scene asks for its music: a number of 0 (which stops the music)
// always, another only when it is not the one the menus asked for last.
bool SceneMusicWanted(int number, int lastNumber);

// Button bits of the menus.
enum : uint16_t { kMenuConfirm = 1, kMenuCancel = 2, kMenuRanking = 4, kMenuGenre = 8 };
