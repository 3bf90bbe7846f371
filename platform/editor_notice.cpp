#include "platform/editor_notice.h"

#include <cstdio>
#include <string>

#include "platform/test_controls.h"

namespace plat {

void SendEditorNotice(uint32_t dwData, int32_t value) {
  std::string path = NoticePath();
  if (path.empty()) return;
  FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) return;
  std::fprintf(f, "NOTICE %u %d\n", dwData, value);
  std::fclose(f);
}

}  // namespace plat
