#include "platform/window.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>

#include "platform/key_state.h"
#include "platform/present_slot.h"
#include "platform/scripted_input.h"
#include "platform/sjis.h"
#include "platform/single_instance.h"
#include "platform/test_controls.h"
#include "platform/ui/ui_event.h"
#include "platform/ui/user.h"

namespace plat {
namespace {

// Everything here is touched by the window thread only, except the atomics.
struct GameWindowState {
  HWND hwnd = 0;
  bool headless = true;
  // The window's geometry as the headless desktop keeps it.
  int x = 0, y = 0, width = 0, height = 0;
  bool minimised = false, maximised = false, fullScreen = false;
  // The real window.
  SDL_Window* sdl = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  int textureWidth = 0, textureHeight = 0;
  PresentedFrame frame;
  // The style bits the window was given (user.h).
  uint32_t style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  bool shown = false;  // headless: as it would be
  // The in-window dialogs.
  bool dialogInput = false;
  std::vector<uint32_t> dialogPicture;
  int pictureWidth = 0, pictureHeight = 0;
  bool pictureFresh = false;
  bool textureHoldsPicture = false;
  bool warpPending = false;
  int warpX = 0, warpY = 0;
  int cursorX = 0, cursorY = 0;
  bool cursorKnown = false;
};

GameWindowState* gWin = nullptr;
bool gVideoStarted = false;
std::atomic<HWND> gWindowHandle{0};
std::atomic<ThreadId> gWindowThread{0};

GameWindowState* Win(HWND window) { return gWin && gWin->hwnd == window ? gWin : nullptr; }

LPARAM MakeLong(int lo, int hi) {
  return static_cast<LPARAM>((static_cast<uint32_t>(lo) & 0xFFFF) | ((static_cast<uint32_t>(hi) & 0xFFFF) << 16));
}

void Post(UINT message, WPARAM wParam, LPARAM lParam) {
  if (gWin) PostMessage(gWin->hwnd, message, wParam, lParam);
}

void PostSize() {
  int w = 0, h = 0;
  GetClientSize(gWin->hwnd, &w, &h);
  WPARAM kind = IsIconic(gWin->hwnd) ? SIZE_MINIMIZED : IsZoomed(gWin->hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
  Post(WM_SIZE, kind, kind == SIZE_MINIMIZED ? 0 : MakeLong(w, h));
}

void PostMove() {
  int x = 0, y = 0;
  GetWindowPosition(gWin->hwnd, &x, &y);
  Post(WM_MOVE, 0, MakeLong(x, y));
}

// Shows the newest presented frame; with force the last one again (after an expose).
void ShowPicture(bool force) {
  GameWindowState& w = *gWin;
  if (!w.pictureFresh && !force) return;
  w.pictureFresh = false;
  if (w.pictureWidth <= 0 || w.pictureHeight <= 0) return;
  if (!w.texture || w.textureWidth != w.pictureWidth || w.textureHeight != w.pictureHeight) {
    if (w.texture) SDL_DestroyTexture(w.texture);
    w.texture = SDL_CreateTexture(w.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w.pictureWidth,
                                  w.pictureHeight);
    w.textureWidth = w.pictureWidth;
    w.textureHeight = w.pictureHeight;
    SDL_RenderSetLogicalSize(w.renderer, w.pictureWidth, w.pictureHeight);
  }
  if (!w.texture) return;
  SDL_UpdateTexture(w.texture, nullptr, w.dialogPicture.data(), w.pictureWidth * 4);
  w.textureHoldsPicture = true;
  SDL_SetRenderDrawColor(w.renderer, 0, 0, 0, 255);
  SDL_RenderClear(w.renderer);
  SDL_RenderCopy(w.renderer, w.texture, nullptr, nullptr);
  SDL_RenderPresent(w.renderer);
}

void ShowFrame(bool force) {
  GameWindowState& w = *gWin;
  if (!w.renderer) return;
  // While a dialog is open its picture is shown; new frames wait in their slot.
  if (w.dialogInput) {
    ShowPicture(force);
    return;
  }
  bool fresh = TakeFrame(w.frame);
  if (!fresh && !force) return;
  // After a dialog the texture holds its picture: the frame goes back in.
  if (w.textureHoldsPicture) {
    w.textureHoldsPicture = false;
    if (!w.frame.pixels.empty()) {
      fresh = true;
    } else if (w.texture) {
      SDL_DestroyTexture(w.texture);
      w.texture = nullptr;
      w.textureWidth = w.textureHeight = 0;
    }
  }
  if (fresh && w.frame.width > 0 && w.frame.height > 0) {
    if (!w.texture || w.textureWidth != w.frame.width || w.textureHeight != w.frame.height) {
      if (w.texture) SDL_DestroyTexture(w.texture);
      w.texture = SDL_CreateTexture(w.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w.frame.width,
                                    w.frame.height);
      w.textureWidth = w.frame.width;
      w.textureHeight = w.frame.height;
      // Letterboxed scaling keeps the aspect in full screen and in a resized window.
      SDL_RenderSetLogicalSize(w.renderer, w.frame.width, w.frame.height);
    }
    if (w.texture) SDL_UpdateTexture(w.texture, nullptr, w.frame.pixels.data(), w.frame.width * 4);
  }
  SDL_SetRenderDrawColor(w.renderer, 0, 0, 0, 255);
  SDL_RenderClear(w.renderer);
  if (w.texture) SDL_RenderCopy(w.renderer, w.texture, nullptr, nullptr);
  SDL_RenderPresent(w.renderer);
}

// Key messages name the Shift, Control and Alt keys without their side, as the
// window's key messages always did.
int WindowMessageKey(int vk) {
  if (vk >= VK_LSHIFT && vk <= VK_RMENU) return VK_SHIFT + (vk - VK_LSHIFT) / 2;
  return vk;
}

// The frame position (x, y) in the window's own pixels (the frame is scaled with
// its aspect kept).
void FrameToWindow(int x, int y, int* wx, int* wy) {
  *wx = x, *wy = y;
  if (gWin->renderer && gWin->textureWidth > 0)
    SDL_RenderLogicalToWindow(gWin->renderer, static_cast<float>(x), static_cast<float>(y), wx, wy);
}

void ApplyPendingWarp() {
  GameWindowState& w = *gWin;
  if (!w.warpPending || !w.shown) return;
  w.warpPending = false;
  w.cursorX = w.warpX;
  w.cursorY = w.warpY;
  w.cursorKnown = true;
  if (!w.sdl) return;
  int wx = 0, wy = 0;
  FrameToWindow(w.warpX, w.warpY, &wx, &wy);
  SDL_WarpMouseInWindow(w.sdl, wx, wy);
}

// Asks the procedure for the window's track sizes (WM_GETMINMAXINFO: sizes of the
// whole window, the frames of its style included) and keeps its client area in them.
void ApplyTrackLimits() {
  GameWindowState& w = *gWin;
  RECT frame{0, 0, 0, 0};
  AdjustWindowRect(&frame, w.style, false);
  const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
  SDL_Rect desk{0, 0, kHeadlessDesktopWidth, kHeadlessDesktopHeight};
  if (w.sdl) SDL_GetDisplayUsableBounds(0, &desk);
  MINMAXINFO mmi;
  mmi.ptMinTrackSize = POINT{fw + 1, fh + 1};
  mmi.ptMaxTrackSize = POINT{desk.w + fw, desk.h + fh};
  mmi.ptMaxSize = mmi.ptMaxTrackSize;
  DispatchMessage(MSG{w.hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi)});
  if (!gWin || !w.sdl) return;
  if (w.fullScreen) {
    // Full screen covers the display: the limits are a window's.
    SDL_SetWindowMinimumSize(w.sdl, 1, 1);
    SDL_SetWindowMaximumSize(w.sdl, 16384, 16384);
    return;
  }
  const int minW = std::max(1, mmi.ptMinTrackSize.x - fw), minH = std::max(1, mmi.ptMinTrackSize.y - fh);
  const int maxW = std::max(minW, mmi.ptMaxTrackSize.x - fw), maxH = std::max(minH, mmi.ptMaxTrackSize.y - fh);
  SDL_SetWindowMinimumSize(w.sdl, minW, minH);
  SDL_SetWindowMaximumSize(w.sdl, maxW, maxH);
}

void Translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:
      Post(WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT:
      if (e.window.windowID != SDL_GetWindowID(gWin->sdl)) break;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: Post(WM_CLOSE, 0, 0); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: Post(WM_ACTIVATEAPP, 1, 0); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          // The key-up events of keys held now go to another window: nothing may stay held.
          if (!IsScriptedInput()) ReleaseAllKeys();
          Post(WM_ACTIVATEAPP, 0, 0);
          break;
        case SDL_WINDOWEVENT_MOVED: Post(WM_MOVE, 0, MakeLong(e.window.data1, e.window.data2)); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED: PostSize(); break;
        case SDL_WINDOWEVENT_SHOWN: ApplyTrackLimits(); break;
        case SDL_WINDOWEVENT_EXPOSED:
          ShowFrame(true);
          Post(WM_PAINT, 0, 0);
          break;
        default: break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      bool down = e.type == SDL_KEYDOWN;
      // The key table the game samples each frame, then the window's own key message
      // (or the open dialog's key).
      OnSdlKeyEvent(e.key.keysym.scancode, down);
      int vk = WindowMessageKey(VirtualKeyFromScancode(e.key.keysym.scancode));
      if (vk == 0) break;
      // A scripted run takes its key messages from the script alone.
      if (IsScriptedInput() && !gWin->dialogInput) break;
      LPARAM lParam = 1 | (static_cast<LPARAM>(e.key.keysym.scancode & 0xFF) << 16);
      if (e.key.repeat || !down) lParam |= static_cast<LPARAM>(1) << 30;
      if (!down) lParam |= static_cast<LPARAM>(1) << 31;
      if (gWin->dialogInput) {
        UiEvent u;
        u.kind = down ? UiEvent::Kind::kKeyDown : UiEvent::Kind::kKeyUp;
        u.vk = vk;
        u.keyData = static_cast<uint32_t>(lParam);
        PostUiEvent(u);
        break;
      }
      Post(down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(vk), lParam);
      break;
    }
    case SDL_TEXTINPUT:
    case SDL_TEXTEDITING: {
      if (!gWin->dialogInput) break;
      UiEvent u;
      u.kind = e.type == SDL_TEXTINPUT ? UiEvent::Kind::kText : UiEvent::Kind::kComposition;
      u.text = e.type == SDL_TEXTINPUT ? e.text.text : e.edit.text;
      PostUiEvent(u);
      break;
    }
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool motion = e.type == SDL_MOUSEMOTION;
      if (motion ? e.motion.windowID != SDL_GetWindowID(gWin->sdl) : e.button.windowID != SDL_GetWindowID(gWin->sdl))
        break;
      gWin->cursorX = motion ? e.motion.x : e.button.x;
      gWin->cursorY = motion ? e.motion.y : e.button.y;
      gWin->cursorKnown = true;
      int button = motion ? 0 : e.button.button;
      if (!motion && !IsScriptedInput()) {
        const int vk = button == SDL_BUTTON_LEFT ? 0x01 : button == SDL_BUTTON_RIGHT ? 0x02
                       : button == SDL_BUTTON_MIDDLE ? 0x04 : 0;
        if (vk) SetKeyDown(vk, e.type == SDL_MOUSEBUTTONDOWN);
      }
      if (!gWin->dialogInput) break;
      UiEvent u;
      u.kind = motion ? UiEvent::Kind::kMouseMove
                      : e.type == SDL_MOUSEBUTTONDOWN ? UiEvent::Kind::kMouseDown : UiEvent::Kind::kMouseUp;
      u.x = gWin->cursorX;
      u.y = gWin->cursorY;
      u.button = button == SDL_BUTTON_LEFT ? 1 : button == SDL_BUTTON_RIGHT ? 2 : button == SDL_BUTTON_MIDDLE ? 3 : 0;
      u.clicks = motion ? 1 : e.button.clicks;
      PostUiEvent(u);
      break;
    }
    case SDL_MOUSEWHEEL: {
      if (!gWin->dialogInput || e.wheel.windowID != SDL_GetWindowID(gWin->sdl)) break;
      UiEvent u;
      u.kind = UiEvent::Kind::kWheel;
      u.x = gWin->cursorX;
      u.y = gWin->cursorY;
      u.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      PostUiEvent(u);
      break;
    }
    default: break;
  }
}

