#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/user.h"

// Dialogs drawn inside the game window: made from a template, run modally on the
// window thread over the last frame shown, with keyboard and mouse, typed text
// through the desktop's text input (so an input method works) and the controls a
// dialog needs: static texts, push buttons, check boxes, radio buttons, group
// boxes, edit fields, lists and scroll bars.
//
// A dialog's procedure receives the messages of a dialog procedure (WM_INITDIALOG,
// WM_COMMAND with the notification codes of user.h, WM_CLOSE, WM_DESTROY, and what
// the keyboard hook posts to it) and returns non-zero when it handled one.
//
// Headless (KORVANE_HEADLESS=1) a dialog is not shown: its title and its controls'
// texts go to the dialog report (SetDialogReport) and the scripted answers of the
// test controls (KORVANE_ANSWERS) act on it: see ApplyScriptedAnswer.
namespace plat {

enum class ItemClass : uint8_t { kButton, kEdit, kStatic, kListBox, kScrollBar };

// One control of a template; position and size in dialog units.
struct DialogItemTemplate {
  uint16_t id = 0;
  ItemClass itemClass = ItemClass::kStatic;
  uint32_t style = 0;  // WS_CHILD | WS_VISIBLE are implied
  int x = 0, y = 0, cx = 0, cy = 0;
  std::string text;  // Shift-JIS
};

// A scripted answer that a template understands besides the common ones: the
// controls clicked, in order, when the answer comes.
struct DialogAnswerWord {
  std::string word;
  std::vector<uint16_t> clicks;
};

struct DialogTemplate {
  uint32_t style = 0;
  int cx = 0, cy = 0;       // client size in dialog units
  std::string title;        // Shift-JIS
  std::string fontFace;     // Shift-JIS face name (DS_SETFONT)
  int pointSize = 9;
  std::vector<DialogItemTemplate> items;
  std::vector<DialogAnswerWord> answers;
};

// Dialog units to pixels of the frame (the dialog font's base units).
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

// Runs the dialog modally: makes it (hidden from nothing: the game window is shown
// for it when it is hidden, and hidden again afterwards), sends WM_INITDIALOG with
// initParam, and serves its input, the window thread's sends and its own posted
// messages until EndDialog; then destroys it and returns EndDialog's result. A
// close request of the game window (its close box, SIGTERM) closes the dialog as
// its own WM_CLOSE does and stays queued for the game window. -1 when the dialog
// cannot be made.
LRESULT DialogBoxParam(const DialogTemplate& dialog, HWND owner, WNDPROC proc, LPARAM initParam);

// Makes the dialog and sends WM_INITDIALOG without running it (the dialog takes the
// input events from then on, until DestroyWindow); 0 when it cannot be made.
HWND CreateDialogParam(const DialogTemplate& dialog, HWND owner, WNDPROC proc, LPARAM initParam);

// Ends a modal dialog with the result (the loop returns it). False for a window
// that is not a dialog.
bool EndDialog(HWND dialog, LRESULT result);
// Removes a dialog (WM_DESTROY to it, then its controls) or a control.
bool DestroyWindow(HWND window);

// Makes a control in a dialog; rect in pixels of the dialog's client area. 0 when
// the dialog does not exist.
HWND CreateControl(HWND dialog, ItemClass itemClass, uint32_t style, const RECT& rect, uint16_t id,
                   const std::string& sjisText);

HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND control);
// The control's text into the buffer (at most max - 1 bytes and a terminator);
// returns the bytes copied.
unsigned GetDlgItemText(HWND dialog, int id, char* buffer, int max);
bool SetDlgItemText(HWND dialog, int id, const char* sjis);

// A dialog made by the platform itself (message box, file dialog) answers scripted
// answers itself: the handler returns true when it took the answer.
using AnswerHandler = std::function<bool(HWND dialog, const std::string& answer)>;
void SetAnswerHandler(HWND dialog, AnswerHandler handler);
// The report line of a dialog made by the platform itself (instead of its title
// and controls).
void SetDialogReportText(HWND dialog, const std::string& sjisLine);

// Headless: acts on the dialog as the answer says; false when the answer says
// nothing to this dialog. The common answers: "ok" presses the default button;
// "cancel" presses the button of IDCANCEL, else closes the dialog (WM_CLOSE);
// "text:NAME" types NAME (UTF-8) over the text of the focused edit field (else the
// first one) and presses the default button; then the template's own words. An
// answer is matched without regard to letter case, except the text after "text:".
bool ApplyScriptedAnswer(HWND dialog, const std::string& answer);
// Presses the default button: the focused push button, else the template's default
// push button, else the command IDOK.
void PressDefaultButton(HWND dialog);

// Where the headless dialogs write their report lines ("Dialog [title] ...").
using DialogReport = void (*)(const char* sjisLine);
void SetDialogReport(DialogReport report);
void ReportDialogLine(const std::string& sjisLine);

// Tests: when set, a modal dialog is handed to the driver right after
// WM_INITDIALOG instead of being shown or answered; a dialog the driver leaves open
// is ended with 0.
using ModalTestDriver = std::function<void(HWND dialog)>;
void SetModalTestDriver(ModalTestDriver driver);

// The dialogs open now, the topmost last.
std::vector<HWND> OpenDialogs();

}  // namespace plat
