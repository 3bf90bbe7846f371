#include "app/base/play_trace.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "platform/test_controls.h"

namespace {

std::mutex gTraceMutex;
std::atomic<uint32_t> gTraceFrame{0};

struct cTraceFile {
  bool resolved = false;  // the control has been read
  std::string path;
  FILE* file = nullptr;   // opened at the first line
  bool failed = false;    // could not be created: nothing more is tried
};
cTraceFile gTrace;

// Under the lock.
cTraceFile& Resolve() {
  if (!gTrace.resolved) {
    gTrace.path = plat::PlayTracePath();
    gTrace.resolved = true;
  }
  return gTrace;
}

}  // namespace

bool PlayTraceOn() {
  std::lock_guard<std::mutex> lock(gTraceMutex);
  return !Resolve().path.empty();
}

bool PlayTraceDetailOn() { return PlayTraceOn() && plat::PlayTraceDetail(); }

void PlayTraceSetFrame(uint32_t frame) { gTraceFrame.store(frame); }
uint32_t PlayTraceFrame() { return gTraceFrame.load(); }

void PlayTraceLine(const std::string& fields) {
  std::lock_guard<std::mutex> lock(gTraceMutex);
  cTraceFile& t = Resolve();
  if (t.path.empty() || t.failed) return;
  if (!t.file) {
    t.file = std::fopen(t.path.c_str(), "wb");
    if (!t.file) {
      t.failed = true;
      return;
    }
  }
  std::fprintf(t.file, "{\"f\":%u%s%s}\n", gTraceFrame.load(), fields.empty() ? "" : ",", fields.c_str());
  // Each line reaches the file at once: a run that ends abruptly keeps its trace.
  std::fflush(t.file);
}

void PlayTraceEvent(const char* name, std::initializer_list<std::pair<const char*, long long>> fields) {
  if (!PlayTraceOn()) return;
  std::string line = "\"ev\":" + TraceString(name);
  for (const auto& [key, value] : fields) line += "," + TraceString(key) + ":" + std::to_string(value);
  PlayTraceLine(line);
}

std::string TraceNumber(double value) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", value);
  return buf;
}

void PlayTraceFile(const std::string& path) {
  if (PlayTraceOn()) PlayTraceLine("\"ev\":\"file\",\"path\":" + TraceString(path));
}

std::string TraceString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void PlayTraceRedirect(const std::string& path) {
  std::lock_guard<std::mutex> lock(gTraceMutex);
  if (gTrace.file) std::fclose(gTrace.file);
  gTrace.file = nullptr;
  gTrace.failed = false;
  gTrace.resolved = true;
  gTrace.path = path;
}
