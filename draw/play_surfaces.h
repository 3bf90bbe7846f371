#pragma once
#include "app/base/vector.h"
#include "draw/dd_types.h"

// The picture surfaces that stage play and the scenes keep besides the system
// surfaces, each with its descriptors. They exist for the whole run, empty until a
// scene fills them; the frame step restores them after a loss.
extern cVector<DDSURFACEDATA> Off_CharaExc;       // character-specific bitmaps, four per entry
extern cVector<DDSURFACEINFO> CharaExcInfo;
extern cVector<DDSURFACEDATA> Off_Sword;          // sword images
extern cVector<DDSURFACEINFO> SwordInfo;
extern cVector<DDSURFACEDATA> Off_Effect;         // effect images
extern cVector<DDSURFACEINFO> EffectInfo;
extern cVector<DDSURFACEDATA> Off_Scene;          // a scene's own images (the option scene's)
extern cVector<DDSURFACEINFO> SceneInfo;
extern cList<DDSURFACEDATA> Off_Picture;          // shown pictures
extern cList<DDSURFACEINFO> PictureInfo;
extern cList<DDSURFACEDATA> Off_Msg;              // message windows
extern cList<DDSURFACEINFO> MsgInfo;
