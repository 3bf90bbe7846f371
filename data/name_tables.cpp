#include "data/name_tables.h"

#include <initializer_list>
#include <iterator>

#include "data/option_lists.h"
#include "platform/sjis.h"

namespace {

using Texts = std::initializer_list<const char*>;

// The list's texts in Shift-JIS, then the empty terminator.
cVector<std::string> Terminated(Texts texts) {
  cVector<std::string> list;
  for (const char* t : texts) list.push_back(plat::Utf8ToSjis(t));
  list.emplace_back();
  return list;
}

struct cCommandText {
  const char* label;
  int32_t params;
};

constexpr cCommandText kCommands[kCharaCommandTypes] = {
    {"", 0},
    {"ウエイト", 0},
    {"直線移動", 0},
    {"地上折り返し移動", 0},
    {"円移動", 0},
    {"突撃移動", 0},
    {"誘導移動", 0},
    {"画面外回避移動", 0},
    {"移動の無効化", 0},
    {"向き変更", 1},
    {"ジャンプ", 5},
    {"ショット", 0},
    {"ソード", 0},
    {"ブロック召喚", 0},
    {"キャラ召喚", 0},
    {"アイテム召喚", 0},
    {"フローの操作", 3},
    {"ステージクリア", 9},
    {"ゲームウエイト", 1},
    {"メッセージ", 18},
    {"ワープ", 0},
    {"ターゲットの設定", 15},
    {"ステータスの操作", 18},
    {"ステータスの操作2", 3},
    {"消滅", 3},
    {"アイテムの取得", 2},
    {"グラフィックの変更", 3},
    {"基本アニメセットの変更", 1},
    {"アニメの実行", 1},
    {"エフェクトの実行", 8},
    {"キャラエフェクトの実行", 3},
    {"画面エフェクトの実行", 3},
    {"ピクチャーの表示", 15},
    {"画面の色を変更", 8},
    {"背景の変更", 2},
    {"効果音の再生", 1},
    {"BGMの再生", 2},
    {"コードの実行", 0},
    {"アレンジ", 5},
    {"ループ", 2},
};

// In eNameList order.
const Texts kLists[] = {
    // conditions
    {"", "コモン変数条件", "ステージ変数条件", "キャラ変数条件", "ステータス条件", "ステータス条件2", "ステータス条件3",
     "距離条件"},
    {"全ての条件が真なら成立", "1つ以上の条件が真なら成立"},
    {"主人公", "ターゲット"},
    {"横", "前", "後", "縦", "前Y", "後Y", "円"},
    {"以内", "外"},
    {"表示しない", "表示する", "テストプレイ時のみ表示"},
    // flows and commands
    {"-", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
     "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"},
    {"-", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
     "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z"},
    {"開始", "終了", "一時停止", "再開", "削除", "永久停止"},
    {"このフロー", "このフロー以外全て", "IDで指定"},
    {"自分", "ターゲット"},
    {"自分", "ターゲット", "システム"},
    {"主人公", "ターゲット"},
    {"主人公", "ターゲット", "システム"},
    {"ステータス", "変数"},
    {"定数", "乱数", "ステータス", "変数"},
    {"コモン変数", "ステージ変数"},
    {"通常の計算", "最大値に対する％で指定", "現在値に対する％で指定"},
    {"ON"},
    {"左向き", "右向き", "ブロックに乗っている(ブロックキャラも含む)", "画面内にいる"},
    {"全てのキーが真なら成立", "1つ以上のキーが真なら成立", "1つだけキーが真なら成立"},
    {"--", "押", "離"},
    {"次のステージへ", "番号で指定", "パスで指定", "ワールドクリア"},
    {"左向き", "右向き", "ステージクリア時の向きと同じ"},
    {"画面中央に表示", "自分の上に表示", "自分の下に表示", "自分の中心に表示", "主人公の上に表示", "主人公の下に表示",
     "主人公の中心に表示", "画面座標で指定", "ステージ座標で指定"},
    {"進行キーが押されるまで表示", "ステージ終了まで表示", "時間で指定"},
    {"主人公", "自分", "最も近いキャラ", "キャラ(キャラIDで指定)"},
    {"全範囲（画面内のキャラ優先）", "全範囲", "画面内"},
    {"ターゲット無し", "ターゲットを変更しない"},
    {"キャラ", "ショット"},
    {"画面内", "全範囲"},
    {"コモンパレット", "ステージパレット"},
    {"コモンパレット"},
    {"画面中央に表示", "キャラの中心に表示", "主人公の中心に表示", "画面座標で指定", "ステージ座標で指定"},
    {"進行キーが押されるまで表示", "ステージ終了まで表示", "時間で指定"},
    {"通常実行", "反転実行", "往復実行"},
    {"表示", "非表示", "反転(表示⇔非表示)"},
    {"コモン変数", "ステージ変数", "キャラ変数"},
    // movements
    {"方向で指定", "目標座標で指定"},
    {"方向と距離で指定", "ターゲットからの方向と距離で指定", "目標座標で指定"},
    {"前", "後", "左", "右", "前Y", "後Y", "上", "下", "左上", "左下", "右上", "右下", "入力方向"},
    {"配置位置からの相対座標", "相対座標", "絶対座標", "画面座標"},
    {"相対座標", "絶対座標", "画面座標"},
    {"右回り", "左回り", "左向きなら右回り、右向きなら左回り", "左向きなら左回り、右向きなら右回り"},
    {"左を向く", "右を向く", "ターゲットがいる方を向く", "ターゲットがいる方の逆を向く", "最後にブロックが当たった方を向く",
     "最後にブロックが当たった方の逆を向く"},
    {"時間と速度を指定", "時間と距離を指定", "速度と距離を指定"},
    {"時間を指定", "速度を指定"},
    {"高さがキーで調節できない", "高さがキーで調節できる(主人公のみ有効)", "慣性移動速度に応じて高さを決定(主人公のみ有効)"},
    {"(hbl)で指定", "(dot)で指定"},
};
static_assert(std::size(kLists) == static_cast<size_t>(eNameList::kCount));

cStatusDesc Status(const char* label, int32_t min, int32_t max, int32_t opMin, int32_t opMax, int32_t ofMax,
                   int32_t ofCurrent) {
  cStatusDesc s;
  s.strLabel = plat::Utf8ToSjis(label);
  s.nMin = min;
  s.nMax = max;
  s.nOperandMin = opMin;
  s.nOperandMax = opMax;
  s.nDefault = 0;
  s.bPercentOfMax = ofMax;
  s.bPercentOfCurrent = ofCurrent;
  return s;
}

// The value labels come from the option lists of the definitions, without their terminators.
cStateDesc State(const char* label, int32_t min, int32_t max, int32_t def, const cVector<std::string>& values) {
  cStateDesc s;
  s.strLabel = plat::Utf8ToSjis(label);
  s.nMin = min;
  s.nMax = max;
  s.nDefault = def;
  for (const std::string& v : values) {
    if (v.empty()) break;
    s.Values.push_back(v);
  }
  return s;
}

}  // namespace

