#pragma once
#include <cstdint>
#include <string>

struct DDSURFACEDATA;

// One window of text, or one small picture, shown over the stage: the message
// command's text, the empty timed entry that holds play for a game wait, the icon
// of a taken item and the extra-life icon. The stage drawing draws the scene's
// messages in list order and takes out the ones that report their end.
class cMessage {
 public:
  enum eKind { kTimed = 0, kText = 1, kPaletteIcon = 2, kFixedIcon = 3 };
  enum eDisplayMode { kUntilKey = 0, kUntilStageEnd = 1, kTimedDisplay = 2 };
  static constexpr int kOpeningFrames = 10;

  cMessage() = default;
  // A new message: Set with these values (its surface made anew).
  cMessage(int kind, const char* text, int iconKind, int iconNumber, int iconOption, int positionMode, int blockX,
           int blockY, int offsetX, int offsetY, int keepInside, int fixed, int displayMode, int displayTime,
           int countsWhileHeld, int chara, int noOpening, int expand, int refresh, int refreshPeriod, int window,
           int hasId, int id);
  // Its text surface goes back to the message surface list with it.
  virtual ~cMessage();
  cMessage(const cMessage&) = delete;
  cMessage& operator=(const cMessage&) = delete;

  // Fills the message: what it shows, where, for how long and how it opens. With
  // keepSurface the text surface it has is drawn into again (same size).
  void Set(int kind, const char* text, int iconKind, int iconNumber, int iconOption, int positionMode, int blockX,
           int blockY, int offsetX, int offsetY, int keepInside, int fixed, int displayMode, int displayTime,
           int countsWhileHeld, int chara, int noOpening, int expand, int refresh, int refreshPeriod, int window,
           int hasId, int id, int keepSurface);
  // One drawn frame (held: play is held, only what counts while held advances);
  // 1 when the message has ended and is to be removed.
  int Draw(DDSURFACEDATA* target, int held);

  // The text surface of the message's size, in the message surface list; false
  // when it could not be made (the game is then closed).
  bool CreateSurface();
  // The text into the surface: in the font's window, or plain on the colour key.
  void Render(DDSURFACEDATA* surface);
  // Gives the text surface back (a message that ends or is closed).
  void ReleaseSurface();

  // The screen position of this frame by the position mode; false when the
  // character it follows is gone.
  bool CalcPosition(int& x, int& y);

  DDSURFACEDATA* m_lpSurface = nullptr;  // kind 1: an element of Off_Msg (its descriptor beside it in MsgInfo)
  int m_nKind = kTimed;
  std::string m_strText;                 // as shown, after expansion
  std::string m_strTemplate;             // as given
  int m_nIconKind = 0, m_nIconNumber = 0, m_nIconOption = 0;
  int m_bExpand = 0;
  int m_bRefresh = 0;
  int m_nRefreshPeriod = 0;
  int m_bWindow = 0;
  int m_nPositionMode = 0;               // 0 to 8
  int m_nBlockX = 0, m_nBlockY = 0;
  int m_nOffsetX = 0, m_nOffsetY = 0;
  int m_nWidth = 0, m_nHeight = 0;
  int m_bKeepInside = 0;
  int m_nDisplayMode = 0;
  int m_bFixed = 0;
  int m_bPositionTaken = 0;
  int m_nTakenX = 0, m_nTakenY = 0;
  int m_bHasId = 0;
  int m_nId = 0;
  int m_nChara = 0;                      // identity of the character it follows (modes 1 to 6)
  int m_nDisplayTime = 0;
  int m_bCountsWhileHeld = 0;
  int m_bOpening = 0;
  double m_dOpening = 0.0;
  // Ended while a held loop drew it: the stage's own drawing takes it out.
  int m_bEnded = 0;

 private:
  void Measure();
  void Refresh();
};

// The extra-life and palette icons rise from the player for this many frames.
constexpr int kMessageIconFrames = 30;
