#include <string>

#include "app/base/format.h"
#include "app/base/report_log.h"
#include "app/base/shell_globals.h"
#include "app/base/vector.h"

void ReportBadIndex(char kind, int index, int count, int elementSize) {
  std::string text;
  if (kind == 'L')
    FormatString(text, "err L[%d] ( %d , %d )", index, count, elementSize);
  else
    FormatString(text, "err V[%d] ( %d , %d )", index, count, elementSize);
  ECLog(text.c_str());
  ReportLog("%s", text.c_str());
  RequestClose();
}
