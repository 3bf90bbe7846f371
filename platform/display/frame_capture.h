#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The headless capture sink: presented frames written as PNG files.
//   KORVANE_DUMP=DIR              folder for the files (made when missing)
//   KORVANE_DUMP_FRAMES=1,60,...  which frames to write, by the game's frame
//                                 number (1 the first frame of the run; the
//                                 number KORVANE_FRAMES and KORVANE_INPUT count
//                                 too); without it, every frame
// Files are named DIR/frame-NNNNNN.png with the frame number in six digits.
namespace plat {

// Reads the two variables and installs the sink (plat::SetFrameSink) when
// KORVANE_DUMP is set; returns whether it did.
bool InstallFrameCaptureFromEnvironment();

// The same with explicit values (an empty list means every frame).
void InstallFrameCapture(const std::string& nativeFolder, const std::vector<uint64_t>& frames);
void RemoveFrameCapture();

// "1,60,120" -> {1, 60, 120}; entries that are not positive numbers are skipped.
std::vector<uint64_t> ParseFrameList(const std::string& text);

}  // namespace plat
