#include "app/base/path_util.h"

#include <cstdint>
#include <cstdio>
#include <set>
#include <vector>

#include "platform/files.h"
#include "platform/sjis.h"

namespace {

// Position of the last separator ('\' or '/') that is not the second byte of a
// Shift-JIS character; npos when none.
size_t LastSeparator(const std::string& p) {
  size_t last = std::string::npos;
  for (size_t i = 0; i < p.size(); ++i) {
    uint8_t c = static_cast<uint8_t>(p[i]);
    if (plat::IsSjisLeadByte(c) && i + 1 < p.size()) {
      ++i;
      continue;
    }
    if (c == '\\' || c == '/') last = i;
  }
  return last;
}

bool AsciiLowerEqual(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x += 32;
    if (y >= 'A' && y <= 'Z') y += 32;
    if (x != y) return false;
  }
  return true;
}

}  // namespace

bool ToRelativePath(std::string& path) {
  if (!plat::IsAbsoluteGamePath(path)) return true;
  std::string cwd = plat::CurrentDirectory();
  if (cwd.empty()) return false;
  std::vector<std::string> from, to;
  for (auto& c : plat::SplitGamePath(cwd))
    if (!c.empty()) from.push_back(c);
  for (auto& c : plat::SplitGamePath(path))
    if (!c.empty()) to.push_back(c);
  size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string rel;
  if (common == from.size()) rel = ".";
  for (size_t i = common; i < from.size(); ++i) rel += rel.empty() ? ".." : "\\..";
  for (size_t i = common; i < to.size(); ++i) rel += "\\" + to[i];
  if (rel.size() > kMaxPathChars) return false;
  path = rel;
  return true;
}

bool ToFullPath(std::string& path) {
  if (plat::IsAbsoluteGamePath(path)) return true;
  std::string cwd = plat::CurrentDirectory();
  if (cwd.empty()) return false;
  std::string full = cwd + (cwd.back() == '/' ? "" : "/") + path;
  if (full.size() > kMaxPathChars) return false;
  path = full;
  return true;
}

void StripDirectory(std::string& path) {
  size_t sep = LastSeparator(path);
  if (sep != std::string::npos) path = path.substr(sep + 1);
}

bool ChangeExt(std::string& out, const std::string& path, const char* ext) {
  std::string copy = path.substr(0, std::min(path.size(), kMaxPathChars));
  size_t dot = copy.rfind('.');
  if (dot == std::string::npos) {
    out = copy;
    return false;
  }
  std::string result = ext ? copy.substr(0, dot + 1) + ext : copy.substr(0, dot);
  if (result.size() > kMaxPathChars) {
    out = copy;
    return false;
  }
  out = result;
  return true;
}

bool RemoveExt(std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  path.resize(dot);
  return true;
}

bool GetExt(std::string& out, const std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  out = path.substr(dot + 1);
  return true;
}

bool AddNumberSuffix(std::string& out, const std::string& path, int a, int b) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  char digits[32];
  std::snprintf(digits, sizeof digits, "_%d%d.", a, b);
  std::string result = path.substr(0, dot) + digits + path.substr(dot + 1);
  if (result.size() > kMaxPathChars) return false;
  out = result;
  return true;
}

bool FindLatestVersion(std::string& out, const std::string& path, const char* ext) {
  std::string base;
  if (!ChangeExt(base, path, ext)) base = path.substr(0, std::min(path.size(), kMaxPathChars));
  if (base.size() + 4 > kMaxPathChars) return false;
  // One look at the folder instead of a thousand: the names are matched the way
  // the file resolver matches them (ASCII letter case ignored).
  size_t sep = LastSeparator(base);
  std::string folder = sep == std::string::npos ? std::string() : base.substr(0, sep + 1);
  std::string name = sep == std::string::npos ? base : base.substr(sep + 1);
  if (!folder.empty() && !plat::DirectoryExists(folder)) return false;
  std::vector<std::string> entries = plat::ListDirectory(folder.empty() ? "." : folder);
  for (int v = 999; v >= 0; --v) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "_%d%d%d", v / 100, v / 10 % 10, v % 10);
    std::string want = name + suffix;
    for (const std::string& e : entries) {
      if (AsciiLowerEqual(e, want)) {
        out = base + suffix;
        return true;
      }
    }
  }
  return false;
}
