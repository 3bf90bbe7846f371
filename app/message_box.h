#pragma once

// Message-box types and results (the numbers the game passes around).
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNO = 0x4;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// A modal message box on the calling thread; returns the button chosen.
int MesBox(const char* text, const char* caption, unsigned type);
// MesBox(text, "エラー", MB_OK).
int ErrorBox(const char* text);
int ErrorBoxf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Only when the trace log is on (never in this program); 0 otherwise.
int DebugBoxf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The standard reaction to a failed allocation: the box, then the close request.
void OutOfMemory();
