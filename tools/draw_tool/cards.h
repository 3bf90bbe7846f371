#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/present_slot.h"

// Test cards: the drawing layer set up the way the game's start-up does, in the
// current folder, and pictures drawn through it and presented.
namespace draw_tool {

struct DrawConfig {
  int backEnd = 0;  // 0 DirectDraw, 1 Direct3D
  int bpp = 32;
  int windowed = 0;
  std::string Name() const;  // "dd-16-full", "d3d-32-window", ...
};

// DDInit (with the start-up's fallback from Direct3D to DirectDraw), the texture
// failure text and the aliases under Direct3D, the palette and the transparent
// colour, and every system surface. *fellBack tells whether Direct3D fell back.
bool StartDrawing(const DrawConfig& config, bool* fellBack = nullptr);
void StopDrawing();

std::vector<std::string> CardNames();
// Draws the card into the back buffer and presents it; false for an unknown card
// or a failed present. The presented frame is taken from the frame slot.
bool DrawCard(const std::string& card, plat::PresentedFrame* frame);

}  // namespace draw_tool
