#pragma once
#include <vector>

#include "tools/data_tool/data_tool.h"

// "KeyConfig.dat": a raw 108-byte table, not a record file.
void AddKeyConfigKind(std::vector<cDataKind>& kinds);
