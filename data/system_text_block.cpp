#include <string>

#include "data/system_data.h"
#include "draw/font_table.h"

void cEdSystem::DrawTextBlock(DDSURFACEDATA* surface, int x, int y, int first, int count, int indent) const {
  std::string text;
  for (int i = first; i < first + count; ++i) {
    if (indent) text += ' ';
    text += Texts.At(i);
    text += '\n';
  }
  Fonts[1].DrawTextWindow(surface, x, y, 0, 0, text.c_str());
}
