#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/sjis.h"

namespace plat {
namespace {

std::atomic<int> gInjectedWriteFailures{0};
std::atomic<int> gCopyFailureAfter{-1};
std::atomic<unsigned> gTempCounter{0};

bool AsciiEqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x += 32;
    if (y >= 'A' && y <= 'Z') y += 32;
    if (x != y) return false;
  }
  return true;
}

bool Exists(const std::string& native) {
  struct stat st;
  return ::stat(native.c_str(), &st) == 0;
}

// Finds the entry of folder dir whose name matches component (Shift-JIS) without
// regard to ASCII case; empty when there is none. The smallest match wins so that
// the choice does not depend on the order of the directory.
std::string FindNoCase(const std::string& dir, const std::string& sjis, const std::string& utf8) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return {};
  std::string best;
  while (dirent* e = ::readdir(d)) {
    std::string_view name(e->d_name);
    if (AsciiEqualNoCase(name, utf8) || AsciiEqualNoCase(name, sjis)) {
      if (best.empty() || name < best) best = std::string(name);
    }
  }
  ::closedir(d);
  return best;
}

std::string ParentOf(const std::string& native) {
  size_t slash = native.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return native.substr(0, slash);
}

}  // namespace

std::vector<std::string> SplitGamePath(std::string_view p) {
  std::vector<std::string> parts;
  std::string cur;
  for (size_t i = 0; i < p.size(); ++i) {
    uint8_t c = static_cast<uint8_t>(p[i]);
    if (c == 0) break;
    if (IsSjisLeadByte(c) && i + 1 < p.size() && p[i + 1] != 0) {
      cur += p[i];
      cur += p[++i];
      continue;
    }
    if (c == '\\' || c == '/') {
      parts.push_back(cur);
      cur.clear();
      continue;
    }
    cur += static_cast<char>(c);
  }
  parts.push_back(cur);
  return parts;
}

bool IsAbsoluteGamePath(std::string_view p) { return !p.empty() && (p[0] == '/' || p[0] == '\\'); }

std::string NativePath(std::string_view gamePath) {
  std::vector<std::string> parts = SplitGamePath(gamePath);
  std::string out = IsAbsoluteGamePath(gamePath) ? "/" : "";
  bool resolving = true;  // once a component is missing, the rest cannot exist
  bool first = true;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (part.empty()) continue;  // leading, doubled or trailing separators
    std::string utf8 = SjisToUtf8(part);
    // Bytes that are no Shift-JIS text stand for themselves: a name is bytes.
    if (utf8.find('?') != std::string::npos && part.find('?') == std::string::npos) utf8 = part;
    std::string name = utf8;
    if (resolving && part != "." && part != "..") {
      std::string candidate = out + (first || out == "/" ? "" : "/") + utf8;
      if (!Exists(candidate)) {
        std::string found = FindNoCase(out.empty() ? "." : out, part, utf8);
        if (found.empty())
          resolving = false;
        else
          name = found;
      }
    }
    if (!first && out != "/") out += '/';
    out += name;
    first = false;
  }
  if (out.empty()) out = ".";
  return out;
}

