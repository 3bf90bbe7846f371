#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One open record file. A file opened for reading is held in memory whole and read
// through a cursor that knows how many bytes remain: every count, length and size
// taken from the file is checked against them before anything is allocated or
// indexed. A file opened for writing collects its bytes and is written, through a
// temporary file and a rename, when it is closed.
class cDataFile {
 public:
  // Largest record file the game accepts.
  static constexpr size_t kMaxFileSize = 256u << 20;

  static std::unique_ptr<cDataFile> ForReading(std::string path, std::vector<uint8_t> bytes);
  static std::unique_ptr<cDataFile> ForWriting(std::string path);

  const std::string& Path() const { return m_path; }
  bool IsWriting() const { return m_writing; }

  // The version word at the start of the file.
  uint32_t Version() const { return m_version; }

  // --- reading ---
  size_t Offset() const { return m_pos; }
  size_t Remaining() const { return m_bytes.size() - m_pos; }
  bool AtEnd() const { return m_pos >= m_bytes.size(); }

  // Reads n bytes; fails (and reads nothing) when fewer remain. what names the
  // value for the error text.
  bool ReadBytes(void* dst, size_t n, const char* what);
  bool ReadU32(uint32_t& v, const char* what) { return ReadBytes(&v, 4, what); }
  bool ReadI32(int32_t& v, const char* what) { return ReadBytes(&v, 4, what); }
  bool ReadU8(uint8_t& v, const char* what) { return ReadBytes(&v, 1, what); }
  // Skips n bytes.
  bool Skip(size_t n, const char* what);

  // Reads a u32 element count and checks it: at most maxCount, and count x
  // minElementSize bytes must remain. A zero minimum size still needs the count to
  // be at most maxCount.
  bool ReadCount(uint32_t& count, size_t minElementSize, uint32_t maxCount, const char* what);

  // Records the first error of the file (later ones are dropped) and returns false.
  bool Fail(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // The same for a value that started at offset (a count found bad after reading it).
  bool FailAt(size_t offset, const char* format, ...) __attribute__((format(printf, 3, 4)));
  bool Failed() const { return !m_error.empty(); }
  // "<path> : offset <n> : <what went wrong>"
  const std::string& Error() const { return m_error; }

  // --- writing ---
  bool WriteBytes(const void* src, size_t n);
  bool WriteU32(uint32_t v) { return WriteBytes(&v, 4); }
  bool WriteI32(int32_t v) { return WriteBytes(&v, 4); }
  bool WriteU8(uint8_t v) { return WriteBytes(&v, 1); }
  const std::vector<uint8_t>& Bytes() const { return m_bytes; }

  // Writes the collected bytes to the file (writing mode); true when every byte
  // reached the disk. Reading mode: nothing to do.
  bool Commit();

 private:
  cDataFile() = default;
  std::string m_path;
  bool m_writing = false;
  uint32_t m_version = 0;
  std::vector<uint8_t> m_bytes;
  size_t m_pos = 0;
  std::string m_error;
};

using DataFilePtr = std::unique_ptr<cDataFile>;

// Opens a record file for reading and reads its version word into nReadVersion;
// null when it cannot be opened, is too large, or is shorter than its version
// word. A null or empty path opens the file named "err".
DataFilePtr OpenDataFile(const char* path);
// Opens a record file for writing, the version word nDataVersion first.
DataFilePtr CreateDataFile(const char* path);
// Closes the file; for a written file the bytes reach the disk here, and the
// result tells whether they did.
bool CloseDataFile(DataFilePtr file);

// A file made from bytes in memory (tests, replays, fuzzing).
DataFilePtr DataFileFromBytes(const std::vector<uint8_t>& bytes, const char* name = "memory");
