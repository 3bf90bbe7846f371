#pragma once

namespace demo {

// The demo's own sheets, drawn over the generated ones: "bmp\Character1.bmp"
// (one row per palette character, eight frames), "bmp\Block.bmp",
// "bmp\Item.bmp", "bmp\Shot.bmp" and the title picture "bmp\Title.bmp".
bool WriteSprites();

}  // namespace demo
