#pragma once

namespace demo {

// The demo's own sheets, drawn over the generated ones: "bmp\Character1.bmp"
// (one row per palette character), "bmp\Block.bmp",
// "bmp\Item.bmp", "bmp\Shot.bmp", the title picture "bmp\Title.bmp" and the
// world map's chips, stage symbols and figure ("bmp\WorldMapChip.bmp",
// "bmp\WorldEvent.bmp", "bmp\Accessory.bmp"), the text windows' ground
// "bmp\Window.bmp" and the status bar "bmp\StatusWindow.bmp".
bool WriteSprites();

}  // namespace demo
