#pragma once
#include <string>

// Writes the demo project's common palette, "data\CommonPalette.cplt4" under the
// project folder: a floor block, the player character, an enemy and an item.
// False when the file cannot be written.
bool WriteDemoPalette(const std::string& projectDir);
