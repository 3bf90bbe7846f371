#pragma once
#include <cstdint>
#include <vector>

// The hand-over of finished frames from the thread that draws to the window thread
// that shows them: one locked slot holding the newest frame (XRGB8888, 640x480 or
// whatever size the drawing layer presents) and a wake-up for the window thread.
namespace plat {

struct PresentedFrame {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // XRGB8888, row after row
  uint64_t number = 0;           // the game's frame number (SetFrameNumber), else frames submitted so far
};

// The game's number of the frame being drawn (1 for the first frame of the run),
// which the frames submitted from now on carry; 0 numbers them by their count.
void SetFrameNumber(uint64_t number);

// Drawing side: copies the frame into the slot (replacing one not yet shown) and
// wakes the window thread. Also hands the frame to the capture sink when one is set.
void SubmitFrame(const uint32_t* xrgb, int width, int height);
// The same without the copy: xrgb (width x height pixels) becomes the slot's frame
// and comes back holding a buffer of no set size or content to draw the next one into.
void SubmitFrame(std::vector<uint32_t>& xrgb, int width, int height);

// Window side: takes the newest frame when there is one not yet taken.
bool TakeFrame(PresentedFrame& out);

// The number of frames submitted so far.
uint64_t SubmittedFrameCount();

// Called for every submitted frame on the drawing thread (the headless capture
// sink); null to remove.
using FrameSink = void (*)(const PresentedFrame& frame);
void SetFrameSink(FrameSink sink);

// Called after a frame is put into the slot, so that the window thread wakes up
// (the window side installs it); null to remove.
using FrameWake = void (*)();
void SetFrameWake(FrameWake wake);

}  // namespace plat
