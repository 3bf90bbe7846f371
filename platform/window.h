#pragma once
#include <string>

#include "platform/messages.h"

// The game window. It belongs to the thread that creates it (the main thread: the
// window thread), which turns the system's events into window messages in its
// event pump: close box -> WM_CLOSE, focus -> WM_ACTIVATEAPP, move -> WM_MOVE,
// size -> WM_SIZE, expose -> WM_PAINT, keys -> the key table of key_state.h and
// WM_KEYDOWN / WM_KEYUP, SIGTERM -> WM_CLOSE; losing the focus releases every
// key. The pump also shows the newest presented frame (present_slot.h), scaled
// with its aspect kept. Headless the window exists only in memory, on a desktop
// of kHeadlessDesktopWidth x kHeadlessDesktopHeight. Every function here runs on
// the window thread.
namespace plat {

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_RESTORE = 9;

constexpr int kHeadlessDesktopWidth = 1280;
constexpr int kHeadlessDesktopHeight = 1024;

struct RECT {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct Size {
  int width = 0, height = 0;
};

// Creates the game window, hidden, with a client area of width x height at (x, y),
// and runs its procedure with WM_CREATE before returning. The creating thread
// becomes the window thread. 0 when the window cannot be made (no display).
HWND CreateGameWindow(WNDPROC proc, int x, int y, int width, int height);
// Runs the procedure with WM_DESTROY, then removes the window; its sends complete with 0.
void DestroyGameWindow(HWND window);
// The game window; 0 before it is made and after it is destroyed.
HWND GameWindow();
// Releases the window system at the end of the run (no messages).
void ShutdownWindowSystem();

void SetWindowTitle(HWND window, const std::string& sjisTitle);
void ShowMainWindow(HWND window, int showCommand);
// Desktop full screen (no display-mode change); frames are scaled with their aspect kept.
void SetFullScreen(HWND window, bool on);
// Whether the user may resize the window (a sizing frame).
void SetResizable(HWND window, bool on);
// Moves the window so that its top-left corner is at (x, y) on the screen.
void MoveGameWindow(HWND window, int x, int y);
void ResizeClient(HWND window, int width, int height);
void CentreOnDesktop(HWND window);
// The window's top-left corner on the screen, as MoveGameWindow takes it.
bool GetWindowPosition(HWND window, int* x, int* y);
bool GetClientSize(HWND window, int* width, int* height);
// The client area in screen coordinates.
bool GetClientScreenRect(HWND window, RECT* rect);
bool IsIconic(HWND window);  // minimised
bool IsZoomed(HWND window);  // maximised

// The client area a full-screen window has (the desktop's usable area).
Size FullScreenClientSize();
// The desktop's colour depth in bits per pixel.
int DesktopBitsPerPixel();

// Shows or hides the mouse cursor over the window (nothing headless).
void ShowMouseCursor(bool visible);

}  // namespace plat
