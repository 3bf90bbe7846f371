#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A Standard MIDI File of format 0 or 1, rebuilt in memory as one format-0 image
// whose tracks are merged by time: "MThd", 6, format 0, 1 track, the file's time
// division, "MTrk", the length of the event data, then the events, each with its
// delta time and its status byte.

constexpr size_t kMidiImageHeader = 22;  // the first event's offset in the image
// A system-exclusive event longer than this cannot be placed in one stream buffer
// (24,000 bytes less the 12 of the event header); the reader leaves it out.
constexpr uint32_t kMaxMidiLongEvent = 23988;

// Reads a variable-length number of at most 4 bytes from at most `avail` bytes;
// returns the bytes read, 0 when a fifth byte would be needed or the bytes end.
int ReadVarLen(const uint8_t* bytes, size_t avail, uint32_t& value);

class cMidiFile {
 public:
  explicit cMidiFile(const char* path);
  // A file image already in memory; name is used in the report lines.
  cMidiFile(const char* name, const uint8_t* bytes, size_t size);
  virtual ~cMidiFile() = default;
  cMidiFile(const cMidiFile&) = delete;
  cMidiFile& operator=(const cMidiFile&) = delete;

  // Writes value (at most 0x0FFFFFFF; larger is written as that) as 1 to 4 bytes.
  static int WriteVarLen(std::vector<uint8_t>& out, uint32_t value);

  // Checks and converts a file image; false, with its report line written, when
  // the header is refused. Used by the constructor and by tests and the fuzzer.
  bool Convert(const uint8_t* bytes, size_t size);

  bool HasImage() const { return !m_Image.empty(); }
  const std::vector<uint8_t>& Image() const { return m_Image; }
  uint32_t EventDataLength() const;
  uint16_t TimeDivision() const;
  double LengthSeconds() const { return m_dLength; }
  const std::string& FileName() const { return m_strFileName; }

 protected:
  cMidiFile() = default;
  std::vector<uint8_t> m_Image;  // empty: not read, or refused
  std::string m_strFileName;
  double m_dLength = 0.0;
};
