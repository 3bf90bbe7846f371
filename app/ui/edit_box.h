#pragma once
#include <cstdint>
#include <string>

#include "app/ui/controls.h"

// The descriptor an edit box is made from. A limit of 0 takes its default.
struct CTRLDESC {
  uint16_t wId = 0;
  std::string* lpstrText = nullptr;
  int nMaxChars = 0;      // 0: 4096
  int nMaxLineChars = 0;  // 0: 1024
  int nMaxLines = 0;      // 0: 32
  int bCharMode = 0;      // lengths in characters (a double-byte character counts once), else in bytes
  // One line of at most length characters (character mode) or read through a
  // count of length + 1 bytes (byte mode).
  void Set(uint16_t id, std::string* text, int length, int charMode);
};

// An edit box bound to a string, with limits on its characters, its lines and the
// characters of each line, enforced on every change of the field (EN_UPDATE): a
// line that grows too long wraps into the next, and a change that leaves too many
// lines is undone.
class cEditBox : public cControl {
 public:
  cEditBox() { m_nType = kCtrlEditBox; }
  ~cEditBox() override = default;

  // Attaches the field, takes the limits, shows the bound text and runs OnChange
  // once with the setting flag; returns that OnChange's result.
  int Create(cDlg* dialog, const CTRLDESC& desc);
  void ShowValue() override;
  void StoreValue() override;
  int OnChange() override;

  // The bytes a read of the field takes (terminator included).
  int ReadCount() const;
  // A text's length as the limits count it, and its number of lines (0 when empty).
  int Measure(const std::string& text) const;
  static int LineCount(const std::string& text);

  std::string* m_lpstrText = nullptr;
  int m_nMaxChars = 4096;
  int m_bCharMode = 0;
  int m_nMaxLineChars = 1024;
  int m_nMaxLines = 32;
  int m_bSetting = 0;
  std::string m_strPrevious;
  int m_nSelStart = 0, m_nSelEnd = 0;

 private:
  bool Wrap(std::string& text, int& start, int& end) const;
  std::string CutToLineLimit(std::string text) const;
};
