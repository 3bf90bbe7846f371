#include "app/base/data_file.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/base/record.h"
#include "app/base/report_log.h"
#include "platform/files.h"

std::unique_ptr<cDataFile> cDataFile::ForReading(std::string path, std::vector<uint8_t> bytes) {
  std::unique_ptr<cDataFile> f(new cDataFile);
  f->m_path = std::move(path);
  f->m_bytes = std::move(bytes);
  if (f->m_bytes.size() >= 4) {
    std::memcpy(&f->m_version, f->m_bytes.data(), 4);
    f->m_pos = 4;
  }
  return f;
}

std::unique_ptr<cDataFile> cDataFile::ForWriting(std::string path) {
  std::unique_ptr<cDataFile> f(new cDataFile);
  f->m_path = std::move(path);
  f->m_writing = true;
  f->m_version = nDataVersion;
  f->WriteU32(nDataVersion);
  return f;
}

bool cDataFile::ReadBytes(void* dst, size_t n, const char* what) {
  if (Failed()) return false;
  if (n > Remaining()) return Fail("%s: %zu bytes expected, %zu remain", what, n, Remaining());
  if (n) std::memcpy(dst, m_bytes.data() + m_pos, n);
  m_pos += n;
  return true;
}

bool cDataFile::Skip(size_t n, const char* what) {
  if (Failed()) return false;
  if (n > Remaining()) return Fail("%s: %zu bytes expected, %zu remain", what, n, Remaining());
  m_pos += n;
  return true;
}

bool cDataFile::ReadCount(uint32_t& count, size_t minElementSize, uint32_t maxCount, const char* what) {
  size_t at = m_pos;
  uint32_t n = 0;
  if (!ReadU32(n, what)) return false;
  if (n > maxCount) return FailAt(at, "%s: count %u is above the limit %u", what, n, maxCount);
  if (minElementSize && static_cast<uint64_t>(n) * minElementSize > Remaining()) {
    return FailAt(at, "%s: count %u needs at least %llu bytes, %zu remain", what, n,
                static_cast<unsigned long long>(static_cast<uint64_t>(n) * minElementSize), Remaining());
  }
  count = n;
  return true;
}

namespace {
std::string ErrorText(const std::string& path, size_t offset, const char* format, va_list args) {
  char buf[1024];
  std::vsnprintf(buf, sizeof buf, format, args);
  char head[64];
  std::snprintf(head, sizeof head, " : offset %zu : ", offset);
  return path + head + buf;
}
}  // namespace

bool cDataFile::Fail(const char* format, ...) {
  if (!m_error.empty()) return false;
  va_list args;
  va_start(args, format);
  m_error = ErrorText(m_path, m_pos, format, args);
  va_end(args);
  return false;
}

bool cDataFile::FailAt(size_t offset, const char* format, ...) {
  if (!m_error.empty()) return false;
  va_list args;
  va_start(args, format);
  m_error = ErrorText(m_path, offset, format, args);
  va_end(args);
  return false;
}

bool cDataFile::WriteBytes(const void* src, size_t n) {
  const auto* p = static_cast<const uint8_t*>(src);
  m_bytes.insert(m_bytes.end(), p, p + n);
  return true;
}

bool cDataFile::Commit() {
  if (!m_writing) return true;
  return plat::WriteFileAtomic(m_path, m_bytes.data(), m_bytes.size());
}

DataFilePtr OpenDataFile(const char* path) {
  std::string p = (path && *path) ? path : "err";
  std::vector<uint8_t> bytes;
  plat::ReadStatus st = plat::ReadWholeFile(p, bytes, cDataFile::kMaxFileSize);
  if (st == plat::ReadStatus::kTooLarge) {
    ReportLog("%s : larger than %zu bytes", p.c_str(), cDataFile::kMaxFileSize);
    return nullptr;
  }
  // A file that is there but cannot be read says why; a missing one is the caller's to report.
  if (st != plat::ReadStatus::kOk && st != plat::ReadStatus::kMissing)
    ReportLog("%s : %s", p.c_str(), plat::ReadStatusText(st));
  if (st != plat::ReadStatus::kOk) return nullptr;
  if (bytes.size() < 4) {
    ReportLog("%s : offset 0 : version word: 4 bytes expected, %zu remain", p.c_str(), bytes.size());
    return nullptr;
  }
  DataFilePtr f = cDataFile::ForReading(p, std::move(bytes));
  nReadVersion = f->Version();
  return f;
}

DataFilePtr CreateDataFile(const char* path) {
  if (!path || !*path) return nullptr;
  // The target must be creatable: its folder has to exist now.
  std::string p = path;
  auto parts = plat::SplitGamePath(p);
  if (parts.size() > 1) {
    std::string folder = p.substr(0, p.size() - parts.back().size());
    if (!folder.empty() && !plat::DirectoryExists(folder)) return nullptr;
  }
  return cDataFile::ForWriting(p);
}

bool CloseDataFile(DataFilePtr file) {
  if (!file) return false;
  return file->Commit();
}

DataFilePtr DataFileFromBytes(const std::vector<uint8_t>& bytes, const char* name) {
  DataFilePtr f = cDataFile::ForReading(name, bytes);
  if (bytes.size() < 4) f->Fail("version word: 4 bytes expected, %zu remain", bytes.size());
  return f;
}
