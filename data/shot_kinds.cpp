#include "data/shot_kinds.h"

#include <initializer_list>

#include "platform/sjis.h"

namespace {

constexpr cParamDescText kNone = {"", 0, 0, 0};
constexpr cParamDescText kGap = {"間隔(hbl)", 0, 40, 0};
constexpr cParamDescText kTurn = {"軌道変更(hbl)", 0, 40, 0};
constexpr cParamDescText kSide = {"対象勢力", 0, 7, 0};
constexpr cParamDescText kHomeStart = {"誘導開始(hbl)", 0, 40, 0};
constexpr cParamDescText kHomeEnd = {"誘導終了(hbl)", 0, 999, 999};

constexpr const char* kPatternNames[kShotPatterns] = {"直進A", "直進B", "拡散", "落雷", "爆発", "包囲"};
constexpr cParamDescText kPatternDescs[kShotPatterns][3] = {
    {kGap, kNone, kNone},
    {kGap, kNone, kNone},
    {{"角度", 0, 180, 30}, kNone, kNone},
    {kGap, {"列の数", 1, 50, 1}, {"列の間隔(hbl)", 0, 40, 0}},
    {kNone, kNone, kNone},
    {{"距離(hbl)", 0, 40, 6}, kNone, kNone},
};

constexpr const char* kMoveTypeNames[kShotMoveTypes] = {
    "直進", "主人公を狙う", "近いキャラを狙う", "ターゲットを狙う", "主人公へ誘導",
    "近いキャラへ誘導（対象死亡時、誘導を無効化）", "ターゲットへ誘導", "近いキャラへ誘導（対象死亡時、対象を変更）",
    "ウェーブ", "落下"};
constexpr cParamDescText kMoveTypeDescs[kShotMoveTypes][3] = {
    {kNone, kNone, kNone},
    {kTurn, kNone, kNone},
    {kTurn, kSide, kNone},
    {kTurn, kNone, kNone},
    {kHomeStart, kHomeEnd, kNone},
    {kHomeStart, kHomeEnd, kSide},
    {kHomeStart, kHomeEnd, kNone},
    {kHomeStart, kHomeEnd, kSide},
    {{"波の最大(hbl)", 0, 100, 4}, {"波の速度", 0, 100, 4}, {"開始角度", 0, 359, 0}},
    {kTurn, kNone, kNone},
};

cVector<std::string> Names(std::initializer_list<const char*> texts) {
  cVector<std::string> list;
  for (const char* t : texts) list.push_back(plat::Utf8ToSjis(t));
  list.emplace_back();
  return list;
}

template <size_t N>
cVector<cParamDesc> Descs(const cParamDescText (&table)[N][3]) {
  cVector<cParamDesc> descs;
  for (const auto& row : table)
    for (const cParamDescText& p : row) descs.push_back(MakeParamDesc(p));
  return descs;
}

const cParamDesc& Desc(const cVector<cParamDesc>& descs, int row, int k, int rows) {
  static const cParamDesc kEmpty;
  if (row < 0 || row >= rows || k < 0 || k > 2) return kEmpty;
  return descs[static_cast<size_t>(row * 3 + k)];
}

}  // namespace

const cVector<std::string>& ShotPatternNames() {
  static const cVector<std::string> names = [] {
    cVector<std::string> n;
    for (const char* t : kPatternNames) n.push_back(plat::Utf8ToSjis(t));
    n.emplace_back();
    return n;
  }();
  return names;
}

const cParamDesc& ShotPatternParamDesc(int pattern, int k) {
  static const cVector<cParamDesc> descs = Descs(kPatternDescs);
  return Desc(descs, pattern, k, kShotPatterns);
}

const cVector<std::string>& ShotMoveTypeNames() {
  static const cVector<std::string> names = [] {
    cVector<std::string> n;
    for (const char* t : kMoveTypeNames) n.push_back(plat::Utf8ToSjis(t));
    n.emplace_back();
    return n;
  }();
  return names;
}

const cParamDesc& ShotMoveTypeParamDesc(int type, int k) {
  static const cVector<cParamDesc> descs = Descs(kMoveTypeDescs);
  return Desc(descs, type, k, kShotMoveTypes);
}

const cVector<std::string>& ShotLabels(eShotLabels list) {
  static const cVector<cVector<std::string>> lists = {
      Names({"ターゲット", "主人公", "自分"}),
      Names({"ブロックを召喚", "ブロックを消す", "ブロックがなければ召喚、ブロックがあれば消す"}),
      Names({"コモンパレット", "ステージパレット"}),
      Names({"パレットの設定に準ずる", "使用者と同じ", "番号で指定"}),
  };
  return lists.At(static_cast<int>(list));
}
