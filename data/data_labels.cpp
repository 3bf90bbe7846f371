#include "data/data_labels.h"

#include "platform/sjis.h"

namespace {

cVector<std::string> Sjis(std::initializer_list<const char*> utf8) {
  cVector<std::string> out;
  for (const char* s : utf8) out.push_back(plat::Utf8ToSjis(s));
  return out;
}

cVector<std::string> HitLevels() {
  cVector<std::string> out;
  for (int level = 1; level <= 19; ++level) {
    const int shown = level <= 10 ? level : level - 10;
    const int limit = level <= 10 ? 60 * level : 600;
    out.push_back(plat::Utf8ToSjis(("レベル" + std::to_string(shown) + " (速度制限=" + std::to_string(limit) + ")").c_str()));
  }
  return out;
}

cVector<cVector<std::string>> Build() {
  cVector<cVector<std::string>> lists(static_cast<int>(eDataLabels::kCount));
  auto set = [&](eDataLabels l, cVector<std::string> v) { lists[static_cast<size_t>(l)] = std::move(v); };
  set(eDataLabels::kScrollModes, Sjis({"主人公の位置に合わせてスクロール", "オートスクロール"}));
  set(eDataLabels::kResizeHorizontal, Sjis({"右方向へ拡張（または右を削除）", "左方向へ拡張（または左を削除）"}));
  set(eDataLabels::kResizeVertical, Sjis({"下方向へ拡張（または下を削除）", "上方向へ拡張（または上を削除）"}));
  set(eDataLabels::kHitLevels, HitLevels());
  set(eDataLabels::kContactSteps,
      Sjis({"最大 (当たり判定レベルと同じ)", "1 (対応速度=60)", "2 (対応速度=最大120)", "3 (対応速度=最大180)",
            "4 (対応速度=最大240)", "5 (対応速度=最大300)"}));
  set(eDataLabels::kBoxAlign, Sjis({"中央", "下"}));
  set(eDataLabels::kBoxAlignShort, Sjis({"中", "下"}));
  set(eDataLabels::kBoxDisplay, Sjis({"表示しない", "表示する", "枠のみ表示"}));
  set(eDataLabels::kBoxColours, Sjis({"赤", "緑", "青", "黄", "赤紫", "青紫", "黒", "虹"}));
  set(eDataLabels::kAxes, Sjis({"水平方向", "垂直方向"}));
  set(eDataLabels::kWorldPassage, Sjis({"ワールド", "道", "壁"}));
  set(eDataLabels::kWorldAfterClear, Sjis({"しない", "2周目へ突入", "タイトルへ戻る"}));
  set(eDataLabels::kCharaVariables, Sjis({"1 キャラ変数-1", "2 キャラ変数-2", "3 キャラ変数-3", "4 キャラ変数-4",
                                          "5 キャラ変数-5", "6 キャラ変数-6", "7 キャラ変数-7", "8 キャラ変数-8"}));
  set(eDataLabels::kOperators, Sjis({"＝", "＋", "－", "×", "÷", "÷ X の余り", "X ％"}));
  set(eDataLabels::kComparisons,
      Sjis({"である", "でない", "以上", "以下", "より上", "より下", "の倍数である", "の倍数でない"}));
  set(eDataLabels::kConditionSenses, Sjis({"なら", "でないなら"}));
  set(eDataLabels::kColours, Sjis({"なし", "白", "黒", "赤", "緑", "青", "黄", "赤紫", "青紫", "4色"}));
  return lists;
}

}  // namespace

const cVector<std::string>& DataLabels(eDataLabels list) {
  static const cVector<cVector<std::string>> lists = Build();
  return lists.At(static_cast<int>(list));
}
