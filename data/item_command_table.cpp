#include "data/item_command_table.h"

#include "platform/sjis.h"

const cVector<cLabelItem>& ItemCommandTable() {
  static const cVector<cLabelItem> table = [] {
    cVector<cLabelItem> t;
    t.push_back({"", 0});
    t.push_back({plat::Utf8ToSjis("フローの変更"), 2});
    for (int type = 2; type < kItemCommandTypes; ++type) t.push_back(CommandTable().At(CharaTypeOfItemCommand(type)));
    t.emplace_back();
    return t;
  }();
  return table;
}
