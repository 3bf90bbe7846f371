#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

// Fixture builders for the sound tests: WAV images, MIDI files and OGG files.

// A canonical PCM WAV: "fmt " of 16 bytes, then "data".
std::vector<unsigned char> MakeWav(int channels, int rate, int bits, const std::vector<unsigned char>& data,
                                   uint16_t tag = 1);
// 8-bit unsigned mono samples.
std::vector<unsigned char> MakeWav8(int rate, const std::vector<uint8_t>& samples);
// 16-bit signed mono samples.
std::vector<unsigned char> MakeWav16(int rate, const std::vector<int16_t>& samples);

// A MIDI file: "MThd" with the format, the division and the tracks given as
// their raw event bytes (each gets its "MTrk" header).
std::vector<unsigned char> MakeMidi(int format, int division, const std::vector<std::vector<uint8_t>>& tracks);

// An Ogg Vorbis file of a sine tone (mono) encoded with libvorbisenc.
std::vector<unsigned char> MakeOggSine(int rate, int frames, double hz, double amplitude);

// Renders frames of the mix (interleaved stereo).
std::vector<int16_t> Render(int frames);
// Root mean square of the samples.
double Rms(const std::vector<int16_t>& samples);

std::string TestData(const std::string& rel);
