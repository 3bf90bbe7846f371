#include "app/base/report_log.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "app/base/shell_globals.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace {

std::mutex gLogMutex;  // one line at a time, whatever thread writes it
std::string gReportPath;
int gECEnabled = 0;
std::string gECPath;
bool gECFirstWrite = true;
std::atomic<int> gFailures{0};

std::string VFormat(size_t cap, const char* format, va_list args) {
  std::string buf(cap, '\0');
  int n = std::vsnprintf(buf.data(), cap, format, args);
  if (n < 0) return {};
  buf.resize(static_cast<size_t>(n) < cap ? static_cast<size_t>(n) : cap - 1);
  return buf;
}

bool AppendLine(const std::string& path, const std::string& text) {
  if (path.empty()) return false;
  std::lock_guard<std::mutex> lock(gLogMutex);
  FILE* f = plat::OpenFile(path, "rb+");
  if (!f) return false;
  std::fseek(f, 0, SEEK_END);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fputc('\n', f);
  std::fclose(f);
  return true;
}

// Standard error gets the line first, so that it is seen even when the report log
// cannot be written; the terminal reads UTF-8, and bytes of no encoding show as \xNN.
void WriteStandardError(const std::string& text) {
  std::lock_guard<std::mutex> lock(gLogMutex);
  std::string line = "korvane: " + plat::SjisToUtf8Escaped(text);
  for (char& c : line)
    if (c == '\n') c = ' ';
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

// The one path of every failure the user must hear of.
bool ReportFailureLine(const std::string& text) {
  gFailures.fetch_add(1);
  WriteStandardError(text);
  bool logged = AppendLine(gReportPath, text);
  if (logged) ECLog(text.c_str());
  return logged;
}

bool InitReportLog(const char* path) {
  FILE* f = plat::OpenFile(path ? path : "", "wb");
  if (!f) return false;
  std::fclose(f);
  std::lock_guard<std::mutex> lock(gLogMutex);
  gReportPath = path;
  return true;
}

const std::string& ReportLogPath() { return gReportPath; }

bool ReportLog(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(5120, format, args);
  va_end(args);
  return AppendLine(gReportPath, text);
}

bool ReportLogEC(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(1024, format, args);
  va_end(args);
  bool ok = AppendLine(gReportPath, text);
  ECLog(text.c_str());
  return ok;
}

bool ReportFailure(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(1024, format, args);
  va_end(args);
  return ReportFailureLine(text);
}

int FailuresReported() { return gFailures.load(); }

void InitECLog(int enable, const char* path) {
  std::lock_guard<std::mutex> lock(gLogMutex);
  gECEnabled = enable;
  gECPath = path ? path : "";
  gECFirstWrite = true;
}

bool ECLogEnabled() {
  std::lock_guard<std::mutex> lock(gLogMutex);
  return gECEnabled != 0;
}

void ECLog(const char* text) {
  std::lock_guard<std::mutex> lock(gLogMutex);
  if (!gECEnabled || gECPath.empty()) return;
  FILE* f = plat::OpenFile(gECPath, gECFirstWrite ? "wb" : "rb+");
  if (!f) return;
  gECFirstWrite = false;
  std::fseek(f, 0, SEEK_END);
  std::fputs(text, f);
  std::fputc('\n', f);
  std::fclose(f);
}

void ECLogText(const char* text) { ECLog(text); }

void ECLogf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(1024, format, args);
  va_end(args);
  ECLog(text.c_str());
}

void ECLogAndClose(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = VFormat(1024, format, args);
  va_end(args);
  ECLog(text.c_str());
  RequestClose();
}