const cVector<cLabelItem>& CommandTable() {
  static const cVector<cLabelItem> table = [] {
    cVector<cLabelItem> t;
    for (const cCommandText& c : kCommands) t.push_back({plat::Utf8ToSjis(c.label), c.params});
    t.emplace_back();
    return t;
  }();
  return table;
}

const cVector<std::string>& TriggerTable() {
  static const cVector<std::string> table = Terminated({
      "常時", "ダメージを受けた時", "衝撃を受けた時", "死亡した時", "キャラに当たった時", "ブロックキャラに当たった時",
      "ブロックキャラに乗っている時", "ショットに当たった時", "アイテムに当たった時", "ブロックに当たった時",
      "自分の左右にブロックが当たった時", "自分の左にブロックが当たった時", "自分の右にブロックが当たった時",
      "自分の上下にブロックが当たった時", "自分の上にブロックが当たった時", "自分の下にブロックが当たった時",
      "主人公に乗られている時", "キャラに乗られている時", "ステージ開始前", "なし（フローの操作コマンドで実行）"});
  return table;
}

const cVector<std::string>& NameList(eNameList list) {
  static const cVector<cVector<std::string>> lists = [] {
    cVector<cVector<std::string>> all;
    for (const Texts& t : kLists) all.push_back(Terminated(t));
    return all;
  }();
  return lists.At(static_cast<int>(list));
}

