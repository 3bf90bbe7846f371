#include "platform/display/frame_capture.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/display/png_writer.h"
#include "platform/present_slot.h"

namespace plat {
namespace {

std::mutex gMutex;
std::string gFolder;
std::vector<uint64_t> gFrames;

void WriteFrame(const PresentedFrame& frame) {
  std::string folder;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    if (!gFrames.empty() && !std::binary_search(gFrames.begin(), gFrames.end(), frame.number)) return;
    folder = gFolder;
  }
  char name[64];
  std::snprintf(name, sizeof name, "/frame-%06llu.png", static_cast<unsigned long long>(frame.number));
  WritePngFile(folder + name, frame.pixels.data(), frame.width, frame.height);
}

}  // namespace

std::vector<uint64_t> ParseFrameList(const std::string& text) {
  std::vector<uint64_t> out;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t comma = text.find(',', pos);
    std::string item = text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
    bool digits = !item.empty() && item.size() <= 18 &&
                  std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
    unsigned long long v = digits ? std::strtoull(item.c_str(), nullptr, 10) : 0;
    if (v > 0) out.push_back(v);
    if (comma == std::string::npos) break;
    pos = comma + 1;
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

void InstallFrameCapture(const std::string& nativeFolder, const std::vector<uint64_t>& frames) {
  ::mkdir(nativeFolder.c_str(), 0777);
  {
    std::lock_guard<std::mutex> lock(gMutex);
    gFolder = nativeFolder;
    gFrames = frames;
    std::sort(gFrames.begin(), gFrames.end());
  }
  SetFrameSink(&WriteFrame);
}

void RemoveFrameCapture() { SetFrameSink(nullptr); }

bool InstallFrameCaptureFromEnvironment() {
  const char* dir = std::getenv("KORVANE_DUMP");
  if (!dir || !*dir) return false;
  const char* frames = std::getenv("KORVANE_DUMP_FRAMES");
  InstallFrameCapture(dir, frames ? ParseFrameList(frames) : std::vector<uint64_t>{});
  return true;
}

}  // namespace plat
