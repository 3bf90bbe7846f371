#pragma once
#include <vector>

#include "tools/data_tool/data_tool.h"

// Stage files and replay files (by their extensions), "data\WorldMap.dat", the story slots
// "user_data\story\StoryNN.dat", "user_data\challenge\Challenge.dat" and
// "user_data\Option.dat".
void AddStageAndProgressKinds(std::vector<cDataKind>& kinds);
