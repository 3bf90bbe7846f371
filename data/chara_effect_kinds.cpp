#include "data/chara_effect_kinds.h"

#include "platform/sjis.h"

namespace {

constexpr int kParams = 5;
constexpr cParamDescText kShort = {"実行時間(1/10s)", 1, 9999, 5};
constexpr cParamDescText kLong = {"実行時間(1/10s)", 1, 9999, 10};
constexpr cParamDescText kNone = {"", 0, 0, 0};
constexpr cParamDescText kSplit[] = {{"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, {"分割数", 2, 16, 4}};
constexpr cParamDescText kWave[] = {
    {"開始幅(dot)", 0, 999, 0}, {"終了幅(dot)", 0, 999, 32}, {"波の数", 2, 16, 2}, {"波の粗さ(dot)", 1, 4, 2}};
constexpr cParamDescText kTurn[] = {{"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}};

// kind x (P0 .. P4)
constexpr cParamDescText kDescs[kCharaEffectKinds][kParams] = {
    {kNone, kNone, kNone, kNone, kNone},
    {kShort, {"開始位置(dot)", 0, 999, 0}, {"終了位置(dot)", 0, 999, 32}, kNone, kNone},
    {kShort, kSplit[0], kSplit[1], kSplit[2], kNone},
    {kShort, kSplit[0], kSplit[1], kSplit[2], kNone},
    {kShort, kWave[0], kWave[1], kWave[2], kWave[3]},
    {kShort, kWave[0], kWave[1], kWave[2], kWave[3]},
    {kLong, {"点滅間隔(1/60s)", 1, 9999, 2}, kNone, kNone, kNone},
    {kLong, kTurn[0], kTurn[1], kNone, kNone},
    {kLong, kTurn[0], kTurn[1], kNone, kNone},
    {kLong, {"開始位置(dot)", 0, 9999, 0}, {"終了位置(dot)", 0, 9999, 256}, kNone, kNone},
    {kShort, {"開始半径(dot)", 0, 32, 32}, {"終了半径(dot)", 0, 32, 0}, {"円の粗さ(dot)", 1, 4, 2}, kNone},
    {kLong, {"開始幅(dot)", 0, 320, 32}, {"終了幅(dot)", 0, 320, 64}, kNone, kNone},
    {kLong, {"開始距離", 0, 100, 100}, {"終了距離", 0, 100, 5}, {"ズレX(dot)", -16, 16, 0}, {"ズレY(dot)", -16, 16, 0}},
    {kLong, {"開始合成度", 1, 4, 1}, {"終了合成度", 1, 4, 1}, {"色", 16, 207, 16}, kNone},
    {kLong, {"点滅間隔(1/60s)", 1, 9999, 9999}, kNone, kNone, kNone},
    {kLong, {"開始強度", 1, 16, 1}, {"終了強度", 1, 16, 8}, kNone, kNone},
    {kLong, {"開始強度", 1, 4, 1}, {"終了強度", 1, 4, 4}, kNone, kNone},
};

constexpr const char* kNames[kCharaEffectKinds] = {
    "破裂", "分割（横）", "分割（縦）", "波（横）", "波（縦）", "点滅", "回転A", "回転B", "回転（奥）",
    "円", "拡大", "レンズ", "色変化", "半透明", "モザイク", "ぼかし", ""};

}  // namespace

const cVector<std::string>& CharaEffectKindNames() {
  static const cVector<std::string> names = [] {
    cVector<std::string> n;
    for (const char* s : kNames) n.push_back(plat::Utf8ToSjis(s));
    return n;
  }();
  return names;
}

const cParamDesc& CharaEffectParamDesc(int kind, int slot) {
  static const auto table = [] {
    std::vector<cParamDesc> t;
    for (const auto& row : kDescs)
      for (const auto& desc : row) t.push_back(MakeParamDesc(desc));
    return t;
  }();
  static const cParamDesc empty;
  if (kind < 0 || kind >= kCharaEffectKinds || slot < 0 || slot >= kParams) return empty;
  return table[static_cast<size_t>(kind * kParams + slot)];
}
