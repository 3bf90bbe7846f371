#pragma once
#include <string>

// The font faces that the game-wide settings' font member indexes: 122 face names
// and an empty entry at the end.
constexpr int kFontFaces = 123;
constexpr int kDefaultFontFace = 60;  // "ＭＳ Ｐゴシック"

// The face name (Shift-JIS) at index; an index outside the table names the default face.
const std::string& FontFaceName(int index);
