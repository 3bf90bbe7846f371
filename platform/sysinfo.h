#pragma once
#include <cstdint>
#include <string>

// Facts about the machine for the report log, from Linux's own sources.
namespace plat {

struct SystemFacts {
  std::string osName;     // distribution and kernel, e.g. "Debian GNU/Linux 12 (bookworm) Linux 6.1.0 x86_64"
  std::string cpuVendor;  // CPUID leaf 0 vendor text; empty when not an x86 processor
  std::string cpuBrand;   // CPUID brand string; empty when not supported
  double cpuHz = 0;       // current clock of processor 0 as the kernel reports it
  uint64_t memTotal = 0, memFree = 0;    // physical memory, bytes (free: what is available)
  uint64_t virtTotal = 0, virtFree = 0;  // the process's address space, bytes
};

SystemFacts ReadSystemFacts();

// Free bytes of the file system holding the folder, available to this process; -1 on failure.
int64_t DiskFreeBytes(const char* nativeFolder);

}  // namespace plat
