#pragma once
#include <cstdint>

// Thread message queues and the game window's messages: the Windows concepts that
// the game's control flow is built on, in our own small form.
namespace plat {

using HWND = uint32_t;  // 0: no window
using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using ThreadId = uint32_t;  // 0: no thread

struct MSG {
  HWND hwnd = 0;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// The message numbers the game uses.
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_COPYDATA = 0x004A;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_PALETTECHANGED = 0x0311;
constexpr UINT WM_QUERYNEWPALETTE = 0x030F;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// The calling thread's id; its queue is made on the first call (as a Windows
// thread's queue is made by its first message call).
ThreadId CurrentThreadId();

// Makes the calling thread's queue exist.
void EnsureQueue();

// Removes the calling thread's queue: later posts to it fail. Called when a
// program thread's routine ends.
void RemoveQueue();

// Posts to a thread's queue; false when the thread has no queue (not started yet or ended).
bool PostThreadMessage(ThreadId thread, UINT message, WPARAM wParam, LPARAM lParam);

// Posts to the queue of the thread that owns the window; false for an unknown window.
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Posts WM_QUIT with the exit code to the calling thread's queue.
void PostQuitMessage(int exitCode);

// Takes the next message of the calling thread's queue (with removal when remove is set).
bool PeekMessage(MSG* msg, bool remove);

// Blocks until a message arrives; false when it is WM_QUIT.
bool GetMessage(MSG* msg);

// Blocks until the calling thread's queue holds a message.
void WaitMessage();

// Window handles: a window belongs to the thread that registered it.
HWND RegisterWindow();
void UnregisterWindow(HWND window);
ThreadId WindowThread(HWND window);

}  // namespace plat
