// The demo's own pictures: its characters, blocks, items and shots drawn cell by
// cell, and the title picture. Characters face left (the game mirrors them).
#include "tools/make_demo/demo_sprites.h"

#include "tools/make_demo/demo_art.h"
#include "tools/make_demo/demo_palette_entries.h"

namespace demo {
namespace {

constexpr int kCell = 32;

void Player(cCanvas& c, int x, int y) {
  c.Fill(x + 11, y + 8, 11, 4, kRed);        // cap
  c.Fill(x + 7, y + 11, 8, 2, kRed);         // its brim, ahead
  c.Oval(x + 10, y + 11, 12, 9, kSkin);      // face
  c.Fill(x + 12, y + 14, 2, 2, kInk);        // eye
  c.Fill(x + 18, y + 12, 4, 5, kDarkBrown);  // hair behind
  c.Fill(x + 11, y + 20, 11, 4, kRed);       // shirt
  c.Fill(x + 11, y + 22, 11, 6, kBlue);      // overalls
  c.Fill(x + 9, y + 21, 3, 4, kSkin);        // hand
  c.Fill(x + 12, y + 28, 4, 2, kDarkBlue);
  c.Fill(x + 18, y + 28, 4, 2, kDarkBlue);
  c.Fill(x + 10, y + 30, 6, 2, kBrown);      // shoes
  c.Fill(x + 17, y + 30, 6, 2, kBrown);
  c.Outline(x, y, kCell, kCell);
}

void Walker(cCanvas& c, int x, int y) {
  c.Oval(x + 5, y + 8, 22, 15, kRed);        // cap
  c.Oval(x + 9, y + 10, 5, 4, kWhite);
  c.Oval(x + 18, y + 11, 5, 4, kWhite);
  c.Fill(x + 10, y + 20, 12, 8, kSkin);      // face
  c.Fill(x + 11, y + 22, 2, 3, kInk);        // eyes, looking ahead
  c.Fill(x + 15, y + 22, 2, 3, kInk);
  c.Fill(x + 8, y + 28, 7, 4, kDarkBrown);   // feet
  c.Fill(x + 17, y + 28, 7, 4, kDarkBrown);
  c.Outline(x, y, kCell, kCell);
}

void Flyer(cCanvas& c, int x, int y) {
  for (int i = 0; i < 9; ++i) {              // wings
    c.Fill(x + 1 + i, y + 8 + i / 2, 1, 10 - i, kPurple);
    c.Fill(x + 30 - i, y + 8 + i / 2, 1, 10 - i, kPurple);
  }
  c.Oval(x + 9, y + 9, 14, 14, kPurple);     // body
  c.Fill(x + 11, y + 6, 3, 4, kPurple);      // ears
  c.Fill(x + 18, y + 6, 3, 4, kPurple);
  c.Fill(x + 11, y + 13, 3, 3, kYellow);     // eyes
  c.Fill(x + 17, y + 13, 3, 3, kYellow);
  c.Fill(x + 12, y + 14, 1, 1, kInk);
  c.Fill(x + 18, y + 14, 1, 1, kInk);
  c.Fill(x + 13, y + 19, 2, 2, kWhite);      // fangs
  c.Fill(x + 17, y + 19, 2, 2, kWhite);
  c.Outline(x, y, kCell, kCell);
}

void Shooter(cCanvas& c, int x, int y) {
  c.Fill(x + 2, y + 13, 18, 8, kGrey);       // barrel, pointing ahead
  c.Fill(x + 2, y + 12, 3, 10, kDarkGrey);   // its mouth
  c.Oval(x + 12, y + 9, 16, 16, kDarkGrey);  // breech
  c.Fill(x + 15, y + 13, 3, 3, kLightGrey);  // shine
  c.Fill(x + 6, y + 24, 22, 5, kBrown);      // carriage
  c.Oval(x + 7, y + 24, 8, 8, kDarkBrown);   // wheels
  c.Oval(x + 19, y + 24, 8, 8, kDarkBrown);
  c.Outline(x, y, kCell, kCell);
}

void Boss(cCanvas& c, int x, int y) {
  c.Fill(x + 6, y + 2, 3, 7, kGold);         // horns
  c.Fill(x + 23, y + 2, 3, 7, kGold);
  c.Oval(x + 3, y + 5, 26, 22, kDarkRed);    // head
  c.Oval(x + 6, y + 8, 20, 16, kRed);
  c.Fill(x + 8, y + 12, 5, 3, kYellow);      // eyes
  c.Fill(x + 19, y + 12, 5, 3, kYellow);
  c.Fill(x + 9, y + 13, 2, 2, kInk);
  c.Fill(x + 20, y + 13, 2, 2, kInk);
  c.Fill(x + 10, y + 19, 12, 4, kInk);       // mouth with teeth
  for (int i = 0; i < 4; ++i) c.Fill(x + 11 + 3 * i, y + 19, 2, 2, kWhite);
  c.Fill(x + 7, y + 27, 6, 5, kDarkRed);     // feet
  c.Fill(x + 19, y + 27, 6, 5, kDarkRed);
  c.Outline(x, y, kCell, kCell);
}

void Platform(cCanvas& c, int x, int y) {
  c.Fill(x, y, kCell, kCell, kDarkGrey);     // a riveted steel crate
  c.Fill(x + 2, y + 2, 28, 28, kGrey);
  c.Fill(x, y, kCell, 3, kYellow);           // the top to stand on
  for (int i : {4, 26})
    for (int j : {6, 26}) c.Fill(x + i, y + j, 2, 2, kLightGrey);
  c.Fill(x + 6, y + 15, 20, 2, kDarkGrey);
}

void Sign(cCanvas& c, int x, int y) {
  c.Fill(x + 14, y + 18, 4, 14, kDarkBrown);  // post
  c.Fill(x + 4, y + 6, 24, 14, kBrown);       // board
  for (int j : {10, 14}) c.Fill(x + 7, y + j, 18, 1, kDarkBrown);
  c.Outline(x, y, kCell, kCell);
}

void Goal(cCanvas& c, int x, int y) {
  c.Fill(x + 22, y + 2, 3, 30, kLightGrey);  // pole
  c.Oval(x + 21, y, 5, 4, kGold);
  for (int i = 0; i < 14; ++i) c.Fill(x + 8 + i, y + 4 + i / 2, 1, 14 - i, kGreen);  // pennant
  c.Fill(x + 13, y + 8, 4, 4, kYellow);
  c.Outline(x, y, kCell, kCell);
}

void Floor(cCanvas& c, int x, int y) {
  c.Fill(x, y, kCell, kCell, kBrown);
  for (int i = 0; i < 6; ++i) c.Fill(x + (i * 11 + 3) % 28, y + 12 + (i * 7) % 16, 3, 2, kDarkBrown);
  c.Fill(x, y, kCell, 7, kGreen);
  for (int i = 0; i < kCell; i += 4) c.Fill(x + i, y + 7, 2, 2, kDarkGreen);
  c.Fill(x, y, kCell, 2, kHill);
}

void Dirt(cCanvas& c, int x, int y) {
  c.Fill(x, y, kCell, kCell, kBrown);
  for (int i = 0; i < 8; ++i) c.Fill(x + (i * 13 + 5) % 29, y + (i * 11 + 3) % 29, 3, 2, kDarkBrown);
}

void Brick(cCanvas& c, int x, int y) {
  c.Fill(x, y, kCell, kCell, kMortar);
  for (int row = 0; row < 4; ++row) {
    const int shift = row % 2 ? 8 : 0;
    for (int col = -1; col < 2; ++col) {
      const int bx = col * 16 + shift;
      const int left = bx + 1 < 0 ? 0 : bx + 1, right = bx + 16 > kCell ? kCell : bx + 16;
      if (right > left) c.Fill(x + left, y + row * 8 + 1, right - left, 6, kBrickRed);
    }
  }
}

void Coin(cCanvas& c, int x, int y) {
  c.Oval(x + 8, y + 6, 16, 20, kGold);
  c.Oval(x + 11, y + 9, 10, 14, kYellow);
  c.Fill(x + 15, y + 11, 2, 10, kGold);
  c.Fill(x + 12, y + 10, 2, 3, kWhite);
  c.Outline(x, y, kCell, kCell);
}

void Heart(cCanvas& c, int x, int y) {
  c.Oval(x + 5, y + 7, 12, 12, kRed);
  c.Oval(x + 15, y + 7, 12, 12, kRed);
  for (int i = 0; i < 11; ++i) c.Fill(x + 6 + i, y + 14 + i, 20 - 2 * i, 1, kRed);
  c.Fill(x + 9, y + 10, 3, 3, kPink);
  c.Outline(x, y, kCell, kCell);
}

// Shots are 16x16 cells.
void Spark(cCanvas& c, int x, int y) {
  c.Oval(x + 2, y + 4, 12, 8, kOrange);
  c.Oval(x + 4, y + 5, 8, 6, kYellow);
  c.Fill(x + 6, y + 7, 4, 2, kWhite);
}

void EnemyBall(cCanvas& c, int x, int y) {
  c.Oval(x + 3, y + 3, 10, 10, kDarkRed);
  c.Oval(x + 5, y + 5, 6, 6, kPink);
}

void CannonBall(cCanvas& c, int x, int y) {
  c.Oval(x + 2, y + 2, 12, 12, kInk);
  c.Oval(x + 4, y + 4, 8, 8, kDarkGrey);
  c.Fill(x + 5, y + 5, 2, 2, kLightGrey);
}

// A character's row holds 20 columns: its animation frames, moved along by the
// columns that the animation set adds for flying, full-cell and invincible
// characters. The demo's characters have one picture, in every column.
bool WriteCharacters() {
  constexpr int kColumns = 20;
  cCanvas sheet(kColumns * kCell, 15 * kCell);
  void (*const draw[])(cCanvas&, int, int) = {nullptr, Player, Walker, Flyer, Shooter, Boss, Platform, Sign, Goal};
  for (int g = kPlayer; g <= kGoal; ++g)
    for (int column = 0; column < kColumns; ++column) draw[g](sheet, column * kCell, g * kCell);
  return WritePicture("bmp\\Character1.bmp", sheet);
}

bool WriteBlocks() {
  cCanvas sheet(64, 480);
  Floor(sheet, 0, kFloor * kCell);
  Brick(sheet, 0, kBrick * kCell);
  Dirt(sheet, 0, kDirt * kCell);
  return WritePicture("bmp\\Block.bmp", sheet);
}

bool WriteItems() {
  cCanvas sheet(128, 480);
  for (int frame = 0; frame < 2; ++frame) {
    Coin(sheet, frame * kCell, kCoin * kCell);
    Heart(sheet, frame * kCell, kHeart * kCell);
  }
  return WritePicture("bmp\\Item.bmp", sheet);
}

bool WriteShots() {
  cCanvas sheet(128, 64);
  for (int frame = 0; frame < 8; ++frame) {
    Spark(sheet, frame * 16, 16);
    EnemyBall(sheet, frame * 16, 32);
    CannonBall(sheet, frame * 16, 48);
  }
  return WritePicture("bmp\\Shot.bmp", sheet);
}

// The title: a sky over green hills, the name in big letters and the demo's cast
// below it; the lower part stays calm for the title menu.
bool WriteTitle() {
  cCanvas title(640, 480);
  for (int band = 0; band < 12; ++band) title.Fill(0, band * 40, 640, 40, band < 5 ? kSky : kSkyLight);
  title.Oval(500, 40, 70, 70, kYellow);
  title.Oval(-80, 300, 420, 260, kHillDark);
  title.Oval(240, 320, 520, 260, kHill);
  title.Fill(0, 440, 640, 40, kGreen);
  title.Fill(0, 440, 640, 4, kDarkGreen);
  const std::string name = "KORVANE";
  const int scale = 10, x = (640 - static_cast<int>(name.size()) * 6 * scale) / 2;
  title.Text(x + 4, 84, name, scale, kInk);
  title.Text(x, 80, name, scale, kGold);
  title.Text(320 - 2 * 6 * 4, 170, "DEMO", 4, kWhite);
  void (*const cast[])(cCanvas&, int, int) = {Player, Walker, Flyer, Shooter, Boss};
  for (int i = 0; i < 5; ++i) cast[i](title, 220 + i * 44, 204);
  return WritePicture("bmp\\Title.bmp", title);
}

// The world map: its chips (five a row; 0 rock, 5 grass), the stage symbols (a
// row per symbol, the cleared look in the second column), and the accessories:
// the menu cursors on the top row, the lives icon and the walking figure.
void Grass(cCanvas& c, int x, int y) {
  c.Fill(x, y, kCell, kCell, kHill);
  for (int i = 0; i < 5; ++i) c.Fill(x + (i * 13 + 4) % 28, y + (i * 7 + 5) % 28, 2, 3, kHillDark);
}

void Rock(cCanvas& c, int x, int y) {
  Grass(c, x, y);
  c.Oval(x + 3, y + 5, 26, 24, kDarkGrey);
  c.Oval(x + 5, y + 6, 20, 18, kGrey);
  c.Fill(x + 9, y + 9, 4, 3, kLightGrey);
}

bool WriteWorldMapSheets() {
  cCanvas chips(160, 64);
  for (int n = 0; n < 10; ++n) (n == 0 ? Rock : Grass)(chips, (n % 5) * kCell, (n / 5) * kCell);
  cCanvas events(64, 3 * kCell);
  const uint8_t flags[] = {kRed, kOrange, kPurple};
  for (int row = 0; row < 3; ++row) {
    for (int cleared = 0; cleared < 2; ++cleared) {
      const int x = cleared * kCell, y = row * kCell;
      events.Oval(x + 4, y + 18, 24, 12, kDarkBrown);  // the mound
      events.Fill(x + 15, y + 4, 2, 20, kLightGrey);   // the pole
      const uint8_t ink = cleared ? uint8_t{kGold} : flags[row];
      for (int i = 0; i < 10; ++i) events.Fill(x + 17 + i, y + 4 + i / 2, 1, 10 - i, ink);
      events.Outline(x, y, kCell, kCell);
    }
  }
  cCanvas accessory(128, 160);
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j < 6; ++j) accessory.Fill(i * 16 + 4 + j, 3 + j, 1, 10 - 2 * j, j % 2 ? kYellow : kOrange);
  accessory.Oval(2, 50, 12, 12, kRed);  // lives: the cap
  accessory.Fill(4, 55, 8, 5, kSkin);
  accessory.Outline(0, 48, 16, 16);
  for (int x = 0; x < 128; x += kCell)
    for (int y : {64, 96}) Player(accessory, x, y - (x / kCell) % 2);
  return WritePicture("bmp\\WorldMapChip.bmp", chips) && WritePicture("bmp\\WorldEvent.bmp", events) &&
         WritePicture("bmp\\Accessory.bmp", accessory);
}

}  // namespace

// The ground of every text window: deep blue, a little lighter toward the top.
bool WriteWindowPicture() {
  cCanvas window(640, 480);
  window.Fill(0, 0, 640, 480, kDarkBlue);
  for (int y = 0; y < 480; y += 2) window.Fill(0, y, 640, 1, y < 12 ? kBlue : kDarkBlue);
  return WritePicture("bmp\\Window.bmp", window);
}

// The status bar's picture: a deep blue panel with a light rim.
bool WriteStatusBarPicture() {
  cCanvas bar(128, 32);
  bar.Fill(0, 0, 128, 32, kLightGrey);
  bar.Fill(1, 1, 126, 30, kDarkBlue);
  return WritePicture("bmp\\StatusWindow.bmp", bar);
}

bool WriteSprites() {
  return WriteCharacters() && WriteBlocks() && WriteItems() && WriteShots() && WriteTitle() &&
         WriteWorldMapSheets() && WriteWindowPicture() && WriteStatusBarPicture();
}

}  // namespace demo