// The window thread's event pump (run by its peeks and waits).
void PumpWindowEvents() {
  if (!gWin) return;
  if (TakeTerminationRequest()) Post(WM_CLOSE, 0, 0);
  if (gWin->headless) return;
  SDL_Event e;
  while (gWin && SDL_PollEvent(&e)) Translate(e);
  if (gWin) ShowFrame(false);
}

void WakeWindowThread() {
  if (ThreadId t = gWindowThread.load()) WakeThread(t);
}

SDL_Rect UsableBounds() {
  SDL_Rect r{0, 0, kHeadlessDesktopWidth, kHeadlessDesktopHeight};
  if (gVideoStarted) {
    int display = gWin && gWin->sdl ? SDL_GetWindowDisplayIndex(gWin->sdl) : 0;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &r) != 0) SDL_GetDisplayBounds(0, &r);
  }
  return r;
}

void FreeWindow() {
  if (!gWin) return;
  SetFrameWake(nullptr);
  if (gWin->texture) SDL_DestroyTexture(gWin->texture);
  if (gWin->renderer) SDL_DestroyRenderer(gWin->renderer);
  if (gWin->sdl) SDL_DestroyWindow(gWin->sdl);
  delete gWin;
  gWin = nullptr;
  gWindowHandle.store(0);
  gWindowThread.store(0);
  SetEventPump(nullptr);
}

}  // namespace