FILE* OpenFile(std::string_view gamePath, const char* mode) {
  if (gamePath.empty() || !mode) return nullptr;
  std::string native = NativePath(gamePath);
  // A FIFO or a device in a file's place must not block the open: opened without
  // waiting, only a regular file (or one about to be made) is taken.
  int flags = O_CLOEXEC | O_NONBLOCK;
  bool plus = std::strchr(mode, '+') != nullptr;
  switch (mode[0]) {
    case 'r': flags |= plus ? O_RDWR : O_RDONLY; break;
    case 'w': flags |= (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_TRUNC; break;
    case 'a': flags |= (plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND; break;
    default: return nullptr;
  }
  // Truncation waits until the file is known to be a regular one.
  int truncate = flags & O_TRUNC;
  int fd = ::open(native.c_str(), flags & ~O_TRUNC, 0644);
  if (fd < 0) return nullptr;
  struct stat st;
  bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!regular || (truncate && ::ftruncate(fd, 0) != 0)) {
    ::close(fd);
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  FILE* f = ::fdopen(fd, mode);
  if (!f) ::close(fd);
  return f;
}

bool FileExists(std::string_view gamePath) { return !gamePath.empty() && Exists(NativePath(gamePath)); }

bool DirectoryExists(std::string_view gamePath) {
  struct stat st;
  return !gamePath.empty() && ::stat(NativePath(gamePath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int64_t FileSize(std::string_view gamePath) {
  struct stat st;
  if (gamePath.empty() || ::stat(NativePath(gamePath).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

ReadStatus ReadNativeFile(const std::string& native, std::vector<uint8_t>& out, size_t cap) {
  if (native.empty()) return ReadStatus::kMissing;
  // Without waiting: a FIFO in a file's place is refused, never waited on.
  int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return ReadStatus::kMissing;
    return errno == EACCES ? ReadStatus::kNoAccess : ReadStatus::kError;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return ReadStatus::kError;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadStatus::kNotAFile;
  }
  if (static_cast<uint64_t>(st.st_size) > cap) {
    ::close(fd);
    return ReadStatus::kTooLarge;
  }
  std::vector<uint8_t> data(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < data.size()) {
    ssize_t r = ::read(fd, data.data() + got, data.size() - got);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      // A read that fails is no short file: what came before it is not the file.
      ::close(fd);
      return ReadStatus::kError;
    }
    if (r == 0) break;
    got += static_cast<size_t>(r);
  }
  ::close(fd);
  data.resize(got);  // a file that shrank while read is read as it was found
  out.swap(data);
  return ReadStatus::kOk;
}

ReadStatus ReadWholeFile(std::string_view gamePath, std::vector<uint8_t>& out, size_t cap) {
  if (gamePath.empty()) return ReadStatus::kMissing;
  return ReadNativeFile(NativePath(gamePath), out, cap);
}

std::string LastErrorText() {
  int e = errno;
  return e ? std::strerror(e) : "unknown error";
}

const char* ReadStatusText(ReadStatus status) {
  switch (status) {
    case ReadStatus::kOk: return "read";
    case ReadStatus::kMissing: return "file not found";
    case ReadStatus::kTooLarge: return "file too large";
    case ReadStatus::kNotAFile: return "not a regular file (a folder, a FIFO or a device)";
    case ReadStatus::kNoAccess: return "no permission to read";
    case ReadStatus::kError: break;
  }
  return "file cannot be read";
}

bool WriteFileAtomic(std::string_view gamePath, const void* data, size_t size) {
  if (gamePath.empty()) return false;
  int injected = gInjectedWriteFailures.load();
  while (injected > 0 && !gInjectedWriteFailures.compare_exchange_weak(injected, injected - 1)) {
  }
  if (injected > 0) return false;

  std::string target = NativePath(gamePath);
  std::string temp = ParentOf(target) + "/.korvane-tmp-" + std::to_string(::getpid()) + "-" +
                     std::to_string(gTempCounter.fetch_add(1));
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const auto* p = static_cast<const uint8_t*>(data);
  size_t done = 0;
  bool ok = true;
  while (done < size) {
    ssize_t w = ::write(fd, p + done, size - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(w);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool MakeDirectory(std::string_view gamePath) {
  if (gamePath.empty()) return false;
  std::string native = NativePath(gamePath);
  if (::mkdir(native.c_str(), 0755) == 0) return true;
  return DirectoryExists(gamePath);
}

bool RemoveFile(std::string_view gamePath) {
  return !gamePath.empty() && ::unlink(NativePath(gamePath).c_str()) == 0;
}

bool RenamePath(std::string_view from, std::string_view to) {
  if (from.empty() || to.empty()) return false;
  return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

namespace {
bool RemoveNativeTree(const std::string& native) {
  struct stat st;
  if (::lstat(native.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISDIR(st.st_mode)) return ::unlink(native.c_str()) == 0;
  bool ok = true;
  if (DIR* d = ::opendir(native.c_str())) {
    while (dirent* e = ::readdir(d)) {
      if (!std::strcmp(e->d_name, ".") || !std::strcmp(e->d_name, "..")) continue;
      ok = RemoveNativeTree(native + "/" + e->d_name) && ok;
    }
    ::closedir(d);
  }
  return ::rmdir(native.c_str()) == 0 && ok;
}
}  // namespace

bool RemoveTree(std::string_view gamePath) { return !gamePath.empty() && RemoveNativeTree(NativePath(gamePath)); }

namespace {

bool CopyNativeFile(const std::string& from, const std::string& to, mode_t mode) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777);
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = true;
  char buf[1 << 16];
  for (;;) {
    ssize_t r = ::read(in, buf, sizeof buf);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) ok = false;
    if (r <= 0) break;
    for (ssize_t done = 0; ok && done < r;) {
      ssize_t w = ::write(out, buf + done, static_cast<size_t>(r - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) ok = false;
      else done += w;
    }
    if (!ok) break;
  }
  ::close(in);
  if (ok && ::fsync(out) != 0) ok = false;
  if (::close(out) != 0) ok = false;
  return ok;
}

// Folders nested deeper than this are taken for a link loop.
constexpr int kMaxCopyDepth = 64;

bool CopyNativeTree(const std::string& from, const std::string& to, int depth, int& files) {
  if (depth > kMaxCopyDepth) return false;
  struct stat st;
  if (::stat(from.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  if (::mkdir(to.c_str(), 0755) != 0) return false;
  DIR* d = ::opendir(from.c_str());
  if (!d) return false;
  std::vector<std::string> names;
  while (dirent* e = ::readdir(d)) {
    if (std::strcmp(e->d_name, ".") && std::strcmp(e->d_name, "..")) names.emplace_back(e->d_name);
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string src = from + "/" + name, dst = to + "/" + name;
    struct stat entry;
    if (::stat(src.c_str(), &entry) != 0) return false;
    if (S_ISDIR(entry.st_mode)) {
      if (!CopyNativeTree(src, dst, depth + 1, files)) return false;
      continue;
    }
    if (files == gCopyFailureAfter.load()) return false;
    if (!S_ISREG(entry.st_mode) || !CopyNativeFile(src, dst, entry.st_mode)) return false;
    ++files;
  }
  return true;
}

}  // namespace

bool CopyTree(std::string_view from, std::string_view to) {
  if (from.empty() || to.empty()) return false;
  int files = 0;
  return CopyNativeTree(NativePath(from), NativePath(to), 0, files);
}

void InjectCopyFailureAfter(int files) { gCopyFailureAfter.store(files); }

std::vector<std::string> ListDirectory(std::string_view gamePath) {
  std::vector<std::string> names;
  DIR* d = ::opendir(NativePath(gamePath.empty() ? "." : gamePath).c_str());
  if (!d) return names;
  while (dirent* e = ::readdir(d)) {
    if (!std::strcmp(e->d_name, ".") || !std::strcmp(e->d_name, "..")) continue;
    names.push_back(ArgumentToSjis(e->d_name));
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

std::string CurrentDirectory() {
  char buf[4096];
  if (!::getcwd(buf, sizeof buf)) return {};
  return ArgumentToSjis(buf);
}

void InjectWriteFailures(int n) { gInjectedWriteFailures.store(n); }

}  // namespace plat