const cVector<cStatusDesc>& CharaStatusDescs() {
  static const cVector<cStatusDesc> descs = {
      Status("キャラ変数", -999999, 999999, -999999, 999999, 0, 1),
      Status("HP", 0, 999999, -999999, 999999, 1, 1),
      Status("SP", 0, 999999, -999999, 999999, 1, 1),
      Status("最大HP", 0, 999999, -999999, 999999, 0, 1),
      Status("最大SP", 0, 999999, -999999, 999999, 0, 1),
      Status("キャラID", 0, 99, -99, 99, 0, 0),
      Status("Z座標", 0, 8, -8, 8, 0, 0),
      // The operand range of the mark number reaches -121, not -119.
      Status("マーク番号", 0, 119, -121, 119, 0, 0),
      Status("視界範囲(hbl)", 0, 40, -40, 40, 0, 1),
      Status("体当たりの威力", -999999, 999999, -999999, 999999, 0, 1),
      Status("体当たりの衝撃", -20, 20, -20, 20, 0, 1),
      Status("防御力", 0, 999999, -999999, 999999, 0, 1),
      Status("衝撃耐性", 0, 20, -20, 20, 0, 1),
      Status("止まりやすさ", 0, 200, -200, 200, 0, 1),
      Status("倒したら獲得するスコア", -999999, 999999, -999999, 999999, 0, 1),
  };
  return descs;
}

const cVector<cStatusDesc>& SystemValueDescs() {
  static const cVector<cStatusDesc> descs = {
      Status("時間", 0, 999, -999, 999, 0, 1),
      Status("横スクロール速度", -480, 480, -480, 480, 0, 1),
      Status("縦スクロール速度", -480, 480, -480, 480, 0, 1),
      Status("スコア", 0, 999999, -999999, 999999, 0, 1),
      Status("残り人数", 0, 99, -99, 99, 0, 1),
  };
  return descs;
}

const cVector<cStateDesc>& CharaStateDescs() {
  static const cVector<cStateDesc> descs = {
      State("消滅", 0, 0, 0, NameList(eNameList::kSingleSwitch)),
      State("透明", 0, 1, 0, OptionList(eOptionList::kSwitch2)),
      State("向き固定", 0, 1, 0, OptionList(eOptionList::kSwitch1)),
      State("飛行", 0, 3, 0, OptionList(eOptionList::kFlight)),
      State("無敵", 0, 2, 0, OptionList(eOptionList::kInvincibility)),
      State("巨大化", 1, 10, 1, OptionList(eOptionList::kGiantSizes)),
      State("オートスクロールとシンクロ", 0, 1, 0, OptionList(eOptionList::kSwitch1)),
  };
  return descs;
}

const cVector<cStateDesc>& EmptyStateDescs() {
  static const cVector<cStateDesc> descs(2);
  return descs;
}

const std::string& LabelOf(const cVector<std::string>& list, int n) {
  static const std::string kNone;
  return n >= 0 && n < list.Count() ? list[static_cast<size_t>(n)] : kNone;
}

const std::string& LabelOf(const cVector<cLabelItem>& list, int n) {
  static const std::string kNone;
  return n >= 0 && n < list.Count() ? list[static_cast<size_t>(n)].strLabel : kNone;
}
