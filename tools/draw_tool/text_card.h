#pragma once

namespace draw_tool {

// The text card: the game's three fonts made as start-up makes them (atlases for
// fonts 0 and 1 on either back end), two fonts without atlases, and text of every
// kind drawn into the back buffer: ASCII, kana, kanji inside and outside the
// atlas's first characters, half-width katakana, icons, centred characters, a
// Mincho face, text windows and the digit sheets. The fonts are released before
// it returns. False when the fonts cannot be made.
bool DrawTextCard();

}  // namespace draw_tool
