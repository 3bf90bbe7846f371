// The game's entry point.
#include <string>

#include "app/base/path_util.h"
#include "app/report_log.h"
#include "app/shell_globals.h"

int main(int /*argc*/, char** /*argv*/) {
  InitECLog(0, "EC_Game.txt");
  std::string logPath = "Report_Game.txt";
  ToFullPath(logPath);
  // Without its report log the program ends at once and silently.
  if (!InitReportLog(logPath.c_str())) return 0;
  ReportLog("App : ver %s", kProgramVersion);
  ReportSystemInfo();
  return 0;
}
