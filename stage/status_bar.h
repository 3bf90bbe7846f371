#pragma once
#include <array>
#include <cstdint>

class cEdStatusItem;

// Where the status bar puts its five items (score, stage score, HP gauge, SP gauge,
// lives): each shown item is as wide as its icon or caption plus its value, and the
// room left over is shared out as equal gaps before every item.

constexpr int kStatusItemCount = 5;
constexpr int kStatusGaugeWidth = 50;

struct cStatusBarLayout {
  int nShown = 0;  // items with their shown flag set
  int nGap = 0;
  // Left edge and width of each item (both 0 for a hidden item). Captions far
  // longer than the bar push items off the screen; the edges are kept well inside
  // int so that what is drawn from them never overflows.
  std::array<int, kStatusItemCount> nX{};
  std::array<int, kStatusItemCount> nWidth{};
};

// The width of the caption part (16 for an icon, 16 per character of the caption)
// and of the value part (the gauge for items 2 and 3, else 16 per digit cell).
int64_t StatusCaptionWidth(const cEdStatusItem& item);
int64_t StatusItemWidth(int index, const cEdStatusItem& item);

// The layout of the first `count` items (at most five).
cStatusBarLayout LayOutStatusBar(const cEdStatusItem* items, int count);

// The length of a gauge bar of `value` against `maximum`: value x 50 / maximum,
// never outside the gauge (an HP above its maximum fills it, a negative one or a
// maximum of 0 leaves it empty).
int StatusGaugeLength(int value, int maximum);
