#pragma once
#include <string>

class cRankings;

// The ranking file of a stage or course: the play category's folder (story,
// challenge or free under user_data) + the stage name without its folders (it
// ends in a dot) + "rkg".

// The path; false for a category without ranking files, or when the stage name or
// the path would pass the 259 characters of the game's path buffers.
bool MakeRankingPath(std::string& out, int category, const std::string& stageName);
// Reads the file into a copy and takes it over only when the whole read succeeded.
// Otherwise the rankings become a fresh set and the result is false; a file that
// is there but cannot be read is kept beside it as "<name>.bak" (and the report log
// says why), so that the next registration does not overwrite the only copy.
bool LoadRankingFile(cRankings& rankings, int category, const std::string& stageName);
// Writes the file (a temporary file renamed over it); false when it was not written.
bool SaveRankingFile(cRankings& rankings, int category, const std::string& stageName);