void PostScriptedKeyMessage(int vk, bool down) {
  HWND window = gWindowHandle.load();
  int key = WindowMessageKey(vk);
  if (!window || key == 0) return;
  LPARAM lParam = 1;
  if (!down) lParam |= (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
  PostMessage(window, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(key), lParam);
}

bool StartVideo(std::string& why) {
  if (IsHeadless() || gVideoStarted) return true;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    why = SDL_GetError();
    return false;
  }
  // Without a display SDL may fall back to a driver that shows nothing: a game
  // nobody sees, and boxes nobody can answer. Only a driver asked for by name
  // (SDL_VIDEODRIVER) may be one of those.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  std::string name = driver ? driver : "";
  if ((!asked || !*asked) && (name.empty() || name == "offscreen" || name == "dummy" || name == "evdev")) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    why = name.empty() ? "no video driver" : "only the video driver \"" + name + "\", which shows nothing";
    return false;
  }
  gVideoStarted = true;
  return true;
}

HWND CreateGameWindow(WNDPROC proc, int x, int y, int width, int height) {
  if (gWin) return 0;
  auto* w = new GameWindowState;
  w->headless = IsHeadless();
  w->x = x;
  w->y = y;
  w->width = width;
  w->height = height;
  if (!w->headless) {
    // SIGTERM is ours (an orderly close), and a box over a full-screen window must not minimise it.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    if (!gVideoStarted && SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) gVideoStarted = true;
    if (gVideoStarted) w->sdl = SDL_CreateWindow("", x, y, width, height, SDL_WINDOW_HIDDEN);
    if (w->sdl) {
      // Typed text is taken only while a dialog's edit field has the focus: an
      // input method must not catch the game's keys.
      SDL_StopTextInput();
      w->renderer = SDL_CreateRenderer(w->sdl, -1, 0);
      if (!w->renderer) w->renderer = SDL_CreateRenderer(w->sdl, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!w->sdl || !w->renderer) {
      if (w->sdl) SDL_DestroyWindow(w->sdl);
      delete w;
      return 0;
    }
  }
  gWin = w;
  w->hwnd = RegisterWindow(proc);
  gWindowHandle.store(w->hwnd);
  gWindowThread.store(CurrentThreadId());
  SetEventPump(&PumpWindowEvents);
  if (!w->headless) SetFrameWake(&WakeWindowThread);
  DispatchMessage(MSG{w->hwnd, WM_CREATE, 0, 0});
  if (gWin) {
    PostMove();
    PostSize();
  }
  return w->hwnd;
}

void DestroyGameWindow(HWND window) {
  if (!Win(window)) return;
  DispatchMessage(MSG{window, WM_DESTROY, 0, 0});
  UnregisterWindow(window);
  FreeWindow();
}

HWND GameWindow() { return gWindowHandle.load(); }

void ShutdownWindowSystem() {
  if (gWin) {
    UnregisterWindow(gWin->hwnd);
    FreeWindow();
  }
  if (gVideoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  gVideoStarted = false;
}

void SetWindowTitle(HWND window, const std::string& sjisTitle) {
  GameWindowState* w = Win(window);
  if (w && w->sdl) SDL_SetWindowTitle(w->sdl, SjisToUtf8(sjisTitle).c_str());
}

void ShowMainWindow(HWND window, int showCommand) {
  GameWindowState* w = Win(window);
  if (!w) return;
  w->shown = showCommand != SW_HIDE;
  if (w->shown) ApplyTrackLimits();
  if (!gWin) return;
  if (w->sdl) {
    if (showCommand == SW_HIDE) {
      SDL_HideWindow(w->sdl);
      return;
    }
    SDL_ShowWindow(w->sdl);
    if (showCommand == SW_MAXIMIZE) SDL_MaximizeWindow(w->sdl);
    if (showCommand == SW_SHOWMINIMIZED || showCommand == SW_SHOWMINNOACTIVE) SDL_MinimizeWindow(w->sdl);
    if (showCommand == SW_RESTORE) SDL_RestoreWindow(w->sdl);
    ShowFrame(true);
    ApplyPendingWarp();
    return;
  }
  ApplyPendingWarp();
  w->minimised = showCommand == SW_SHOWMINIMIZED || showCommand == SW_SHOWMINNOACTIVE;
  w->maximised = showCommand == SW_MAXIMIZE;
  PostSize();
}

void SetFullScreen(HWND window, bool on) {
  GameWindowState* w = Win(window);
  if (!w || w->fullScreen == on) return;
  w->fullScreen = on;
  if (!w->sdl) return;
  // A borderless window over the whole display: it needs no window manager's help
  // (a bare X server has none) and changes no display mode.
  if (on) {
    SDL_GetWindowPosition(w->sdl, &w->x, &w->y);
    SDL_GetWindowSize(w->sdl, &w->width, &w->height);
    int display = SDL_GetWindowDisplayIndex(w->sdl);
    SDL_Rect b{0, 0, 640, 480};
    SDL_GetDisplayBounds(display < 0 ? 0 : display, &b);
    SDL_SetWindowBordered(w->sdl, SDL_FALSE);
    SDL_SetWindowPosition(w->sdl, b.x, b.y);
    SDL_SetWindowSize(w->sdl, b.w, b.h);
  } else {
    SDL_SetWindowBordered(w->sdl, SDL_TRUE);
    SDL_SetWindowSize(w->sdl, w->width, w->height);
    SDL_SetWindowPosition(w->sdl, w->x, w->y);
  }
}

void SetResizable(HWND window, bool on) {
  GameWindowState* w = Win(window);
  if (!w) return;
  SetGameWindowStyle(window, on ? (w->style | WS_THICKFRAME) : (w->style & ~WS_THICKFRAME));
}

bool IsGameWindowShown(HWND window) {
  GameWindowState* w = Win(window);
  if (!w) return false;
  return w->sdl ? (SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_SHOWN) != 0 : w->shown;
}

uint32_t GameWindowStyle(HWND window) {
  GameWindowState* w = Win(window);
  return w ? w->style : 0;
}

void SetGameWindowStyle(HWND window, uint32_t style) {
  GameWindowState* w = Win(window);
  if (!w) return;
  w->style = style;
  if (w->sdl) SDL_SetWindowResizable(w->sdl, (style & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
  if (w->shown) ApplyTrackLimits();
}

void SetDialogInput(bool on) {
  if (!gWin || gWin->dialogInput == on) return;
  gWin->dialogInput = on;
  if (!on) {
    gWin->dialogPicture.clear();
    if (gWin->sdl) {
      SDL_StopTextInput();
      // The game's frame again: the one shown before, or a newer one.
      if (gWin->renderer) ShowFrame(true);
    }
  }
}

void CopyShownFrame(std::vector<uint32_t>& pixels, int* width, int* height) {
  if (gWin && gWin->frame.width > 0 && gWin->frame.height > 0 && !gWin->frame.pixels.empty()) {
    pixels = gWin->frame.pixels;
    *width = gWin->frame.width;
    *height = gWin->frame.height;
    return;
  }
  *width = 640;
  *height = 480;
  pixels.assign(640 * 480, 0);
}

void ShowDialogPicture(const std::vector<uint32_t>& pixels, int width, int height) {
  if (!gWin || !gWin->dialogInput) return;
  gWin->dialogPicture = pixels;
  gWin->pictureWidth = width;
  gWin->pictureHeight = height;
  gWin->pictureFresh = true;
  if (gWin->renderer) ShowPicture(false);
}

void SetTextInput(bool on, const RECT& caret) {
  if (!gWin || !gWin->sdl) return;
  if (!on) {
    if (SDL_IsTextInputActive()) SDL_StopTextInput();
    return;
  }
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  FrameToWindow(caret.left, caret.top, &x0, &y0);
  FrameToWindow(caret.right, caret.bottom, &x1, &y1);
  SDL_Rect r{x0, y0, std::max(1, x1 - x0), std::max(1, y1 - y0)};
  SDL_SetTextInputRect(&r);
  if (!SDL_IsTextInputActive()) SDL_StartTextInput();
}

void MoveCursorOnFrame(int x, int y) {
  if (!gWin) return;
  gWin->warpPending = true;
  gWin->warpX = x;
  gWin->warpY = y;
  ApplyPendingWarp();
}

bool CursorOnFrame(int* x, int* y) {
  if (!gWin || !gWin->cursorKnown) return false;
  *x = gWin->cursorX;
  *y = gWin->cursorY;
  return true;
}

void MoveGameWindow(HWND window, int x, int y) {
  GameWindowState* w = Win(window);
  if (!w) return;
  if (w->sdl) {
    SDL_SetWindowPosition(w->sdl, x, y);
    return;
  }
  w->x = x;
  w->y = y;
  PostMove();
}

void ResizeClient(HWND window, int width, int height) {
  GameWindowState* w = Win(window);
  if (!w || width <= 0 || height <= 0) return;
  if (w->sdl) {
    SDL_SetWindowSize(w->sdl, width, height);
    return;
  }
  w->width = width;
  w->height = height;
  PostSize();
}

void CentreOnDesktop(HWND window) {
  GameWindowState* w = Win(window);
  if (!w) return;
  int cw = 0, ch = 0;
  GetClientSize(window, &cw, &ch);
  int top = 0, left = 0, bottom = 0, right = 0;
  if (w->sdl) SDL_GetWindowBordersSize(w->sdl, &top, &left, &bottom, &right);
  SDL_Rect b = UsableBounds();
  int outerX = b.x + (b.w - (cw + left + right)) / 2;
  int outerY = b.y + (b.h - (ch + top + bottom)) / 2;
  MoveGameWindow(window, outerX + left, outerY + top);
}

bool GetWindowPosition(HWND window, int* x, int* y) {
  GameWindowState* w = Win(window);
  if (!w) return false;
  if (w->sdl)
    SDL_GetWindowPosition(w->sdl, x, y);
  else
    *x = w->x, *y = w->y;
  return true;
}

bool GetClientSize(HWND window, int* width, int* height) {
  GameWindowState* w = Win(window);
  if (!w) return false;
  if (w->sdl)
    SDL_GetWindowSize(w->sdl, width, height);
  else
    *width = w->width, *height = w->height;
  return true;
}

bool GetClientScreenRect(HWND window, RECT* rect) {
  int x = 0, y = 0, cw = 0, ch = 0;
  if (!GetWindowPosition(window, &x, &y) || !GetClientSize(window, &cw, &ch)) return false;
  *rect = RECT{x, y, x + cw, y + ch};
  return true;
}

bool IsIconic(HWND window) {
  GameWindowState* w = Win(window);
  if (!w) return false;
  return w->sdl ? (SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_MINIMIZED) != 0 : w->minimised;
}

bool IsZoomed(HWND window) {
  GameWindowState* w = Win(window);
  if (!w) return false;
  return w->sdl ? (SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_MAXIMIZED) != 0 : w->maximised;
}

Size FullScreenClientSize() {
  SDL_Rect b = UsableBounds();
  return Size{b.w, b.h};
}

int DesktopBitsPerPixel() {
  SDL_DisplayMode mode;
  if (gVideoStarted && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    int bytes = SDL_BYTESPERPIXEL(mode.format);
    if (bytes > 0) return bytes * 8;
  }
  return 32;
}

void ShowMouseCursor(bool visible) {
  if (gVideoStarted) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace plat
