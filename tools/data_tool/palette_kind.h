#pragma once
#include <vector>

#include "tools/data_tool/data_tool.h"

// "data\CommonPalette.cplt4": block, character and item definitions with their
// flows, conditions, commands, movement and shot definitions.
void AddCommonPaletteKind(std::vector<cDataKind>& kinds);
