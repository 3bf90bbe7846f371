#pragma once

namespace demo {

// "data\WorldMap.dat" (the three story stages in a row from the start cell, each
// shown once the one before is cleared) and every stage file of the demo under
// "data\stg4\", written into the current folder (the project's) by the game's
// own record classes. They are checked against the project's database and common
// palette, which must be written first.
bool WriteWorldAndStages();

}  // namespace demo
