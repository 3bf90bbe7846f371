#include "app/system_report.h"

#include <cstdio>

#include "app/base/report_log.h"
#include "platform/files.h"
#include "platform/sysinfo.h"

bool ReportSystemInfo() {
  plat::SystemFacts f = plat::ReadSystemFacts();
  const double mb = 1024.0 * 1024.0;
  int64_t disk = plat::DiskFreeBytes(".");
  // The disk figure keeps the range of the int it was designed with.
  if (disk < 0) disk = 0;
  if (disk > 2147483647) disk = 2147483647;
  bool ok = ReportLog("OS : %s", f.osName.c_str());
  ok = ok && ReportLog("CPU : %s %s %d", f.cpuVendor.c_str(), f.cpuBrand.c_str(), static_cast<int>(f.cpuHz * 1e-6));
  ok = ok && ReportLog("Mem Total : %.3fMB", f.memTotal / mb);
  ok = ok && ReportLog("Mem Free : %3.fMB", f.memFree / mb);
  ok = ok && ReportLog("Vir Total : %.3fMB", f.virtTotal / mb);
  ok = ok && ReportLog("Vir Free : %3.fMB", f.virtFree / mb);
  ok = ok && ReportLog("HD Free : %3.fMB", disk / mb);
  return ok;
}
