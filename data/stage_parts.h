#pragma once
#include <cstdint>
#include <string>

#include "app/base/record.h"

// A range outside which stage play removes objects: four switches (one per side)
// and four margins in cells beyond the view. Files before 125 hold only the left
// switch and the margins; the other switches keep what they had.
class cEdQuadSet : public cRecord {
  RECORD_CLASS(cEdQuadSet)
 public:
  cEdQuadSet() = default;
  cEdQuadSet(int left, int right, int top, int bottom, int marginLeft, int marginRight, int marginTop,
             int marginBottom)
      : bLeft(left), bRight(right), bTop(top), bBottom(bottom), nLeft(marginLeft), nRight(marginRight),
        nTop(marginTop), nBottom(marginBottom) {}

  int32_t bLeft = 0, bRight = 0, bTop = 0, bBottom = 0;
  int32_t nLeft = 0, nRight = 0, nTop = 0, nBottom = 0;  // margins, cells

  void RegisterFields(uint32_t version) override;
  // Stage play tests a range only when one of its sides is switched on.
  bool AnySwitch() const { return bLeft || bRight || bTop || bBottom; }
};

// A background layer: a tiled picture or a colour fill, scrolled with the view by
// its factors or on its own (auto-scroll, the factors then being dots per frame).
class cEdBgLayer : public cRecord {
  RECORD_CLASS(cEdBgLayer)
 public:
  int32_t bShown = 1;        // 62
  int32_t bFill = 0;         // a colour instead of a picture
  int32_t nFillColor = 16;   // palette index
  int32_t nDepth = 0;        // the drawing pass whose key equals this value
  double dFactorX = 0.1;     // 61
  double dFactorY = 0.1;     // 61
  int32_t bAutoX = 0;        // 61
  int32_t bAutoY = 0;        // 61
  double dOffsetX = 0;       // 62: current auto-scroll offsets, zeroed at set-up
  double dOffsetY = 0;       // 62
  std::string strPicture;

  void RegisterFields(uint32_t version) override;
};

// A text that travels with the stage; stage play does not read it.
class cEdTextItem : public cRecord {
  RECORD_CLASS(cEdTextItem)
 public:
  std::string strText;

  void RegisterFields(uint32_t) override {
    RegisterNoFields();
    REG(strText);
  }
};
