#pragma once

// One scroll axis of the stage view (horizontal or vertical): the view's position
// in stage dots, the range it may move in and its automatic scroll. The stage's
// block grid has a margin of 10 empty cells on every side, so block column c
// begins at stage dot (c + 10) * 32.
class cScrollAxis {
 public:
  static constexpr int kMargin = 10;
  static constexpr int kCell = 32;

  double m_dPos = 0.0;       // stage dot at the left (top) edge of the view
  int m_bClamped = 0;        // the last clamp moved or held the position at a limit
  int m_nAxis = 0;           // 0 horizontal, 1 vertical
  int m_nViewSize = 640;     // 640 horizontal, 480 vertical
  int m_nMin = 0;            // lowest allowed position
  int m_nMax = 0;            // the position plus the view size may not pass it
  int m_nBaseMin = 0;        // the whole stage: margin * 32
  int m_nBaseMax = 0;        // the whole stage: (cells - margin) * 32, 0 when negative
  int m_nMargin = kMargin;
  int m_nOuterLimit = 0;     // the stage's outer value for the axis + 640
  int m_nCells = 0;          // the stage's columns (rows) + 20
  int m_nStride = 0;         // horizontal: the cell map's row stride; vertical: rows + 20
  int m_nStrideShift = 0;    // horizontal: log2 of the stride; vertical: 0
  double m_dAutoSpeed = 0.0; // dots added per logic step
  int m_bAuto = 0;           // automatic scrolling is on

  // The axis of a stage `blocks` columns (rows) wide, as stage set-up builds it:
  // cells = blocks + 20, base range 320 .. (blocks + 10) * 32 (0 when negative),
  // the outer limit outer + 640. The stride is set by the caller.
  void Setup(int axis, int viewSize, int blocks, int outer);

  // Keeps the position inside the range (see the .cpp for the rule at the far edge).
  void Clamp();
  // One logic step: the automatic scroll, then Clamp.
  void Advance();
  // Off: speed 0. On: speed tenths of a dot per frame, spread over `steps` logic
  // steps (steps below 1 count as 1).
  void SetAutoScroll(int on, int speed, double steps);
  // The range from the stage's first and last column (row) with their limit flags;
  // a last before the first gives an empty range at the first.
  void SetRange(int first, int last, int limitFirst, int limitLast);
  // The camera follow of the player on this axis: the view centred on an object at
  // pos of the given size (integer halving), kept inside the range.
  void Follow(double pos, int size);
};
