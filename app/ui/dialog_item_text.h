#pragma once
#include <string>

#include "platform/messages.h"

// A dialog item's text as a string: read through a 5,120-byte buffer, at most
// maximum - 1 bytes (never half a double-byte character); written as it stands.
constexpr int kDlgItemTextBuffer = 5120;
void GetDlgItemString(plat::HWND dialog, int id, std::string& text, int maximum);
void SetDlgItemString(plat::HWND dialog, int id, const std::string& text);
