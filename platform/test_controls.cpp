#include "platform/test_controls.h"

#include <cctype>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace plat {
namespace {

struct Controls {
  bool headless = false;
  int frames = 0;
  bool virtualClock = false;
  bool testPlay = false;
  bool traceInput = false;
  bool traceDetail = false;
  std::string trace;
  std::string lock;
  std::string notice;
  std::vector<std::string> answers;
  size_t nextAnswer = 0;
};

std::mutex gMutex;
Controls* gControls = nullptr;  // kept for the whole run: threads may ask during exit

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

Controls& Get() {
  if (!gControls) {
    auto* c = new Controls;
    c->headless = Env("KORVANE_HEADLESS") == "1";
    c->frames = std::atoi(Env("KORVANE_FRAMES").c_str());
    if (c->frames < 0) c->frames = 0;
    c->virtualClock = Env("KORVANE_CLOCK") == "virtual";
    c->testPlay = Env("KORVANE_TESTPLAY") == "1";
    c->traceInput = Env("KORVANE_TRACE_INPUT") == "1";
    c->trace = Env("KORVANE_TRACE");
    c->traceDetail = Env("KORVANE_TRACE_DETAIL") == "1";
    c->lock = Env("KORVANE_LOCK");
    c->notice = Env("KORVANE_NOTICE");
    std::string answers = Env("KORVANE_ANSWERS");
    std::string raw;
    for (size_t i = 0; i <= answers.size(); ++i) {
      if (i < answers.size() && answers[i] != ',') {
        raw += answers[i];
        continue;
      }
      // Words are matched without regard to case or blanks; the text typed by
      // "text:" is kept as it stands (after the blanks around the whole answer).
      const size_t first = raw.find_first_not_of(" \t\r\n");
      const size_t last = raw.find_last_not_of(" \t\r\n");
      const std::string trimmed = first == std::string::npos ? std::string() : raw.substr(first, last - first + 1);
      std::string word;
      for (char ch : trimmed)
        if (!std::isspace(static_cast<unsigned char>(ch))) word += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      if (word.rfind("text:", 0) == 0) word = "text:" + trimmed.substr(trimmed.find(':') + 1);
      if (!word.empty()) c->answers.push_back(word);
      raw.clear();
    }
    gControls = c;
  }
  return *gControls;
}

}  // namespace

bool IsHeadless() {
  std::lock_guard<std::mutex> lock(gMutex);
  return Get().headless;
}

int FrameLimit() {
  std::lock_guard<std::mutex> lock(gMutex);
  return Get().frames;
}

bool WantsVirtualClock() {
  std::lock_guard<std::mutex> lock(gMutex);
  return Get().virtualClock;
}

bool IsTestPlayStart() {
  std::lock_guard<std::mutex> lock(gMutex);
  return Get().testPlay;
}

std::string PlayTracePath() {
  std::lock_guard<std::mutex> lock(gMutex);
  return Get().trace;
}

bool PlayTraceDetail() {
  std::lock_guard<std::mutex> lock(gMutex);
  return Get().traceDetail;
}

bool TraceInput() {
  std::lock_guard<std::mutex> lock(gMutex);
  return Get().traceInput;
}

std::string LockPathSetting() {
  std::lock_guard<std::mutex> lock(gMutex);
  return Get().lock;
}

std::string NoticePath() {
  std::lock_guard<std::mutex> lock(gMutex);
  return Get().notice;
}

std::string NextScriptedAnswer() {
  std::lock_guard<std::mutex> lock(gMutex);
  Controls& c = Get();
  if (c.nextAnswer >= c.answers.size()) return {};
  return c.answers[c.nextAnswer++];
}

void ReloadTestControls() {
  std::lock_guard<std::mutex> lock(gMutex);
  delete gControls;
  gControls = nullptr;
}

}  // namespace plat
