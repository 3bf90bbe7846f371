#pragma once
#include <string>

#include "app/base/vector.h"

class cEdStage;
class cEdBlock;
class cEdChara;
class cEdItem;

// Loads a stage file for play: the newest numbered version of the path when
// `newest` is set, the trailer checked, the file read on the loader thread thLoad
// while the calling thread keeps serving its messages, the player character
// required. On success the stage replaces StageData (which keeps the loaded path
// in strFilePath) and its settings part is copied into target (when given), whose
// palette and placement lists are emptied. 1 on success; 0 otherwise, after the
// message the failure calls for, with StageData and target unchanged. A damaged
// file or a stage without the player closes the game after its message unless
// closeOnRefusal is 0 (a menu that offers another choice stays).
int LoadStageForPlay(const std::string& path, int newest, cEdStage* target, int closeOnRefusal = 1);

// 1 when the stage file passes the trailer check (files from version 174 on end
// with 123456789), or cannot be opened (its read reports that); else the
// "damaged" message, WM_CLOSE to the game window (unless closeOnRefusal is 0) and 0.
int CheckStageFile(const std::string& path, int closeOnRefusal = 1);
// The check alone: false only for a file from version 174 on without the trailer.
bool StageTrailerIntact(const std::string& path);

// Test seam: called on thLoad just before the stage file is read.
void SetStageLoadHook(void (*hook)());

// Empty a definition list, giving back its storage.
void FreeBlockDefs(cVector<cEdBlock>& list);
void FreeCharaDefs(cVector<cEdChara>& list);
void FreeItemDefs(cVector<cEdItem>& list);
