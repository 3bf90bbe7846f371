#pragma once

namespace draw_tool {

// The ranking card: the game's fonts made as start-up makes them, a story ranking
// of sample names (ASCII, kana, half-width katakana) drawn as the ranking window
// of the score genre (cursor on place 3) and of the clear-time genre (times,
// cursor on place 1), the genre-switch hint under both, and the stage-clear result
// panel of five genres with two ranked. The fonts are released before it returns.
// False when the fonts cannot be made.
bool DrawRankingCard();

}  // namespace draw_tool
