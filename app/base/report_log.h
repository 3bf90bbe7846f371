#pragma once
#include <string>

// The report log "Report_Game.txt": the program's one diagnostic file. Every call
// opens the file, appends one line and closes it, so any thread may write.
bool InitReportLog(const char* path);
const std::string& ReportLogPath();
bool ReportLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Formats (at most 1,023 characters), appends the line and passes it to the trace log.
bool ReportLogEC(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A failure the user must hear of: the line goes to standard error first (seen
// even when the log cannot be written; bytes that are no text shown as \xNN),
// then to the report log and the trace log. Every start-up failure passes here
// (with the error box, through ReportLogBox or ReportFailureBox). True when the
// report log took the line.
bool ReportFailure(const char* format, ...) __attribute__((format(printf, 1, 2)));
bool ReportFailureLine(const std::string& text);
// How many failures have been reported so far (start-up says something for a
// step that failed without a word of its own).
int FailuresReported();

// The trace log "EC_Game.txt": set up switched off for the whole run.
void InitECLog(int enable, const char* path);
bool ECLogEnabled();
void ECLog(const char* text);
void ECLogText(const char* text);
void ECLogf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// ECLogf, then WM_CLOSE to the game window in every case.
void ECLogAndClose(const char* format, ...) __attribute__((format(printf, 1, 2)));
