#pragma once
#include <cstdint>
#include <string>

#include "platform/message_box.h"  // IDOK, IDCANCEL: the command ids of Enter and Escape
#include "platform/messages.h"
#include "platform/window.h"

// The window services the dialog framework is written against, for the game
// window and for the in-window dialogs and their controls (dialog_box.h): text,
// styles, properties, focus, rectangles, the cursor, system metrics, the controls'
// own messages, the thread keyboard hook and the input method's composition.
//
// Coordinates "on the screen" are the game window's client origin on the desktop
// plus a position in the game's 640x480 frame: the dialogs live inside the game
// window, whatever size the window system shows that frame at. Every function here
// runs on the window thread.
namespace plat {

struct POINT {
  int x = 0, y = 0;
};

// Window styles.
constexpr uint32_t WS_POPUP = 0x80000000;
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_DISABLED = 0x08000000;
constexpr uint32_t WS_CAPTION = 0x00C00000;  // WS_BORDER | WS_DLGFRAME
constexpr uint32_t WS_BORDER = 0x00800000;
constexpr uint32_t WS_DLGFRAME = 0x00400000;
constexpr uint32_t WS_VSCROLL = 0x00200000;
constexpr uint32_t WS_HSCROLL = 0x00100000;
constexpr uint32_t WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_THICKFRAME = 0x00040000;
constexpr uint32_t WS_GROUP = 0x00020000;
constexpr uint32_t WS_TABSTOP = 0x00010000;
constexpr uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;
constexpr uint32_t DS_SETFONT = 0x40;
constexpr uint32_t DS_MODALFRAME = 0x80;

// Button styles (the low four bits).
constexpr uint32_t BS_PUSHBUTTON = 0x0;
constexpr uint32_t BS_DEFPUSHBUTTON = 0x1;
constexpr uint32_t BS_CHECKBOX = 0x2;
constexpr uint32_t BS_AUTOCHECKBOX = 0x3;
constexpr uint32_t BS_RADIOBUTTON = 0x4;
constexpr uint32_t BS_GROUPBOX = 0x7;
constexpr uint32_t BS_AUTORADIOBUTTON = 0x9;
constexpr uint32_t BS_TYPEMASK = 0xF;
// Static styles.
constexpr uint32_t SS_LEFT = 0x0;
constexpr uint32_t SS_CENTER = 0x1;
constexpr uint32_t SS_BITMAP = 0xE;
constexpr uint32_t SS_TYPEMASK = 0x1F;
// Edit styles.
constexpr uint32_t ES_MULTILINE = 0x4;
constexpr uint32_t ES_AUTOHSCROLL = 0x80;
constexpr uint32_t ES_READONLY = 0x800;
constexpr uint32_t ES_WANTRETURN = 0x1000;
// List styles.
constexpr uint32_t LBS_NOTIFY = 0x1;
constexpr uint32_t LBS_EXTENDEDSEL = 0x800;
// Scroll-bar styles.
constexpr uint32_t SBS_HORZ = 0x0;
constexpr uint32_t SBS_VERT = 0x1;

// Notification codes (HIWORD of a WM_COMMAND's wParam).
constexpr unsigned BN_CLICKED = 0;
constexpr unsigned EN_KILLFOCUS = 0x0200;
constexpr unsigned EN_CHANGE = 0x0300;
constexpr unsigned EN_UPDATE = 0x0400;
constexpr unsigned LBN_SELCHANGE = 1;
constexpr unsigned LBN_DBLCLK = 2;

// Messages of the controls.
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr WPARAM BST_UNCHECKED = 0;
constexpr WPARAM BST_CHECKED = 1;

// Scroll-bar requests (LOWORD of WM_HSCROLL / WM_VSCROLL).
constexpr int SB_LINEUP = 0, SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1, SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2, SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3, SB_PAGERIGHT = 3;
constexpr int SB_CTL = 2;
constexpr unsigned SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4;
struct SCROLLINFO {
  unsigned fMask = 0;
  int nMin = 0, nMax = 0;
  unsigned nPage = 0;
  int nPos = 0;
};
int SetScrollInfo(HWND bar, int which, const SCROLLINFO& info, bool redraw);
bool GetScrollInfo(HWND bar, int which, SCROLLINFO* info);

inline unsigned LoWord(uintptr_t v) { return static_cast<unsigned>(v & 0xFFFF); }
inline unsigned HiWord(uintptr_t v) { return static_cast<unsigned>((v >> 16) & 0xFFFF); }
inline WPARAM MakeWParam(unsigned lo, unsigned hi) { return static_cast<WPARAM>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)); }

