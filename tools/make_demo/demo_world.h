#pragma once

namespace demo {

// "data\WorldMap.dat" (a map whose start cell holds the first stage), the first
// stage "data\stg4\w01-1.stg4_752" and the challenge stage
// "data\stg4\c01-1.stg4_752", written into the current folder (the project's) by
// the game's own record classes. They are checked against the project's database
// and common palette, which must be written first.
bool WriteWorldAndStages();

}  // namespace demo
