#include "modes/story_slots.h"

#include "data/project_globals.h"
#include "draw/dd_blit.h"
#include "draw/font_table.h"
#include "platform/files.h"

namespace {
constexpr int kUnlimitedLives = 999999;
constexpr int kSeparatorColour = 240;
}  // namespace

void StartNewStory() {
  SaveData.Reset();
  SaveData.nMapX = WorldMap.nStartX;
  SaveData.nMapY = WorldMap.nStartY;
  SaveData.nRound = 0;
  if (SystemData.InfiniteLives.At(cEdSystem::kStory)) {
    SaveData.nLivesAtStart = SaveData.nLives = kUnlimitedLives;
  } else {
    SaveData.nLivesAtStart = SystemData.StartLives.At(cEdSystem::kStory);
    SaveData.nLives = SaveData.nLivesAtStart - 1;
  }
}

void ScanSaveSlots(cVector<cSaveSlotInfo>& slots) {
  for (int n = 0; n < slots.Count(); ++n) {
    cSaveSlotInfo& slot = slots[static_cast<size_t>(n)];
    const std::string path = MakeSaveSlotPath(n);
    slot = cSaveSlotInfo();
    if (!plat::FileExists(path)) continue;
    // Read into a scratch record: the running game's data stays as it is.
    cSaveData scratch;
    if (scratch.Load(path.c_str())) {
      slot.SetFromSave(scratch);
    } else {
      slot.bUsed = 1;  // there, but it cannot be loaded
    }
  }
}

void DrawSaveSlots(DDSURFACEDATA* surface, int x, int y, const cVector<cSaveSlotInfo>& slots, int first, int rows) {
  Fonts[1].DrawWindow(surface, x, y, 320, 16 * rows);
  for (int r = 0; r < rows; ++r) {
    const int s = first + r;
    if (s < 0 || s >= slots.Count()) break;
    if (r != rows - 1) DDFillRectPal(surface, x, y + 16 * r + 15, 320, 1, kSeparatorColour);
    Fonts[1].DrawF(surface, x + 16, y + 16 * r, "%d", s + 1);
    slots[static_cast<size_t>(s)].DrawDate(surface, x + 64, y + 16 * r);
  }
}
