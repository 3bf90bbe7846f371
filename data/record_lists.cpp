#include "data/record_lists.h"

#include <cstring>

#include "app/base/record_dump.h"
#include "app/base/text_util.h"

bool ReadString(cDataFile& file, std::string& text, const char* what) {
  uint32_t len = 0;
  const size_t at = file.Offset();
  if (!file.ReadU32(len, what)) return false;
  if (len <= 1) {
    text.clear();
    return true;
  }
  if (len > file.Remaining()) return file.FailAt(at, "%s: string of %u bytes, %zu remain", what, len, file.Remaining());
  std::string s(len, '\0');
  if (!file.ReadBytes(s.data(), len, what)) return false;
  s.resize(std::strlen(s.c_str()));
  text = std::move(s);
  return true;
}

void WriteString(cDataFile& file, const std::string& text, size_t maxBytes) {
  // Up to the first zero byte, and at most maxBytes.
  const size_t len = SjisPrefixLength(text.c_str(), std::strlen(text.c_str()), maxBytes);
  file.WriteU32(static_cast<uint32_t>(len + 1));
  if (len) {
    file.WriteBytes(text.c_str(), len);
    file.WriteBytes("", 1);
  }
}

bool ReadByteList(cDataFile& file, cVector<uint8_t>& list, const char* what, uint32_t maxCount) {
  uint32_t n = 0;
  if (!file.ReadCount(n, 1, maxCount, what)) return false;
  cVector<uint8_t> fresh(static_cast<int>(n));
  if (!file.ReadBytes(fresh.data(), n, what)) return false;
  list.swap(fresh);
  return true;
}

bool ReadIntList(cDataFile& file, cVector<int32_t>& list, const char* what, uint32_t maxCount) {
  uint32_t n = 0;
  if (!file.ReadCount(n, 4, maxCount, what)) return false;
  cVector<int32_t> fresh(static_cast<int>(n));
  if (!file.ReadBytes(fresh.data(), static_cast<size_t>(n) * 4, what)) return false;
  list.swap(fresh);
  return true;
}

bool ReadStringList(cDataFile& file, cVector<std::string>& list, const char* what, uint32_t maxCount) {
  uint32_t n = 0;
  if (!file.ReadCount(n, 4, maxCount, what)) return false;
  cVector<std::string> fresh(static_cast<int>(n));
  for (auto& s : fresh)
    if (!ReadString(file, s, what)) return false;
  list.swap(fresh);
  return true;
}

void WriteByteList(cDataFile& file, const cVector<uint8_t>& list) {
  file.WriteU32(static_cast<uint32_t>(list.size()));
  file.WriteBytes(list.data(), list.size());
}

void WriteIntList(cDataFile& file, const cVector<int32_t>& list) {
  file.WriteU32(static_cast<uint32_t>(list.size()));
  file.WriteBytes(list.data(), list.size() * 4);
}

void WriteStringList(cDataFile& file, const cVector<std::string>& list, size_t maxBytes) {
  file.WriteU32(static_cast<uint32_t>(list.size()));
  for (const auto& s : list) WriteString(file, s, maxBytes);
}

void DumpStringList(cDumpWriter& out, const char* name, const cVector<std::string>& list) {
  out.Line("%s: %zu entries", name, list.size());
  out.Indent(1);
  for (int i = 0; i < list.Count(); ++i) {
    std::string label = "[" + std::to_string(i) + "]";
    out.String(label.c_str(), list[i]);
  }
  out.Indent(-1);
}
