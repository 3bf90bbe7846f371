#pragma once
#include <cstdint>
#include <list>

#include "app/svc/anime_player.h"

class cChara;
class cCommandRun;
class cEdQuadSet;
class cScrollAxis;

// A rectangle of a character or shot that meets other objects: its stage edges
// (right and bottom inclusive) and its offset and size from the object's position,
// current and at scale 1.
struct cHitBox {
  double dLeft = 0, dTop = 0, dRight = 0, dBottom = 0;
  int32_t nOffsetX = 0, nOffsetY = 0, nWidth = 0, nHeight = 0;
  int32_t nBaseOffsetX = 0, nBaseOffsetY = 0, nBaseWidth = 0, nBaseHeight = 0;

  // The edges from the object's position: left = trunc(x) + offset, right = left + width - 1.
  void UpdateX(double x);
  void UpdateY(double y);
  // Offsets and sizes become s times their values at scale 1.
  void Scale(int s);
  // Offsets 0 and the given size (a block character's boxes cover its body).
  void Cover(int width, int height);
  // The stage rectangle alone: copied, zeroed; the whole box zeroed.
  void CopyRect(const cHitBox& source);
  void ClearRect();
  void Clear() { *this = cHitBox(); }
  // The rectangles meet; rectangles that only touch meet too.
  bool Overlaps(const cHitBox& other) const {
    return dLeft <= other.dRight && dRight >= other.dLeft && dTop <= other.dBottom && dBottom >= other.dTop;
  }
};

// The flight options of a definition: flying and how blocks treat the object.
enum eBlockContact : uint8_t { kPassBlocks = 0, kStopAtBlocks = 1, kDieAtBlocks = 2 };

// The root of every stage object (characters, the player, items, shots, and the
// plain objects of sword swings and patterns): position, size, scale, speeds,
// facing, graphic and animation. Positions and speeds are stage dots and dots per
// logic step. Objects that others point at are built in place in their list and
// never copied by construction; CopyFrom copies the root's state.
class cObject {
 public:
  cObject() = default;
  virtual ~cObject() = default;
  cObject(const cObject&) = default;
  cObject& operator=(const cObject&) = default;

  // Copies every root member, the animation's sequences included.
  virtual void CopyFrom(const cObject& source);
  // Sizes and offsets become `scale` times their values at scale 1; the object
  // keeps its horizontal centre and (characters) its feet. Equal scales change
  // nothing. A scale below 1 counts as 1.
  virtual void SetScale(int scale, int oldScale);
  virtual void ScaleHitBoxes(int) {}
  virtual void KeepBottomOnRescale(int, int) {}
  virtual void UpdateHitBoxX() {}
  virtual void UpdateHitBoxY() {}

  void Init(int identity, int kind, int inputNumber, int passValue, int graphic, const ANIMETABLESTEP* const* anime,
            int firstSequence, int drawOffsetX, int drawOffsetY, int width, int height, int drawWidth, int drawHeight,
            int facing, int flight, int16_t clone);
  // 0 walks and is stopped by blocks, 1 flies through blocks, 2 flies and is
  // stopped, 3 flies and dies on touching a block; any other value changes nothing.
  void SetFlightOption(int option);
  // Keeps the horizontal centre and the feet across a change of scale.
  void Rescale(int scale, int oldScale);
  void KeepCentreX(int scale, int oldScale);

