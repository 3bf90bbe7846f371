#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/ui/user.h"

// The window framework: cWindow wraps one window (the game window or a dialog),
// keeps its geometry and dispatches its messages to virtual operations; cDlg
// (dialog.h) runs a dialog template modally on top of it.

// Rows of the top band and height of the bottom bar of a window, in pixels.
constexpr int kBandRowHeight = 28;
constexpr int kBottomBarHeight = 20;

// The program-wide lists of registered modeless and child windows; this program
// registers none, so the DoModal flags that hide or disable them change nothing.
class cWindowRegistry {
 public:
  std::vector<plat::HWND> m_Modeless;
  std::vector<plat::HWND> m_Children;
};
extern cWindowRegistry WindowRegistry;

// DoModal flags: hide (2) or disable (4) the registered windows while it runs.
constexpr int kDoModalHideRegistered = 2;
constexpr int kDoModalDisableRegistered = 4;

class cWindow {
 public:
  cWindow() = default;
  virtual ~cWindow() = default;
  cWindow(const cWindow&) = delete;
  cWindow& operator=(const cWindow&) = delete;

  // The message operations, each taking wParam and lParam and doing nothing here.
  virtual void OnCommand(plat::WPARAM, plat::LPARAM) {}
  virtual void OnMouseMove(plat::WPARAM, plat::LPARAM) {}
  virtual void OnLButtonDown(plat::WPARAM, plat::LPARAM) {}
  virtual void OnRButtonDown(plat::WPARAM, plat::LPARAM) {}
  virtual void OnLButtonDblClk(plat::WPARAM, plat::LPARAM) {}
  virtual void OnRButtonDblClk(plat::WPARAM, plat::LPARAM) {}
  virtual void OnLButtonUp(plat::WPARAM, plat::LPARAM) {}
  virtual void OnRButtonUp(plat::WPARAM, plat::LPARAM) {}
  // The object's window procedure (a class's static procedure calls it).
  virtual plat::LRESULT WndProc(plat::HWND, plat::UINT, plat::WPARAM, plat::LPARAM) { return 0; }
  // The framework's handling: 1 when the message was handled, else 0.
  virtual int OnMessage(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
  virtual void OnPaint() {}

  // Keeps the resource id, the owner and the registry; the instance handle is the
  // game window's.
  void Init(uint16_t resourceId, plat::HWND owner, cWindowRegistry* registry);
  // The client size asked for (0: none), its limits, the style and the reserved
  // room (menu, band rows, bottom bar kind, scroll bars: bar flags bit 1
  // horizontal, bit 2 vertical).
  void SetClientSize(int width, int height, int minWidth, int minHeight, int maxWidth, int maxHeight, uint32_t style,
                     int menu, int bandRows, int bottomBar, int reserved, int barFlags);
  void UpdateGeometry();
  void UpdateFrame();
  void ResizeClient(int width, int height);
  void Move(int x, int y);
  void CentreOnDesktop();
  void PlaceOnOpen();
  void GetMinMaxInfo(plat::MINMAXINFO* info);
  void GetClientRect(plat::RECT* rect);
  void GetScreenPos(plat::POINT* point);
  void AddStyle(uint32_t bits);
  void RemoveStyle(uint32_t bits);
  // The cursor relative to the usable client area and the states and edges of the
  // mouse buttons the mask names (1 left, 2 right); nothing in this program reads
  // them.
  void UpdateMouse(int reserved, int buttonMask);

  plat::HWND m_hWnd = 0;            // set on every message; cleared at WM_DESTROY
  intptr_t m_hInstance = 0;
  uint16_t m_wResourceId = 0;
  plat::HWND m_hOwner = 0;
  plat::WNDPROC m_lpfnProc = nullptr;
  cWindowRegistry* m_lpRegistry = nullptr;
  int m_nX = 0, m_nY = 0;           // the window's top-left on the screen
  int m_nClientX = 0, m_nClientY = 0;          // origin of the usable area in the client area
  int m_nClientWidth = 0, m_nClientHeight = 0;  // the usable area
  int m_nRequestWidth = 0, m_nRequestHeight = 0;
  plat::RECT m_rcClient;
  int m_nMinWidth = 0, m_nMinHeight = 0, m_nMaxWidth = 0, m_nMaxHeight = 0;
  uint32_t m_dwStyle = 0;
  int m_bMenu = 0;
  int m_nBandRows = 0;
  int m_nBottomBar = 0;
  int m_nBarFlags = 0;
  int m_nFrameLeft = 0, m_nFrameRight = 0, m_nFrameTop = 0, m_nFrameBottom = 0;
  int m_nOuterWidth = 0, m_nOuterHeight = 0;
  plat::HWND m_hBand = 0, m_hBottomBar = 0;
  int m_bInCommand = 0;
  int m_bTrace = 0;
  std::string m_strTraceName;
  // Where a dialog opens: centred on (or at) a window object, or a preset position
  // (-1000: none).
  cWindow* m_lpPlaceOn = nullptr;
  int m_bCentre = 0;
  plat::HWND m_hOwnerControl = 0;
  int m_nPresetX = -1000, m_nPresetY = -1000;
  // The mouse as UpdateMouse saw it.
  int m_nMouseX = 0, m_nMouseY = 0;
  int m_bLButton = 0, m_bRButton = 0;
  int m_bLButtonPressed = 0, m_bRButtonPressed = 0, m_bLButtonReleased = 0, m_bRButtonReleased = 0;
};

// The trace name of a message number (the number in decimal when the table lacks it).
std::string MessageName(plat::UINT message);
