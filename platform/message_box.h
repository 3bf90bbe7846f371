#pragma once

// Message boxes: the types and answers the game passes around, the scripted
// answers of the test controls, and the desktop's own box.
namespace plat {

// Buttons (the low four bits of a type), default button and icon bits.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// The button a box of this type answers with when nobody chooses one.
int DefaultButton(unsigned type);

// The answer the test script gives a box of this type: the next scripted answer
// when it names one of the box's buttons, else the default button (a scripted
// answer is used up either way).
int ScriptedAnswer(unsigned type);

// Shows a message box (texts in Shift-JIS) and returns the button chosen, or 0
// when no box could be shown. The calling thread waits, as for a modal box. While
// the game window exists the box is drawn inside it by the window thread, which
// goes on serving sends while it is open; from another thread the box therefore
// waits its turn like a send. Without the game window (before it is made, or once
// it is closing) the desktop's own box is shown.
int ShowWindowMessageBox(const char* textSjis, const char* captionSjis, unsigned type);

// The box drawn inside the game window, on the window thread (dialog_box.h); its
// buttons answer Enter (the default button) and Escape (Cancel, else No, else a
// lone button). Headless it is answered like every in-window dialog.
int ShowMessageBoxInWindow(const char* textSjis, const char* captionSjis, unsigned type);

}  // namespace plat
