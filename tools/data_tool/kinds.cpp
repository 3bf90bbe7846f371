#include "tools/data_tool/data_tool.h"
#include "tools/data_tool/key_config_kind.h"
#include "tools/data_tool/palette_kind.h"
#include "tools/data_tool/project_data_kinds.h"
#include "tools/data_tool/stage_kinds.h"

void AddShellKinds(std::vector<cDataKind>& kinds);
void AddBootKind(std::vector<cDataKind>& kinds);

// The game's data files. Each record kind the game reads adds its row here.
const std::vector<cDataKind>& DataKinds() {
  static const std::vector<cDataKind> kinds = [] {
    std::vector<cDataKind> k;
    AddShellKinds(k);
    AddBootKind(k);
    AddKeyConfigKind(k);
    AddSystemAndDatabaseKinds(k);
    AddCommonPaletteKind(k);
    AddStageAndProgressKinds(k);
    return k;
  }();
  return kinds;
}
