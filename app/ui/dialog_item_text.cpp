#include "app/ui/dialog_item_text.h"

#include <algorithm>

#include "platform/ui/dialog_box.h"

void GetDlgItemString(plat::HWND dialog, int id, std::string& text, int maximum) {
  char buffer[kDlgItemTextBuffer];
  // A count beyond the buffer is held to the buffer.
  const int count = std::min(maximum, kDlgItemTextBuffer);
  if (count <= 0) {
    text.clear();
    return;
  }
  const unsigned n = plat::GetDlgItemText(dialog, id, buffer, count);
  text.assign(buffer, n);
}

void SetDlgItemString(plat::HWND dialog, int id, const std::string& text) {
  plat::SetDlgItemText(dialog, id, text.c_str());
}
