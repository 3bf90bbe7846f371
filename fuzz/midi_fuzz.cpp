// Feeds arbitrary bytes to the MIDI file reader, then walks the image it made
// through the stream buffers, as playing does. Nothing may crash, read out of
// bounds or loop without consuming the image.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/sound/midi_player.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cMidiFile file("fuzz.mid", data, size);
  if (!file.HasImage()) return 0;
  const std::vector<uint8_t>& image = file.Image();
  std::vector<char> block(cMidiPlayer::kBufferSize);
  plat::MIDIHDR header;
  header.lpData = block.data();
  header.dwBufferLength = cMidiPlayer::kBufferSize;
  uint32_t carry = 0;
  size_t pos = kMidiImageHeader;
  while (pos < image.size()) {
    uint32_t n = cMidiPlayer::FillBuffer(image, pos, header, carry);
    if (n == 0) std::abort();  // a buffer that takes nothing would stall the piece
    pos += n;
  }
  return 0;
}
