// msgexpand: the text part of a text window's set-up with expansion on: the
// variable references expanded, then the text measured in the message font at its
// 16 x 16 pitch.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "draw/font.h"
#include "platform/sjis.h"
#include "stage/message_text.h"
#include "tools/probe/probe.h"

namespace {

constexpr int kPitch = 16;

bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

bool ParseInt32(const std::string& text, long long lo, long long hi, long long& out) {
  if (text.empty()) return false;
  size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
  if (i == text.size()) return false;
  for (size_t k = i; k < text.size(); ++k)
    if (text[k] < '0' || text[k] > '9') return false;
  errno = 0;
  out = std::strtoll(text.c_str(), nullptr, 10);
  return errno == 0 && out >= lo && out <= hi;
}

bool IsWord(const std::string& w) {
  if (w.empty() || !((w[0] >= 'a' && w[0] <= 'z') || (w[0] >= 'A' && w[0] <= 'Z'))) return false;
  for (char c : w)
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

// NAME=VALUE into the variables; false with the reason.
bool ApplySet(const std::string& assignment, cVector<int32_t>& common, cVector<int>& stage, std::string& error) {
  const size_t eq = assignment.find('=');
  if (eq == std::string::npos) {
    error = "--set " + assignment + ": expected NAME=VALUE";
    return false;
  }
  const std::string name = assignment.substr(0, eq), text = assignment.substr(eq + 1);
  long long value = 0;
  if (!ParseInt32(text, INT32_MIN, INT32_MAX, value)) {
    error = "--set " + assignment + ": the value is not a signed 32-bit decimal number";
    return false;
  }
  if (!name.empty() && (name[0] == 'C' || name[0] == 'c' || name[0] == 'S' || name[0] == 's')) {
    const bool isCommon = name[0] == 'C' || name[0] == 'c';
    const long long last = isCommon ? common.Count() - 1 : stage.Count() - 1;
    long long n = 0;
    const std::string digits = name.substr(1);
    if (digits.empty() || digits[0] == '-' || digits[0] == '+' || !ParseInt32(digits, 0, last, n)) {
      error = "--set " + assignment + ": the variable number must be 0.." + std::to_string(last);
      return false;
    }
    if (isCommon)
      common[static_cast<size_t>(n)] = static_cast<int32_t>(value);
    else
      stage[static_cast<size_t>(n)] = static_cast<int>(value);
    return true;
  }
  // The other names of the flows (my.v1, sys.score, pl.hp) have no place in a text.
  const size_t dot = name.find('.');
  const std::string object = dot == std::string::npos ? std::string() : name.substr(0, dot);
  if ((object == "my" || object == "tg" || object == "pl" || object == "sys") && IsWord(name.substr(dot + 1)))
    return true;
  error = "--set " + assignment + ": unknown variable name '" + name + "'";
  return false;
}

// The argument (UTF-8 with \n, \\ and \xHH) as the game's Shift-JIS bytes.
bool ArgumentText(const std::string& arg, std::string& out, std::string& error) {
  if (!plat::IsUtf8(arg)) {
    error = "TEXT is not UTF-8";
    return false;
  }
  for (size_t i = 0; i < arg.size();) {
    const auto b = static_cast<unsigned char>(arg[i]);
    if (b == '\\') {
      const char next = i + 1 < arg.size() ? arg[i + 1] : '\0';
      if (next == 'n') {
        out += '\n';
        i += 2;
      } else if (next == '\\') {
        out += '\\';
        i += 2;
      } else if (next == 'x' && i + 3 < arg.size() + 0 && IsUpperHexDigit(arg[i + 2]) && IsUpperHexDigit(arg[i + 3])) {
        const int v = static_cast<int>(std::strtol(arg.substr(i + 2, 2).c_str(), nullptr, 16));
        if (v == 0) {
          error = "TEXT: \\x00 is not allowed";
          return false;
        }
        out += static_cast<char>(v);
        i += 4;
      } else {
        error = "TEXT: a backslash must begin \\n, \\\\ or \\xHH";
        return false;
      }
      continue;
    }
    const size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : 4;
    const std::string ch = arg.substr(i, n);
    const std::string sjis = plat::Utf8ToSjis(ch);
    if (sjis.empty() || plat::SjisToUtf8(sjis) != ch) {
      error = "TEXT: '" + ch + "' has no CP932 form";
      return false;
    }
    out += sjis;
    i += n;
  }
  return true;
}

std::string Hex(unsigned char b) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\x%02X", b);
  return buf;
}

// The expanded Shift-JIS text for a terminal, every byte accounted for.
std::string Shown(const std::string& sjis) {
  std::string out;
  for (size_t i = 0; i < sjis.size(); ++i) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if (plat::IsSjisLeadByte(b) && i + 1 < sjis.size() && plat::IsSjisTrailByte(static_cast<unsigned char>(sjis[i + 1]))) {
      const std::string pair = sjis.substr(i, 2);
      const std::string utf8 = plat::SjisToUtf8Escaped(pair);
      if (utf8.find("\\x") != std::string::npos || utf8 == "?" || utf8.empty())
        out += Hex(b) + Hex(static_cast<unsigned char>(sjis[i + 1]));
      else
        out += utf8;
      ++i;
    } else if (b == '\n') {
      out += "\\n";
    } else if (b == 0x5C) {
      out += "\\\\";
    } else if (b >= 0x20 && b <= 0x7E) {
      out += static_cast<char>(b);
    } else if (b >= 0xA1 && b <= 0xDF) {
      const unsigned cp = 0xFF61 + (b - 0xA1);
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += Hex(b);
    }
  }
  return out;
}

int MsgExpand(probe::cArgs& given, std::string& error) {
  const std::vector<std::string>& args = given.Raw();
  cVector<int32_t> common(256);
  cVector<int> stage(255);
  bool haveText = false;
  std::string argText;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--set") {
      if (i + 1 >= args.size()) {
        error = "--set needs NAME=VALUE";
        return 2;
      }
      if (!ApplySet(args[++i], common, stage, error)) return 2;
      continue;
    }
    if (a.rfind("--set=", 0) == 0) {
      if (!ApplySet(a.substr(6), common, stage, error)) return 2;
      continue;
    }
    if (a == "--" && !haveText && i + 1 < args.size()) {
      argText = args[++i];
      haveText = true;
      continue;
    }
    if (a.rfind("--", 0) == 0 && a.size() > 2) {
      error = "unknown option '" + a + "'";
      return 2;
    }
    if (haveText) {
      error = "more than one TEXT given";
      return 2;
    }
    argText = a;
    haveText = true;
  }
  if (!haveText) {
    error = "TEXT is missing";
    return 2;
  }
  std::string text;
  if (!ArgumentText(argText, text, error)) return 2;

  ExpandMessageVariables(text, common, stage);
  Font font;  // the message font as the game sets it up: fixed 16 x 16 pitch
  font.m_nPitchX = font.m_nPitchY = kPitch;
  int width = 0, height = 0;
  MeasureMessageText(font, text, &width, &height);
  int lines = 1;
  for (char c : text)
    if (c == '\n') ++lines;
  std::printf("text=%s\nlines=%d\nchars=%d\nwidth=%d\nheight=%d\n", Shown(text).c_str(), lines, (width - 2) / kPitch,
              width, height);
  return 0;
}

}  // namespace

PROBE_RAW_VERB("msgexpand", "[--set NAME=VALUE]... TEXT", MsgExpand);
