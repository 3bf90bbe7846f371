#include "tests/data/system_expectations.h"

#include <set>
#include <string>

using fix::Sj;
using fix::Value;

namespace sysfix {

namespace {

Value Menu(int shown, const std::string& caption) { return Value().F("shown", shown).S("caption", caption); }

Value Key(int kind, const char* name, int value, const std::string& text = "") {
  return Value().F("kind", kind).F("int default", value).S("name", name).S("text default", text);
}

Value Item(int shown, int icon, int digits, int valueShown, int warning, int percent, const std::string& caption) {
  return Value()
      .F("shown", shown)
      .F("icon", icon)
      .F("digit cells", digits)
      .F("value figure shown", valueShown)
      .F("warning threshold", warning)
      .F("threshold is percent", percent)
      .S("caption", caption);
}

Value Rank(int enabled, std::vector<double> genres) { return Value().F("enabled", enabled).Nums("genres", genres); }

// Entries first .. last of a numbered series.
std::vector<double> Run(double base, int first, int last) {
  std::vector<double> v;
  for (int i = first; i <= last; ++i) v.push_back(base + i);
  return v;
}
std::vector<std::string> Texts(int first, int last) {
  std::vector<std::string> v;
  for (int i = first; i <= last; ++i) v.push_back("T" + std::to_string(i));
  return v;
}
template <class T>
std::vector<T> Cat(std::initializer_list<std::vector<T>> parts) {
  std::vector<T> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Members that a file holds from `gate` on, and the value an older file reads
// (the members without a gate always read as stored).
struct Member {
  const char* name;
  uint32_t gate;
  double old;
};
const Member kMembers[] = {
    {"m1", 185, 1},   {"m5", 205, 60},  {"m6", 170, 0},   {"m7", 113, 0},   {"m8", 184, 1},   {"m9", 157, 0},
    {"m11", 191, 0},  {"m12", 191, 0},  {"m15", 167, 1},  {"m16", 167, 1},  {"m17", 188, 1},  {"m18", 224, 0},
    {"m19", 167, 1},  {"m20", 167, 1},  {"m21", 188, 1},  {"m22", 224, 0},  {"m23", 188, 1},  {"m24", 192, 1},
    {"m25", 187, 0},  {"m26", 187, 0},  {"m27", 187, 177}, {"m28", 187, 0}, {"m29", 214, 1},  {"m31", 261, 1},
    {"m32", 272, 0},  {"m33", 287, 0},  {"m34", 515, 16}, {"m36", 525, 1},  {"m37", 555, 1},  {"m39", 669, 1},
    {"m40", 677, 1},  {"m41", 695, 1},  {"m42", 696, 1},  {"m43", 697, 1},  {"m44", 721, 1},  {"m45", 728, 1},
    {"m46", 733, 1},  {"m47", 744, 1},  {"m48", 749, 1},  {"m49", 752, 1},  {"m50", 670, 0},  {"m51", 670, 2},
};

double StoredMember(const std::string& name) {
  if (name == "m26") return 11;
  if (name == "m27") return 22;
  if (name == "m28") return 33;
  return 1000 + std::stoi(name.substr(1));
}

}  // namespace

Value Defaults() {
  Value v;
  v.F("m2", 100).F("m3", 1).F("m5", 60).F("m8", 1).F("m9", 1).F("m10", 1).F("m11", 1).F("m12", 1);
  v.F("m13", 40).F("m14", 1).F("m34", 16).F("m50", 0).F("m51", 2);
  for (int m = 15; m <= 23; ++m) v.F("m" + std::to_string(m), 1);
  std::vector<double> carry(25, 0);
  for (int i : {0, 1, 13, 14, 16, 17, 19, 20, 21}) carry[static_cast<size_t>(i)] = 1;
  std::vector<double> drop(25, 0);
  drop[11] = drop[12] = 1;
  v.Nums("carry-over flags", carry).Nums("miss drop flags", drop);
  v.Recs("status items", {Item(1, 1, 4, 0, 0, 0, Sj("スコア")), Item(1, 1, 3, 0, 0, 0, Sj("スコア")),
                          Item(1, 1, 0, 0, 0, 0, "HP"), Item(1, 1, 0, 0, 0, 0, "SP"), Item(1, 1, 2, 0, 0, 0, Sj("人"))});
  v.Nums("starting lives", {5, 5, 5, 99}).Nums("infinite lives", {1, 1, 1, 1});
  v.Recs("ranking settings",
         {Rank(1, {1, 1, 1, 1, 1}), Rank(1, {1, 1, 1, 1, 1}), Rank(1, {1, 1, 1, 1, 1}), Rank(0, {0, 0, 0, 0, 0})});
  v.Strs("texts", {Sj("ワールド"), Sj("ステージ"), Sj("スコア"), Sj("ハイスコア"), Sj("トータルスコア"), Sj("スコア"),
                   Sj("残り時間"), Sj("クリア時間"), Sj("残りHP"), Sj("残りSP"), Sj("ステージに挑む"),
                   Sj("やっぱりやめる"), Sj("セーブする"), Sj("やっぱりやめる"), Sj("オートセーブＯＮ"),
                   Sj("オートセーブＯＦＦ"), Sj("保存先が不明です！一度は「セーブ」して下さい！"),
                   Sj("タイトルへ戻る"), Sj("やっぱりやめる"), Sj("しゅうりょう"), Sj("つづける"), Sj("リトライ"),
                   Sj("リトライ"), Sj("マップへ戻る"), Sj("Vキーでジャンルの切り替え"),
                   Sj("スペースキーでタイトルへ戻る"), Sj("スペースキーで終了"), Sj("F3キーでランキングへ登録")});
  v.Strs("system sound files", std::vector<std::string>(17));
  v.Nums("scene music", {0, 0, 0, 0}).Nums("scene music loop flags", {1, 1, 1, 1});
  v.Recs("title menu", {Menu(1, Sj("はじめから")), Menu(1, Sj("つづきから")), Menu(1, Sj("チャレンジ")),
                        Menu(1, Sj("フリー")), Menu(1, Sj("リプレイ")), Menu(1, Sj("オプション")),
                        Menu(1, Sj("しゅうりょう"))});
  v.Recs("world-map menu",
         {Menu(1, Sj("セーブ")), Menu(1, Sj("オートセーブ")), Menu(1, Sj("もどる")), Menu(1, Sj("タイトルへ"))});
  v.Recs("option menu", {Menu(1, "BGM"), Menu(1, "SE"), Menu(1, Sj("ランキング登録")), Menu(1, Sj("ランキング登録名")),
                         Menu(1, Sj("もどる")), Menu(1, "")});
  v.Strs("ranking registration modes", {Sj("手動登録（登録名入力）"), Sj("手動登録（登録名固定）"),
                                        Sj("自動登録（登録名入力）"), Sj("自動登録（登録名固定）")});
  v.Recs("display keys", {Key(0, "Direct3D", 2), Key(0, "WindowMode", 0), Key(0, "Bpp", 0), Key(0, "VSync", 2),
                          Key(0, "D3D_FontCache", 0), Key(0, "DD_FontCache", 1), Key(0, "DD_VideoStretch", 0),
                          Key(0, "ShowFps", 1), Key(1, "FreeStage", 0), Key(0, "English", 0)});
  return v;
}

Value Stored(uint32_t v) {
  Value s;
  for (int m = 1; m <= 51; ++m) {
    const std::string name = "m" + std::to_string(m);
    s.F(name, m == 30 ? 4242 : StoredMember(name));
  }
  s.S("title", Sj("ゲーム"));
  // Lists grew entries by later editors; an older file holds fewer.
  const int carry = v < 168 ? 22 : v < 201 ? 23 : v < 210 ? 24 : 25;
  s.Nums("carry-over flags", Run(100, 0, carry - 1));
  s.Nums("miss drop flags", Run(50, 0, 24));
  std::vector<Value> items;
  for (int i = 0; i < 5; ++i)
    items.push_back(Item(1, i % 2, 10 + i, 20 + i, 30 + i, 40 + i, "S" + std::to_string(i)));
  s.Recs("status items", items);
  s.Nums("starting lives", {7, 8, 9, 10}).Nums("infinite lives", {2, 3, 4, 5});
  s.Recs("ranking settings", {Rank(1, Run(1, 0, 4)), Rank(0, Run(11, 0, 4)), Rank(1, Run(21, 0, 4)),
                              Rank(0, Run(31, 0, 4))});
  const int texts = v < 169 ? 21 : v < 181 ? 24 : v < 193 ? 26 : 28;
  s.Strs("texts", Texts(0, texts - 1));
  std::vector<std::string> sounds;
  for (int i = 0; i < 17; ++i) sounds.push_back("wave\\se" + std::to_string(i) + ".wav");
  s.Strs("system sound files", sounds);
  s.Nums("scene music", {2, 3, 4, 5}).Nums("scene music loop flags", {0, 1, 0, 0});
  std::vector<Value> title;
  for (int i = 0; i < 7; ++i) title.push_back(Menu(i % 2, "M" + std::to_string(i)));
  s.Recs("title menu", title);
  std::vector<Value> world = {Menu(0, "W0"), Menu(1, "W1"), Menu(0, "W2")};
  if (v >= 169) world.push_back(Menu(0, "W3"));
  s.Recs("world-map menu", world);
  s.Recs("option menu", {Menu(0, "O0"), Menu(1, "O1"), Menu(0, "O2"), Menu(1, "O3"), Menu(0, "O4"), Menu(1, "O5")});
  s.Strs("ranking registration modes", {"R0", "R1", "R2", "R3"});
  // The "System.ini" keys as each editor wrote them.
  std::vector<Value> keys;
  if (v >= 286) keys.push_back(Key(0, "Direct3D", 13));
  keys.push_back(Key(0, "WindowMode", 11));
  keys.push_back(Key(0, "Bpp", 12));
  keys.push_back(Key(0, "VSync", 5));
  if (v >= 568) {
    keys.push_back(Key(0, "D3D_FontCache", 15));
    keys.push_back(Key(0, "DD_FontCache", 16));
  }
  if (v >= 567) keys.push_back(Key(0, "DD_VideoStretch", 14));
  keys.push_back(Key(0, "ShowFps", 17));
  keys.push_back(Key(1, "FreeStage", 0, "free.stg4"));
  if (v >= 672) keys.push_back(Key(0, "English", 18));
  s.Recs("display keys", keys);
  return s;
}

Value Expected(uint32_t v) {
  Value e = Stored(std::min<uint32_t>(v, 752));
  e.fields.erase("m30");  // a dropped field: never written again
  for (const Member& m : kMembers)
    if (v < m.gate) e.F(m.name, m.old);
  // Palette rotation follows the colour mode in files before 289 (the stored
  // colour mode is 1025; files before 187 have colour mode 0).
  if (v < 289) e.F("m35", v < 187 ? 1 : 0);
  if (v < 637) e.F("m38", v <= 616 ? 1 : 0);

  const std::vector<double> f = Run(100, 0, 24);
  auto F = [&](int a, int b) { return std::vector<double>(f.begin() + a, f.begin() + b + 1); };
  if (v < 168)
    e.Nums("carry-over flags", Cat<double>({F(0, 8), {0}, F(9, 13), {0}, F(14, 15), {1}, F(16, 21)}));
  else if (v < 201)
    e.Nums("carry-over flags", Cat<double>({F(0, 8), {0}, F(9, 13), {0}, F(14, 22)}));
  else if (v < 210)
    e.Nums("carry-over flags", Cat<double>({F(0, 8), {0}, F(9, 23)}));

  if (v < 501) e.Nums("miss drop flags", std::vector<double>(25, 0));

  auto& items = e.lists["status items"].recs;
  for (int i = 0; i < 5; ++i) {
    Value& item = items[static_cast<size_t>(i)];
    if (v < 204) item.F("value figure shown", 1);
    if (v < 587) {
      const bool gauge = i == 2 || i == 3;
      item.F("warning threshold", gauge ? 33 : 0).F("threshold is percent", gauge ? 1 : 0);
    }
  }

  if (v < 191) e.Nums("infinite lives", {0, 0, 0, 1});
  if (v < 181)
    e.Recs("ranking settings",
           {Rank(1, {1, 1, 1, 0, 0}), Rank(1, {1, 1, 1, 0, 0}), Rank(1, {1, 1, 1, 0, 0}), Rank(0, {0, 0, 0, 0, 0})});
  else if (v < 186)
    e.lists["ranking settings"] = Defaults().lists["ranking settings"];

  const std::string HP = Sj("残りHP"), SP = Sj("残りSP"), ON = Sj("オートセーブＯＮ"), OFF = Sj("オートセーブＯＦＦ"),
                    MSG = Sj("保存先が不明です！一度は「セーブ」して下さい！"), RETRY = Sj("リトライ"),
                    MAP = Sj("マップへ戻る");
  if (v < 169)
    e.Strs("texts", Cat<std::string>({Texts(0, 7), {HP, SP}, Texts(8, 11), {ON, OFF, MSG}, Texts(12, 16),
                                      {RETRY, MAP}, Texts(17, 20)}));
  else if (v < 181)
    e.Strs("texts", Cat<std::string>({Texts(0, 7), {HP, SP}, Texts(8, 19), {RETRY, MAP}, Texts(20, 23)}));
  else if (v < 193)
    e.Strs("texts", Cat<std::string>({Texts(0, 21), {RETRY, MAP}, Texts(22, 25)}));

  if (v < 202) e.Nums("scene music loop flags", {1, 1, 1, 1});
  if (v < 169) e.Recs("world-map menu", {Menu(0, "W0"), Menu(1, Sj("オートセーブ")), Menu(1, "W1"), Menu(0, "W2")});
  if (v < 674) e.lists["ranking registration modes"] = Defaults().lists["ranking registration modes"];

  // The keys end in the current order whatever the file held; a key an old editor
  // did not know has its default (VSync above 2 became 2 before 286).
  const int direct3d = v >= 286 ? 13 : 1, vsync = v >= 286 ? 5 : 2;
  e.Recs("display keys", {Key(0, "Direct3D", direct3d), Key(0, "WindowMode", 11), Key(0, "Bpp", 12),
                          Key(0, "VSync", vsync), v >= 568 ? Key(0, "D3D_FontCache", 15) : Key(0, "D3D_FontCache", 0),
                          v >= 568 ? Key(0, "DD_FontCache", 16) : Key(0, "DD_FontCache", 1),
                          v >= 567 ? Key(0, "DD_VideoStretch", 14) : Key(0, "DD_VideoStretch", 0),
                          Key(0, "ShowFps", 17), Key(1, "FreeStage", 0, "free.stg4"),
                          v >= 672 ? Key(0, "English", 18) : Key(0, "English", 0)});
  return e;
}

std::vector<uint32_t> SweepVersions() {
  const uint32_t bounds[] = {113, 157, 167, 168, 169, 170, 181, 184, 185, 186, 187, 188, 191, 192, 193, 201, 202,
                             204, 205, 210, 214, 221, 224, 260, 261, 272, 286, 287, 289, 501, 515, 525, 555, 567,
                             568, 587, 617, 637, 669, 670, 672, 674, 677, 695, 696, 697, 721, 728, 733, 744, 749, 752};
  std::set<uint32_t> all = {100, 753, 1000};
  for (uint32_t b : bounds) {
    all.insert(b);
    all.insert(b - 1);
  }
  return {all.begin(), all.end()};
}

}  // namespace sysfix
