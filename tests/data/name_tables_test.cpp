// The command, trigger and parameter name tables and the command parameter table.
#include <gtest/gtest.h>

#include "chara/command_param_table.h"
#include "data/item_command_table.h"
#include "data/option_lists.h"
#include "data/shot_kinds.h"
#include "platform/sjis.h"

namespace {

std::string Sj(const char* s) { return plat::Utf8ToSjis(s); }

TEST(NameTables, CommandTablesHoldEachTypesParameterCount) {
  const auto& chara = CommandTable();
  const auto& item = ItemCommandTable();
  ASSERT_EQ(chara.Count(), 41);
  ASSERT_EQ(item.Count(), 26);
  EXPECT_TRUE(chara[40].strLabel.empty());
  EXPECT_TRUE(item[25].strLabel.empty());
  EXPECT_EQ(chara[19].strLabel, Sj("メッセージ"));
  EXPECT_EQ(chara[19].nValue, 18);
  EXPECT_EQ(item[4].strLabel, Sj("メッセージ"));
  EXPECT_EQ(item[4].nValue, 18);
  EXPECT_EQ(item[1].strLabel, Sj("フローの変更"));
  EXPECT_EQ(item[1].nValue, 2);
  EXPECT_EQ(chara[1].strLabel, Sj("ウエイト"));
  EXPECT_EQ(chara[1].nValue, 0);
  for (int t = 2; t < 25; ++t) {
    EXPECT_EQ(item[t].strLabel, chara[t + 15].strLabel) << t;
    EXPECT_EQ(item[t].nValue, chara[t + 15].nValue) << t;
  }
  const int counts[40] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 5, 0, 0, 0, 0, 0, 3, 9, 1, 18,
                          0, 15, 18, 3, 3, 2, 3, 1, 1, 8, 3, 3, 15, 8, 2, 1, 2, 0, 5, 2};
  for (int t = 0; t < 40; ++t) EXPECT_EQ(chara[t].nValue, counts[t]) << t;
  EXPECT_EQ(chara[39].strLabel, Sj("ループ"));
}

TEST(NameTables, TriggersListsAndDescriptors) {
  ASSERT_EQ(TriggerTable().Count(), 21);
  EXPECT_EQ(TriggerTable()[19], Sj("なし（フローの操作コマンドで実行）"));
  EXPECT_EQ(NameList(eNameList::kCapitalLetters).Count(), 28);
  EXPECT_EQ(NameList(eNameList::kDirections)[12], Sj("入力方向"));
  EXPECT_EQ(NameList(eNameList::kConditionKinds)[7], Sj("距離条件"));
  EXPECT_EQ(NameList(eNameList::kDistanceUnits).Count(), 3);
  ASSERT_EQ(CharaStatusDescs().Count(), 15);
  EXPECT_EQ(CharaStatusDescs()[7].nOperandMin, -121);
  EXPECT_EQ(CharaStatusDescs()[1].bPercentOfMax, 1);
  EXPECT_EQ(SystemValueDescs()[1].nMin, -480);
  ASSERT_EQ(CharaStateDescs().Count(), 7);
  EXPECT_EQ(CharaStateDescs()[3].Values.Count(), 4);
  EXPECT_EQ(CharaStateDescs()[5].Values[9], Sj("×100"));
  EXPECT_EQ(CharaStateDescs()[5].nDefault, 1);
  EXPECT_EQ(EmptyStateDescs().Count(), 2);
  // The flight and giant-size lists carry a second terminator.
  const auto& flight = OptionList(eOptionList::kFlight);
  ASSERT_EQ(flight.Count(), 6);
  EXPECT_TRUE(flight[4].empty() && flight[5].empty());
  EXPECT_EQ(OptionList(eOptionList::kPassValues)[0], Sj("なし"));
  EXPECT_EQ(LabelOf(TriggerTable(), 40), "");
}

TEST(NameTables, ShotPatternsAndMovementTypesNameTheirValues) {
  EXPECT_EQ(ShotPatternNames()[3], Sj("落雷"));
  const cParamDesc& columns = ShotPatternParamDesc(3, 1);
  EXPECT_EQ(columns.strLabel, Sj("列の数"));
  EXPECT_EQ(columns.nMin, 1);
  EXPECT_EQ(columns.nMax, 50);
  EXPECT_EQ(ShotPatternParamDesc(4, 0).strLabel, "");
  EXPECT_EQ(ShotMoveTypeParamDesc(8, 2).nMax, 359);
  EXPECT_EQ(ShotMoveTypeParamDesc(5, 1).nDefault, 999);
  EXPECT_EQ(ShotMoveTypeParamDesc(10, 0).strLabel, "");
  EXPECT_EQ(ShotLabels(eShotLabels::kSummonFactions)[2], Sj("番号で指定"));
}

TEST(NameTables, TheCommandParameterTableNamesEveryArrangeableParameter) {
  BuildCommandParamTable();
  BuildCommandParamTable();  // building again changes nothing
  ASSERT_EQ(CommandParamTable.Count(), 40);
  int filled = 0;
  for (const auto& list : CommandParamTable) filled += !list.empty();
  EXPECT_EQ(filled, 19);
  const auto& shot = CommandParamTable[11];
  ASSERT_EQ(shot.Count(), 29);
  EXPECT_EQ(shot[27].strName, Sj("威力"));
  EXPECT_EQ(shot[27].nMin, -999999);
  EXPECT_EQ(shot[5].nMax, 127);
  EXPECT_EQ(shot[2].nMax, 2147483647);
  ASSERT_EQ(CommandParamTable[14].Count(), 8);
  EXPECT_EQ(CommandParamTable[14][0].nMax, 9999);
  EXPECT_EQ(CommandParamTable[14][1].strName, Sj("勢力"));
  EXPECT_EQ(CommandParamTable[13].Count(), 6);
  EXPECT_EQ(CommandParamTable[15][0].strName, Sj("存在時間(1/10s)"));
  EXPECT_EQ(CommandParamTable[2][4].nMin, -7200);
  EXPECT_EQ(CommandParamTable[34][0].nMax, 8);
  EXPECT_TRUE(CommandParamTable[38].empty());
}

}  // namespace
