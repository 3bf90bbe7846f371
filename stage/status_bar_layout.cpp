#include <algorithm>

#include "app/base/text_util.h"
#include "data/system_sub_records.h"
#include "stage/status_bar.h"

namespace {

// Far off the screen either way, yet room for a whole caption drawn from it.
constexpr int64_t kFarEdge = int64_t(1) << 24;

}  // namespace

int64_t StatusCaptionWidth(const cEdStatusItem& item) {
  return item.bIcon ? 16 : 16 * int64_t{CountChars(item.strCaption)};
}

int64_t StatusItemWidth(int index, const cEdStatusItem& item) {
  const int64_t value = index == 2 || index == 3 ? kStatusGaugeWidth : 16 * int64_t{item.nDigits};
  return StatusCaptionWidth(item) + value;
}

cStatusBarLayout LayOutStatusBar(const cEdStatusItem* items, int count) {
  cStatusBarLayout out;
  count = std::clamp(count, 0, kStatusItemCount);
  int64_t widths[kStatusItemCount] = {};
  int64_t sum = 0;
  for (int i = 0; i < count; ++i) {
    if (!items[i].bShow) continue;
    widths[i] = StatusItemWidth(i, items[i]);
    sum += widths[i];
    ++out.nShown;
  }
  if (out.nShown == 0) return out;
  const int64_t gap = (638 - sum) / (out.nShown + 1);
  out.nGap = static_cast<int>(std::clamp(gap, -kFarEdge, kFarEdge));
  int64_t x = gap;
  for (int i = 0; i < count; ++i) {
    if (!items[i].bShow) continue;
    out.nX[i] = static_cast<int>(std::clamp(x, -kFarEdge, kFarEdge));
    out.nWidth[i] = static_cast<int>(std::clamp(widths[i], -kFarEdge, kFarEdge));
    x += widths[i] + gap;
  }
  return out;
}

int StatusGaugeLength(int value, int maximum) {
  if (maximum <= 0) return 0;
  return static_cast<int>(std::clamp<int64_t>(int64_t{value} * kStatusGaugeWidth / maximum, 0, kStatusGaugeWidth));
}
