#include "app/ui/edit_box.h"

#include "app/base/text_util.h"
#include "app/ui/dialog.h"
#include "app/ui/dialog_item_text.h"
#include "platform/key_state.h"
#include "platform/sjis.h"
#include "platform/ui/dialog_box.h"

void CTRLDESC::Set(uint16_t id, std::string* text, int length, int charMode) {
  wId = id;
  lpstrText = text;
  nMaxChars = length + 1;
  nMaxLines = 1;
  bCharMode = charMode;
  nMaxLineChars = charMode ? length : 0;
}

int cEditBox::Create(cDlg* dialog, const CTRLDESC& desc) {
  Attach(dialog, desc.wId);
  m_lpstrText = desc.lpstrText;
  m_nMaxChars = desc.nMaxChars ? desc.nMaxChars : 4096;
  m_nMaxLineChars = desc.nMaxLineChars ? desc.nMaxLineChars : 1024;
  m_nMaxLines = desc.nMaxLines ? desc.nMaxLines : 32;
  m_bCharMode = desc.bCharMode;
  const std::string bound = m_lpstrText ? *m_lpstrText : std::string();
  SetDlgItemString(m_hDlg, m_wId, bound);
  m_strPrevious = bound;
  m_bSetting = 1;
  const int result = OnChange();
  m_bSetting = 0;
  return result;
}

void cEditBox::ShowValue() {
  if (m_lpstrText) SetDlgItemString(m_hDlg, m_wId, *m_lpstrText);
}

void cEditBox::StoreValue() {
  if (m_lpstrText) GetDlgItemString(m_hDlg, m_wId, *m_lpstrText, ReadCount());
}

int cEditBox::ReadCount() const { return m_bCharMode ? 2 * m_nMaxChars - 1 : m_nMaxChars; }

int cEditBox::Measure(const std::string& text) const {
  if (m_bCharMode) return CountChars(text);
  std::string bytes = text;
  return TrimToCString(bytes);
}

int cEditBox::LineCount(const std::string& text) {
  if (text.empty()) return 0;
  int n = 1;
  for (char c : text)
    if (c == '\n') ++n;
  return n;
}

// Lines longer than the per-line limit are cut; the cut-off part joins the next
// line (or becomes a new last line). The selection moves with the inserted breaks.
bool cEditBox::Wrap(std::string& text, int& start, int& end) const {
  if (m_nMaxLineChars <= 0) return false;
  const int removals = m_bCharMode ? 2 * m_nMaxLineChars : m_nMaxLineChars;
  bool changed = false;
  size_t lineStart = 0;
  for (int line = 0; line < m_nMaxLines && lineStart <= text.size(); ++line) {
    size_t lineEnd = text.find("\r\n", lineStart);
    const bool last = lineEnd == std::string::npos;
    if (last) lineEnd = text.size();
    std::string body = text.substr(lineStart, lineEnd - lineStart);
    if (Measure(body) <= m_nMaxLineChars) {
      if (last) break;
      lineStart = lineEnd + 2;
      continue;
    }
    for (int n = 0; n < removals && !body.empty() && Measure(body) > m_nMaxLineChars; ++n) body.pop_back();
    // A byte-counted cut never splits a double-byte character.
    if (!m_bCharMode) {
      const size_t cutAt = lineStart + body.size();
      size_t i = lineStart;
      while (i < cutAt) i += IsSjisDoubleByte(text.c_str() + i) ? 2 : 1;
      if (i > cutAt) body.pop_back();
    }
    const size_t cut = lineStart + body.size();
    text.insert(cut, "\r\n");
    if (start >= static_cast<int>(cut)) start += 2;
    if (end >= static_cast<int>(cut)) end += 2;
    // The break that ended the over-long line goes: its rest joins the next line.
    if (!last) text.erase(lineEnd + 2, 2);
    lineStart = cut + 2;
    changed = true;
  }
  return changed;
}

std::string cEditBox::CutToLineLimit(std::string text) const {
  // Cut until the text keeps to both limits (a bound on the removals could leave
  // it over them): the measure of a line and the number of lines.
  while (!text.empty() && (Measure(text) > m_nMaxLineChars || (m_nMaxLines > 0 && LineCount(text) > m_nMaxLines)))
    text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  // Cutting byte by byte may leave the first half of a double-byte character.
  for (size_t i = 0; i < text.size();) {
    if (IsSjisDoubleByte(text.c_str() + i)) {
      i += 2;
    } else if (i + 1 == text.size() && plat::IsSjisLeadByte(static_cast<uint8_t>(text[i]))) {
      text.pop_back();
    } else {
      ++i;
    }
  }
  return text;
}

int cEditBox::OnChange() {
  if (m_bInChange) return 0;
  m_bInChange = 1;
  std::string text;
  GetDlgItemString(m_hDlg, m_wId, text, ReadCount());
  int start = 0, end = 0;
  plat::SendMessage(m_hWnd, plat::EM_GETSEL, reinterpret_cast<plat::WPARAM>(&start),
                    reinterpret_cast<plat::LPARAM>(&end));
  m_nSelStart = start;
  m_nSelEnd = end;
  if (m_nMaxLines > 0 || m_nMaxLineChars > 0) {
    bool reverted = false;
    // Backspace that joined a full line with the next one is undone.
    if (plat::IsKeyDown(plat::VK_BACK) && start == end && m_strPrevious.size() == text.size() + 2 &&
        LineCount(m_strPrevious) > LineCount(text)) {
      const std::string before = SafeSubstr(text, 0, start);
      const size_t cr = before.rfind('\r');
      std::string line = cr == std::string::npos ? before : SafeSubstr(before, static_cast<int>(cr) + 1, -1);
      if (!line.empty() && line[0] == '\n') line.erase(0, 1);
      if (Measure(line) >= m_nMaxLineChars) {
        text = m_strPrevious;
        reverted = true;
      }
    }
    if (!reverted) {
      Wrap(text, start, end);
      if (LineCount(text) > m_nMaxLines) {
        if (m_bSetting) {
          text = CutToLineLimit(m_strPrevious);
        } else {
          text = m_strPrevious;
          start = m_nSelStart;
          end = m_nSelEnd;
        }
      }
      const int size = static_cast<int>(text.size());
      for (int* p : {&start, &end}) {
        if (*p >= 0 && *p < size && text[static_cast<size_t>(*p)] == '\n') ++*p;
        if (*p > size) *p = size;
      }
    }
  }
  SetDlgItemString(m_hDlg, m_wId, text);
  if (!m_bSetting) plat::SendMessage(m_hWnd, plat::EM_SETSEL, static_cast<plat::WPARAM>(start), end);
  m_strPrevious = text;
  m_bInChange = 0;
  return 1;
}
