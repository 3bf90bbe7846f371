#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "tools/data_tool/data_tool.h"

// "data\CommonPalette.cplt4": block, character and item definitions with their
// flows, conditions, commands, movement and shot definitions.
void AddCommonPaletteKind(std::vector<cDataKind>& kinds);

// The game checks definitions against the database: loads the ten files of the
// project's "database\" under dataFolder (the game's "data\", with its separator),
// the game's default lists for the files that are not there (noted on err).
void LoadProjectDatabase(const std::string& dataFolder, std::FILE* err);
