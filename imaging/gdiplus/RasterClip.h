// The clip of a Graphics as runs of whole pixels per device row. Clips are
// aliased in GDI+ whatever the smoothing mode, so a pixel is either in or
// out.
#pragma once

#include <cstdint>
#include <vector>

#include "GdiplusTypes.h"

namespace Gdiplus {

struct RasterRun {
  INT left = 0;   // first pixel
  INT right = 0;  // one past the last pixel
};

class RasterClip {
 public:
  // A clip covering the whole device of the given size.
  void Reset(INT width, INT height);
  // A clip made of the given pixel rectangles (any order, overlaps allowed),
  // cut to the device.
  void SetRects(INT width, INT height, const Rect* rects, std::size_t count);
  // The pixels of source that also lie in rect.
  void AssignIntersection(const RasterClip& source, const Rect& rect);

  bool IsFull() const { return full_; }
  bool IsEmpty() const { return bounds_.Width <= 0 || bounds_.Height <= 0; }
  // The smallest rectangle holding every pixel of the clip.
  const Rect& Bounds() const { return bounds_; }
  INT DeviceWidth() const { return width_; }
  INT DeviceHeight() const { return height_; }

  // Calls visit(left, right) for each part of [left, right) of row y inside
  // the clip, left to right.
  template <class Visit>
  void ForEachRun(INT y, INT left, INT right, Visit&& visit) const {
    if (y < bounds_.Y || y >= bounds_.Y + bounds_.Height) return;
    if (left < bounds_.X) left = bounds_.X;
    if (right > bounds_.X + bounds_.Width) right = bounds_.X + bounds_.Width;
    if (left >= right) return;
    if (full_) {
      visit(left, right);
      return;
    }
    const std::uint32_t end = rowStart_[y + 1];
    for (std::uint32_t i = rowStart_[y]; i < end; ++i) {
      const RasterRun& run = runs_[i];
      if (run.right <= left) continue;
      if (run.left >= right) break;
      visit(run.left > left ? run.left : left, run.right < right ? run.right : right);
    }
  }

  // Inline: aliased lines ask it for every pixel they light.
  bool Contains(INT x, INT y) const {
    if (x < bounds_.X || x >= bounds_.X + bounds_.Width || y < bounds_.Y ||
        y >= bounds_.Y + bounds_.Height) {
      return false;
    }
    if (full_) return true;
    const std::uint32_t end = rowStart_[y + 1];
    for (std::uint32_t i = rowStart_[y]; i < end; ++i) {
      if (runs_[i].right > x) return runs_[i].left <= x;
    }
    return false;
  }
  // True when some pixel of columns [left, right) and rows [top, bottom)
  // lies in the clip.
  bool Touches(INT left, INT top, INT right, INT bottom) const;

 private:
  void UpdateBounds();

  INT width_ = 0;
  INT height_ = 0;
  bool full_ = true;
  Rect bounds_;
  // Runs of row y are runs_[rowStart_[y]] .. runs_[rowStart_[y + 1] - 1].
  std::vector<std::uint32_t> rowStart_;
  std::vector<RasterRun> runs_;
  std::vector<RasterRun> scratch_;
  std::vector<std::uint32_t> fill_;
};

}  // namespace Gdiplus
