#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

// The window's key message (WM_KEYDOWN / WM_KEYUP) for a scripted key change, as
// the event pump posts it for a key of the desktop. Any thread.
void PostScriptedKeyMessage(int vk, bool down);

// Opens the video device (nothing headless). False, with the reason, when no real
// display can be opened: no X or Wayland display, or only a driver that shows
// nothing (unless SDL_VIDEODRIVER names it).
bool StartVideo(std::string& why);

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

// Whether the game window is shown (headless: as it would be).
bool IsGameWindowShown(HWND window);

// The game window's style bits (user.h); a sizing frame (WS_THICKFRAME) makes it
// resizable. It starts with the style of a captioned popup with a system menu and
// the minimise and maximise boxes.
uint32_t GameWindowStyle(HWND window);
void SetGameWindowStyle(HWND window, uint32_t style);

// For the in-window dialogs (platform/ui): while the dialogs take the input the
// window gives them its keyboard, text and mouse events (ui_event.h) instead of
// key messages, and shows their picture instead of the game's frames; frames
// presented meanwhile wait in their slot.
void SetDialogInput(bool on);
// The picture of the frame shown last (black 640x480 before the first frame).
void CopyShownFrame(std::vector<uint32_t>& pixels, int* width, int* height);
// Shows the dialogs' picture (XRGB8888, the frame's size).
void ShowDialogPicture(const std::vector<uint32_t>& pixels, int width, int height);
// Typed text: on, with the place of the caret on the frame (for the input
// method's window), or off.
void SetTextInput(bool on, const RECT& caret);
// Moves the mouse pointer to a point of the frame (when the window is shown; else
// as soon as it is).
void MoveCursorOnFrame(int x, int y);
// The mouse pointer's place on the frame as last seen.
bool CursorOnFrame(int* x, int* y);

}  // namespace plat
