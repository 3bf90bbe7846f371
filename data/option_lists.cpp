#include "data/option_lists.h"

#include <initializer_list>
#include <iterator>

#include "platform/sjis.h"

namespace {

struct cOptionText {
  std::initializer_list<const char*> texts;
  int terminators;
};

// In eOptionList order.
const cOptionText kLists[] = {
    {{"OFF", "ON"}, 1},
    {{"ステージパレット", "コモンパレット"}, 1},
    {{"継承しない", "コモンパレット", "ステージパレット"}, 1},
    {{"継承しない", "コモンパレット"}, 1},
    {{"継承しない", "ステージパレット"}, 1},
    {{"継承しない"}, 1},
    {{"ブロック", "キャラ", "アイテム", "ショット", "専用bmp"}, 1},
    {{"ブロック", "キャラ", "アイテム", "ショット", "専用bmp"}, 1},
    {{"OFF", "ON"}, 1},
    {{"表示しない", "表示する", "エディターでのみ表示"}, 1},
    {{"当たらない", "当たる", "主人公が当たると即死"}, 1},
    // "なし" stands for the stored 255, "0" to "7" for 0 to 7.
    {{"なし", "0", "1", "2", "3", "4", "5", "6", "7"}, 1},
    {{"なし", "ジャンプ X=高さ(hbl)", "ジャンプ禁止", "移動速度変更 X=％", "左移動 X=移動速度", "右移動 X=移動速度"}, 1},
    {{"なし", "コモンパレット", "ステージパレット"}, 1},
    {{"なし", "コモンパレット"}, 1},
    {{"プレイヤー", "コンピューター"}, 1},
    {{"1"}, 1},
    {{"OFF", "ON (ブロックをすり抜ける)", "ON (ブロックに当たる)", "ON (ブロックに当たると即死)"}, 2},
    {{"OFF", "ON (ショットが当たる)", "ON (ショットがすり抜ける)"}, 1},
    {{"OFF", "ON"}, 1},
    {{"しない", "×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100"}, 2},
    {{"×4", "×9", "×16", "×25", "×36", "×49", "×64", "×81", "×100"}, 2},
    {{"画面内全て", "キャラを中心とした円形", "キャラの前方に円形", "キャラを中心とした正方形", "キャラの前方に正方形"}, 1},
    {{"キャラ対キャラの当たり判定範囲（推奨）", "キャラ対ショットの当たり判定範囲", "ショット対キャラの当たり判定範囲",
      "32×32"},
     1},
    {{"画面内", "X座標のみ画面内", "Y座標のみ画面内", "全範囲"}, 1},
    {{"範囲かグループが真なら成立", "一度範囲かグループが真になると、以後無条件で成立", "範囲とグループが偽なら成立"}, 1},
};
static_assert(std::size(kLists) == static_cast<size_t>(eOptionList::kCount));

}  // namespace

const cVector<std::string>& OptionList(eOptionList list) {
  static const cVector<cVector<std::string>> lists = [] {
    cVector<cVector<std::string>> all;
    for (const cOptionText& l : kLists) {
      cVector<std::string> one;
      for (const char* t : l.texts) one.push_back(plat::Utf8ToSjis(t));
      for (int i = 0; i < l.terminators; ++i) one.emplace_back();
      all.push_back(one);
    }
    return all;
  }();
  return lists.At(static_cast<int>(list));
}