  // Keep the position inside the stage by mode and give the edge code that the
  // movement code reacts to (0 inside; x: 1 outside the scroll range, 2 in the
  // margin, 3 at the outer end; y: 1/4 above/below the scroll range, 2/5 in the
  // top/bottom margin, 3/6 at the top/bottom end). Mode 0 keeps the object in the
  // scroll range, mode 1 in the stage without its margin, mode 2 in the stage with
  // its margin; any other mode only refreshes the edges and tiles.
  int ClampX(int mode);
  int ClampY(int mode);
  // The screen rectangle from the stage position; the screen top.
  int CalcScreenRect();
  // The stage rectangle overlaps the 640x480 view (its edges count as inside).
  bool IsInView() const;
  bool IsInViewAxes(bool ignoreX, bool ignoreY) const;
  // IsInView against axes the caller has looked up (once for many objects).
  bool IsInViewOf(const cScrollAxis& x, const cScrollAxis& y) const;
  // Inside the stage with its margin (whole) or without it, on both axes.
  bool IsInsideArea(bool whole) const;
  // The speed of the axis limited to the stage's speed limit, the move, the clamp.
  int MoveXLimited(int mode);
  int MoveYLimited(int mode);
  void AddGravity();
  void ApplyFriction(double& speed, int enabled) const;
  int FacingSign() const { return m_nFacing == 1 ? 1 : -1; }
  // One of the four corner cells of the tile rectangle stops the object.
  bool HitsBlockCorners() const;
  // Outside the view and beyond the sides that the range record switches on, or at
  // the stage's outer edge.
  bool IsOutOfRange(const cEdQuadSet& range) const;
  // Whether another object meets a distance-condition area on one axis.
  bool OverlapsStrip(int start, int size, int otherStart, int otherEnd, int otherOffset, int reachLow, int reachHigh,
                     bool whole, bool refine, const cObject& other) const;
  // Whether the stage rectangle meets the rectangle given by its edges (inclusive).
  bool OverlapsRect(double left, double right, double top, double bottom) const;
  // The homing shots' nearest character from this object's screen centre as last
  // computed (chara/chara_search.cpp).
  cChara* FindNearestForShot(const std::list<cChara*>& list) const;
  // --- A movement command's aim (chara/object_aim.cpp) ---
  // The run's speeds and facing request aimed from this object's screen centre at
  // a screen point (or one coordinate of it) at the run's speed, against `target`'s
  // scroll sync; with the move's snap on arrival an arrived character is put on
  // the point (its Warp result). The aim's result otherwise (1 arrived).
  int AimMoveAtPoint(cCommandRun& run, const cObject* target, double toX, double toY, int moverSynced,
                     int reportArrival);
  int AimMoveAtX(cCommandRun& run, const cObject* target, double toX, int moverSynced, int reportArrival);
  int AimMoveAtY(cCommandRun& run, const cObject* target, double toY, int moverSynced, int reportArrival);
  // The point a movement command aims at when this object is its target: the
  // screen centre plus the run's target offsets (only x for a horizontal-only
  // move, only y for a vertical-only one; the other is left as it was).
  void MoveTargetPoint(double& x, double& y, const cCommandRun& run) const;
  // Puts the object's screen centre on a point (or one coordinate) for a run that
  // arrived; the root does nothing.
  virtual int WarpTo(int, int, cCommandRun&) { return 0; }
  virtual int WarpToX(int, cCommandRun&) { return 0; }
  virtual int WarpToY(int, cCommandRun&) { return 0; }

  int32_t m_nId = 0;                 // how commands, shots and summons find it again
  int32_t m_nLifetime = 0;           // logic steps left; INT32_MAX unlimited
  int32_t m_nFacing = 0;             // 0 left, 1 right
  int16_t m_nClone = 0;              // index among the copies of one multiple summon
  int32_t m_nGraphic = 0;
  cAnimePlayer m_Anime;
  int32_t m_nScreenLeft = 0, m_nScreenTop = 0, m_nScreenRight = 0, m_nScreenBottom = 0;
  int32_t m_nDrawOffsetX = 0, m_nDrawOffsetY = 0;
  int32_t m_nDrawWidth = 0, m_nDrawHeight = 0;
  int32_t m_nBaseDrawOffsetX = 0, m_nBaseDrawOffsetY = 0;
  int32_t m_nBaseDrawWidth = 0, m_nBaseDrawHeight = 0;
  int32_t m_nKind = 0;               // 0 the player, 1 any other character
  int32_t m_nInput = 0;              // the player's entry in Input
  int32_t m_nPass = 0;               // its force; blocks with this pass value let it through
  double m_dX = 0, m_dY = 0, m_dRight = 0, m_dBottom = 0;
  int32_t m_nTileLeft = 0, m_nTileTop = 0, m_nTileRight = 0, m_nTileBottom = 0;
  double m_dSpeedX = 0;              // the drift of this step: scroll, carry, conveyor, move
  double m_dSpeedY = 0;
  double m_dMoveX = 0, m_dMoveY = 0; // inertial velocity of the movement commands
  double m_dFriction = 0;
  int32_t m_bFrictionX = 0, m_bFrictionY = 0;
  int32_t m_bScrollSync = 0;
  int32_t m_nWidth = 0, m_nHeight = 0;
  int32_t m_nBaseWidth = 0, m_nBaseHeight = 0;
  int32_t m_bFlying = 0;
  uint8_t m_nBlockContact = kStopAtBlocks;
  int32_t m_bActive = 0;
  int32_t m_bInView = 0;
  uint8_t m_bCondLatched = 0;
};

// The scroll axes of the live stage (empty axes outside stage play).
const cScrollAxis& PlayAxisX();
const cScrollAxis& PlayAxisY();
// The axes that PlayAxisX and PlayAxisY give outside stage play (a tool's own view;
// null for none). Not for use while a stage plays.
void SetAxesOutsidePlay(const cScrollAxis* x, const cScrollAxis* y);
