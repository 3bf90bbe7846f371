#include "chara/command_param_table.h"

#include <climits>
#include <initializer_list>

#include "platform/sjis.h"

cVector<cVector<cCommandParam>> CommandParamTable;

namespace {

struct cRow {
  const char* name;
  int32_t min, max;
};

constexpr int32_t kAny = INT_MAX;  // the firing pattern or movement type gives the range

void Fill(int type, std::initializer_list<cRow> rows) {
  cVector<cCommandParam>& list = CommandParamTable.At(type);
  list.resize(rows.size());
  int i = 0;
  for (const cRow& r : rows) SetParamDesc(list.At(i++), r.name, r.min, r.max);
}

void FillMovement(int type) {
  Fill(type, {{"目標X(bl)", -640, 640},
              {"目標X(dot)", -640, 640},
              {"目標Y(bl)", -640, 640},
              {"目標Y(dot)", -640, 640},
              {"角度", -7200, 7200},
              {"分身値による増加角度", -7200, 7200}});
}

}  // namespace

void SetParamDesc(cCommandParam& param, const char* name, int32_t min, int32_t max) {
  param.strName = plat::Utf8ToSjis(name);
  param.nMin = min;
  param.nMax = max;
}

void BuildCommandParamTable() {
  CommandParamTable.resize(kCommandParamTypes);
  FillMovement(2);
  FillMovement(5);
  Fill(6, {{"誘導性能の悪さ", 0, 10},
           {"分身値による増加誘導性能の悪さ", 0, 10},
           {"目標X(bl)", -640, 640},
           {"目標X(dot)", -640, 640},
           {"目標Y(bl)", -640, 640},
           {"目標Y(dot)", -640, 640}});
  Fill(11, {{"グラフィック", 1, 120},
            {"Z座標", 0, 7},
            {"フォーメーション固有1", 0, kAny},
            {"フォーメーション固有2", 0, kAny},
            {"フォーメーション固有3", 0, kAny},
            {"発射数", 1, 127},
            {"発射数に対する分身数", 0, 20},
            {"角度のズレ", -7200, 7200},
            {"分身値による角度のズレ", -7200, 7200},
            {"分散角度", 0, 180},
            {"発射位置のズレX(dot)", -640, 640},
            {"分身値による発射位置のズレX(dot)", -640, 640},
            {"発射位置のズレY(dot)", -640, 640},
            {"分身値による発射位置のズレY(dot)", -640, 640},
            {"勢力", 0, 7},
            {"移動タイプ固有1", 0, kAny},
            {"移動タイプ固有2", 0, kAny},
            {"移動タイプ固有3", 0, kAny},
            {"速度", -200, 200},
            {"分身値による増加速度", -200, 200},
            {"加速度", -200, 200},
            {"分身値による増加加速度", -200, 200},
            {"飛距離(hbl)", 0, 64},
            {"分身値による増加飛距離", -40, 40},
            {"存在時間(1/10s)", 1, 999},
            {"分身値よる増加存在時間", -99, 99},
            {"消滅値", 1, 9},
            {"威力", -999999, 999999},
            {"衝撃", -20, 20}});
  Fill(12, {{"勢力", 0, 7}, {"Z座標", 0, 7}, {"威力", -999999, 999999}, {"衝撃", -20, 20}});
  const cRow formation[] = {{"フォーメーション固有1", 0, kAny},
                            {"フォーメーション固有2", 0, kAny},
                            {"フォーメーション固有3", 0, kAny},
                            {"数", 1, 127},
                            {"召喚位置のズレX(dot)", -640, 640},
                            {"召喚位置のズレY(dot)", -640, 640}};
  const cRow lifetime = {"存在時間(1/10s)", 1, 9999};
  const cRow faction = {"勢力", 0, 7};
  Fill(13, {formation[0], formation[1], formation[2], formation[3], formation[4], formation[5]});
  Fill(14, {lifetime, faction, formation[0], formation[1], formation[2], formation[3], formation[4], formation[5]});
  Fill(15, {lifetime, formation[0], formation[1], formation[2], formation[3], formation[4], formation[5]});
  Fill(17, {{"次のステージの番号", 1, 99},
            {"次のステージの初期位置X(bl)", 0, 999},
            {"次のステージの初期位置Y(bl)", 0, 999},
            {"クリア後のワールドマップの位置X", 0, 999},
            {"クリア後のワールドマップの位置Y", 0, 999}});
  Fill(19, {{"メッセージID", 0, 999},
            {"座標X(bl)", 0, 20},
            {"座標Y(bl)", 0, 15},
            {"表示位置のズレX(dot)", -999, 999},
            {"表示位置のズレY(dot)", -999, 999}});
  Fill(20, {{"距離(hbl)", 0, 64},
            {"分身値による増加距離(hbl)", -40, 40},
            {"目標X(bl)", -640, 640},
            {"目標Y(bl)", -640, 640},
            {"目標Xのズレ(dot)", -640, 640},
            {"目標Yのズレ(dot)", -640, 640}});
  Fill(21, {{"対象勢力", 0, 7}, {"対象キャラID", 0, 99}, {"キャラ変数と比較する数値", -999999, 999999}});
  Fill(22, {{"乱数の最小値", -999999, 999999}, {"乱数の最大値", -999999, 999999}});
  Fill(24, {{"対象勢力", 0, 7}});
  Fill(26, {{"グラフィック", 1, 119}, {"ズレ", -999, 999}});
  Fill(29, {{"座標X(bl)", 0, 511},
            {"座標Y(bl)", 0, 511},
            {"表示位置のズレX(dot)", -999, 999},
            {"表示位置のズレY(dot)", -999, 999},
            {"表示倍率(%)", 1, 1000}});
  Fill(32, {{"ピクチャーID", 0, 999},
            {"座標X(bl)", 0, 511},
            {"座標Y(bl)", 0, 511},
            {"表示位置のズレX(dot)", -999, 999},
            {"表示位置のズレY(dot)", -999, 999},
            {"表示倍率(%)", 1, 1000}});
  Fill(33, {{"R", 0, 255}, {"G", 0, 255}, {"B", 0, 255}, {"%", 0, 100}});
  Fill(34, {{"背景番号", 1, 8}});
}
