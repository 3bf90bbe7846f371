#include "data/scr_effect_kinds.h"

#include "platform/sjis.h"

namespace {

constexpr cParamDescText kTime = {"実行時間(1/10s)", 1, 9999, 10};
constexpr cParamDescText kNone = {"", 0, 0, 0};

// kind x (P0 .. P4)
constexpr cParamDescText kDescs[kScrEffectKinds][kEffectParams] = {
    {kNone, kNone, kNone, kNone, kNone},
    {kTime, {"開始座標X(dot)", -640, 640, 0}, {"開始座標Y(dot)", -480, 480, 0}, {"終了座標X(dot)", -640, 640, 640},
     {"終了座標Y(dot)", -480, 480, 0}},
    {kTime, {"振動幅(dot)", 1, 640, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone},
    {kTime, {"振動幅(dot)", 1, 480, 4}, {"振動回数", 1, 9999, 4}, kNone, kNone},
    {kTime, {"開始位置(dot)", 0, 640, 0}, {"終了位置(dot)", 0, 640, 640}, {"分割数", 2, 240, 15}, kNone},
    {kTime, {"開始位置(dot)", 0, 480, 0}, {"終了位置(dot)", 0, 480, 480}, {"分割数", 2, 320, 20}, kNone},
    {kTime, {"開始幅(dot)", 0, 640, 0}, {"終了幅(dot)", 0, 640, 640}, {"波の数", 2, 240, 4}, {"波の粗さ(dot)", 1, 48, 8}},
    {kTime, {"開始幅(dot)", 0, 480, 0}, {"終了幅(dot)", 0, 480, 480}, {"波の数", 2, 320, 4}, {"波の粗さ(dot)", 1, 64, 10}},
    {kTime, {"点滅間隔(1/60s)", 1, 9999, 10}, kNone, kNone, kNone},
    {kTime, {"開始角度", 0, 9999, 0}, {"終了角度", 0, 9999, 1440}, kNone, kNone},
    {kTime, {"開始半径(dot)", 0, 640, 640}, {"終了半径(dot)", 0, 640, 0}, {"円の粗さ(dot)", 1, 48, 8}, kNone},
    {kTime, {"開始幅(dot)", 0, 6400, 640}, {"終了幅(dot)", 0, 6400, 1280}, kNone, kNone},
    {kTime, {"開始距離", 0, 1500, 1500}, {"終了距離", 0, 1500, 5}, {"ズレX(dot)", -320, 320, 0}, {"ズレY(dot)", -240, 240, 0}},
    {kTime, {"開始強度", 1, 240, 1}, {"終了強度", 1, 240, 60}, kNone, kNone},
};

constexpr const char* kNames[kScrEffectKinds] = {
    "移動", "振動（横）", "振動（縦）", "分割（横）", "分割（縦）", "波（横）", "波（縦）",
    "点滅", "回転", "円", "拡大", "レンズ", "モザイク", ""};

}  // namespace

const cVector<std::string>& ScrEffectKindNames() {
  static const cVector<std::string> names = [] {
    cVector<std::string> n;
    for (const char* s : kNames) n.push_back(plat::Utf8ToSjis(s));
    return n;
  }();
  return names;
}

const cParamDesc& ScrEffectParamDesc(int kind, int slot) {
  static const auto table = [] {
    std::vector<cParamDesc> t;
    for (const auto& row : kDescs)
      for (const auto& desc : row) t.push_back(MakeParamDesc(desc));
    return t;
  }();
  static const cParamDesc empty;
  if (kind < 0 || kind >= kScrEffectKinds || slot < 0 || slot >= kEffectParams) return empty;
  return table[static_cast<size_t>(kind * kEffectParams + slot)];
}
