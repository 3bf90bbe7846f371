#include "draw/play_surfaces.h"

cVector<DDSURFACEDATA> Off_CharaExc;
cVector<DDSURFACEINFO> CharaExcInfo;
cVector<DDSURFACEDATA> Off_Sword;
cVector<DDSURFACEINFO> SwordInfo;
cVector<DDSURFACEDATA> Off_Effect;
cVector<DDSURFACEINFO> EffectInfo;
cVector<DDSURFACEDATA> Off_Scene;
cVector<DDSURFACEINFO> SceneInfo;
cList<DDSURFACEDATA> Off_Picture;
cList<DDSURFACEINFO> PictureInfo;
cList<DDSURFACEDATA> Off_Msg;
cList<DDSURFACEINFO> MsgInfo;
