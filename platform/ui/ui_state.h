#pragma once
// The in-window dialogs' own state, shared by the files of platform/ui. Window
// thread only: nothing here is locked.
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/font/font.h"
#include "platform/ui/dialog_box.h"
#include "platform/ui/ui_event.h"

namespace plat::ui {

struct EditState {
  int anchor = 0, caret = 0;   // the selection runs between them (byte offsets)
  std::string composition;     // the input method's text being composed (Shift-JIS)
  int scroll = 0;              // pixels of a single-line field scrolled out on the left
};

struct ListState {
  std::vector<std::string> items;
  std::vector<bool> selected;
  int caret = -1;  // the current item
  int top = 0;     // first item shown
  int anchor = -1; // start of a Shift-click range
};

struct BarState {
  int min = 0, max = 0, page = 0, pos = 0;
};

struct Window {
  HWND hwnd = 0;
  bool dialog = false;
  HWND parent = 0;  // a control's dialog
  HWND owner = 0;   // a dialog's owner
  ItemClass itemClass = ItemClass::kStatic;
  uint32_t style = 0;
  uint16_t id = 0;
  RECT rect;        // a dialog: its window on the frame; a control: in its dialog's client area
  std::string text;
  bool enabled = true;
  bool visible = true;
  int check = 0;
  bool pressed = false;  // a button held down by the mouse or the space bar
  EditState edit;
  ListState list;
  BarState bar;

  // Dialogs.
  WNDPROC dialogProc = nullptr;
  std::vector<HWND> controls;  // in template order: the tab order
  HWND focus = 0;
  bool ended = false;
  LRESULT result = 0;
  HWND capture = 0;             // the control the left button went down on
  std::vector<DialogAnswerWord> answers;
  AnswerHandler answerHandler;
  std::string reportText;
  std::shared_ptr<cFont> font;
};

struct State {
  std::map<HWND, std::unique_ptr<Window>> windows;
  std::vector<HWND> dialogs;  // open dialogs, the topmost last
  std::map<HWND, std::map<std::string, void*>> props;
  std::deque<UiEvent> events;
  bool dirty = true;          // the picture must be drawn again
  POINT cursor;               // the mouse on the screen
  DialogReport report = nullptr;
  ModalTestDriver testDriver;
};

State& S();
Window* Find(HWND hwnd);
Window* FindDialog(HWND hwnd);
Window* FindControl(HWND hwnd);
// The dialog a window belongs to (itself for a dialog).
Window* DialogOf(HWND hwnd);
Window* TopDialog();
void Invalidate();

// The dialogs' font (the template's face, 9 points: 12 pixels); null when no font
// file can be opened (the dialogs then work without text).
std::shared_ptr<cFont> DialogFont(const std::string& sjisFace);

// The dialog's client area on the frame.
RECT ClientRectOnFrame(const Window& dialog);
// A control's rectangle on the frame.
RECT ControlRectOnFrame(const Window& control);
// The game window's client origin on the screen.
POINT FrameOrigin();
// The size of the frame the dialogs are drawn on.
void FrameSize(int* width, int* height);

// Sends WM_COMMAND(id, code) from a control to its dialog.
void Notify(const Window& control, unsigned code);
// A click on a button: check boxes and radio buttons of the automatic kinds change
// their state, then BN_CLICKED goes to the dialog.
void ClickButton(Window& button);
// The controls' own procedure (the messages of user.h).
LRESULT ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Edit fields (edit_control.cpp).
void EditSetText(Window& edit, const std::string& sjis, bool notify);
void EditReplaceSelection(Window& edit, const std::string& sjis);
bool EditKey(Window& edit, int vk);  // true when the field used the key
void EditClick(Window& edit, int x, int y, bool extend);
int EditSelStart(const Window& edit);
int EditSelEnd(const Window& edit);
void EditSetSel(Window& edit, int start, int end);

// Lists (list_control.cpp).
int ListRowHeight(const Window& list);
bool ListKey(Window& list, int vk);
void ListClick(Window& list, int x, int y, bool ctrl, bool shift, bool doubleClick);
void ListWheel(Window& list, int lines);
void ListSelectOnly(Window& list, int index);

// The keyboard and mouse of the topmost dialog (dialog_input.cpp).
void HandleEvent(const UiEvent& event);
bool IsPushButton(const Window& w);
Window* DefaultButton(Window& dialog);

// The lines of a static text: its own line breaks, and a break wherever a line
// would leave the width.
std::vector<std::string> WrapText(cFont* font, const std::string& text, int width);

// Painting (dialog_paint.cpp): every open dialog over the background, in order.
void PaintDialogs(class cCanvas& canvas);

// The keyboard hooks (keyboard_hook.cpp): true when a hook swallowed the key.
bool RunKeyboardHooks(int vk, uint32_t keyData);

// The converters of typed text (UTF-8 in, Shift-JIS out: characters with no
// Shift-JIS form are dropped).
std::string TypedTextToSjis(const std::string& utf8);

}  // namespace plat::ui
