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

// The text of a box: at most 1,023 characters.
struct cBoxText {
  char text[1024];
  cBoxText(const char* format, va_list args) { std::vsnprintf(text, sizeof text, format, args); }
};
}  // namespace

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
  va_list args;
  va_start(args, format);
  const cBoxText box(format, args);
  va_end(args);
  return ErrorBox(box.text);
}

int DebugBoxf(const char* format, ...) {
  if (!ECLogEnabled()) return 0;
  va_list args;
  va_start(args, format);
  const cBoxText box(format, args);
  va_end(args);
  return ErrorBox(box.text);
}

bool ReportLogBox(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const cBoxText box(format, args);
  va_end(args);
  if (!ReportFailureLine(box.text)) return false;
  ErrorBox(box.text);
  return true;
}

void ReportFailureBox(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const cBoxText box(format, args);
  va_end(args);
  ReportFailureLine(box.text);
  ErrorBox(box.text);
}

void OutOfMemory() {
  ErrorBox(SJ("メモリが不足しています！"));
  RequestClose();
}