// Window values.
constexpr int GWL_WNDPROC = -4;
constexpr int GWL_HINSTANCE = -6;
constexpr int GWL_ID = -12;
constexpr int GWL_STYLE = -16;
intptr_t GetWindowLong(HWND window, int index);
// Returns the value replaced. On the game window a sizing frame (WS_THICKFRAME)
// lets the user resize it.
intptr_t SetWindowLong(HWND window, int index, intptr_t value);
inline LRESULT CallWindowProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, message, wParam, lParam) : 0;
}

// Text of a window (a dialog's title, a control's text), Shift-JIS. GetWindowText
// copies at most max - 1 bytes and a terminator, never half a double-byte
// character, and returns the bytes copied.
bool SetWindowText(HWND window, const char* sjis);
int GetWindowText(HWND window, char* buffer, int max);
std::string WindowText(HWND window);

bool IsWindow(HWND window);
bool IsWindowVisible(HWND window);
bool EnableWindow(HWND window, bool enable);
bool IsWindowEnabled(HWND window);
// For a dialog or a control: shows or hides it; for the game window ShowMainWindow.
bool ShowWindow(HWND window, int command);
HWND GetParent(HWND window);

// Window properties: a named pointer kept with any window until removed (or the
// dialog or control is destroyed).
bool SetProp(HWND window, const char* name, void* value);
void* GetProp(HWND window, const char* name);
void* RemoveProp(HWND window, const char* name);

// The window that takes the keyboard: the topmost open dialog, else the game window.
HWND GetActiveWindow();
// The control with the keyboard focus in the active dialog (the dialog itself when
// none has it); SetFocus returns the window that had it.
HWND GetFocus();
HWND SetFocus(HWND window);

// Rectangles: GetWindowRect on the screen (frame included), GetClientRect with
// origin 0, 0.
bool GetWindowRect(HWND window, RECT* rect);
bool GetClientRect(HWND window, RECT* rect);
bool ClientToScreen(HWND window, POINT* point);
bool ScreenToClient(HWND window, POINT* point);
constexpr unsigned SWP_NOSIZE = 0x1;
constexpr unsigned SWP_NOMOVE = 0x2;
constexpr unsigned SWP_NOZORDER = 0x4;
// Position (x, y) and size (cx, cy) of the whole window: on the screen for a dialog
// or the game window, in its dialog's client area for a control.
bool SetWindowPos(HWND window, int x, int y, int cx, int cy, unsigned flags);

// The mouse cursor on the screen. SetCursorPos moves the pointer over the game
// window (when the window is not shown yet, as soon as it is).
bool SetCursorPos(int x, int y);
bool GetCursorPos(POINT* point);

// The area dialogs may take: the game window's frame on the screen.
RECT GetWorkArea();

// System metrics: the frames and bars of the in-window dialogs, and the desktop.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
int GetSystemMetrics(int index);
// The frame a style puts around a client area: any caption bit adds the caption,
// a sizing frame the sizing border, else a dialog frame the dialog border; a menu
// the menu bar. The in-window dialogs are drawn with exactly these frames.
void AdjustWindowRect(RECT* rect, uint32_t style, bool menu);

// WM_GETMINMAXINFO's record (lParam points to it): sizes of the whole window. The
// game window sends it when it is shown, resized or made resizable, and keeps its
// client area within the track sizes the procedure leaves there.
struct MINMAXINFO {
  POINT ptReserved, ptMaxSize, ptMaxPosition, ptMinTrackSize, ptMaxTrackSize;
};

// The thread keyboard hook: every key the window thread's dialogs receive passes
// the hooks first (code HC_ACTION, wParam the virtual key, lParam the key data:
// repeat count, scan code, bit 30 previous state, bit 31 key up). A hook that
// returns non-zero swallows the key.
constexpr int WH_KEYBOARD = 2;
constexpr int HC_ACTION = 0;
constexpr int HC_NOREMOVE = 3;
using HHOOK = uintptr_t;
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);
HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, ThreadId thread);
bool UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// The input method: the text being composed for a window's focused edit control.
using HIMC = uintptr_t;
constexpr unsigned GCS_COMPSTR = 0x8;
// 0 when the window is not a dialog or one of its controls.
HIMC ImmGetContext(HWND window);
bool ImmReleaseContext(HWND window, HIMC context);
// The length in bytes (Shift-JIS) of the composition; with a buffer, copies it.
long ImmGetCompositionString(HIMC context, unsigned index, void* buffer, unsigned size);

}  // namespace plat
