#include "app/base/message_box.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "platform/sjis.h"
#include "platform/test_controls.h"

namespace {
std::atomic<FullScreenMesBox> gFullScreenBox{nullptr};
}

void SetFullScreenMesBox(FullScreenMesBox box) { gFullScreenBox.store(box); }

int MesBox(const char* text, const char* caption, unsigned type) {
  if (!text) text = "";
  if (!caption) caption = "";
  if (!plat::IsHeadless()) {
    if (FullScreenMesBox box = gFullScreenBox.load()) {
      if (int chosen = box(text, caption, type)) return chosen;
    }
    if (int chosen = plat::ShowWindowMessageBox(text, caption, type)) return chosen;
  }
  ReportLog("MessageBox [%s] %s", caption, text);
  return plat::ScriptedAnswer(type);
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

bool ReportLogBox(const char* format, ...) {
  char buf[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  if (!ReportFailureLine(buf)) return false;
  ErrorBox(buf);
  return true;
}

bool ReportFailureBox(const char* format, ...) {
  char buf[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buf, sizeof buf, format, args);
  va_end(args);
  ReportFailureLine(buf);
  ErrorBox(buf);
  return true;
}

void OutOfMemory() {
  ErrorBox(SJ("メモリが不足しています！"));
  RequestClose();
}
