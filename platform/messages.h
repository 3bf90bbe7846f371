#pragma once
#include <cstdint>
#include <functional>

// Thread message queues, window procedures and the blocking send: the Windows
// concepts that the game's control flow is built on, in our own small form.
//
// Every program thread has a queue of posted messages. A window belongs to the
// thread that registered it (the window thread); its procedure runs only on that
// thread. A send from another thread waits until the window thread has run the
// procedure; the window thread serves pending sends in every wait it performs
// (PeekMessage, GetMessage, WaitMessage, WaitMessageTimeout, WaitForSends), so any
// loop built on those never leaves a sender blocked.
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

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The message numbers the game uses.
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_COPYDATA = 0x004A;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_PALETTECHANGED = 0x0311;
constexpr UINT WM_QUERYNEWPALETTE = 0x030F;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// wParam of WM_SIZE.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// The calling thread's id; its queue is made on the first call (as a Windows
// thread's queue is made by its first message call).
ThreadId CurrentThreadId();

// Makes the calling thread's queue exist.
void EnsureQueue();

// Removes the calling thread's queue: later posts to it fail, and sends still
// waiting for its windows complete with 0. Called when a program thread's routine ends.
void RemoveQueue();

// Posts to a thread's queue; false when the thread has no queue (not started yet or ended).
bool PostThreadMessage(ThreadId thread, UINT message, WPARAM wParam, LPARAM lParam);

// Posts to the queue of the thread that owns the window; false for an unknown window.
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Posts WM_QUIT with the exit code to the calling thread's queue.
void PostQuitMessage(int exitCode);

// Takes the next posted message of the calling thread's queue (with removal when
// remove is set). Before looking it passes a program thread's safe point, serves
// the sends pending for the thread's windows and runs the thread's event pump.
bool PeekMessage(MSG* msg, bool remove);

// Takes (removes) the first posted message of the calling thread's queue for which
// wanted is true, leaving the others in their order; runs the same safe point,
// sends and event pump as PeekMessage first. A modal loop uses it to serve its own
// windows while the messages of other windows wait.
bool PeekMessageIf(MSG* msg, const std::function<bool(const MSG&)>& wanted);

// Whether the calling thread's queue holds a posted message for which wanted is true
// (nothing is removed, no sends are served).
bool HasPostedMessage(const std::function<bool(const MSG&)>& wanted);

// Blocks until a posted message arrives (serving sends meanwhile); false when it is WM_QUIT.
bool GetMessage(MSG* msg);

// Blocks until the calling thread's queue holds a posted message (serving sends meanwhile).
void WaitMessage();

// Waits at most ms of real time (also under the virtual clock, whose time it leaves
// alone) until a posted message or a send is there or the thread is woken, serving
// sends and running the event pump meanwhile. True when it ended early.
bool WaitMessageTimeout(uint32_t ms);

// Runs the procedure of msg.hwnd with the message; 0 when the window is gone or has
// no procedure, or the message is a thread message.
LRESULT DispatchMessage(const MSG& msg);

// Windows: a window belongs to the thread that registered it; its procedure may be null.
HWND RegisterWindow(WNDPROC proc = nullptr);
// The window's procedure, and its replacement (subclassing); SetWindowProc returns
// the procedure it replaced (null for an unknown window).
WNDPROC GetWindowProc(HWND window);
WNDPROC SetWindowProc(HWND window, WNDPROC proc);
// Removes the window: later posts and sends to it fail; waiting sends complete with 0.
void UnregisterWindow(HWND window);
ThreadId WindowThread(HWND window);

// Runs the window's procedure on the window's thread and returns its result. From
// another thread the caller blocks until the window thread has served it (a
// program thread passes its safe point first); from the window thread itself the
// procedure is called at once. 0 for an unknown window, and 0 at once for every
// pending and later send after CloseSends.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs call on the window's thread in the same way as a send (in order with the
// sends). False, call not run or its result not awaited, when the send could not be
// served (unknown window, sends closed). The call must own what it uses (copies):
// when the window closes, the caller may go on before the call has finished.
bool CallOnWindowThread(HWND window, std::function<LRESULT()> call, LRESULT* result = nullptr);

// Serves the sends pending for the calling thread's windows, in the order they
// were made; returns how many were served.
int ServeSends();

// Waits at most ms of real time until a send is pending for the calling thread's
// windows or the thread is woken, then serves the pending sends. Posted messages
// are left in the queue (a modal loop that must not dispatch them uses this).
bool WaitForSends(uint32_t ms);

// The same with the thread's event pump run before and during the wait (every few
// milliseconds): the wait of a modal loop on the window thread, which must go on
// taking the system's events while the posted messages stay queued.
bool WaitForSendsAndEvents(uint32_t ms);

// Once the window has decided to close: every pending send to it completes at once
// with 0, also one whose procedure is still running (its result is then dropped),
// and every later send returns 0 without waiting.
void CloseSends(HWND window);
bool SendsClosed(HWND window);

// Ends a wait of the thread's own (WaitMessageTimeout, WaitForSends, the window
// thread's idle waits) without a message.
void WakeThread(ThreadId thread);

// The calling thread's event pump, run by its waits and peeks before they look at
// the queue: the window thread turns the system's events into posted messages
// there. While a pump is set, blocking waits wake every few milliseconds to run it.
using EventPump = void (*)();
void SetEventPump(EventPump pump);

}  // namespace plat
