#pragma once
#include <cstdint>
#include <string>

#include "app/base/vector.h"

// One arrangeable parameter of a command type: the editor's label (Shift-JIS, the
// unit in parentheses) and its range.
struct cCommandParam {
  std::string strName;
  int32_t nMin = 0;
  int32_t nMax = 0;
};

// The arrangeable parameters per table type (the character command type, or the
// item command type + 15): 40 lists once built, empty for types without any.
extern cVector<cVector<cCommandParam>> CommandParamTable;
constexpr int kCommandParamTypes = 40;

// Sets the three members of one descriptor (name given in UTF-8).
void SetParamDesc(cCommandParam& param, const char* name, int32_t min, int32_t max);
// Sizes the table to 40 lists and fills the lists of the types with arrangeable
// parameters. Start-up runs it once, before any data is read.
void BuildCommandParamTable();
