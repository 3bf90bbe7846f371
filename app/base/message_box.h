#pragma once
#include "platform/message_box.h"

// Message-box types and results (the numbers the game passes around).
using plat::IDCANCEL;
using plat::IDNO;
using plat::IDOK;
using plat::IDYES;
using plat::MB_OK;
using plat::MB_OKCANCEL;
using plat::MB_YESNO;
using plat::MB_YESNOCANCEL;

// A modal message box on the calling thread (texts in Shift-JIS); returns the
// button chosen. Any thread may show one. Headless, or when no box can be shown,
// the caption and text go to the report log and the test script (KORVANE_ANSWERS)
// answers, with the box's default button when the script has run out.
int MesBox(const char* text, const char* caption, unsigned type);
// MesBox(text, "エラー", MB_OK).
int ErrorBox(const char* text);
int ErrorBoxf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Only when the trace log is on (never in this program); 0 otherwise.
int DebugBoxf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// As ReportFailure (at most 1,023 characters: standard error, the report log, the
// trace log), then shows the text in the error box; no box when the report log
// cannot be opened.
bool ReportLogBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
// As ReportFailure, then the error box, shown even when the log cannot be written:
// start-up failures that always had their box.
void ReportFailureBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The standard reaction to a failed allocation: the box, then the close request.
void OutOfMemory();

// The box of the drawing layer for a full-screen game (it shows the box over the
// game and returns the button chosen, or 0 when it could not). Set while the
// drawing layer runs full screen; null otherwise.
using FullScreenMesBox = int (*)(const char* text, const char* caption, unsigned type);
void SetFullScreenMesBox(FullScreenMesBox box);
