#pragma once
#include <string>

// Writes the demo project's common palette, "data\CommonPalette.cplt4" under the
// project folder: its blocks, the player, the enemies (walker, flyer, shooter,
// boss), the moving platform, the signpost and the goal flag, and the items.
// False when the file cannot be written.
bool WriteDemoPalette(const std::string& projectDir);
