#pragma once
#include <vector>

#include "tools/data_tool/data_tool.h"

// "data\System.dat" and the ten database files.
void AddSystemAndDatabaseKinds(std::vector<cDataKind>& kinds);
