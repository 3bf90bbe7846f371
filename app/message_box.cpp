#include "app/message_box.h"

#include <cstdarg>
#include <cstdio>

#include "app/report_log.h"
#include "app/shell_globals.h"
#include "platform/sjis.h"

int MesBox(const char* text, const char* caption, unsigned type) {
  // Until boxes can be shown, the box is written to the report log and answered
  // with its default button.
  ReportLog("MessageBox [%s] %s", caption ? caption : "", text ? text : "");
  return (type & 0xF) == MB_YESNO ? IDYES : IDOK;
}

int ErrorBox(const char* text) { return MesBox(text, SJ("エラー"), MB_OK); }

int ErrorBoxf(const char* format, ...) {
  char buf[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  return ErrorBox(buf);
}

int DebugBoxf(const char* format, ...) {
  if (!ECLogEnabled()) return 0;
  char buf[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  return ErrorBox(buf);
}

void OutOfMemory() {
  ErrorBox(SJ("メモリが不足しています！"));
  RequestClose();
}
