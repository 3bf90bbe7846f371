#pragma once
#include <string>

#include "platform/window.h"

// The steps of InitGame and UnInitGame that live beside their subsystems; the
// step tables and their order are in init_game.cpp. A step returns false when the
// start-up must end (after the step's own message, if it has one).

// What the steps hand on to each other.
struct cStartup {
  std::string strCommandLine;
  int nShowCommand = plat::SW_SHOWNORMAL;
};

// Step 20, also used by step 17's fall-back: the window shown (full screen at the
// desktop's size).
void ShowGameWindow(const cStartup& s);

// Drawing layer (startup_drawing.cpp).
// When "System.ini" leaves the back end to the user (Direct3D 2 or more),
// reads "user_data\Boot.dat" and, unless it says not to ask, runs the dialog; then
// Direct3D becomes the chosen back end. False when the dialog was cancelled (or
// could not be made): start-up ends.
bool ChooseDrawingMode();

bool StartDrawingLayer(cStartup& s);         // 17: DDInit, one fall-back from Direct3D to DirectDraw
bool PrepareDirect3DSurfaces(cStartup& s);   // 18: texture-failure text, surface aliases
bool LoadPaletteAndKey(cStartup& s);         // 22: palette and transparent colour
bool SetPresentCopySwitch(cStartup& s);      // 23: copy switch of the DirectDraw full-screen present
bool LoadSystemSurfaces(cStartup& s);        // 24: the 71 system surfaces
bool ReleaseDrawingLayer(cStartup& s);       // UnInitGame 8

// Fonts (startup_fonts.cpp).
bool StartFonts(cStartup& s);                // 25: the three fonts and the digit sheets
bool ReportFonts(cStartup& s);               // UnInitGame 1: "Font10 : %d", "Font16 : %d"
bool ReleaseFonts(cStartup& s);              // UnInitGame 6 and 7: the fonts, then the digit sheets

// Sound effects and music (startup_sound.cpp).
bool StartMusicPlayer(cStartup& s);          // 30
bool BuildSoundTable(cStartup& s);           // 31
bool StartSoundEffects(cStartup& s);         // 32
bool LoadSoundEffects(cStartup& s);          // 33
bool ReleaseSoundEffects(cStartup& s);       // UnInitGame 3
bool ReleaseMusicPlayer(cStartup& s);        // UnInitGame 4
bool CloseAudio(cStartup& s);                // after UnInitGame's last step
