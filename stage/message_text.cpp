#include "stage/message_text.h"

#include <algorithm>
#include <cstdlib>

#include "app/base/text_util.h"
#include "data/project_globals.h"
#include "draw/font.h"
#include "draw/font_table.h"
#include "platform/sjis.h"
#include "stage/stage_scene.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Variable numbers beyond any list are all the same to the lookup: the number is
// held there so that a long run of digits cannot overflow.
constexpr int kNumberCap = 100000;

// One scanned reference: where it ends (one past its last byte) and what it asks.
struct cReference {
  size_t end = 0;
  int number = 0;
  bool common = false, stage = false, plus = false, zeros = false;
  int width = 0;
};

cReference ScanReference(const std::string& text, size_t hash) {
  cReference r;
  bool format = false;
  size_t i = hash + 1;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (!format) {
      if (IsDigit(c)) {
        r.number = std::min(r.number * 10 + (c - '0'), kNumberCap);
        continue;
      }
      if (c == 'C' || c == 'c') {
        r.common = true;
        continue;
      }
      if (c == 'S' || c == 's') {
        r.stage = true;
        continue;
      }
      if (c == '_') {
        format = true;
        continue;
      }
    } else {
      if (IsDigit(c)) {
        r.width = c - '0';
        continue;
      }
      if (c == 'P' || c == 'p') {
        r.plus = true;
        continue;
      }
      if (c == 'Z' || c == 'z') {
        r.zeros = true;
        continue;
      }
    }
    if (c == '.') ++i;
    break;
  }
  r.end = i;
  return r;
}

}  // namespace

std::string FormatMessageNumber(int64_t value, int width, bool plus, bool zeros) {
  const uint64_t magnitude = value < 0 ? uint64_t(0) - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  if (width > static_cast<int>(digits.size())) digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  if (!zeros)
    for (size_t k = 0; k + 1 < digits.size() && digits[k] == '0'; ++k) digits[k] = ' ';
  if (value < 0) return "-" + digits;
  return plus ? "+" + digits : digits;
}

void ExpandMessageVariables(std::string& text, const cVector<int32_t>& common, const cVector<int>& stage) {
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<uint8_t>(text[i]);
    // A lead byte takes the byte after it, whatever it is: a "#" there is part of
    // the character.
    if (plat::IsSjisLeadByte(c) && i + 1 < text.size()) {
      i += 2;
      continue;
    }
    if (c != '#') {
      ++i;
      continue;
    }
    const cReference r = ScanReference(text, i);
    int64_t value = 0;
    // Variable 0 is no variable of the texts; a stage number past the stage's own
    // list stays as written rather than reading beside it.
    if (r.common && r.number >= 1 && r.number <= 255 && r.number < common.Count()) {
      value = common[static_cast<size_t>(r.number)];
    } else if (!r.common && r.stage && r.number >= 1 && r.number <= 255 && r.number < stage.Count()) {
      value = stage[static_cast<size_t>(r.number)];
    } else {
      ++i;
      continue;
    }
    const std::string shown = FormatMessageNumber(value, r.width, r.plus, r.zeros);
    text.replace(i, r.end - i, shown);
    i += shown.size();
  }
}

void ExpandMessageVariables(std::string& text) {
  static const cVector<int> kNoStage;
  const cStageScene* scene = StageScene();
  ExpandMessageVariables(text, SaveData.CommonVars, scene ? scene->m_StageVars : kNoStage);
}

void MeasureMessageText(Font& font, const std::string& text, int* width, int* height) {
  int w = 0, h = 0;
  if (font.m_nPitchX != 0)
    font.GetAtlasTextExtent(&w, &h, text.c_str());
  else
    font.GetTextExtent(&w, &h, text.c_str());
  if (width) *width = w + 2;
  if (height) *height = h + 2;
}

void MeasureMessageText(const std::string& text, int* width, int* height) {
  MeasureMessageText(Fonts[1], text, width, height);
}
