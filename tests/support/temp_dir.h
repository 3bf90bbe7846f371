#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// A fresh folder that becomes the current folder for the life of the object (each
// test runs in its own process, so changing the current folder is safe). The
// report log is opened inside it.
class cTempDir {
 public:
  explicit cTempDir(bool openReportLog = true);
  ~cTempDir();
  cTempDir(const cTempDir&) = delete;
  cTempDir& operator=(const cTempDir&) = delete;

  const std::string& Path() const { return m_path; }
  // Writes a file (parent folders made as needed), relative to the folder.
  void Write(const std::string& relPath, const std::vector<unsigned char>& bytes) const;
  void Write(const std::string& relPath, const std::string& text) const;
  std::vector<unsigned char> Read(const std::string& relPath) const;
  bool Exists(const std::string& relPath) const;
  // Lines of "Report_Game.txt".
  std::vector<std::string> ReportLines() const;
  bool ReportContains(const std::string& text) const;

 private:
  std::string m_path;
  std::string m_oldCwd;
};

// Bytes helpers for building fixtures.
struct cBytes {
  std::vector<unsigned char> v;
  cBytes& U32(uint32_t x) { for (int i = 0; i < 4; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i))); return *this; }
  cBytes& I32(int32_t x) { return U32(static_cast<uint32_t>(x)); }
  cBytes& U16(uint16_t x) { v.push_back(x & 0xFF); v.push_back(x >> 8); return *this; }
  cBytes& U8(uint8_t x) { v.push_back(x); return *this; }
  cBytes& F64(double d) { uint64_t x; std::memcpy(&x, &d, 8); for (int i = 0; i < 8; ++i) v.push_back(static_cast<unsigned char>(x >> (8 * i))); return *this; }
  // A record string: length with its zero, then the text and the zero (nothing for "").
  cBytes& Str(const std::string& s) { U32(static_cast<uint32_t>(s.size() + 1)); if (!s.empty()) { v.insert(v.end(), s.begin(), s.end()); v.push_back(0); } return *this; }
  cBytes& Raw(const std::vector<unsigned char>& r) { v.insert(v.end(), r.begin(), r.end()); return *this; }
};
