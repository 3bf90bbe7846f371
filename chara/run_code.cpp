// The run-code language: a line is evaluated by rewriting its text (groups and
// calls replaced by their values), then the flat statement is tokenised and its
// operators applied in three passes: * / %, then + -, then =.
#include "chara/run_code.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/base/message_box.h"
#include "app/base/text_util.h"
#include "app/base/vector.h"
#include "chara/chara.h"
#include "chara/play_objects.h"
#include "chara/player.h"
#include "chara/status.h"
#include "data/project_globals.h"
#include "platform/sjis.h"
#include "stage/stage_scene.h"

namespace {

constexpr const char* kOperators[] = {"=", "+", "-", "*", "/", "%"};
constexpr int kOperatorPass[] = {2, 1, 1, 0, 0, 0};
constexpr const char* kObjects[] = {"my", "tg", "pl", "sys"};
constexpr const char* kCharaWords[] = {"v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "hp", "sp", "mhp",
                                       "msp", "cid", "z", "mark", "sight", "power", "imp", "def", "impd",
                                       "stop", "getsc"};
constexpr const char* kSystemWords[] = {"time", "scrlx", "scrly", "score", "life"};
// The size of a token as the checked list reports it.
constexpr int kTokenReportSize = 40;
// Inserted texts are cut so that a message stays inside its box.
constexpr size_t kInsertMax = 960;

int gError = 0;
RunCodeMessageHook gHook = nullptr;

template <size_t N>
int Find(const char* const (&table)[N], const std::string& word) {
  for (size_t i = 0; i < N; ++i)
    if (word == table[i]) return static_cast<int>(i);
  return -1;
}

std::string CutInsert(const std::string& text) {
  return text.substr(0, SjisPrefixLength(text.c_str(), text.size(), kInsertMax));
}

void Message(int number, const std::string& insert = std::string()) {
  gError = 1;
  if (gHook) gHook(number);
  const std::string s = CutInsert(insert);
  switch (number) {
    case 1: ErrorBox(SJ("\")\"が見つかりません！")); break;
    case 2: ErrorBoxf(SJ("関数 %s で\")\"が見つかりません！"), s.c_str()); break;
    case 3: ErrorBoxf(SJ("関数 %s の引数が不正です！"), s.c_str()); break;
    case 4: ErrorBoxf(SJ("オブジェクト \"%s.\" が認識できません！"), s.c_str()); break;
    case 5: ErrorBox(SJ("オブジェクトの設定エラー!")); break;
    default: ErrorBoxf(SJ("0除算が行われました！(%s)"), s.c_str()); break;
  }
}

// The line as the working buffer holds it: cut at its first NUL and its length limit.
std::string WorkingLine(const std::string& text) {
  const size_t nul = text.find('\0');
  std::string line = text.substr(0, std::min(nul, static_cast<size_t>(kRunCodeLineMax)));
  return line;
}

std::string Rewrite(const std::string& line, size_t w, int value, size_t after) {
  std::string out = line.substr(0, w) + std::to_string(value) + (after < line.size() ? line.substr(after) : "");
  return WorkingLine(out);
}

size_t MatchingClose(const std::string& line, size_t open) {
  int depth = 0;
  for (size_t i = open; i < line.size(); ++i) {
    if (line[i] == '(') ++depth;
    else if (line[i] == ')' && --depth == 0) return i;
  }
  return std::string::npos;
}

// A function call whose "(" is at open: its value, and end at its ")". False after
// the message when the call has no ")" or wrong arguments.
bool CallFunction(const std::string& line, size_t open, const std::string& name, cChara& self, int& value,
                  size_t& end) {
  std::vector<int> args;
  std::string arg;
  int depth = 0;
  for (size_t i = open + 1; i < line.size(); ++i) {
    const char c = line[i];
    if (depth == 0 && (c == ',' || c == ')')) {
      if (!arg.empty()) args.push_back(ParseCode(arg, self));
      arg.clear();
      if (c == ')') {
        end = i;
        if (args.size() != 2) {
          Message(3, name);
          return false;
        }
        value = RandRange(std::min(args[0], args[1]), std::max(args[0], args[1]));
        return true;
      }
      continue;
    }
    if (c == '(') ++depth;
    else if (c == ')') --depth;
    arg += c;
  }
  Message(2, name);
  return false;
}

// One word of a statement.
struct cToken {
  int kind = 0;         // 0 constant, 1 variable, 2 character status, 3 system value, 4 operator
  long long value = 0;
  void* target = nullptr;
  int width = 4;        // 0 signed byte, 2 16-bit, 4 int
  int op = 0;
  int minimum = kValueMin, maximum = kValueMax;
  int word = -1;
  int system = -1;
  cChara* chara = nullptr;
};

void SetStatusToken(cToken& t, cChara& c, int word) {
  cEdChara& d = c.m_Def;
  t.kind = 2;
  t.word = word;
  t.chara = &c;
  auto narrow = [&](void* p, int width, int value, int lo, int hi) {
    t.target = p, t.width = width, t.value = value, t.minimum = lo, t.maximum = hi;
  };
  switch (word) {
    case 8: narrow(&c.m_nHP, 4, c.m_nHP, 0, d.mhp); break;
    case 9: narrow(&c.m_nSP, 4, c.m_nSP, 0, d.msp); break;
    case 10: narrow(&d.mhp, 4, d.mhp, 1, kValueMax); break;
    case 11: narrow(&d.msp, 4, d.msp, 1, kValueMax); break;
    case 12: narrow(&d.cid, 0, d.cid, 0, 99); break;
    case 13: narrow(&d.z, 0, d.z, 0, 7); break;
    case 14: narrow(&d.mark, 2, d.mark, 0, 119); break;
    case 15: narrow(&d.sight, 0, d.sight, 0, 40); break;
    case 16: narrow(&d.power, 4, d.power, kValueMin, kValueMax); break;
    case 17: narrow(&d.imp, 0, d.imp, -20, 20); break;
    case 18: narrow(&d.def, 4, d.def, 0, kValueMax); break;
    case 19: narrow(&d.impd, 0, d.impd, 0, 20); break;
    case 20: narrow(&d.stop, 2, d.stop, 0, 200); break;
    case 21: narrow(&d.getsc, 4, d.getsc, kValueMin, kValueMax); break;
    default: {
      int32_t* slot = CharaVariableSlot(c, word + 1);
      narrow(slot, 4, slot ? *slot : 0, kValueMin, kValueMax);
      break;
    }
  }
}

void SetSystemToken(cToken& t, cChara* c, int system) {
  t.kind = 3;
  t.system = system;
  t.chara = c;
  t.value = ReadSystemValue(system, false);
  SystemValueRange(system, t.minimum, t.maximum);
  if (system == kSysScore) t.minimum = 0;
  if (system == kSysLife && SaveData.nLives == kUnlimitedLives) {
    t.value = 0;
    t.minimum = t.maximum = kUnlimitedLives;
  }
}

// Stores an assignment and runs what must follow it; the stored value.
long long Assign(cToken& left, long long value, cChara& self) {
  if (left.kind == 0 || left.kind == 4) return value;
  int v = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
  ClampValue(v, left.minimum, left.maximum);
  if (left.kind == 3) {
    WriteSystemValue(left.system, v);
    return v;
  }
  if (!left.target) return v;  // a bad variable index: reported, nothing written
  if (left.width == 0) *static_cast<int8_t*>(left.target) = static_cast<int8_t>(v);
  else if (left.width == 2) *static_cast<int16_t*>(left.target) = static_cast<int16_t>(v);
  else *static_cast<int32_t*>(left.target) = v;
  cChara* c = left.chara;
  if (left.kind != 2 || !c) return v;
  switch (left.word) {
    case 8:
      if (c != &self && c->m_nHP <= 0)
        if (cStageScene* scene = StageScene()) scene->m_bStatusDeath = 1;
      break;
    case 10: c->m_nHP = std::clamp(c->m_nHP, 1, std::max(1, c->m_Def.mhp)); break;
    case 11: c->m_nSP = std::clamp(c->m_nSP, 1, std::max(1, c->m_Def.msp)); break;
    case 15: RefreshSight(*c); break;
    default: break;
  }
  return v;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Tokenises the statement; false when it ended in an error.
bool Tokenise(const std::string& line, cChara& self, std::vector<cToken>& tokens) {
  int object = 0;
  bool completedSincePrefix = false;
  std::string word;
  for (size_t i = 0; i <= line.size(); ++i) {
    const char c = i < line.size() ? line[i] : '\0';
    if (c == '.') {
      const int found = Find(kObjects, word);
      if (found < 0) {
        if (!completedSincePrefix) {
          Message(4, word);
          return false;
        }
      } else {
        object = found;
      }
      completedSincePrefix = false;
      word.clear();
      continue;
    }
    if (c != ' ' && c != '\0') {
      word += c;
      continue;
    }
    if (word.empty()) continue;
    cToken t;
    const int op = Find(kOperators, word);
    if (op >= 0) {
      t.kind = 4;
      t.op = op;
    } else {
      cChara* chara = nullptr;
      switch (object) {
        case 0: chara = &self; break;
        case 1:
          chara = self.m_pTarget;
          if (!chara) {
            gError = 1;
            return false;
          }
          break;
        case 2:
          if (Player.empty()) {
            ReportBadIndex('L', P1, 0, static_cast<int>(sizeof(cPlayer)));
            gError = 1;
            return false;
          }
          chara = &Player.front();
          break;
        case 3: break;
        default: Message(5); return false;
      }
      const int cw = Find(kCharaWords, word);
      const int sw = Find(kSystemWords, word);
      if (word[0] == 'C' || word[0] == 'S') {
        t.kind = 1;
        t.target = VariableSlot(word[0] == 'C' ? 0 : 1, std::atoi(word.c_str() + 1));
        t.value = t.target ? *static_cast<int32_t*>(t.target) : 0;
      } else if (cw >= 0) {
        // "sys" has no character to read a status of.
        if (!chara) {
          gError = 1;
          return false;
        }
        SetStatusToken(t, *chara, cw);
      } else if (sw >= 0) {
        SetSystemToken(t, chara, sw);
      } else {
        t.value = std::strtoll(word.c_str(), nullptr, 10);
        t.value = std::clamp<long long>(t.value, INT_MIN, INT_MAX);
        if (!(IsDigit(word[0]) || ((word[0] == '-' || word[0] == '+') && word.size() > 1 && IsDigit(word[1]))))
          t.value = 0;
      }
    }
    tokens.push_back(t);
    completedSincePrefix = true;
    object = 0;
    word.clear();
  }
  return true;
}

}  // namespace

void SetRunCodeMessageHook(RunCodeMessageHook hook) { gHook = hook; }

int EvalCodeStatement(const std::string& text, cChara& self) {
  const std::string line = WorkingLine(text);
  std::vector<cToken> tokens;
  if (!Tokenise(line, self, tokens)) return 0;
  long long result = tokens.empty() ? 0 : tokens.back().value;
  const bool legacy = SystemData.bCompat752 != 0;
  for (int pass = 0; pass <= 2; ++pass) {
    for (;;) {
      size_t i = 0;
      while (i < tokens.size() && !(tokens[i].kind == 4 && kOperatorPass[tokens[i].op] == pass)) ++i;
      if (i == tokens.size()) break;
      // An operator at either end has no operand: the checked list reports it and
      // the statement ends there.
      if (i == 0 || i + 1 >= tokens.size()) {
        ReportBadIndex('V', i == 0 ? -1 : static_cast<int>(i + 1), static_cast<int>(tokens.size()),
                       kTokenReportSize);
        gError = 1;
        return 0;
      }
      cToken& left = tokens[i - 1];
      const long long a = left.value, b = tokens[i + 1].value;
      long long r = 0;
      switch (tokens[i].op) {
        case 0: r = Assign(left, b, self); break;
        case 1: r = a + b; break;
        case 2: r = a - b; break;
        case 3: r = a * b; break;
        case 4:
        case 5:
          if (b == 0) {
            Message(6, line);
            return 0;
          }
          r = tokens[i].op == 4 ? a / b : a % b;
          break;
        default: gError = 1; return 0;
      }
      // Results never wrap: they hold to the int range.
      r = std::clamp<long long>(r, INT_MIN, INT_MAX);
      cToken made;
      made.value = r;
      result = r;
      if (legacy) {
        tokens.erase(tokens.begin() + static_cast<long>(i - 1), tokens.begin() + static_cast<long>(i + 1));
        tokens.insert(tokens.begin() + static_cast<long>(i - 1), made);
      } else {
        tokens.erase(tokens.begin() + static_cast<long>(i - 1), tokens.begin() + static_cast<long>(i + 2));
        tokens.insert(tokens.begin() + static_cast<long>(i - 1), made);
      }
    }
  }
  return static_cast<int>(result);
}

int ParseCode(const std::string& text, cChara& self) {
  std::string line = WorkingLine(text);
  size_t p = 0, w = 0;
  while (p < line.size()) {
    const char c = line[p];
    if (c == ' ') {
      w = ++p;
      continue;
    }
    if (c != '(') {
      ++p;
      continue;
    }
    const size_t close = MatchingClose(line, p);
    if (close == std::string::npos) {
      Message(1);
      return 0;
    }
    if (p == w) {
      const int value = ParseCode(line.substr(p + 1, close - p - 1), self);
      line = Rewrite(line, w, value, close + 1);
      p = w;
      continue;
    }
    // Inside a word: a call when the name before one of its "(" is a function.
    std::string name;
    bool called = false;
    for (size_t q = w; q < line.size() && line[q] != ')'; ++q) {
      if (line[q] != '(') {
        name += line[q];
        continue;
      }
      if (name != "rand") continue;
      int value = 0;
      size_t end = 0;
      if (!CallFunction(line, q, name, self, value, end)) return 0;
      line = Rewrite(line, w, value, end + 1);
      called = true;
      break;
    }
    if (called) p = w;
    else ++p;
  }
  return EvalCodeStatement(line, self);
}

int RunCode(const std::string& text, cChara& self) {
  gError = 0;
  const int hp = self.m_nHP, sp = self.m_nSP;
  ParseCode(text, self);
  if (gError) return 0;
  if (self.m_nHP != hp) self.UpdateHpGauge(self.m_nHP - hp);
  if (self.m_nSP != sp) self.UpdateSpGauge(self.m_nSP - sp);
  return 1;
}
