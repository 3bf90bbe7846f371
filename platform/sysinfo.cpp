#include "platform/sysinfo.h"

#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace plat {
namespace {

std::string OsReleaseName() {
  std::ifstream in("/etc/os-release");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("PRETTY_NAME=", 0) == 0) {
      std::string v = line.substr(12);
      if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
      return v;
    }
  }
  return "Linux";
}

// A "key: value kB" line of a /proc file, in bytes; 0 when absent.
uint64_t ProcKiloBytes(const char* file, const char* key) {
  std::ifstream in(file);
  std::string line;
  size_t klen = std::strlen(key);
  while (std::getline(in, line)) {
    if (line.compare(0, klen, key) == 0 && line.size() > klen && line[klen] == ':')
      return std::strtoull(line.c_str() + klen + 1, nullptr, 10) * 1024ull;
  }
  return 0;
}

double CpuMHzFromProc() {
  std::ifstream in("/proc/cpuinfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("cpu MHz", 0) == 0) {
      size_t colon = line.find(':');
      if (colon != std::string::npos) return std::atof(line.c_str() + colon + 1);
    }
  }
  return 0;
}

}  // namespace

SystemFacts ReadSystemFacts() {
  SystemFacts f;
  struct utsname u;
  f.osName = OsReleaseName();
  if (::uname(&u) == 0) f.osName += std::string(" ") + u.sysname + " " + u.release + " " + u.machine;

#if defined(__x86_64__) || defined(__i386__)
  unsigned a, b, c, d;
  if (__get_cpuid(0, &a, &b, &c, &d)) {
    char v[13];
    std::memcpy(v, &b, 4);
    std::memcpy(v + 4, &d, 4);
    std::memcpy(v + 8, &c, 4);
    v[12] = 0;
    f.cpuVendor = v;
  }
  if (__get_cpuid(0x80000000, &a, &b, &c, &d) && a >= 0x80000004) {
    char brand[49] = {};
    for (unsigned leaf = 0; leaf < 3; ++leaf) {
      __get_cpuid(0x80000002 + leaf, &a, &b, &c, &d);
      std::memcpy(brand + leaf * 16, &a, 4);
      std::memcpy(brand + leaf * 16 + 4, &b, 4);
      std::memcpy(brand + leaf * 16 + 8, &c, 4);
      std::memcpy(brand + leaf * 16 + 12, &d, 4);
    }
    f.cpuBrand = brand;
  }
#endif
  f.cpuHz = CpuMHzFromProc() * 1e6;

  f.memTotal = ProcKiloBytes("/proc/meminfo", "MemTotal");
  f.memFree = ProcKiloBytes("/proc/meminfo", "MemAvailable");
  // The user address space of a 64-bit Linux process is 2^47 bytes.
  f.virtTotal = sizeof(void*) == 8 ? (1ull << 47) : (3ull << 30);
  uint64_t used = ProcKiloBytes("/proc/self/status", "VmSize");
  f.virtFree = used < f.virtTotal ? f.virtTotal - used : 0;
  return f;
}

int64_t DiskFreeBytes(const char* nativeFolder) {
  struct statvfs s;
  if (::statvfs(nativeFolder ? nativeFolder : ".", &s) != 0) return -1;
  return static_cast<int64_t>(s.f_bavail) * static_cast<int64_t>(s.f_frsize);
}

}  // namespace plat
