#pragma once
#include <cstdint>
#include <string>

// The editing caption, limits and default of one parameter of a definition (a
// character or screen effect, a shot pattern, a movement type). Play does not read
// the limits; the defaults fill parameters that old files lack.
struct cParamDesc {
  std::string strLabel;  // Shift-JIS; empty for a slot the kind does not use
  int16_t nMin = 0;
  int16_t nMax = 0;
  int16_t nDefault = 0;
};

// A row of a parameter table as written in the source (UTF-8 captions).
struct cParamDescText {
  const char* label;
  int16_t min, max, def;
};

// The Shift-JIS form of a row.
cParamDesc MakeParamDesc(const cParamDescText& text);
