#pragma once
#include <cstdint>

struct DDSURFACEDATA;
class cObject;

// Where a picture comes from: an entry of the system surface table or of the
// stage's list of character-specific surfaces (four per special bitmap).
struct cSurfaceRef {
  enum eTable : int32_t { kNone = 0, kSystem = 1, kSpecial = 2 };
  int32_t nTable = kNone;
  int32_t nIndex = 0;
  bool operator==(const cSurfaceRef&) const = default;
  static cSurfaceRef Sys(int index) { return {kSystem, index}; }
  static cSurfaceRef Special(int index) { return {kSpecial, index}; }
};

// What the graphic mapping needs to know of the sheets: each surface's size, how
// many special bitmaps are loaded (numbers 1 to the count) and how each is cut.
class cSheetInfo {
 public:
  virtual ~cSheetInfo() = default;
  virtual void Size(const cSurfaceRef& ref, int& width, int& height) const = 0;
  virtual int SpecialCount() const = 0;
  // Special bitmap n (1 to the count): large flag and cell count (cells of 32m dots).
  virtual void SpecialCells(int n, int& large, int& cellCount) const = 0;
};

// The sheets of the running game: the system surfaces, the stage's special
// surfaces and the database's list of special bitmaps.
const cSheetInfo& LiveSheets();
// The surface a reference names, or null.
DDSURFACEDATA* SurfaceOf(const cSurfaceRef& ref);

// The source of an object's picture: the sheet copies for its facing and for the
// other facing (A drawn directly, B used by the drawing effects), the copies used
// for scaled drawing, and the cell.
struct GRAPHICSOURCE {
  cSurfaceRef A, B, OtherA, OtherB;
  cSurfaceRef Scaled, OtherScaled;
  int32_t bLarge = 0;
  int32_t nCellCount = 1;
  int32_t nSrcX = 0, nSrcY = 0;
  int32_t nCellWidth = 32, nCellHeight = 32;
  int32_t bDrawn = 0;  // 0: the graphic shows nothing
  // The tint of the drawing (an invincible character under Direct3D): the flag,
  // the vertex colour (A8R8G8B8) and the colour operation.
  int32_t bColor = 0;
  uint32_t dwDiffuse = 0, dwColorOp = 0;
};

// The graphic kinds of a definition.
enum eGraphicKind { kGraphicBlock = 0, kGraphicChara = 1, kGraphicItem = 2, kGraphicShot = 3, kGraphicSpecial = 4 };

// Maps graphic g of a kind to its sheet and cell. Mode 1 serves a drawn object
// with a facing (none: facing 0), mode 2 an item (the offset picks the frame),
// other modes take the facing from the column value (characters: 20 columns per
// facing). v is the column value (animation frame), o an offset added to it.
// A cell that does not lie wholly inside its sheet never reaches the drawing: a
// character falls back to cell (0, 0) of its first sheet, anything else shows
// nothing. The result is rec.bDrawn.
int SetGraphicSource(GRAPHICSOURCE& rec, int mode, int kind, int g, int v, const cObject* object, int o);
int SetGraphicSource(GRAPHICSOURCE& rec, int mode, int kind, int g, int v, int facing, int o,
                     const cSheetInfo& sheets, bool scaledUsesA);

// The surfaces of the character drawing effects, chosen once per stage scene by
// the drawing back end: the marker sheet, the effect work surface and the large
// work surface (system entries).
extern int MarkSheet;
extern int EffectWorkSheet;
extern int LargeWorkSheet;
void SelectTileSurfaces();
